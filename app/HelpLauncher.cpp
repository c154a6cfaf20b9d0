#include "HelpLauncher.h"

#include "ChildProcess.h"
#include "Prompt.h"

#include <QFileInfo>
#include <QStandardPaths>

QString HelpLauncher::missingFileText(const QString &helpFile)
{
    return QStringLiteral("ヘルプファイルが見つかりません\r\n") + helpFile;
}

QString HelpLauncher::noOpenerText(const QString &helpFile)
{
    return QStringLiteral("ヘルプファイルを開くプログラムがありません\r\n") + helpFile;
}

HelpLauncher::Opener HelpLauncher::systemOpener()
{
    return [](const QString &path) {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty())
            return false;
        bool terminateState = false;
        const ChildResult r = RunChildAndWait(opener, {path}, terminateState);
        return r.started && !r.crashed && r.exitCode == 0;
    };
}

bool HelpLauncher::open(const QString &helpFile, Topic) const
{
    if (!QFileInfo(helpFile).isFile()) {
        Prompt::current().message(missingFileText(helpFile), Prompt::Kind::Warning);
        return false;
    }
    if (!m_opener(helpFile)) {
        Prompt::current().message(noOpenerText(helpFile), Prompt::Kind::Warning);
        return false;
    }
    return true;
}
