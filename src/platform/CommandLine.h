#pragma once

#include <QString>
#include <QStringList>

// The raw command line of the process, rebuilt from its arguments: each argument that is
// empty or holds a blank is put in double quotes, the others stand as they are.
QString BuildRawCommandLine(const QStringList& arguments);
QString BuildRawCommandLine(int argc, const char* const* argv);

// Splits the next token off Text from the 1-based position Start. Blanks separate tokens; a
// token that begins with a double quote runs to the next double quote, which both go. NextPos
// (when given) receives the position after the token, and stays unchanged when none is found.
void ExtractParam(const QString& text, int start, int* nextPos, QString& token);

// Every token of a command line, as ExtractParam splits them.
QStringList SplitCommandLine(const QString& commandLine);

// The full path of the running program file.
QString ProgramFilePath();

// The raw command line of the process, as the program entry recorded it.
void SetRawCommandLine(const QString& commandLine);
const QString& GetCommandLine();
