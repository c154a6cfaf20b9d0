// The settings store over its whole key table: defaults, round trip, and the
// rules that change values on the way in or out.
#include "AppSettings.h"
#include "IniFile.h"
#include "SettingsLocation.h"
#include "TestEnv.h"
#include "WindowPlacement.h"

#include <QtTest>

namespace {

struct Entry
{
    const char *section;
    QString key;
    QString value;
};

// Everything a first run (no settings file) writes at closing.
QList<Entry> defaultsWritten()
{
    QList<Entry> e{
        {"Window", "Left", "50"}, {"Window", "Top", "50"}, {"Window", "Width", "640"}, {"Window", "Height", "480"},
        {"Window", "Panel1Height", "300"}, {"LWindow", "Width", "640"}, {"LWindow", "Height", "240"},
        {"Condition", "MLFilter_Index", "0"}, {"Condition", "MLRead_Path", ""}, {"Condition", "MLStore_Path", ""},
        {"Condition", "TAB1_Visible", "0"}, {"Condition", "TAB3_Visible", "0"}, {"MailDB", "Server", "localhost"},
        {"MailDB", "DBPath", ""},
    };
    for (const char *k : {"ExpFileName", "DLMTDStr1", "DLMTDStr2", "GPGPath", "ThdrPath", "ZOOM", "FromDate",
                             "ToDate", "Subject", "SenderName"})
        e.append({"Condition", QString::fromLatin1(k), "Dummy Data"});
    for (int i = 1; i <= 10; ++i)
        e.append({"Condition", QString("MailAccount%1").arg(i), "Dummy Data"});
    const char *fields[] = {"MESSAGE_ID", "MESSAGE_DATE", "ACCOUNT_KEY", "SENDER_NAME", "SENDER_ADDRESS",
                            "RECIEVE_NAME", "RECIEVE_ADDRESS", "MESSAGE_SUBJECT", "MESSAGE_FILENAME", "MAILBODY"};
    const char *titles[] = {"メッセージID", "受信日時", "アカウント(POP)", "送信名", "送信アドレス",
                            "受信名", "受信アドレス", "題目", "メッセージファイル名", "ボディ"};
    for (int i = 0; i < 10; ++i) {
        const bool hidden = i == 0 || i == 2 || i == 8;
        e.append({"DBGrid", QString("Visible_%1").arg(i), hidden ? "0" : "1"});
        e.append({"DBGrid", QString("Columns_%1").arg(i), "200"});
        e.append({"DBGrid", QString("FieldName_%1").arg(i), fields[i]});
        e.append({"DBGrid", QString("TitelCaption_%1").arg(i), QString::fromUtf8(titles[i])});
    }
    e += QList<Entry>{
        {"Condition", "HomePATH", ""}, {"Condition", "Theme", "0"}, {"Condition", "FontName", "Meiryo UI"},
        {"Condition", "FontSize", "9"}, {"Condition", "FontColor", "0"}, {"Window", "TreeViewSW", "1"},
        {"Window", "TreeViewWidth", "160"}, {"Condition", "ViewStyleNum", "0"}, {"Condition", "MSKFlg", "0"},
        {"Condition", "HomeFlg", "1"}, {"Condition", "BUPath", ""}, {"Condition", "LDPath", ""},
        {"Condition", "ChkBx8", "0"}, {"Condition", "ChkBx9", "0"}, {"Condition", "RGroup4", "0"},
        {"sListView", "ColumnNum", "16"},
    };
    for (int k = 1; k <= 16; ++k)
        e.append({"sListView", QString("ColumnW%1").arg(k), "80"});
    e += QList<Entry>{
        {"Condition", "DSelctRGroup1", "0"}, {"Condition", "DLstFrmFntSize", "8"},
        {"Connection", "MailerIndx", "0"}, {"Connection", "ExchangerAccount", ""},
        {"Connection", "Mail_Tabindx", "0"}, {"Connection", "MyMailAddress", ""},
        {"Connection", "FromName", ""}, {"Connection", "SMTP_Host", "localhost"},
        {"Connection", "SMTP_Port", "25"}, {"Connection", "SMTP_User", ""},
        {"Connection", "MyMailSubject", ""},
    };
    return e;
}

int keyCount(const QString &text)
{
    int n = 0;
    for (const QString &l : text.split("\r\n"))
        if (l.contains('='))
            ++n;
    return n;
}

} // namespace

