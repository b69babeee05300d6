// vemora-cli: the scripting front end over the entry model (see CliHelpText).
#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = RunCli(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
