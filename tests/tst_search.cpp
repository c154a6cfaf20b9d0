// Searching: the condition, the box histories, the dialog's Cancel, the
// list's sorting, font steps and floating, against a real store.
#include "ComboHistory.h"
#include "IniFile.h"
#include "ListFontSize.h"
#include "ScriptedPrompt.h"
#include "SearchCondition.h"
#include "StartUp.h"
#include "StoreFixture.h"
#include "TDBListFrm.h"
#include "TDBSelectFrm.h"
#include "TDm_Ldb.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"
#include "WindowStacking.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TstSearch : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void condition_data();
    void condition();
    void reversedRange();
    void literalTextAndWholeLastDay_data();
    void literalTextAndWholeLastDay();
    void history();
    void dialogOkCancelAndHistoriesOnDisk();
    void bodyAreaOpensAndCloses();
    void titleClickParity();
    void fontSteps_data();
    void fontSteps();
    void floatingListDocksBackOnClose();
    void floatingListStacksAboveWhenActive();
    void cliSearchJson();
    void columnLayoutIsRemembered();

private:
    std::unique_ptr<TFrmQuernal> storeWindow();
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
    QString db;
};

void TstSearch::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
    db = env->root() + "/Mail.fdb";
    StoreFixture::create(db);
    TDm_Ldb dm;
    dm.ApplyConnectionSettings("", db);
    QVERIFY(dm.open());
    QSqlDatabase c = dm.database();
    const QDate d(2026, 12, 10);
    QVERIFY(StoreFixture::addMessage(c, "<a>", QDateTime(d, QTime(10, 0)), "O'Reilly の件", "見積 について 接続"));
    QVERIFY(StoreFixture::addMessage(c, "<b>", QDateTime(d.addDays(-5), QTime(0, 0)), "alpha", "本文 接続"));
    QVERIFY(StoreFixture::addMessage(c, "<c>", QDateTime(d.addDays(-40), QTime(12, 0)), "Beta", "other"));
    TestEnv::writeFile(env->individual() + "/Quernal.ini",
                       QString("[MailDB]\r\nServer=\r\nDBPath=%1\r\n").arg(db).toUtf8());
}

void TstSearch::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

std::unique_ptr<TFrmQuernal> TstSearch::storeWindow()
{
    auto w = std::make_unique<TFrmQuernal>(QStringList{}, env->programDir());
    w->createDataModule();
    return w;
}

void TstSearch::condition_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<bool>("andJoin");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("patterns");
    const QString date = "MESSAGE_DATE >= ? AND MESSAGE_DATE < ?";
    QTest::newRow("date part alone") << "" << "" << QStringList{} << false << date << QStringList{};
    QTest::newRow("subject ends in *, sender starts with ?")
        << "Re*" << "?ato" << QStringList{} << false
        << date + " AND MESSAGE_SUBJECT LIKE ? AND SENDER_NAME LIKE ?" << QStringList{"Re%", "_ato"};
    QTest::newRow("lone *") << "*" << "" << QStringList{} << false << date + " AND MESSAGE_SUBJECT LIKE ?"
                            << QStringList{"%"};
    QTest::newRow("only blank lines") << "" << "" << QStringList{" ", "", "　"} << false << date << QStringList{};
    QTest::newRow("two lines, or") << "" << "" << QStringList{"見積 依頼", "接続"} << false
                                   << date + " AND ((MAILBODY LIKE ?) or (MAILBODY LIKE ?))"
                                   << QStringList{"%見積%依頼%", "%接続%"};
    QTest::newRow("two lines, and") << "" << "" << QStringList{"見積　依頼", "接続"} << true
                                    << date + " AND ((MAILBODY LIKE ?) and (MAILBODY LIKE ?))"
                                    << QStringList{"%見積%依頼%", "%接続%"};
    QTest::newRow("blank line among others") << "" << "" << QStringList{"a", ""} << false
                                             << date + " AND ((MAILBODY LIKE ?) or (MAILBODY LIKE ?))"
                                             << QStringList{"%a%", "%%"};
    QTest::newRow("* and ? stay in body lines") << "" << "" << QStringList{"a*b?"} << false
                                                << date + " AND ((MAILBODY LIKE ?))" << QStringList{"%a*b?%"};
}

