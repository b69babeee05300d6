#include "platform/AtomicFile.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString& filePath, const QByteArray& content)
{
    return WriteFileAtomically(filePath, [&content](QIODevice& file) { return file.write(content) == content.size(); });
}

bool WriteFileAtomically(const QString& filePath, const std::function<bool(QIODevice&)>& write)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile commits even when the final flush fails (disk full, size limit), so the
    // flush is checked here first.
    if (!write(file) || !file.flush()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
