#include "ChildProcess.h"

#include "Delay.h"

#include <QProcess>

ChildResult RunChildAndWait(const QString &program, const QStringList &arguments, bool &terminateState,
                            const QString &workingDir)
{
    ChildResult r;
    QProcess p;
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    terminateState = false;
    bool failedToStart = false;
    QObject::connect(&p, &QProcess::finished, [&terminateState] { terminateState = true; });
    QObject::connect(&p, &QProcess::errorOccurred, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failedToStart = true;
            terminateState = true;
        }
    });
    // Arguments go as a list: a path with blanks reaches the program whole.
    p.start(program, arguments);
    while (!terminateState)
        Delay(10);
    if (failedToStart)
        return r;
    r.started = true;
    r.crashed = p.exitStatus() == QProcess::CrashExit;
    r.exitCode = p.exitCode();
    r.output = p.readAllStandardOutput();
    r.errorOutput = p.readAllStandardError();
    return r;
}
