#include "app/RunSelection.h"

#include <QFileInfo>

TRunKind RunKindOf(const QString& firstArgument)
{
    if (firstArgument.size() < 2 || firstArgument[0] != u'/' || firstArgument.indexOf(u'/', 1) >= 0)
        return TRunKind::Editor;
    const QChar kind = firstArgument[1];
    if (kind != u'r' && kind != u'd')
        return TRunKind::Editor;
    // Whatever exists under that name (file, folder, link) is a name, never a switch.
    const QFileInfo named(firstArgument);
    if (named.exists() || named.isSymLink())
        return TRunKind::Editor;
    return kind == u'r' ? TRunKind::BatchCheck : TRunKind::Removal;
}