class TstSettings : public QObject
{
    Q_OBJECT
private slots:
    void missingFileGivesEveryDefault();
    void everyKeyRoundTrips();
    void gridLayout_data();
    void gridLayout();
    void columnWidths_data();
    void columnWidths();
    void valueRulesOnRead();
    void homeFolderRulesAtClosing();
    void themeFromCommandLineIsNotRemembered();
    void addressChecksFollowTheList();
    void windowClamp_data();
    void windowClamp();
    void folderCandidates_data();
    void folderCandidates();
};

void TstSettings::missingFileGivesEveryDefault()
{
    TestEnv env;
    IniFile in;
    QVERIFY(!in.load(env.root() + "/absent.ini"));
    AppSettings s;
    SettingsStore::readKeys(in, env.root(), false, s);
    IniFile out;
    SettingsStore::writeKeys(out, s);
    const QList<Entry> expected = defaultsWritten();
    for (const Entry &e : expected) {
        QVERIFY2(out.hasKey(e.section, e.key), qPrintable(e.key));
        QCOMPARE(out.readString(e.section, e.key, "<none>"), e.value);
    }
    // Nothing beyond the table is written.
    QCOMPARE(keyCount(out.serialize()), int(expected.size()));
    QVERIFY(!out.hasKey("sListView", "ColumnW17"));
    QVERIFY(!out.hasKey("ADCondition", "ADRS0"));
}

void TstSettings::everyKeyRoundTrips()
{
    // A value other than the default for every key, integers partly in hex.
    QList<Entry> custom;
    for (const Entry &e : defaultsWritten()) {
        Entry c = e;
        bool isInt = false;
        const int n = e.value.toInt(&isInt);
        if (e.section == QLatin1String("DBGrid") && e.key.startsWith("Visible_"))
            c.value = e.value == "1" ? "0" : "1";
        else if (e.key == "HomeFlg")
            c.value = "1";
        else if (e.key == "ColumnNum")
            c.value = "16";
        else if (isInt && (e.key == "TAB1_Visible" || e.key == "TAB3_Visible" || e.key == "TreeViewSW" ||
                           e.key == "MSKFlg" || e.key.startsWith("ChkBx")))
            c.value = n ? "0" : "1";
        else if (isInt)
            c.value = QString::number(n + 17);
        else
            c.value = e.value + "・変更 " + e.key;
        custom.append(c);
    }
    // One block per section, as a file written by the program has them.
    QMap<QString, QString> blocks;
    for (const Entry &c : custom)
        blocks[c.section] += c.key + "=" + c.value + "\r\n";
    QString file;
    for (auto it = blocks.cbegin(); it != blocks.cend(); ++it)
        file += "[" + it.key() + "]\r\n" + it.value();
    TestEnv env;
    IniFile in;
    in.parse(file);
    AppSettings s;
    SettingsStore::readKeys(in, env.root(), false, s);
    IniFile out;
    SettingsStore::writeKeys(out, s);
    for (const Entry &c : custom)
        QCOMPARE(out.readString(c.section, c.key, "<none>"), c.value);
    QCOMPARE(s.left, 67);
    QCOMPARE(s.parameters.value("GPGPath"), QString("Dummy Data・変更 GPGPath"));
}

void TstSettings::gridLayout_data()
{
    QTest::addColumn<int>("namedFields");
    QTest::addColumn<bool>("defaultLayout");
    QTest::newRow("no DBGrid section") << 0 << true;
    QTest::newRow("only 9 fields named") << 9 << true;
    QTest::newRow("all 10 named") << 10 << false;
}

