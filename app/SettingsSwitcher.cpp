#include "SettingsSwitcher.h"

#include "Prompt.h"
#include "SettingsLocation.h"
#include "RemoveFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

int SettingsSwitcher::cNum()
{
    return QFileInfo(SettingsLocation::individualFolder()).isDir() ? 2 : 1;
}

QString SettingsSwitcher::buttonCaption(int cNum)
{
    return cNum == 2 ? QStringLiteral("共通設定にする") : QStringLiteral("個別設定にする");
}

bool SettingsSwitcher::copyFolderFiles(const QString &from, const QString &to, bool replace)
{
    const QDir src(from);
    const QFileInfoList entries =
        src.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : entries) {
        if (!fi.isFile())
            continue;
        const QString target = to + u'/' + fi.fileName();
        if (QFileInfo::exists(target)) {
            if (!replace)
                continue;
            QFile::remove(target);
        }
        QFile::copy(fi.filePath(), target);
    }
    return !entries.isEmpty();
}

SettingsSwitcher::Outcome SettingsSwitcher::run(State &state) const
{
    return cNum() == 1 ? toIndividual(state) : toCommon(state);
}

SettingsSwitcher::Outcome SettingsSwitcher::toIndividual(State &state) const
{
    const QString common = SettingsLocation::commonFolder();
    const QString individual = SettingsLocation::individualFolder();
    QString source = SettingsLocation::initialFolder(m_programDir);
    if (QFileInfo(common).isDir()) {
        switch (Prompt::current().question(
            QStringLiteral("共通設定からコピーしますか？「No」のときは初期設定になります"), false)) {
        case Prompt::Answer::Yes:
            source = common;
            break;
        case Prompt::Answer::No:
            break;
        case Prompt::Answer::Cancel:
            return Outcome::Unchanged;
        }
    }
    const bool made = QDir().mkpath(individual);
    const bool copied = copyFolderFiles(source, individual, false);
    if (made && copied) {
        const QString folder = QFileInfo(individual).isDir() ? individual
                                                             : SettingsLocation::initialFolder(m_programDir);
        state.myAppDataPath = folder;
        state.iniFilePath = SettingsLocation::iniFileIn(folder);
    }
    return Outcome::Switched;
}

SettingsSwitcher::Outcome SettingsSwitcher::toCommon(State &state) const
{
    const QString common = SettingsLocation::commonFolder();
    const QString individual = SettingsLocation::individualFolder();
    if (QFileInfo(common).isDir()) {
        switch (Prompt::current().question(
            QStringLiteral("現在の設定を共通設定にコピーしますか？「No」のときは、すでにある共通設定になります"), true)) {
        case Prompt::Answer::Yes:
            copyFolderFiles(individual, common, true);
            break;
        case Prompt::Answer::No:
            state.commonConfigFlg = false;
            break;
        case Prompt::Answer::Cancel:
            return Outcome::Unchanged;
        }
    }
    if (RemoveFolder(individual)) {
        const QString folder = QFileInfo(common).isDir() ? common : SettingsLocation::initialFolder(m_programDir);
        state.myAppDataPath = folder;
        state.iniFilePath = SettingsLocation::iniFileIn(folder);
    }
    if (!state.commonConfigFlg) {
        Prompt::current().message(QStringLiteral("プログラムを再起動します"));
        return Outcome::RestartNeeded;
    }
    return Outcome::Switched;
}
