#pragma once
#include <QString>

// Where the settings live: the first existing of the individual (per-user),
// the common (machine-wide) and the initial (installation's) folder.
// Looking never creates a folder.
struct SettingsLocation
{
    QString folder;   // without a trailing separator
    QString iniFile;  // folder + "/Quernal.ini"

    static QString exeName();                          // "Quernal"
    static QString programDir();                       // folder of the running executable, ending in "/"
    static QString individualFolder();                 // XDG config home + "/Brivane/QuernalDB"
    static QString commonFolder();                     // first XDG config dir (normally /etc/xdg) + "/Brivane/QuernalDB"
    static QString initialFolder(const QString &programDir); // programDir + "config"
    static QString iniFileIn(const QString &folder);

    static SettingsLocation choose(const QString &programDir);
    static SettingsLocation at(const QString &folder);
};
