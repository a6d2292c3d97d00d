// Runs the command-line program as a user would and keeps what it wrote.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

#include <string>

struct SCliRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline SCliRun RunCli(const QStringList &args, const QByteArray &input = {})
{
    QProcess process;
    process.start(QStringLiteral(CORVANTA_CLI), args);
    process.waitForStarted();
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    SCliRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;  // a crash or a hang: exit code -1
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}
