#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's content atomically: the data go to a temporary file beside it, which
// takes the file's place only when every byte reached the disk. On failure the old file is
// untouched.
bool WriteFileAtomically(const QString& filePath, const QByteArray& content);
