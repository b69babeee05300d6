#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

struct TRunResult {
    int ExitCode = -1; // -1: crashed or did not end
    QString Output;
    QString Errors;
};

// Runs a built program to its end, with the leak suppressions of the tests.
inline TRunResult RunProgram(const QString& program, const QStringList& arguments, QProcessEnvironment environment,
                             const QString& directory)
{
    environment.insert(QStringLiteral("LSAN_OPTIONS"), QStringLiteral("suppressions=" VEMORA_LSAN_SUPPRESSIONS));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.start(program, arguments);
    if (!process.waitForFinished(100000)) {
        process.kill();
        ADD_FAILURE() << program.toStdString() << " did not end";
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}
