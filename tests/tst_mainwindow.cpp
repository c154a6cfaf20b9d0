// The main window's life: preparation from the settings, its arrangement,
// and closing (working folders removed, settings written or not).
#include "IniFile.h"
#include "ScriptedPrompt.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

class TstMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void arrangement();
    void actionsExistWithCaptionsAndStartStates();
    void preparesFromSettingsAndWritesThemBack();
    void firstRunUsesInitialFolder();
    void closingRemovesWorkingFoldersSilently();
    void closingWithoutCommonConfigFlagWritesNothing();
    void helpArgumentShowsMessage();
    void storedWindowIsClampedToTheDesktop_data();
    void storedWindowIsClampedToTheDesktop();
    void infoTabsFollowTheirActions();

private:
    std::unique_ptr<TFrmQuernal> open(const QStringList &args = {});
    void closeWindow(TFrmQuernal &w);
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
};

void TstMainWindow::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
}

void TstMainWindow::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

std::unique_ptr<TFrmQuernal> TstMainWindow::open(const QStringList &args)
{
    return std::make_unique<TFrmQuernal>(args, env->programDir());
}

void TstMainWindow::closeWindow(TFrmQuernal &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.close();
}

void TstMainWindow::arrangement()
{
    QDir().mkpath(env->individual());
    auto w = open();
    QCOMPARE(w->windowTitle(), QString("Quernal管理"));
    const QStringList names{"TabSheet4", "TabSheet2", "TabSheet5", "TabSheet1",
                            "TabSheet3", "TabSheet6", "TabSheet7", "TabSheet8"};
    const QStringList captions{"HTML", "添付ファイルⅠ", "添付ファイルⅡ", "書誌情報",
                               "パラメータ設定", "Data", "DB File処理", "Mail 送信"};
    QTabWidget *pc = w->findChild<QTabWidget *>("PageControl1");
    QVERIFY(pc);
    QCOMPARE(pc->count(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(pc->widget(i)->objectName(), names[i]);
        QCOMPARE(pc->tabText(i), captions[i]);
    }
    // Nothing on display yet: the message pages and "Data" are hidden; the
    // info tabs follow their (default off) settings.
    for (int i = 0; i < 8; ++i)
        QVERIFY2(!pc->isTabVisible(i), qPrintable(captions[i]));
    for (const char *name : {"ControlBar1", "ButtonBar", "FontBar", "ActionMainMenuBar1", "Panel1", "Editor",
                             "Splitter1", "Panel2", "StatusBar1", "ValueListEditor1", "Memo1", "Memo2",
                             "ListView1", "ListView2", "Label9", "JvComboFnt", "JvComboFntSize", "ColorBox1"})
        QVERIFY2(w->findChild<QObject *>(name), name);
    for (int i = 1; i <= 8; ++i)
        QVERIFY(w->findChild<QObject *>(QString("Edit%1").arg(i)));
    QCOMPARE(w->findChild<QLabel *>("Label9")->text(), QString("ここにメッセージ(ファイル)をドロップしてください"));
    QVERIFY(w->findChildren<QLabel *>(QRegularExpression("^StatusBar1Panel[0-2]$")).size() == 3);
    QVERIFY(w->common_ConfigFlg);
    QCOMPARE(w->CompiledHelpFile, env->programDir() + "Quernalhlp.chm");
    QCOMPARE(w->pmode, quint16(0));
    QVERIFY(prompt.shown.isEmpty());
}

void TstMainWindow::actionsExistWithCaptionsAndStartStates()
{
    QDir().mkpath(env->individual());
    auto w = open();
    struct Expect
    {
        const char *name;
        const char *caption;
        bool enabled;
    } expected[] = {
        {"Theme0", "システム設定を使用する", true},   {"Theme4", "クラシック", true},
        {"Zoom_IncMgn", "表示倍率＋", false},          {"Zoom_DecMgn", "表示倍率－", false},
        {"FontBarShow", "フォントメニューバー表示", false}, {"ButtonBarShow", "ボタンメニューバー表示", false},
        {"DispTAB1", "書誌情報TAB", true},            {"DispTAB3", "パラメータ設定TAB", true},
        {"Hcontents", "目次", true},                   {"Hkeyword", "キーワード", true},
        {"About", "バージョン情報", true},             {"MessageSave", "メールを保存する", false},
        {"DBBackup", "DBファイルのバックアップ (&B)", true}, {"DBConnect", "DB接続", false},
    };
    for (const Expect &e : expected) {
        QAction *a = w->action(e.name);
        QVERIFY2(a, e.name);
        QCOMPARE(a->text(), QString::fromUtf8(e.caption));
        QCOMPARE(a->isEnabled(), e.enabled);
    }
    QCOMPARE(w->action("Zoom_IncMgn")->iconText(), QString("拡大表示"));
}

void TstMainWindow::preparesFromSettingsAndWritesThemBack()
{
    TestEnv::writeFile(env->individual() + "/Quernal.ini",
                       "[Window]\r\nLeft=20\r\nTop=30\r\nWidth=700\r\nHeight=500\r\nPanel1Height=0x78\r\n"
                       "[Condition]\r\nTAB3_Visible=1\r\nGPGPath=/usr/bin/gpg\r\nHandEdited=keep me\r\n"
                       "[Elsewhere]\r\nx=1\r\n");
    TestEnv::writeFile(env->individual() + "/$RNK_Name.Txt", "\xEF\xBB\xBF" "ID1\r\n");
    auto w = open();
    QCOMPARE(w->MyAppDataPath, env->individual());
    QCOMPARE(w->IniFilePath, env->individual() + "/Quernal.ini");
    QVERIFY(QFileInfo(env->individual() + "/mail_dat").isDir());
    QTabWidget *pc = w->findChild<QTabWidget *>("PageControl1");
    QVERIFY(pc->isTabVisible(4));
    QVERIFY(!pc->isTabVisible(3));
    QVERIFY(w->action("DispTAB3")->isChecked());
    QCOMPARE(w->size(), QSize(700, 500));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->findChild<QSplitter *>("Splitter1")->sizes().value(0), 120);

    auto *table = w->findChild<QTableWidget *>("ValueListEditor1");
    QCOMPARE(table->rowCount(), 20);
    QCOMPARE(table->item(0, 0)->text(), QString("ExpFileName"));
    QCOMPARE(table->item(0, 1)->text(), QString("Dummy Data"));
    QCOMPARE(table->item(3, 1)->text(), QString("/usr/bin/gpg"));
    table->item(0, 1)->setText("[$Subject]_[$Date]");
    w->cfg.rnkNames.append("ID2");

    closeWindow(*w);
    IniFile ini;
    QVERIFY(ini.load(env->individual() + "/Quernal.ini"));
    QCOMPARE(ini.readString("Condition", "ExpFileName", ""), QString("[$Subject]_[$Date]"));
    QCOMPARE(ini.readString("Condition", "GPGPath", ""), QString("/usr/bin/gpg"));
    QCOMPARE(ini.readInteger("Window", "Width", 0), 700);
    QCOMPARE(ini.readInteger("Window", "Panel1Height", 0), 120);
    QCOMPARE(ini.readBool("Condition", "TAB3_Visible", false), true);
    QCOMPARE(ini.readString("Condition", "HandEdited", ""), QString("keep me"));
    QCOMPARE(ini.readString("Elsewhere", "x", ""), QString("1"));
    QCOMPARE(TestEnv::readFile(env->individual() + "/$RNK_Name.Txt"), QByteArray("\xEF\xBB\xBF" "ID1\r\nID2\r\n"));
    QVERIFY(QFileInfo::exists(env->individual() + "/$MailAddressList.txt"));
    QVERIFY(!QFileInfo::exists(env->individual() + "/mail_dat"));
    QVERIFY(prompt.shown.isEmpty());
}

