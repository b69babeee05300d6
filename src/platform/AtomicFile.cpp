#include "platform/AtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString& filePath, const QByteArray& content)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile commits even when the final flush fails (disk full, size limit), so the
    // flush is checked here first.
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