void TstSearch::condition()
{
    QFETCH(QString, subject);
    QFETCH(QString, sender);
    QFETCH(QStringList, body);
    QFETCH(bool, andJoin);
    QFETCH(QString, sql);
    QFETCH(QStringList, patterns);
    SearchInput in{QDate(2026, 11, 1), QDate(2026, 11, 30), subject, sender, body, andJoin};
    const auto c = SearchCondition::build(in);
    QVERIFY(c);
    QCOMPARE(c->sql, sql);
    QCOMPARE(c->values.value(0).toDateTime(), QDateTime(QDate(2026, 11, 1), QTime(0, 0)));
    QCOMPARE(c->values.value(1).toDateTime(), QDateTime(QDate(2026, 12, 1), QTime(0, 0)));
    QStringList got;
    for (int i = 2; i < c->values.size(); ++i)
        got << c->values[i].toString();
    QCOMPARE(got, patterns);
}

void TstSearch::reversedRange()
{
    QVERIFY(!SearchCondition::build({QDate(2026, 2, 1), QDate(2026, 1, 1), {}, {}, {}, false}));
    QVERIFY(SearchCondition::build({QDate(2026, 1, 1), QDate(2026, 1, 1), {}, {}, {}, false}));
}

void TstSearch::literalTextAndWholeLastDay_data()
{
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("apostrophe") << "O'Reilly*" << QStringList{"<a>"};
    QTest::newRow("injection stays text") << "x' OR '1'='1" << QStringList{};
    QTest::newRow("nothing else: all in range, last day included") << "" << QStringList{"<a>", "<b>"};
}

void TstSearch::literalTextAndWholeLastDay()
{
    QFETCH(QString, subject);
    QFETCH(QStringList, ids);
    TDm_Ldb dm;
    dm.ApplyConnectionSettings("", db);
    QVERIFY(dm.open());
    // Up to 10 December: the 10:00 message of that day belongs to it.
    const auto c = SearchCondition::build({QDate(2026, 12, 1), QDate(2026, 12, 10), subject, {}, {}, false});
    MessageList &list = dm.FDTbl1();
    list.setFilter(c->sql, c->values);
    list.setFiltered(true);
    QVERIFY2(list.open(), qPrintable(list.lastError()));
    QStringList got;
    for (int r = 0; r < list.rowCount(); ++r)
        got << list.model()->data(list.model()->index(r, 0)).toString();
    QCOMPARE(got, ids);
}

void TstSearch::history()
{
    ComboHistory h;
    for (int i = 0; i < 25; ++i)
        h.apply(ComboHistory::Event::Enter, QString("s%1").arg(i));
    QCOMPARE(h.items.size(), 20);
    QCOMPARE(h.items.first(), QString("s24"));
    QCOMPARE(h.items.last(), QString("s5"));
    // An entry already there moves to the top.
    QCOMPARE(h.apply(ComboHistory::Event::Enter, "s10"), QString("s10"));
    QCOMPARE(h.items.size(), 20);
    QCOMPARE(h.items.indexOf("s10"), 0);
    QCOMPARE(h.items.lastIndexOf("s10"), 0);
    // Blanks go on Enter and double-click, not on leaving the box.
    QCOMPARE(h.apply(ComboHistory::Event::DblClick, " a b c "), QString("abc"));
    QCOMPARE(h.apply(ComboHistory::Event::Exit, "a b"), QString("a b"));
    QCOMPARE(h.items.first(), QString("a b"));
    // Emptied box: the entry last picked goes; leaving an empty box does nothing.
    h.closeUp(3);
    const QString picked = h.items[3];
    QCOMPARE(h.apply(ComboHistory::Event::DblClick, "   "), QString());
    QVERIFY(!h.items.contains(picked));
    const int n = int(h.items.size());
    h.apply(ComboHistory::Event::Exit, "");
    QCOMPARE(int(h.items.size()), n);
    ComboHistory fresh;
    fresh.items = {"first", "second"};
    fresh.apply(ComboHistory::Event::Enter, "");
    QCOMPARE(fresh.items, QStringList{"second"});  // entry 0 when nothing was picked
}

