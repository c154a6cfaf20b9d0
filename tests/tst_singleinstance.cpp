// One instance per user: a second start forwards to the first; the claim
// dies with its holder, however it ends.
#include "SingleInstance.h"
#include "TestEnv.h"

#include <QtTest>

#include <csignal>

namespace {

QString holderPath()
{
    return QString(QUERNAL_BIN_DIR) + "/instance_holder";
}

// Starts a holder and waits for its first line.
std::unique_ptr<QProcess> startHolder(const TestEnv &env, const QStringList &args = {}, const char *expect = "claimed")
{
    auto p = std::make_unique<QProcess>();
    p->setEnvironment(env.environment());
    p->start(holderPath(), args);
    if (!p->waitForStarted(5000))
        return nullptr;
    if (expect) {
        QElapsedTimer t;
        t.start();
        while (!p->canReadLine() && t.elapsed() < 10000)
            p->waitForReadyRead(100);
        if (p->readLine().trimmed() != expect)
            return nullptr;
    }
    return p;
}

bool waitForLine(QProcess &p, const QByteArray &line, int ms)
{
    QElapsedTimer t;
    t.start();
    QByteArray seen;
    while (t.elapsed() < ms) {
        p.waitForReadyRead(50);
        QCoreApplication::processEvents();
        seen += p.readAll();
        if (seen.contains(line))
            return true;
    }
    return false;
}

} // namespace

class TstSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondStartForwardsToTheFirst();
    void killedHolderDoesNotBlock();
    void restartWaitsForTheEndingInstance();
    void childProcessesDoNotInheritTheClaim();
};

void TstSingleInstance::secondStartForwardsToTheFirst()
{
    TestEnv env;
    auto holder = startHolder(env);
    QVERIFY(holder);
    SingleInstance second(env.runtime());
    QVERIFY(!second.claim());
    QVERIFY(second.signalRunning());
    QVERIFY(waitForLine(*holder, "raised", 5000));
    holder->kill();
    holder->waitForFinished();
}

void TstSingleInstance::killedHolderDoesNotBlock()
{
    TestEnv env;
    auto holder = startHolder(env);
    QVERIFY(holder);
    ::kill(pid_t(holder->processId()), SIGKILL);
    QVERIFY(holder->waitForFinished(5000));
    // The lock file and the dead socket stay on disk; neither blocks the next start.
    QVERIFY(QFileInfo::exists(env.runtime() + "/Quernal.lock"));
    QElapsedTimer t;
    t.start();
    auto next = startHolder(env);
    QVERIFY(next);
    QVERIFY(t.elapsed() < 3000);
    // The new holder answers on the socket name the dead one left behind.
    SingleInstance asker(env.runtime());
    QVERIFY(!asker.claim());
    QVERIFY(asker.signalRunning());
    QVERIFY(waitForLine(*next, "raised", 5000));
    next->kill();
    next->waitForFinished();
}

void TstSingleInstance::restartWaitsForTheEndingInstance()
{
    TestEnv env;
    auto first = startHolder(env);
    QVERIFY(first);
    auto restarted = startHolder(env, {"8000"}, nullptr);
    QVERIFY(restarted);
    QVERIFY(!waitForLine(*restarted, "claimed", 700));
    first->terminate();
    QVERIFY(first->waitForFinished(5000));
    QVERIFY(waitForLine(*restarted, "claimed", 5000));
    restarted->kill();
    restarted->waitForFinished();
}

void TstSingleInstance::childProcessesDoNotInheritTheClaim()
{
    TestEnv env;
    SingleInstance inst(env.runtime());
    QVERIFY(inst.claim());
    QProcess child;
    child.start("sleep", {"30"});
    QVERIFY(child.waitForStarted());
    inst.release();
    // A child started while we held the claim must not keep it alive.
    auto next = startHolder(env);
    QVERIFY(next);
    next->kill();
    next->waitForFinished();
    child.kill();
    child.waitForFinished();
}

QTEST_GUILESS_MAIN(TstSingleInstance)
#include "tst_singleinstance.moc"
