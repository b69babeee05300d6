#pragma once

#include <QStringList>

class QTextStream;

// Exit statuses of vemora-cli.
enum TCliExit : int { cliSuccess = 0, cliFileError = 1, cliUsageError = 2, cliLeftOut = 3 };

// Runs one call of vemora-cli with the arguments after the program name; terminal: out is a
// terminal that shows bold type.
int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err, bool terminal = false);
