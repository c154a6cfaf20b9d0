#pragma once
#include <QString>
#include <QStringList>

// Runs an outside program without a window and waits for its end while the
// event loop keeps running. `terminateState` is the caller's flag: false from
// the start until the process's end event sets it true.
struct ChildResult
{
    bool started = false;
    int exitCode = -1;
    bool crashed = false;
    QByteArray output;       // standard output
    QByteArray errorOutput;  // standard error
};

ChildResult RunChildAndWait(const QString &program, const QStringList &arguments, bool &terminateState,
                            const QString &workingDir = QString());