void TstSearch::bodyAreaOpensAndCloses()
{
    QFile::remove(env->root() + "/$MsgBody_KeyStr.Txt");
    TDBSelectFrm d(env->root(), 0, 96);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    const int narrow = d.width();
    QVERIFY(!d.Memo1->isVisible());
    QVERIFY(!d.findChild<QLabel *>("BodyCaption")->isVisible());
    // The left column is never cut, whatever the font.
    for (QLabel *l : d.findChildren<QLabel *>())
        if (l->isVisible())
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->text()));
    d.BitBtn4Click();
    QTRY_COMPARE(d.width(), narrow * 2);
    QVERIFY(d.Memo1->isVisible());
    QVERIFY(d.Memo1->width() > 0);
    QCOMPARE(d.BitBtn4->text(), QString("←"));
    d.BitBtn4Click();
    QTRY_COMPARE(d.width(), narrow);
    QVERIFY(!d.Memo1->isVisible());
    QCOMPARE(d.BitBtn4->text(), QString("→"));
}

void TstSearch::dialogOkCancelAndHistoriesOnDisk()
{
    TestEnv::writeFile(env->root() + "/$Subject_KeyStr.Txt", "\xEF\xBB\xBF件名A\r\n件名B\r\n");
    TestEnv::writeFile(env->root() + "/$MsgBody_KeyStr.Txt", "見積\r\n");
    {
        TDBSelectFrm d(env->root(), 1, 144);
        QCOMPARE(d.ComboBox1->currentText(), QString("件名A"));
        QCOMPARE(d.ComboBox1->count(), 2);
        QCOMPARE(d.width(), 1062);  // opened wide for the stored body keywords
        QCOMPARE(d.Width_org, 531);
        QVERIFY(d.Radio[1]->isChecked());
        d.setValues(QDate(2026, 1, 1), QDate(2026, 1, 31), "件名A", "山田");
        d.DateTimePicker1->setDate(QDate(2025, 5, 5));
        d.ComboBox1->setEditText("changed");
        d.BitBtn2Click();
        QCOMPARE(d.fromDate(), QDate(2026, 1, 1));
        QCOMPARE(d.subjectText(), QString("件名A"));
        QCOMPARE(d.closedBy(), TDBSelectFrm::Closed::Cancel);
        QVERIFY(!d.search());
    }
    // Written back in the encoding they were read in; a missing one as the system writes text.
    QCOMPARE(TestEnv::readFile(env->root() + "/$Subject_KeyStr.Txt"), QByteArray("\xEF\xBB\xBF件名A\r\n件名B\r\n"));
    QCOMPARE(TestEnv::readFile(env->root() + "/$MsgBody_KeyStr.Txt"), QByteArray("見積\r\n"));
    QVERIFY(QFileInfo::exists(env->root() + "/$Sender_KeyStr.Txt"));
    TDBSelectFrm d(env->root(), 0, 96);
    d.setValues(QDate(2026, 2, 1), QDate(2026, 1, 1), "", "");
    d.BitBtn1Click();
    QCOMPARE(prompt.texts(), QStringList{"日付範囲がとれません\r\n再度設定してください"});
    QCOMPARE(d.toDate(), QDate::currentDate());
    QCOMPARE(d.fromDate(), QDate::currentDate().addMonths(-1));
    QCOMPARE(d.closedBy(), TDBSelectFrm::Closed::Reversed);
}

void TstSearch::titleClickParity()
{
    auto w = storeWindow();
    w->action("DBConnect")->trigger();
    QAbstractItemModel *m = w->DBListFrm->DBGrid1->model();
    auto column = [m](int c) {
        QStringList l;
        for (int r = 0; r < m->rowCount(); ++r)
            l << m->data(m->index(r, c)).toString();
        return l;
    };
    QCOMPARE(column(0), (QStringList{"<a>", "<b>", "<c>"}));   // newest first at opening
    w->DBGrid1TitleClick("MESSAGE_SUBJECT");                  // first click: descending, case ignored
    QCOMPARE(column(7), (QStringList{"O'Reilly の件", "Beta", "alpha"}));
    w->DBGrid1TitleClick("MESSAGE_DATE");                     // second click, other column: ascending
    QCOMPARE(column(0), (QStringList{"<c>", "<b>", "<a>"}));
    QCOMPARE(w->srtcnum, 2);
}

void TstSearch::fontSteps_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("smaller");
    QTest::addColumn<int>("larger");
    QTest::newRow("11") << 11 << 9 << 12;
    QTest::newRow("9") << 9 << 8 << 10;
    QTest::newRow("10") << 10 << 9 << 11;
    QTest::newRow("20") << 20 << 18 << 22;
    QTest::newRow("lower limit") << 1 << 1 << 2;
}

void TstSearch::fontSteps()
{
    QFETCH(int, n);
    QFETCH(int, smaller);
    QFETCH(int, larger);
    QCOMPARE(ListFontSize::smaller(n), smaller);
    QCOMPARE(ListFontSize::larger(n), larger);
}

