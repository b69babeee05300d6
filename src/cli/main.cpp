// vemora-cli: the scripting front end over the entry model (see CliHelpText).
#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Unbuffered devices: the text streams buffer already, and a large buffer of the device,
    // freed after the entries, would make the allocator sort through all their freed memory.
    QFile outFile;
    QFile errFile;
    outFile.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    errFile.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&outFile);
    QTextStream err(&errFile);
    const int status = RunCli(QCoreApplication::arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
