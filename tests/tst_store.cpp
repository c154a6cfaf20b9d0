// The message store: schema, embedded connection, text/blob/timestamp
// round trip, connection targets, start-up of the data module, the upgrade rule.
#include "ConnectionTarget.h"
#include "SideFile.h"
#include "StoreFixture.h"
#include "TDm_Ldb.h"
#include "TestEnv.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

class TstStore : public QObject
{
    Q_OBJECT
private slots:
    void schemaColumns_data();
    void schemaColumns();
    void identifyingPairIsUniqueAndViewJoins();
    void unicodeBlobsAndTimestampsRoundTrip();
    void connectionTargets_data();
    void connectionTargets();
    void startUpOpensAndSavesTitle();
    void startUpWithMissingFileFailsQuietly();
    void structureUpgrade_data();
    void structureUpgrade();
    void listShowsPreviewNewestFirst();
};

void TstStore::schemaColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("type");   // VARCHAR, CHAR, TIMESTAMP, BLOB
    QTest::addColumn<int>("length");     // characters; blob sub-type for blobs
    const struct
    {
        const char *t, *c, *type;
        int len;
    } rows[] = {
        {"MESSAGE_IDXTBL", "MESSAGE_ID", "VARCHAR", 256},       {"MESSAGE_IDXTBL", "MESSAGE_DATE", "TIMESTAMP", 0},
        {"MESSAGE_IDXTBL", "ACCOUNT_KEY", "VARCHAR", 256},      {"MESSAGE_IDXTBL", "SENDER_NAME", "VARCHAR", 64},
        {"MESSAGE_IDXTBL", "SENDER_ADDRESS", "VARCHAR", 256},   {"MESSAGE_IDXTBL", "RECIEVE_NAME", "VARCHAR", 64},
        {"MESSAGE_IDXTBL", "RECIEVE_ADDRESS", "VARCHAR", 256},  {"MESSAGE_IDXTBL", "MESSAGE_SUBJECT", "VARCHAR", 256},
        {"MESSAGE_IDXTBL", "MESSAGE_DTYPE", "VARCHAR", 1},      {"MESSAGE_IDXTBL", "MESSAGE_FTYPE", "VARCHAR", 1},
        {"MESSAGE_IDXTBL", "MAILBODY", "BLOB", 1},              {"MESSAGE_DATTBL", "MESSAGE_ID", "VARCHAR", 256},
        {"MESSAGE_DATTBL", "MESSAGE_DATE", "TIMESTAMP", 0},     {"MESSAGE_DATTBL", "MESSAGE_FILENAME", "VARCHAR", 256},
        {"MESSAGE_DATTBL", "MESSAGE_FILEEXT", "VARCHAR", 16},   {"MESSAGE_DATTBL", "MAILDAT", "BLOB", 0},
        {"MAIL_VIEW", "MESSAGE_ID", "VARCHAR", 256},            {"MAIL_VIEW", "MESSAGE_DATE", "TIMESTAMP", 0},
        {"MAIL_VIEW", "ACCOUNT_KEY", "VARCHAR", 256},           {"MAIL_VIEW", "SENDER_NAME", "VARCHAR", 64},
        {"MAIL_VIEW", "SENDER_ADDRESS", "VARCHAR", 256},        {"MAIL_VIEW", "RECIEVE_NAME", "VARCHAR", 64},
        {"MAIL_VIEW", "RECIEVE_ADDRESS", "VARCHAR", 256},       {"MAIL_VIEW", "MESSAGE_SUBJECT", "VARCHAR", 256},
        {"MAIL_VIEW", "MESSAGE_FILENAME", "VARCHAR", 256},      {"MAIL_VIEW", "MAILBODY", "BLOB", 1},
    };
    for (const auto &r : rows)
        QTest::newRow(qPrintable(QString("%1.%2").arg(r.t, r.c))) << r.t << r.c << r.type << r.len;
}

void TstStore::schemaColumns()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QString, type);
    QFETCH(int, length);
    static TestEnv env;
    static const QString path = [] {
        const QString p = env.root() + "/schema.fdb";
        StoreFixture::create(p);
        return p;
    }();
    TDm_Ldb dm;
    dm.ApplyConnectionSettings("", path);
    QVERIFY2(dm.open(), qPrintable(dm.lastError()));
    QSqlQuery q(dm.database());
    QVERIFY(q.prepare("select f.RDB$FIELD_TYPE, f.RDB$CHARACTER_LENGTH, f.RDB$FIELD_SUB_TYPE "
                      "from RDB$RELATION_FIELDS rf join RDB$FIELDS f on f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
                      "where rf.RDB$RELATION_NAME = ? and rf.RDB$FIELD_NAME = ?"));
    q.addBindValue(table);
    q.addBindValue(column);
    QVERIFY(q.exec());
    QVERIFY2(q.next(), "column missing");
    const int t = q.value(0).toInt();
    const QString got = t == 37 ? "VARCHAR" : t == 14 ? "CHAR" : t == 35 ? "TIMESTAMP" : t == 261 ? "BLOB" : "?";
    QCOMPARE(got, type);
    if (type == "BLOB")
        QCOMPARE(q.value(2).toInt(), length);
    else if (length)
        QCOMPARE(q.value(1).toInt(), length);
}

