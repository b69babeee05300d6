#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Replaces a file's content atomically: the data go to a temporary file beside it, which
// takes the file's place only when every byte reached the disk. On failure the old file is
// untouched.
bool WriteFileAtomically(const QString& filePath, const QByteArray& content);
// The same for content too large to hold at once: write puts it into the device it is given
// and says whether all of it went in.
bool WriteFileAtomically(const QString& filePath, const std::function<bool(QIODevice&)>& write);
