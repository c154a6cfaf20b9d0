// The lock file of an embedded store's folder: only an open, locked handle counts.
#include "SemaforeLock.h"
#include "TestEnv.h"

#include <QtTest>

#include <csignal>

namespace {
std::unique_ptr<QProcess> holder(const QString &db, QByteArray *firstLine)
{
    auto p = std::make_unique<QProcess>();
    p->start(QString(QUERNAL_BIN_DIR) + "/semafore_holder", {db});
    p->waitForStarted(5000);
    QElapsedTimer t;
    t.start();
    while (!p->canReadLine() && t.elapsed() < 10000)
        p->waitForReadyRead(100);
    *firstLine = p->readLine().trimmed();
    return p;
}
} // namespace

class TstSemafore : public QObject
{
    Q_OBJECT
private slots:
    void acquireAndRelease();
    void heldByAnotherProcess();
    void leftoverFileLocksNothing();
};

void TstSemafore::acquireAndRelease()
{
    TestEnv env;
    const QString db = env.root() + "/store/mail.fdb";
    QDir().mkpath(env.root() + "/store");
    SemaforeLock lock;
    QVERIFY(lock.acquire(db));
    QCOMPARE(lock.path(), env.root() + "/store/Semafore");
    QVERIFY(QFileInfo::exists(lock.path()));
    lock.release();
    QVERIFY(!lock.held());
    QVERIFY(!QFileInfo::exists(env.root() + "/store/Semafore"));
    // A folder that cannot hold the file gives no lock.
    QVERIFY(!lock.acquire(env.root() + "/missing/mail.fdb"));
}

void TstSemafore::heldByAnotherProcess()
{
    TestEnv env;
    const QString db = env.root() + "/mail.fdb";
    QByteArray line;
    auto p = holder(db, &line);
    QCOMPARE(line, QByteArray("held"));
    QVERIFY(SemaforeLock::heldByAnyone(db));
    SemaforeLock mine;
    QVERIFY(!mine.acquire(db));
    // The holder dies without cleaning up: the lock goes with it.
    ::kill(pid_t(p->processId()), SIGKILL);
    p->waitForFinished();
    QVERIFY(QFileInfo::exists(env.root() + "/Semafore"));
    QVERIFY(!SemaforeLock::heldByAnyone(db));
    QVERIFY(mine.acquire(db));
    auto other = holder(db, &line);
    QCOMPARE(line, QByteArray("busy"));
    other->waitForFinished();
}

void TstSemafore::leftoverFileLocksNothing()
{
    TestEnv env;
    const QString db = env.root() + "/mail.fdb";
    TestEnv::writeFile(env.root() + "/Semafore", "");
    QVERIFY(!SemaforeLock::heldByAnyone(db));
    SemaforeLock lock;
    QVERIFY(lock.acquire(db));
}

QTEST_GUILESS_MAIN(TstSemafore)
#include "tst_semafore.moc"
