// Stored messages: register (and replace), load back, delete; through the
// window's actions over a real embedded store.
#include "MessageBuilder.h"
#include "MessageRecords.h"
#include "ScriptedPrompt.h"
#include "StartUp.h"
#include "StoreFixture.h"
#include "TDBListFrm.h"
#include "TDm_Ldb.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

using namespace MessageBuilder;

class TstRecords : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dateForms_data();
    void dateForms();
    void registerTwiceReplaces();
    void editedIdentifierIsStored();
    void typeCodes_data();
    void typeCodes();
    void failureBetweenRowsLeavesNeither();
    void emptyDateStopsBeforeWriting();
    void storedMessageComesBackByteForByte();
    void deleteAnsweredNoKeepsBoth();
    void deletingTheLastDisablesListActions();

private:
    std::unique_ptr<TFrmQuernal> window();
    QString writeMessage(const QString &name, const QByteArray &bytes);
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
    QString db;
};

void TstRecords::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
    db = env->root() + "/store/Mail.fdb";
    QDir().mkpath(env->root() + "/store");
    StoreFixture::create(db);
    TestEnv::writeFile(env->individual() + "/Quernal.ini",
                       QString("[MailDB]\r\nServer=\r\nDBPath=%1\r\n").arg(db).toUtf8());
}

void TstRecords::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

std::unique_ptr<TFrmQuernal> TstRecords::window()
{
    auto w = std::make_unique<TFrmQuernal>(QStringList{}, env->programDir());
    w->createDataModule();
    return w;
}

QString TstRecords::writeMessage(const QString &name, const QByteArray &bytes)
{
    const QString path = env->root() + "/in/" + name;
    TestEnv::writeFile(path, bytes);
    return path;
}

namespace {
QByteArray simple(const QByteArray &id = "<r1@example.jp>", const QByteArray &date = "Thu, 10 Dec 2026 09:30:15 +0900",
                  const QByteArray &subject = "件名")
{
    return "Message-Id: " + id + "\r\nDate: " + date + "\r\nFrom: 山田 <y@example.jp>\r\nTo: s@example.jp\r\nSubject: " +
           subject + "\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n本文\r\n";
}

int rows(TFrmQuernal &w, const QString &table)
{
    QSqlQuery q(w.Dm_Ldb->database());
    q.exec("select count(*) from " + table);
    q.next();
    return q.value(0).toInt();
}

void openAndShow(TFrmQuernal &w, const QString &path)
{
    w.MessageFile = path;
    w.awk_MessageFile.clear();
    w.ShowEmlMessage(path);
}
} // namespace

void TstRecords::dateForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("date");
    QTest::newRow("full") << "2026/12/10 09:30:15" << QDateTime(QDate(2026, 12, 10), QTime(9, 30, 15));
    QTest::newRow("date alone is midnight") << "2026/12/10" << QDateTime(QDate(2026, 12, 10), QTime(0, 0));
    QTest::newRow("short parts") << "2026/1/5 9:05:00" << QDateTime(QDate(2026, 1, 5), QTime(9, 5));
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("other form") << "10.12.2026" << QDateTime();
}

void TstRecords::dateForms()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, date);
    QCOMPARE(MessageRecord::parseDate(text).value_or(QDateTime()), date);
}

void TstRecords::registerTwiceReplaces()
{
    auto w = window();
    const QString path = writeMessage("a.eml", simple());
    openAndShow(*w, path);
    w->DBUpdateExecute();
    QCOMPARE(w->statusText(2), QString("DB更新が完了しました"));
    QVERIFY(!w->action("DBUpdate")->isEnabled());
    // The same pair again, with another subject and file: both rows replaced.
    const QString second = writeMessage("b.eml", simple("<r1@example.jp>", "Thu, 10 Dec 2026 09:30:15 +0900", "新しい件名"));
    openAndShow(*w, second);
    w->DBUpdateExecute();
    QCOMPARE(w->statusText(2), QString("DB更新が完了しました"));
    QCOMPARE(rows(*w, "Message_IdxTbl"), 1);
    QCOMPARE(rows(*w, "Message_DatTBL"), 1);
    QSqlQuery q(w->Dm_Ldb->database());
    q.exec("select i.Message_Subject, d.Message_FileName, d.MailDat from Message_IdxTbl i join Message_DatTBL d "
           "on d.Message_ID = i.Message_ID and d.Message_Date = i.Message_Date");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("新しい件名"));
    QCOMPARE(q.value(1).toString(), QString("b.eml"));
    QCOMPARE(q.value(2).toByteArray(), TestEnv::readFile(second));
    QVERIFY(prompt.shown.isEmpty());
}

