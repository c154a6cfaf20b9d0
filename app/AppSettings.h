#pragma once
#include "GridColumnLayout.h"
#include "ParameterTable.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class IniFile;

// Every value the program keeps between runs: read once at start-up, written
// once at closing. Each member carries its default.
struct AppSettings
{
    // [Window]
    int left = 50, top = 50, width = 640, height = 480;
    int panel1Height = 300;
    // [LWindow] floating result list size
    int lstWidth = 640, lstHeight = 240;
    // [Condition] message files
    int mlFilterIdx = 0;
    QString mlReadPath, mlStorePath;
    bool tab1Visible = false, tab3Visible = false;
    // [MailDB]
    QString ldbHost = QStringLiteral("localhost");
    QString ldbPath;
    // [Condition] parameter table
    ParameterTable parameters;
    // [DBGrid]
    GridColumnLayout grid;
    // [Condition] appearance; styleNum is read only when no theme came from the command line
    int styleNum = 0;
    QString fontName = QStringLiteral("Meiryo UI");
    int fontSize = 9;
    int fontColor = 0;
    // [Window] backup tool folder tree
    bool treeViewSW = true;
    int treeViewWidth = 160;
    // [Condition] backup tool
    int vStyleNum = 0;
    bool mskFlg = false;
    bool homeShowFlg = true;
    QString homeHolderPath, backupHolderPath, lDataPath;
    bool chkBx8 = false, chkBx9 = false;
    int rGroup4 = 0;
    // [sListView]
    static constexpr int kMaxColumnWidths = 17;
    int sColumnNum = 16;
    QList<int> columnWidths = QList<int>(kMaxColumnWidths, 80);
    // [Condition] search and list
    int dSelRGIdx = 0;
    int dbLstFrmFontSize = 8;
    // [Connection]
    int mailerIndx = 0;
    QString exchangerAccount;
    int mailTabIndx = 0;
    QString myMailAddress, fromName;
    QString smtpHost = QStringLiteral("localhost");
    QString smtpPort = QStringLiteral("25");
    QString smtpUser;
    // [ADCondition] one check mark per address list entry
    QList<bool> addressChecks;
    QString myMailSubject;

    // Side files
    QStringList mailAddressList;   // "$MailAddressList.txt"
    QStringList rnkNames;          // "$RNK_Name.Txt"
    bool rnkNamesRead = false;
    QByteArray smtpPassCode;       // "$SMTPPass_Code"
    QStringList mskList;           // "$MSK_List.Txt"
    QByteArray mailBodyRtf;        // "$MailBody.rtf"
};

// Reading and writing the settings folder: the keys of the settings file and
// the side files, each under its own guard.
namespace SettingsStore {

inline const char *kMailAddressList = "$MailAddressList.txt";
inline const char *kRnkName = "$RNK_Name.Txt";
inline const char *kSmtpPassCode = "$SMTPPass_Code";
inline const char *kMskList = "$MSK_List.Txt";
inline const char *kMailBody = "$MailBody.rtf";
inline const char *kFormTitle = "$FormTitle.txt";

// Reads every key in start-up order; the address list is read from `folder`
// just before its check marks. A theme given on the command line leaves
// styleNum at 0, so that theme is not remembered.
void readKeys(const IniFile &ini, const QString &folder, bool themeFromCommandLine, AppSettings &s);
// Writes every key in closing order. Also applies the closing rules that
// change values (the home folder flag).
void writeKeys(IniFile &ini, AppSettings &s);

void readSideFiles(const QString &folder, AppSettings &s);
void writeSideFiles(const QString &folder, const AppSettings &s);

} // namespace SettingsStore
