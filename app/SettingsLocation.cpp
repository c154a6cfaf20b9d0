#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kSub = QStringLiteral("/Brivane/QuernalDB");
}

QString SettingsLocation::exeName()
{
    // The window program and the command-line front end share one settings file.
    return QStringLiteral("Quernal");
}

QString SettingsLocation::programDir()
{
    QString d = QCoreApplication::applicationDirPath();
    if (!d.endsWith(u'/'))
        d += u'/';
    return d;
}

QString SettingsLocation::individualFolder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : QDir::cleanPath(base + kSub);
}

QString SettingsLocation::commonFolder()
{
    const QStringList all = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    // The first entry is the user's own folder; the system folders follow it.
    if (all.size() < 2)
        return QDir::cleanPath(QStringLiteral("/etc/xdg") + kSub);
    return QDir::cleanPath(all.at(1) + kSub);
}

QString SettingsLocation::initialFolder(const QString &programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/config"));
}

QString SettingsLocation::iniFileIn(const QString &folder)
{
    return folder + u'/' + exeName() + QStringLiteral(".ini");
}

SettingsLocation SettingsLocation::at(const QString &folder)
{
    return SettingsLocation{folder, iniFileIn(folder)};
}

SettingsLocation SettingsLocation::choose(const QString &programDir)
{
    for (const QString &candidate : {individualFolder(), commonFolder()})
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir())
            return at(candidate);
    return at(initialFolder(programDir));
}
