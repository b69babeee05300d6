#pragma once

#include "support/NLSLine.h"

#include <QString>

#include <functional>

// I/O results of reading a language or country file.
enum TIOResult : int {
    ioSuccess = 0,
    ioFileNotFound = 2,
    ioAccessDenied = 5, // also: the name is not a regular file (a directory, a device)
    ioReadError = 100,
};

// The directory of the running executable.
QString ProgramDirectory();

// Where the shipped language and country files are: beside the executable in a build folder,
// else ../share/vemora/lang relative to it, where an installation puts them.
QString ShippedFilesDirectory();

// A relative name that names no existing file is taken relative to the shipped files' directory.
QString ResolveNLSFileName(const QString& fileName);

// Calls `visit` for every line of the file that has a key, in file order, until it returns
// false. Each line is decoded on its own (UTF-8 when valid, else Windows-1252); lines longer
// than 64 KiB are skipped.
TIOResult ForEachNLSLine(const QString& fileName,
                         const std::function<bool(const TNLSLine&)>& visit);