void TstMainWindow::firstRunUsesInitialFolder()
{
    auto w = open();
    QCOMPARE(w->MyAppDataPath, env->initial());
    // Making "mail_dat" also makes the settings folder itself.
    QVERIFY(QFileInfo(env->initial() + "/mail_dat").isDir());
    QVERIFY(!QFileInfo::exists(env->individual()));
    closeWindow(*w);
    QVERIFY(QFileInfo::exists(env->initial() + "/Quernal.ini"));
}

void TstMainWindow::closingRemovesWorkingFoldersSilently()
{
    QDir().mkpath(env->individual());
    {
        auto w = open();
        TestEnv::writeFile(env->individual() + "/mail_dat/2nd/part.bin", "x");
        TestEnv::writeFile(env->individual() + "/Quernal.WebView2/Default/Cache", "y");
        closeWindow(*w);
        QVERIFY(!QFileInfo::exists(env->individual() + "/mail_dat"));
        QVERIFY(!QFileInfo::exists(env->individual() + "/Quernal.WebView2"));
    }
    {
        // Neither folder there: nothing is said.
        auto w = open();
        QDir(env->individual() + "/mail_dat").removeRecursively();
        closeWindow(*w);
    }
    QVERIFY(prompt.shown.isEmpty());
}

void TstMainWindow::closingWithoutCommonConfigFlagWritesNothing()
{
    QDir().mkpath(env->individual());
    auto w = open();
    w->common_ConfigFlg = false;
    w->cfg.mailAddressList = {"a@example.com"};
    closeWindow(*w);
    QVERIFY(!QFileInfo::exists(env->individual() + "/Quernal.ini"));
    QVERIFY(!QFileInfo::exists(env->individual() + "/$MailAddressList.txt"));
    QVERIFY(!QFileInfo::exists(env->individual() + "/$RNK_Name.Txt"));
    // The working folder goes all the same.
    QVERIFY(!QFileInfo::exists(env->individual() + "/mail_dat"));
}