void TstRecords::editedIdentifierIsStored()
{
    auto w = window();
    openAndShow(*w, writeMessage("a.eml", simple()));
    w->Edit[0]->setText("<edited@example.jp>");
    w->Edit[7]->setText("手で直した件名");
    w->DBUpdateExecute();
    QSqlQuery q(w->Dm_Ldb->database());
    q.exec("select Message_ID, Message_Subject, Message_Date from Message_IdxTbl");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("<edited@example.jp>"));
    QCOMPARE(q.value(1).toString(), QString("手で直した件名"));
    QCOMPARE(q.value(2).toDateTime(), QDateTime(QDate(2026, 12, 10), QTime(9, 30, 15)));
}

void TstRecords::typeCodes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("editDate");  // empty: as derived
    QTest::addColumn<QString>("dtype");
    QTest::addColumn<QString>("ftype");
    QTest::addColumn<QDateTime>("stored");
    const QDateTime shown(QDate(2026, 12, 10), QTime(9, 30, 15));
    QTest::newRow("plain .eml") << "p.eml" << simple() << "" << "1" << "1" << shown;
    QTest::newRow("HTML") << "h.eml"
                          << QByteArray("Message-Id: <h@x>\r\nDate: Thu, 10 Dec 2026 09:30:15 +0900\r\n"
                                        "Content-Type: text/html\r\n\r\n<p>x</p>\r\n")
                          << "" << "2" << "1" << shown;
    QTest::newRow("OpenPGP") << "g.eml"
                             << multipart("mixed", {part("text/plain", "-----BEGIN PGP MESSAGE-----\r\n\r\nx\r\n")}, "b",
                                          "Message-Id: <g@x>\r\nDate: Thu, 10 Dec 2026 09:30:15 +0900\r\n")
                             << "" << "3" << "1" << shown;
    QTest::newRow("other extension") << "p.txt.bak" << simple() << "" << "1" << "0" << shown;
    QTest::newRow("date without time") << "d.eml" << simple() << "2026/12/10" << "1" << "1"
                                       << QDateTime(QDate(2026, 12, 10), QTime(0, 0));
}

void TstRecords::typeCodes()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, message);
    QFETCH(QString, editDate);
    QFETCH(QString, dtype);
    QFETCH(QString, ftype);
    QFETCH(QDateTime, stored);
    auto w = window();
    const QString path = writeMessage(file, message);
    openAndShow(*w, path);
    if (dtype == "3")
        w->MDatType = 3;  // the block is found; without GnuPG the display stops before marking it
    if (!editDate.isEmpty())
        w->Edit[1]->setText(editDate);
    w->DBUpdateExecute();
    QSqlQuery q(w->Dm_Ldb->database());
    q.exec("select Message_dtype, Message_ftype, Message_Date from Message_IdxTbl");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), dtype);
    QCOMPARE(q.value(1).toString(), ftype);
    QCOMPARE(q.value(2).toDateTime(), stored);
}

void TstRecords::failureBetweenRowsLeavesNeither()
{
    auto w = window();
    // The index row goes in; the file row fails (its extension is longer than
    // the column): the transaction takes the index row back.
    const QString path = writeMessage("mail.extension-far-too-long", simple());
    openAndShow(*w, path);
    w->DBUpdateExecute();
    QCOMPARE(prompt.shown.size(), 1);
    QVERIFY(prompt.shown[0].text.startsWith("UPdate できませんでした(Message_DatTBL)"));
    QVERIFY(prompt.shown[0].text.size() > QString("UPdate できませんでした(Message_DatTBL)").size());
    QCOMPARE(rows(*w, "Message_IdxTbl"), 0);
    QCOMPARE(rows(*w, "Message_DatTBL"), 0);
    QVERIFY(w->action("DBUpdate")->isEnabled());
    QCOMPARE(w->statusText(2), QString());
}