void TstSearch::floatingListDocksBackOnClose()
{
    auto w = storeWindow();
    w->show();
    w->action("DBConnect")->trigger();
    QTabWidget *pc = w->PageControl1;
    const int pages = pc->count();
    w->PageControl1UnDock();
    QVERIFY(w->DBListFrm->isWindow());
    QCOMPARE(pc->count(), pages - 1);
    QVERIFY(w->pmode & 0x100);
    QCOMPARE(w->DBListFrm->size(), QSize(640, 240));
    w->DBListFrm->resize(700, 300);
    QCOMPARE(w->cfg.lstWidth, 700);
    QVERIFY(!w->DBListFrm->close());    // refused: it goes back instead
    QVERIFY(!w->DBListFrm->isWindow());
    QCOMPARE(pc->count(), pages);
    QCOMPARE(pc->tabText(pc->count() - 1), QString("DB List View"));
    QVERIFY(!(w->pmode & 0x100));
    QCOMPARE(w->StartDocNum, 0);
}

void TstSearch::floatingListStacksAboveWhenActive()
{
    auto w = storeWindow();
    w->show();
    w->action("DBConnect")->trigger();
    w->PageControl1UnDock();
    TDBListFrm *list = w->DBListFrm;
    QVERIFY(QTest::qWaitForWindowExposed(list));
    const WId listId = list->winId(), mainId = w->winId();
    list->activateWindow();
    QTRY_VERIFY(StaysOnTop(list));
    QVERIFY(!StaysOnTop(w.get()));
    w->activateWindow();
    QTRY_VERIFY(StaysOnTop(w.get()));
    QVERIFY(!StaysOnTop(list));
    // The windows were not re-created or hidden on the way.
    QCOMPARE(list->winId(), listId);
    QCOMPARE(w->winId(), mainId);
    QVERIFY(list->isVisible() && w->isVisible());
    // Docked again, the main window is an ordinary window once more.
    list->close();
    QVERIFY(!list->isWindow());
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(!w->isActiveWindow());
    w->activateWindow();
    QTRY_VERIFY(w->isActiveWindow());
    QVERIFY(!StaysOnTop(w.get()));
}

void TstSearch::cliSearchJson()
{
    QProcess p;
    p.setEnvironment(env->environment());
    p.start(QString(QUERNAL_BIN_DIR) + "/quernal-cli",
            {"--db", db, "--host", "", "search", "--from", "2026/11/01", "--to", "2026/12/10", "--body", "接続", "--json"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QJsonArray rows = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    QCOMPARE(rows.size(), 2);
    const QJsonObject first = rows[0].toObject();
    QCOMPARE(first.value("message_id").toString(), QString("<a>"));
    QCOMPARE(first.value("message_date").toString(), QString("2026-12-10T10:00:00"));
    QCOMPARE(first.keys().size(), 9);
    QVERIFY(!first.contains("mailbody"));
}

void TstSearch::columnLayoutIsRemembered()
{
    {
        auto w = storeWindow();
        w->show();
        w->action("DBConnect")->trigger();
        QHeaderView *h = w->DBListFrm->DBGrid1->horizontalHeader();
        h->moveSection(h->visualIndex(7), 1);   // subject right after the hidden id
        h->resizeSection(7, 333);
        w->DBListFrm->DBGrid1->setColumnHidden(9, true);
        w->close();
    }
    IniFile ini;
    QVERIFY(ini.load(env->individual() + "/Quernal.ini"));
    QCOMPARE(ini.readString("DBGrid", "FieldName_1", ""), QString("MESSAGE_SUBJECT"));
    QCOMPARE(ini.readString("DBGrid", "TitelCaption_1", ""), QString("題目"));
    QCOMPARE(ini.readInteger("DBGrid", "Columns_1", 0), 333);
    QCOMPARE(ini.readString("DBGrid", "FieldName_2", ""), QString("MESSAGE_DATE"));
    QCOMPARE(ini.readBool("DBGrid", "Visible_9", true), false);
    // And the next run shows it so.
    auto w = storeWindow();
    w->action("DBConnect")->trigger();
    QHeaderView *h = w->DBListFrm->DBGrid1->horizontalHeader();
    QCOMPARE(h->logicalIndex(1), 7);
    QVERIFY(w->DBListFrm->DBGrid1->isColumnHidden(9));
}

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    TstSearch t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_search.moc"
