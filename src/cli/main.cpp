// vemora-cli: the scripting front end over the entry model (see CliHelpText).
#include "cli/CliCommands.h"
#include "platform/SystemMemory.h"

#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

// No QCoreApplication: nothing here needs an event loop, and a check run at every logon should
// not pay for setting one up.
namespace {

bool ShowsBoldType()
{
    const char* term = std::getenv("TERM");
    return isatty(STDOUT_FILENO) && !std::getenv("NO_COLOR") && term && std::strcmp(term, "dumb") != 0;
}

} // namespace

int main(int argc, char** argv)
{
    UseLargeHeapSteps();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunCli(arguments, out, err, ShowsBoldType());
    out.flush();
    err.flush();
    return status;
}
