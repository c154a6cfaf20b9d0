#pragma once
#include <QString>

// The about box's switch between the individual (per-user) and the common
// (machine-wide) settings folder.
class SettingsSwitcher
{
public:
    struct State
    {
        QString myAppDataPath;
        QString iniFilePath;
        bool commonConfigFlg = true;
    };
    enum class Outcome { Unchanged, Switched, RestartNeeded };

    explicit SettingsSwitcher(QString programDir) : m_programDir(std::move(programDir)) {}

    // 2 while the individual folder exists (the button offers the common
    // settings), else 1.
    static int cNum();
    static QString buttonCaption(int cNum);

    Outcome run(State &state) const;

    // Copies every file (no folders) of `from` into `to`; true when the
    // source had any entry, whatever became of the single copies.
    static bool copyFolderFiles(const QString &from, const QString &to, bool replace);

private:
    Outcome toIndividual(State &state) const;
    Outcome toCommon(State &state) const;
    QString m_programDir;
};