void TstStore::identifyingPairIsUniqueAndViewJoins()
{
    TestEnv env;
    const QString path = env.root() + "/pair.fdb";
    StoreFixture::create(path);
    TDm_Ldb dm;
    dm.ApplyConnectionSettings("", path);
    QVERIFY(dm.open());
    QSqlDatabase db = dm.database();
    const QDateTime d(QDate(2026, 12, 10), QTime(9, 30, 15));
    QVERIFY(StoreFixture::addMessage(db, "<a@x>", d, "one"));
    // Same pair again: both tables refuse it.
    QSqlQuery q(db);
    q.prepare("insert into Message_IdxTbl (Message_ID, Message_Date) values (?, ?)");
    q.addBindValue("<a@x>");
    q.addBindValue(d);
    QVERIFY(!q.exec());
    q.prepare("insert into Message_DatTBL (Message_ID, Message_Date) values (?, ?)");
    q.addBindValue("<a@x>");
    q.addBindValue(d);
    QVERIFY(!q.exec());
    // Same identifier at another time is another message.
    QVERIFY(StoreFixture::addMessage(db, "<a@x>", d.addSecs(1), "two"));
    // An index row without its file is not listed.
    q.prepare("insert into Message_IdxTbl (Message_ID, Message_Date) values ('<orphan>', ?)");
    q.addBindValue(d);
    QVERIFY(q.exec());
    QVERIFY(q.exec("select count(*) from MAIL_VIEW"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 2);
}

void TstStore::unicodeBlobsAndTimestampsRoundTrip()
{
    TestEnv env;
    const QString path = env.root() + "/rt.fdb";
    StoreFixture::create(path);
    TDm_Ldb dm;
    dm.ApplyConnectionSettings("", path);
    QVERIFY(dm.open());
    QSqlDatabase db = dm.database();
    QByteArray file;
    for (int i = 0; i < 300000; ++i)
        file.append(char(i * 7 % 256));
    const QString subject = QString("件名：テスト ① 𠮷野家 ") + QString(243, QChar(u'あ'));  // 256 characters
    QCOMPARE(subject.size() - 1, 256);  // the surrogate pair counts as one character for the store
    const QString body = "本文\r\n二行目 — ü";
    const QDateTime when(QDate(2026, 2, 28), QTime(23, 59, 59));
    QVERIFY(StoreFixture::addMessage(db, "<日本@例>", when, subject, body, file));
    QSqlQuery q(db);
    QVERIFY(q.exec("select i.Message_ID, i.Message_Date, i.Message_Subject, i.MailBody, d.MailDat "
                   "from Message_IdxTbl i join Message_DatTBL d on d.Message_ID = i.Message_ID"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("<日本@例>"));
    QCOMPARE(q.value(1).toDateTime(), when);
    QCOMPARE(q.value(2).toString(), subject);
    QCOMPARE(QString::fromUtf8(q.value(3).toByteArray()), body);
    QCOMPARE(q.value(4).toByteArray(), file);
    // One character too many for the subject is refused, not cut.
    QVERIFY(!StoreFixture::addMessage(db, "<long>", when, subject + "x"));
}

void TstStore::connectionTargets_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << "" << "" << "Quernal管理 -- mail.fdb";
    QTest::newRow("localhost") << "localhost" << "" << "Quernal管理 -- mail.fdb";
    QTest::newRow("LocalHost") << "LocalHost" << "" << "Quernal管理 -- mail.fdb";
    QTest::newRow("merely contains it") << "mylocalhost.example" << "" << "Quernal管理 -- mail.fdb";
    QTest::newRow("loopback address") << "127.0.0.1" << "127.0.0.1" << "Quernal管理 -- 127.0.0.1:mail.fdb";
    QTest::newRow("server") << "db.example.com" << "db.example.com" << "Quernal管理 -- db.example.com:mail.fdb";
}

void TstStore::connectionTargets()
{
    QFETCH(QString, host);
    QFETCH(QString, server);
    QFETCH(QString, title);
    const ConnectionTarget t = ConnectionTarget::forSettings(host, "/srv/data base/mail.fdb");
    QCOMPARE(t.database, QString("/srv/data base/mail.fdb"));
    QCOMPARE(t.server, server);
    QCOMPARE(t.title, title);
}

void TstStore::startUpOpensAndSavesTitle()
{
    TestEnv env;
    const QString path = env.root() + "/data dir/Mail's.fdb";
    QDir().mkpath(env.root() + "/data dir");
    StoreFixture::create(path);
    TDm_Ldb dm;
    bool terminateState = true;
    dm.DataModuleCreate("", path, terminateState, env.root());
    QVERIFY2(dm.isConnected(), qPrintable(dm.lastError()));
    QCOMPARE(dm.title(), QString("Quernal管理 -- Mail's.fdb"));
    QCOMPARE(TestEnv::readFile(env.root() + "/$FormTitle.txt"), QByteArray("\xEF\xBB\xBF") + QString("Quernal管理 -- Mail's.fdb\r\n").toUtf8());
}

void TstStore::startUpWithMissingFileFailsQuietly()
{
    TestEnv env;
    for (const QString &file : {env.root() + "/none.fdb", QString()}) {
        TDm_Ldb dm;
        bool terminateState = true;
        dm.DataModuleCreate("", file, terminateState, env.root());
        QVERIFY(!dm.isConnected());
        QCOMPARE(dm.title(), QString("Quernal管理"));
        QCOMPARE(TestEnv::readFile(env.root() + "/$FormTitle.txt"), QByteArray("\xEF\xBB\xBF") + QString("Quernal管理\r\n").toUtf8());
        QVERIFY(!QFileInfo::exists(env.root() + "/none.fdb"));
    }
}

void TstStore::structureUpgrade_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<bool>("gfixThere");
    QTest::addColumn<bool>("called");
    QTest::addColumn<bool>("connected");
    QTest::newRow("13.0 upgraded") << 13 << 0 << true << true << true;
    QTest::newRow("13.1 left alone") << 13 << 1 << true << false << true;
    QTest::newRow("12.0 left alone") << 12 << 0 << true << false << true;
    QTest::newRow("13.0, gfix missing") << 13 << 0 << false << false << false;
}

