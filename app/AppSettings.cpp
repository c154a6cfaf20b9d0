#include "AppSettings.h"

#include "IniFile.h"
#include "SideFile.h"

#include <QDir>
#include <QFile>

namespace SettingsStore {

namespace {

const QString W = QStringLiteral("Window");
const QString LW = QStringLiteral("LWindow");
const QString C = QStringLiteral("Condition");
const QString DB = QStringLiteral("MailDB");
const QString G = QStringLiteral("DBGrid");
const QString LV = QStringLiteral("sListView");
const QString CN = QStringLiteral("Connection");
const QString AD = QStringLiteral("ADCondition");

QString inFolder(const QString &folder, const char *name)
{
    return folder + u'/' + QString::fromUtf8(name);
}

void readAddressList(const QString &folder, AppSettings &s)
{
    auto r = SideFile::readLines(inFolder(folder, kMailAddressList), SideFile::Encoding::Utf8Bom);
    s.mailAddressList = r ? r->lines : QStringList();
}

} // namespace

void readKeys(const IniFile &ini, const QString &folder, bool themeFromCommandLine, AppSettings &s)
{
    s.left = ini.readInteger(W, "Left", 50);
    s.top = ini.readInteger(W, "Top", 50);
    s.width = ini.readInteger(W, "Width", 640);
    s.height = ini.readInteger(W, "Height", 480);
    s.panel1Height = qMax(10, ini.readInteger(W, "Panel1Height", 300));
    s.lstWidth = ini.readInteger(LW, "Width", 640);
    s.lstHeight = ini.readInteger(LW, "Height", 240);
    s.mlFilterIdx = ini.readInteger(C, "MLFilter_Index", 0);
    s.mlReadPath = ini.readString(C, "MLRead_Path", QString());
    s.mlStorePath = ini.readString(C, "MLStore_Path", QString());
    s.tab1Visible = ini.readBool(C, "TAB1_Visible", false);
    s.tab3Visible = ini.readBool(C, "TAB3_Visible", false);
    s.ldbHost = ini.readString(DB, "Server", QStringLiteral("localhost"));
    s.ldbPath = ini.readString(DB, "DBPath", QString());
    for (const QString &key : ParameterTable::keys())
        s.parameters.setValue(key, ini.readString(C, key, ParameterTable::marker()));
    for (int i = 0; i < GridColumnLayout::kColumns; ++i) {
        GridColumn &col = s.grid.columns[i];
        col.visible = ini.readBool(G, QStringLiteral("Visible_%1").arg(i), true);
        col.width = ini.readInteger(G, QStringLiteral("Columns_%1").arg(i), 200);
        col.fieldName = ini.readString(G, QStringLiteral("FieldName_%1").arg(i), QString());
        col.title = ini.readString(G, QStringLiteral("TitelCaption_%1").arg(i), QString());
    }
    s.grid.restoreDefaultIfIncomplete();
    if (!themeFromCommandLine)
        s.styleNum = ini.readInteger(C, "Theme", 0);
    s.fontName = ini.readString(C, "FontName", QStringLiteral("Meiryo UI"));
    s.fontSize = ini.readInteger(C, "FontSize", 9);
    s.fontColor = ini.readInteger(C, "FontColor", 0);
    s.treeViewSW = ini.readBool(W, "TreeViewSW", true);
    s.treeViewWidth = ini.readInteger(W, "TreeViewWidth", 160);
    if (s.treeViewWidth < 10)
        s.treeViewWidth = 160;
    s.vStyleNum = ini.readInteger(C, "ViewStyleNum", 0);
    s.mskFlg = ini.readBool(C, "MSKFlg", false);
    s.homeShowFlg = ini.readBool(C, "HomeFlg", true);
    s.homeHolderPath = ini.readString(C, "HomePath", QString());
    s.backupHolderPath = ini.readString(C, "BUPath", QString());
    s.lDataPath = ini.readString(C, "LDPath", QString());
    s.chkBx8 = ini.readBool(C, "ChkBx8", false);
    s.chkBx9 = ini.readBool(C, "ChkBx9", false);
    s.rGroup4 = ini.readInteger(C, "RGroup4", 0);
    s.sColumnNum = ini.readInteger(LV, "ColumnNum", 16);
    // 0 (and, as nonsense, a negative count) means the usual 16 columns.
    if (s.sColumnNum <= 0)
        s.sColumnNum = 16;
    s.columnWidths = QList<int>(AppSettings::kMaxColumnWidths, 80);
    for (int k = 1; k <= qMin(s.sColumnNum, AppSettings::kMaxColumnWidths); ++k)
        s.columnWidths[k - 1] = ini.readInteger(LV, QStringLiteral("ColumnW%1").arg(k), 80);
    s.dSelRGIdx = ini.readInteger(C, "DSelctRGroup1", 0);
    s.dbLstFrmFontSize = ini.readInteger(C, "DLstFrmFntSize", 8);
    s.mailerIndx = ini.readInteger(CN, "MailerIndx", 0);
    s.exchangerAccount = ini.readString(CN, "ExchangerAccount", QString());
    s.mailTabIndx = ini.readInteger(CN, "Mail_Tabindx", 0);
    s.myMailAddress = ini.readString(CN, "MyMailAddress", QString());
    s.fromName = ini.readString(CN, "FromName", QString());
    s.smtpHost = ini.readString(CN, "SMTP_Host", QStringLiteral("localhost"));
    s.smtpPort = ini.readString(CN, "SMTP_Port", QStringLiteral("25"));
    s.smtpUser = ini.readString(CN, "SMTP_User", QString());
    readAddressList(folder, s);
    s.addressChecks.clear();
    for (int i = 0; i < s.mailAddressList.size(); ++i)
        s.addressChecks.append(ini.readBool(AD, QStringLiteral("ADRS%1").arg(i), false));
    s.myMailSubject = ini.readString(CN, "MyMailSubject", QString());
}

void writeKeys(IniFile &ini, AppSettings &s)
{
    ini.writeInteger(W, "Left", s.left);
    ini.writeInteger(W, "Top", s.top);
    ini.writeInteger(W, "Width", s.width);
    ini.writeInteger(W, "Height", s.height);
    ini.writeInteger(W, "Panel1Height", s.panel1Height);
    ini.writeInteger(LW, "Width", s.lstWidth);
    ini.writeInteger(LW, "Height", s.lstHeight);
    ini.writeInteger(C, "MLFilter_Index", s.mlFilterIdx);
    ini.writeString(C, "MLRead_Path", s.mlReadPath);
    ini.writeString(C, "MLStore_Path", s.mlStorePath);
    ini.writeBool(C, "TAB1_Visible", s.tab1Visible);
    ini.writeBool(C, "TAB3_Visible", s.tab3Visible);
    ini.writeString(DB, "Server", s.ldbHost);
    ini.writeString(DB, "DBPath", s.ldbPath);
    for (const auto &row : s.parameters.rows())
        ini.writeString(C, row.first, row.second);
    for (int i = 0; i < GridColumnLayout::kColumns; ++i) {
        const GridColumn &col = s.grid.columns[i];
        ini.writeBool(G, QStringLiteral("Visible_%1").arg(i), col.visible);
        ini.writeInteger(G, QStringLiteral("Columns_%1").arg(i), col.width);
        ini.writeString(G, QStringLiteral("FieldName_%1").arg(i), col.fieldName);
        ini.writeString(G, QStringLiteral("TitelCaption_%1").arg(i), col.title);
    }
    if (s.homeShowFlg)
        ini.writeString(C, "HomePATH", s.homeHolderPath);
    ini.writeInteger(C, "Theme", s.styleNum);
    ini.writeString(C, "FontName", s.fontName);
    ini.writeInteger(C, "FontSize", s.fontSize);
    ini.writeInteger(C, "FontColor", s.fontColor);
    ini.writeBool(W, "TreeViewSW", s.treeViewSW);
    ini.writeInteger(W, "TreeViewWidth", s.treeViewWidth);
    ini.writeInteger(C, "ViewStyleNum", s.vStyleNum);
    ini.writeBool(C, "MSKFlg", s.mskFlg);
    // The home folder flag is always stored as set: the next run shows it again.
    s.homeShowFlg = true;
    ini.writeBool(C, "HomeFlg", true);
    ini.writeString(C, "BUPath", s.backupHolderPath);
    ini.writeString(C, "LDPath", s.lDataPath);
    ini.writeBool(C, "ChkBx8", s.chkBx8);
    ini.writeBool(C, "ChkBx9", s.chkBx9);
    ini.writeInteger(C, "RGroup4", s.rGroup4);
    ini.writeInteger(LV, "ColumnNum", s.sColumnNum);
    for (int k = 1; k <= qMin(s.sColumnNum, AppSettings::kMaxColumnWidths); ++k)
        ini.writeInteger(LV, QStringLiteral("ColumnW%1").arg(k), s.columnWidths.value(k - 1, 80));
    ini.writeInteger(C, "DSelctRGroup1", s.dSelRGIdx);
    ini.writeInteger(C, "DLstFrmFntSize", s.dbLstFrmFontSize);
    ini.writeInteger(CN, "MailerIndx", s.mailerIndx);
    ini.writeString(CN, "ExchangerAccount", s.exchangerAccount);
    ini.writeInteger(CN, "Mail_Tabindx", s.mailTabIndx);
    ini.writeString(CN, "MyMailAddress", s.myMailAddress);
    ini.writeString(CN, "FromName", s.fromName);
    ini.writeString(CN, "SMTP_Host", s.smtpHost);
    ini.writeString(CN, "SMTP_Port", s.smtpPort);
    ini.writeString(CN, "SMTP_User", s.smtpUser);
    if (!s.mailAddressList.isEmpty())
        for (int i = 0; i < s.mailAddressList.size(); ++i)
            ini.writeBool(AD, QStringLiteral("ADRS%1").arg(i), s.addressChecks.value(i, false));
    ini.writeString(CN, "MyMailSubject", s.myMailSubject);
}

void readSideFiles(const QString &folder, AppSettings &s)
{
    {
        auto r = SideFile::readLines(inFolder(folder, kRnkName), SideFile::Encoding::Utf8Bom);
        s.rnkNamesRead = r.has_value();
        s.rnkNames = r ? r->lines : QStringList();
    }
    {
        const QString path = inFolder(folder, kSmtpPassCode);
        auto bytes = SideFile::readBytes(path);
        if (!bytes) {
            // A first run has no password yet: keep an empty file for the sender's save.
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.close();
        }
        s.smtpPassCode = bytes.value_or(QByteArray());
    }
    {
        auto r = SideFile::readLines(inFolder(folder, kMskList), SideFile::Encoding::System);
        s.mskList = r ? r->lines : QStringList();
    }
    s.mailBodyRtf = SideFile::readBytes(inFolder(folder, kMailBody)).value_or(QByteArray());
}

void writeSideFiles(const QString &folder, const AppSettings &s)
{
    // Each file on its own: one that cannot be written does not stop the others.
    SideFile::writeLines(inFolder(folder, kRnkName), s.rnkNames, SideFile::Encoding::Utf8Bom);
    SideFile::writeLines(inFolder(folder, kMskList), s.mskList, SideFile::Encoding::Utf8Bom);
    SideFile::writeLines(inFolder(folder, kMailAddressList), s.mailAddressList, SideFile::Encoding::Utf8Bom);
    SideFile::writeBytes(inFolder(folder, kMailBody), s.mailBodyRtf);
}

} // namespace SettingsStore
