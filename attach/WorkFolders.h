#pragma once
#include <QString>

// The working places inside the settings folder: "mail_dat" for copies of
// messages and attachments, and the HTML view's data folder.
namespace WorkFolders {

QString mailDat(const QString &settingsFolder);
QString webViewData(const QString &settingsFolder);   // "Quernal.WebView2"

// Makes sure "mail_dat" exists, with any missing parents (the settings folder too).
bool ensureMailDat(const QString &settingsFolder);

} // namespace WorkFolders
