#include "OpenAndWait.h"

#include "ChildProcess.h"
#include "Prompt.h"

#include <QFileInfo>
#include <QStandardPaths>

OpenAndWait::OpenAndWait() : opener(QStandardPaths::findExecutable(QStringLiteral("xdg-open"))) {}

QString OpenAndWait::failureText()
{
    return QStringLiteral("プログラムが起動できませんでした");
}

bool OpenAndWait::run(const QString &file) const
{
    bool ok = false;
    if (!opener.isEmpty() && QFileInfo(file).isFile()) {
        bool terminateState = false;
        const ChildResult r = RunChildAndWait(opener, openerArguments + QStringList{file}, terminateState);
        ok = r.started && !r.crashed && r.exitCode == 0;
    }
    if (!ok)
        Prompt::current().message(failureText(), Prompt::Kind::Error);
    return ok;
}
