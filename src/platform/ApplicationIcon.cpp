#include "platform/ApplicationIcon.h"

#include <QDirIterator>

QIcon ApplicationIcon()
{
    QIcon icon;
    QDirIterator files(QStringLiteral(":/icons/hicolor"), {QStringLiteral("vemora.png")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        icon.addFile(files.next());
    return icon;
}
