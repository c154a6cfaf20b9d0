// quernal-cli over the store: create-db, info, and a store another process holds.
#include "IniFile.h"
#include "TestEnv.h"

#include <QtTest>

namespace {
struct Run
{
    int code;
    QByteArray out, err;
};

Run cli(const TestEnv &env, const QStringList &args)
{
    QProcess p;
    p.setEnvironment(env.environment());
    p.start(QString(QUERNAL_BIN_DIR) + "/quernal-cli", args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}
} // namespace

class TstCliStore : public QObject
{
    Q_OBJECT
private slots:
    void createAndInspect();
    void settingsGiveTheStore();
    void refusesAStoreHeldByAnotherProcess();
};

void TstCliStore::createAndInspect()
{
    TestEnv env;
    const QString db = env.root() + "/new store/Mail's.fdb";
    QDir().mkpath(env.root() + "/new store");
    Run r = cli(env, {"create-db", db});
    QVERIFY2(r.code == 0, r.err.constData());
    QVERIFY(QFileInfo::exists(db));
    r = cli(env, {"create-db", db});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains("already exists"));
    r = cli(env, {"--db", db, "--host", "", "info"});
    QVERIFY2(r.code == 0, r.err.constData());
    QVERIFY(r.out.contains("messages: 0"));
    QVERIFY(r.out.contains("server: (in-process)"));
}

void TstCliStore::settingsGiveTheStore()
{
    TestEnv env;
    const QString db = env.root() + "/s.fdb";
    QCOMPARE(cli(env, {"create-db", db}).code, 0);
    const QString folder = env.root() + "/elsewhere";
    TestEnv::writeFile(folder + "/Quernal.ini", QString("[MailDB]\r\nServer=\r\nDBPath=%1\r\n").arg(db).toUtf8());
    const Run r = cli(env, {"--settings", folder, "info"});
    QVERIFY2(r.code == 0, r.err.constData());
    QVERIFY(r.out.contains("database: " + db.toUtf8()));
    QCOMPARE(cli(env, {"--settings", env.root() + "/empty", "info"}).code, 3);
}

void TstCliStore::refusesAStoreHeldByAnotherProcess()
{
    TestEnv env;
    const QString db = env.root() + "/held.fdb";
    QCOMPARE(cli(env, {"create-db", db}).code, 0);
    const QByteArray before = TestEnv::readFile(db);
    QProcess holder;
    holder.start(QString(QUERNAL_BIN_DIR) + "/semafore_holder", {db});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));
    const Run r = cli(env, {"--db", db, "--host", "", "info"});
    QCOMPARE(r.code, 3);
    QVERIFY(r.err.contains("in use by another running Quernal"));
    QCOMPARE(TestEnv::readFile(db), before);
    holder.kill();
    holder.waitForFinished();
    QCOMPARE(cli(env, {"--db", db, "--host", "", "info"}).code, 0);
}

QTEST_GUILESS_MAIN(TstCliStore)
#include "tst_clistore.moc"