void TstSettings::gridLayout()
{
    QFETCH(int, namedFields);
    QFETCH(bool, defaultLayout);
    // The user's own order: reversed fields, custom titles and widths, all shown.
    QString text = "[DBGrid]\n";
    for (int i = 0; i < 10; ++i) {
        text += QString("Visible_%1=1\nColumns_%1=%2\n").arg(i).arg(100 + i);
        if (i < namedFields)
            text += QString("FieldName_%1=F%2\nTitelCaption_%1=T%2\n").arg(i).arg(9 - i);
    }
    IniFile in;
    in.parse(text);
    AppSettings s;
    SettingsStore::readKeys(in, QString(), false, s);
    for (int i = 0; i < 10; ++i) {
        const GridColumn &c = s.grid.columns[i];
        QCOMPARE(c.width, 100 + i);  // widths always survive
        if (defaultLayout) {
            QCOMPARE(c.fieldName, QString::fromUtf8(GridColumnLayout::kDefaults[i].field));
            QCOMPARE(c.title, QString::fromUtf8(GridColumnLayout::kDefaults[i].title));
            QCOMPARE(c.visible, !(i == 0 || i == 2 || i == 8));
        } else {
            QCOMPARE(c.fieldName, QString("F%1").arg(9 - i));
            QCOMPARE(c.title, QString("T%1").arg(9 - i));
            QVERIFY(c.visible);
        }
    }
}

void TstSettings::columnWidths_data()
{
    QTest::addColumn<QString>("columnNum");
    QTest::addColumn<int>("remembered");
    QTest::addColumn<int>("readWidths");   // how many of the stored widths were taken
    QTest::newRow("25 stored") << "25" << 25 << 17;
    QTest::newRow("0 means 16") << "0" << 16 << 16;
    QTest::newRow("3") << "3" << 3 << 3;
    QTest::newRow("missing") << "" << 16 << 16;
}

void TstSettings::columnWidths()
{
    QFETCH(QString, columnNum);
    QFETCH(int, remembered);
    QFETCH(int, readWidths);
    QString text = "[sListView]\n";
    if (!columnNum.isEmpty())
        text += "ColumnNum=" + columnNum + "\n";
    for (int k = 1; k <= 30; ++k)
        text += QString("ColumnW%1=%2\n").arg(k).arg(k * 10);
    IniFile in;
    in.parse(text);
    AppSettings s;
    SettingsStore::readKeys(in, QString(), false, s);
    QCOMPARE(s.sColumnNum, remembered);
    QCOMPARE(s.columnWidths.size(), 17);
    for (int k = 1; k <= 17; ++k)
        QCOMPARE(s.columnWidths[k - 1], k <= readWidths ? k * 10 : 80);
    IniFile out;
    SettingsStore::writeKeys(out, s);
    const int written = qMin(remembered, 17);
    for (int k = 1; k <= 18; ++k)
        QCOMPARE(out.hasKey("sListView", QString("ColumnW%1").arg(k)), k <= written);
}

void TstSettings::valueRulesOnRead()
{
    IniFile in;
    in.parse("[Window]\nPanel1Height=3\nTreeViewWidth=9\n[Condition]\nhomepath=/srv/home\nFontColor=0x0000FF\n");
    AppSettings s;
    SettingsStore::readKeys(in, QString(), false, s);
    QCOMPARE(s.panel1Height, 10);
    QCOMPARE(s.treeViewWidth, 160);
    QCOMPARE(s.homeHolderPath, QString("/srv/home"));
    QCOMPARE(s.fontColor, 0xFF);
}

