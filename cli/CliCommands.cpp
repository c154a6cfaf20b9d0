#include "CliCommands.h"

#include "CliPrompt.h"
#include "SettingsLocation.h"

#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

const char *kUsage =
    "Usage: quernal-cli [--settings DIR] COMMAND [ARGS]\n"
    "\n"
    "Options:\n"
    "  --help            show this text\n"
    "  --settings DIR    use DIR as the settings folder\n"
    "\n"
    "Commands:\n"
    "  settings-path     print the settings folder and settings file in use\n";

int settingsPath(const QString &overrideDir)
{
    const SettingsLocation loc = overrideDir.isEmpty() ? SettingsLocation::choose(SettingsLocation::programDir())
                                                       : SettingsLocation::at(overrideDir);
    out() << loc.folder << '\n' << loc.iniFile << '\n';
    return 0;
}

} // namespace

int RunCli(const QStringList &arguments)
{
    CliPrompt prompt;
    Prompt::install(&prompt);
    QString settingsDir;
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out() << kUsage;
            out().flush();
            return 0;
        }
        if (a == QLatin1String("--settings")) {
            if (i + 1 >= arguments.size()) {
                err() << "--settings needs a folder\n";
                return 2;
            }
            settingsDir = arguments.at(++i);
            continue;
        }
        rest << a;
    }
    int rc = 2;
    if (rest.isEmpty()) {
        err() << kUsage;
    } else if (rest.first() == QLatin1String("settings-path")) {
        rc = settingsPath(settingsDir);
    } else {
        err() << "unknown command: " << rest.first() << "\n" << kUsage;
    }
    out().flush();
    err().flush();
    Prompt::install(nullptr);
    return rc;
}