void TstStore::structureUpgrade()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(bool, gfixThere);
    QFETCH(bool, called);
    QFETCH(bool, connected);
    TestEnv env;
    // A path with blanks must reach gfix as one argument.
    const QString path = env.root() + "/my mail store/mail box.fdb";
    QDir().mkpath(env.root() + "/my mail store");
    StoreFixture::create(path);
    const QString gfix = env.root() + "/stand-in gfix";
    const QString log = env.root() + "/gfix.args";
    if (gfixThere) {
        TestEnv::writeFile(gfix, QString("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n").arg(log).toUtf8());
        QFile::setPermissions(gfix, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    TDm_Ldb dm;
    dm.gfixProgram = gfix;
    int probes = 0;
    dm.odsProbe = [&](TDm_Ldb &) {
        ++probes;
        return std::optional<TDm_Ldb::OdsVersion>({major, minor});
    };
    bool terminateState = true;
    dm.DataModuleCreate("", path, terminateState, env.root());
    QCOMPARE(QFileInfo::exists(log), called);
    if (called) {
        QVERIFY(terminateState);
        QCOMPARE(QString::fromUtf8(TestEnv::readFile(log)).split('\n', Qt::SkipEmptyParts),
                 (QStringList{"-upgrade", path, "-user", "sysdba", "-pass", "quillbent"}));
    }
    QCOMPARE(probes, 1);
    QCOMPARE(dm.isConnected(), connected);
    QCOMPARE(dm.title(), connected ? QString("Quernal管理 -- mail box.fdb") : QString("Quernal管理"));
}

void TstStore::listShowsPreviewNewestFirst()
{
    TestEnv env;
    const QString path = env.root() + "/list.fdb";
    StoreFixture::create(path);
    TDm_Ldb dm;
    dm.ApplyConnectionSettings("", path);
    QVERIFY(dm.open());
    QSqlDatabase db = dm.database();
    const QDateTime d(QDate(2026, 1, 1), QTime(8, 0));
    const QString longBody = "first line\r\n\r\n\tsecond " + QString(5000, u'x');
    QVERIFY(StoreFixture::addMessage(db, "<old>", d, "old", longBody));
    QVERIFY(StoreFixture::addMessage(db, "<new>", d.addDays(3), "new", "short"));
    MessageList &list = dm.FDTbl1();
    QVERIFY2(list.open(), qPrintable(list.lastError()));
    QCOMPARE(list.rowCount(), 2);
    auto *m = list.model();
    QCOMPARE(m->data(m->index(0, 0)).toString(), QString("<new>"));
    QCOMPARE(m->data(m->index(0, 1)).toString(), QString("2026/01/04 08:00:00"));
    const QString preview = m->data(m->index(1, 9)).toString();
    QVERIFY(preview.startsWith("first line second xxx"));
    QVERIFY(!preview.contains('\n'));
    QVERIFY(preview.size() <= MessageList::kPreviewChars);
    list.setFilter("MESSAGE_SUBJECT = ?", {QString("old")});
    list.setFiltered(true);
    list.close();
    QVERIFY(list.open());
    QCOMPARE(list.rowCount(), 1);
}

QTEST_GUILESS_MAIN(TstStore)
#include "tst_store.moc"