void TstSettings::homeFolderRulesAtClosing()
{
    AppSettings s;
    s.homeHolderPath = "/data";
    s.homeShowFlg = false;
    IniFile out;
    out.parse("[Condition]\nHomePath=/old\n");
    SettingsStore::writeKeys(out, s);
    // Hidden home folder: its path is not written, the old one stays; the flag comes back set.
    QCOMPARE(out.readString("Condition", "HomePATH", ""), QString("/old"));
    QCOMPARE(out.readString("Condition", "HomeFlg", ""), QString("1"));
    QVERIFY(s.homeShowFlg);
    SettingsStore::writeKeys(out, s);
    QCOMPARE(out.readString("Condition", "HomePath", ""), QString("/data"));
}

void TstSettings::themeFromCommandLineIsNotRemembered()
{
    IniFile in;
    in.parse("[Condition]\nTheme=3\n");
    AppSettings a, b;
    SettingsStore::readKeys(in, QString(), false, a);
    SettingsStore::readKeys(in, QString(), true, b);
    QCOMPARE(a.styleNum, 3);
    QCOMPARE(b.styleNum, 0);
}

void TstSettings::addressChecksFollowTheList()
{
    TestEnv env;
    TestEnv::writeFile(env.root() + "/$MailAddressList.txt",
                       "\xEF\xBB\xBF" "a@example.com\r\n山田 <b@example.com>\r\nc@example.com\r\n");
    IniFile in;
    in.parse("[ADCondition]\nADRS0=1\nADRS2=1\nADRS3=1\n");
    AppSettings s;
    SettingsStore::readKeys(in, env.root(), false, s);
    QCOMPARE(s.mailAddressList.size(), 3);
    QCOMPARE(s.mailAddressList[1], QString("山田 <b@example.com>"));
    QCOMPARE(s.addressChecks, (QList<bool>{true, false, true}));

    AppSettings none;
    IniFile out;
    SettingsStore::writeKeys(out, none);
    QVERIFY(!out.hasKey("ADCondition", "ADRS0"));
}

void TstSettings::windowClamp_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("deskLeft");
    QTest::addColumn<int>("expected");
    // Desktop 1920 wide.
    QTest::newRow("left of the desktop") << -500 << 640 << 0 << 0;
    QTest::newRow("200 beyond the right edge") << 1920 - 640 + 200 << 640 << 0 << 1920 - 640;
    QTest::newRow("inside") << 100 << 640 << 0 << 100;
    QTest::newRow("exactly touching") << 1280 << 640 << 0 << 1280;
    QTest::newRow("desktop starting left of 0") << -2000 << 640 << -1920 << -1920;
}

void TstSettings::windowClamp()
{
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(int, deskLeft);
    QFETCH(int, expected);
    const int deskWidth = deskLeft < 0 ? 3840 : 1920;
    QCOMPARE(WindowPlacement::clampLeft(left, width, deskLeft, deskWidth), expected);
}

void TstSettings::folderCandidates_data()
{
    QTest::addColumn<bool>("individual");
    QTest::addColumn<bool>("common");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("both exist") << true << true << "individual";
    QTest::newRow("only common") << false << true << "common";
    QTest::newRow("only individual") << true << false << "individual";
    QTest::newRow("neither") << false << false << "initial";
}

void TstSettings::folderCandidates()
{
    QFETCH(bool, individual);
    QFETCH(bool, common);
    QFETCH(QString, chosen);
    TestEnv env;
    if (individual)
        QDir().mkpath(env.individual());
    if (common)
        QDir().mkpath(env.common());
    const SettingsLocation loc = SettingsLocation::choose(env.programDir());
    const QString expected = chosen == "individual" ? env.individual()
                             : chosen == "common"   ? env.common()
                                                    : env.initial();
    QCOMPARE(loc.folder, expected);
    QCOMPARE(loc.iniFile, expected + "/Quernal.ini");
    // Looking creates nothing.
    QCOMPARE(QFileInfo(env.individual()).isDir(), individual);
    QCOMPARE(QFileInfo(env.common()).isDir(), common);
    QVERIFY(!QFileInfo(env.initial()).exists());
}

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
