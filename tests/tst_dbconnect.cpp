// The window with a real store: start-up connection, lock file, and opening
// and closing the list of stored messages.
#include "IniFile.h"
#include "ScriptedPrompt.h"
#include "SemaforeLock.h"
#include "StoreFixture.h"
#include "TDBListFrm.h"
#include "TDm_Ldb.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

class TstDbConnect : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startUpConnections_data();
    void startUpConnections();
    void openAndCloseTheList_data();
    void openAndCloseTheList();
    void openingTheListClosesTheOtherViews();

private:
    std::unique_ptr<TFrmQuernal> start(const QString &host, const QString &db);
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
};

void TstDbConnect::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
}

void TstDbConnect::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

std::unique_ptr<TFrmQuernal> TstDbConnect::start(const QString &host, const QString &db)
{
    TestEnv::writeFile(env->individual() + "/Quernal.ini",
                       QString("[MailDB]\r\nServer=%1\r\nDBPath=%2\r\n").arg(host, db).toUtf8());
    auto w = std::make_unique<TFrmQuernal>(QStringList{}, env->programDir());
    w->createDataModule();
    return w;
}

void TstDbConnect::startUpConnections_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("lockFile");
    QTest::newRow("embedded") << "" << true << true << true;
    QTest::newRow("LocalHost") << "LocalHost" << true << true << false;
    QTest::newRow("merely contains localhost") << "mylocalhost" << true << true << false;
    QTest::newRow("embedded, file missing") << "" << false << false << false;
}

void TstDbConnect::startUpConnections()
{
    QFETCH(QString, host);
    QFETCH(bool, fileThere);
    QFETCH(bool, connected);
    QFETCH(bool, lockFile);
    const QString db = env->root() + "/store dir/Mail.fdb";
    QDir().mkpath(env->root() + "/store dir");
    if (fileThere)
        StoreFixture::create(db);
    auto w = start(host, db);
    QCOMPARE(w->emb_Flg, host.isEmpty());
    QCOMPARE(w->Semafore_Flg, lockFile);
    QCOMPARE(QFileInfo::exists(env->root() + "/store dir/Semafore"), lockFile);
    QCOMPARE(w->action("DBConnect")->isEnabled(), connected);
    QCOMPARE(w->windowTitle(), connected ? QString("Quernal管理 -- Mail.fdb") : QString("Quernal管理"));
    QCOMPARE(TestEnv::readFile(env->individual() + "/$FormTitle.txt"),
             QByteArray("\xEF\xBB\xBF") + (w->windowTitle() + "\r\n").toUtf8());
    w->show();
    w->close();
    // Closing lets go of the lock and removes its file.
    QVERIFY(!QFileInfo::exists(env->root() + "/store dir/Semafore"));
    QVERIFY(prompt.shown.isEmpty());
}

void TstDbConnect::openAndCloseTheList_data()
{
    QTest::addColumn<int>("messages");
    QTest::newRow("empty store") << 0;
    QTest::newRow("filled store") << 3;
}

void TstDbConnect::openAndCloseTheList()
{
    QFETCH(int, messages);
    const QString db = env->root() + "/Mail.fdb";
    StoreFixture::create(db);
    {
        TDm_Ldb filler;
        filler.ApplyConnectionSettings("", db);
        QVERIFY(filler.open());
        QSqlDatabase c = filler.database();
        for (int i = 0; i < messages; ++i)
            QVERIFY(StoreFixture::addMessage(c, QString("<m%1>").arg(i), QDateTime(QDate(2026, 5, i + 1), QTime(10, 0)),
                                             QString("件名%1").arg(i)));
    }
    auto w = start("", db);
    QVERIFY(w->action("DBConnect")->isEnabled());
    QTabWidget *pc = w->findChild<QTabWidget *>("PageControl1");
    const char *listActions[] = {"DBSelect", "DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"};

    w->action("DBConnect")->trigger();
    QVERIFY(w->action("DBConnect")->isChecked());
    QCOMPARE(w->pmode & 0x10, 0x10);
    for (const char *a : listActions)
        QCOMPARE(w->action(a)->isEnabled(), messages > 0);
    QVERIFY(w->DBListFrm);
    QCOMPARE(pc->currentWidget(), static_cast<QWidget *>(w->DBListFrm));
    QCOMPARE(pc->tabText(pc->currentIndex()), QString("DB List View"));
    QCOMPARE(pc->indexOf(w->DBListFrm), pc->count() - 1);
    QCOMPARE(w->DBListFrm->DBGrid1->model()->rowCount(), messages);
    QCOMPARE(w->statusText(2), QString("DBと接続しました"));
    QCOMPARE(w->findChild<QWidget *>("ToolButton3")->property("imageIndex").toInt(), 1);
    // Default layout: positions 0, 2 and 8 hidden, titles in Japanese.
    QVERIFY(w->DBListFrm->DBGrid1->isColumnHidden(0));
    QVERIFY(!w->DBListFrm->DBGrid1->isColumnHidden(1));
    QCOMPARE(w->DBListFrm->DBGrid1->model()->headerData(7, Qt::Horizontal).toString(), QString("題目"));

    w->action("DBUpdate")->setEnabled(true);
    w->action("DBConnect")->trigger();
    QVERIFY(!w->action("DBConnect")->isChecked());
    QCOMPARE(w->pmode & 0x10, 0);
    for (const char *a : {"DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize", "DBUpdate"})
        QVERIFY2(!w->action(a)->isEnabled(), a);
    QVERIFY(!pc->isTabVisible(pc->indexOf(w->DBListFrm)));
    QCOMPARE(w->findChild<QWidget *>("ToolButton3")->property("imageIndex").toInt(), 6);
    QCOMPARE(w->statusText(2), QString());
    // And open again: the same window docks once more.
    w->action("DBConnect")->trigger();
    QVERIFY(pc->isTabVisible(pc->indexOf(w->DBListFrm)));
    QCOMPARE(pc->count(), 9);
}

void TstDbConnect::openingTheListClosesTheOtherViews()
{
    const QString db = env->root() + "/Mail.fdb";
    StoreFixture::create(db);
    auto w = start("", db);
    QTabWidget *pc = w->findChild<QTabWidget *>("PageControl1");
    w->action("DBBackup")->setChecked(true);
    pc->setTabVisible(pc->indexOf(w->TabSheet7), true);
    w->action("MLSender")->setChecked(true);
    pc->setTabVisible(pc->indexOf(w->TabSheet8), true);
    w->action("DBConnect")->trigger();
    QVERIFY(!w->action("DBBackup")->isChecked());
    QVERIFY(!pc->isTabVisible(pc->indexOf(w->TabSheet7)));
    QVERIFY(!w->action("MLSender")->isChecked());
    QVERIFY(!pc->isTabVisible(pc->indexOf(w->TabSheet8)));
    QVERIFY(w->action("DBConnect")->isChecked());
}

QTEST_MAIN(TstDbConnect)
#include "tst_dbconnect.moc"