void TstMainWindow::helpArgumentShowsMessage()
{
    QDir().mkpath(env->individual());
    TestEnv::writeFile(env->individual() + "/Quernal.ini", "[Condition]\r\nTheme=2\r\n");
    auto w = open({"HELP"});
    QCOMPARE(prompt.texts(), QStringList{"コマンドライン引数\r\n0:Win/1:ライト/2:ダーク/3:Win10"});
    // The rest of the preparation ran as usual.
    QVERIFY(w->common_ConfigFlg);
    QCOMPARE(w->StyleNum, 2);
    auto w2 = open({"1"});
    QCOMPARE(w2->StyleNum, 0);  // a theme from the command line is not remembered
}

void TstMainWindow::storedWindowIsClampedToTheDesktop_data()
{
    QTest::addColumn<int>("beyondRight");  // -1: stored at left -500
    QTest::newRow("left -500") << -1;
    QTest::newRow("200 beyond the right edge") << 200;
}

void TstMainWindow::storedWindowIsClampedToTheDesktop()
{
    QFETCH(int, beyondRight);
    const QRect desk = QGuiApplication::primaryScreen()->virtualGeometry();
    const int width = 400;
    const int left = beyondRight < 0 ? desk.left() - 500 : desk.right() + 1 - width + beyondRight;
    TestEnv::writeFile(env->individual() + "/Quernal.ini",
                       QString("[Window]\r\nLeft=%1\r\nTop=40\r\nWidth=%2\r\nHeight=300\r\n").arg(left).arg(width).toUtf8());
    auto w = open();
    const int expected = beyondRight < 0 ? desk.left() : desk.left() + desk.width() - width;
    QCOMPARE(w->pos().x(), expected);
    QCOMPARE(w->pos().y(), 40);
}

void TstMainWindow::infoTabsFollowTheirActions()
{
    QDir().mkpath(env->individual());
    auto w = open();
    QTabWidget *pc = w->findChild<QTabWidget *>("PageControl1");
    w->action("DispTAB1")->trigger();
    QVERIFY(pc->isTabVisible(3));
    w->action("DispTAB1")->trigger();
    QVERIFY(!pc->isTabVisible(3));
    w->action("DispTAB1")->trigger();
    closeWindow(*w);
    IniFile ini;
    ini.load(env->individual() + "/Quernal.ini");
    QVERIFY(ini.readBool("Condition", "TAB1_Visible", false));
    QVERIFY(!ini.readBool("Condition", "TAB3_Visible", true));
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
