#include "WorkFolders.h"

#include "SettingsLocation.h"

#include <QDir>
#include <QFileInfo>

namespace WorkFolders {

QString mailDat(const QString &settingsFolder)
{
    return settingsFolder + QStringLiteral("/mail_dat");
}

QString webViewData(const QString &settingsFolder)
{
    return settingsFolder + u'/' + SettingsLocation::exeName() + QStringLiteral(".WebView2");
}

bool ensureMailDat(const QString &settingsFolder)
{
    return QDir().mkpath(mailDat(settingsFolder));
}

} // namespace WorkFolders