void TstRecords::emptyDateStopsBeforeWriting()
{
    auto w = window();
    openAndShow(*w, writeMessage("n.eml", "Message-Id: <n@x>\r\nSubject: no date\r\n\r\nb\r\n"));
    w->DBUpdateExecute();
    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(w->statusText(2), QString("DB更新中です"));
    QVERIFY(!w->action("DBUpdate")->isEnabled());
    QCOMPARE(rows(*w, "Message_IdxTbl"), 0);
}

void TstRecords::storedMessageComesBackByteForByte()
{
    auto w = window();
    QByteArray big = simple();
    big += QByteArray(300000, 'z') + "\r\n";
    const QString path = writeMessage("big.eml", big);
    openAndShow(*w, path);
    w->DBUpdateExecute();
    const auto loaded = w->LoadStoredMessageFile("<r1@example.jp>", QDateTime(QDate(2026, 12, 10), QTime(9, 30, 15)));
    QVERIFY(loaded);
    QCOMPARE(*loaded, w->MyAppDataPath + "/mail_dat/big.eml");
    QCOMPARE(TestEnv::readFile(*loaded), big);
    // Shown again from the store through the list.
    w->ClearMessageView();
    w->action("DBConnect")->trigger();
    w->DBListFrm->DBGrid1->setCurrentIndex(w->DBListFrm->DBGrid1->model()->index(0, 1));
    w->DBGrid1DblClick();
    QCOMPARE(w->Edit[0]->text(), QString("<r1@example.jp>"));
    QVERIFY(w->pmode & 0x01);
    QVERIFY(!w->action("DBUpdate")->isEnabled());   // stored-message mode
    QVERIFY(w->action("MessageSave")->isEnabled());
    QVERIFY(!QFileInfo::exists(*loaded));           // the working copy is gone again
    QVERIFY(prompt.shown.isEmpty());
}

void TstRecords::deleteAnsweredNoKeepsBoth()
{
    auto w = window();
    openAndShow(*w, writeMessage("a.eml", simple()));
    w->DBUpdateExecute();
    w->action("DBConnect")->trigger();
    w->DBListFrm->DBGrid1->setCurrentIndex(w->DBListFrm->DBGrid1->model()->index(0, 1));
    prompt.answers.enqueue(Prompt::Answer::No);
    w->DelMsgDatExecute();
    QCOMPARE(prompt.shown.size(), 1);
    QCOMPARE(prompt.shown[0].text, QString("【件名】：件名\r\n【日時】：2026/12/10 09:30:15\r\n【送信者】：山田\r\n"
                                           "このメールデータを削除しますか?"));
    QCOMPARE(w->statusText(2), QString("削除処理をキャンセルしました"));
    QCOMPARE(rows(*w, "Message_IdxTbl"), 1);
    QCOMPARE(rows(*w, "Message_DatTBL"), 1);
}

void TstRecords::deletingTheLastDisablesListActions()
{
    auto w = window();
    openAndShow(*w, writeMessage("a.eml", simple()));
    w->DBUpdateExecute();
    w->action("DBConnect")->trigger();
    QVERIFY(w->action("DelMsgDat")->isEnabled());
    w->DBListFrm->DBGrid1->setCurrentIndex(w->DBListFrm->DBGrid1->model()->index(0, 1));
    prompt.answers.enqueue(Prompt::Answer::Yes);
    w->DelMsgDatExecute();
    QCOMPARE(w->statusText(2), QString("メッセージデータを削除しました"));
    QCOMPARE(rows(*w, "Message_IdxTbl"), 0);
    QCOMPARE(rows(*w, "Message_DatTBL"), 0);
    for (const char *a : {"DBSelect", "DispMsgDat", "DelMsgDat", "ExprtMsgFile", "SetListFontSize"})
        QVERIFY2(!w->action(a)->isEnabled(), a);
}

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    TstRecords t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_records.moc"
