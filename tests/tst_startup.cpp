// The real programs started as a user would: one instance per user, a start
// after a crash, and the command-line front end.
#include "TestEnv.h"

#include <QtTest>

#include <csignal>

namespace {

QString bin(const char *name)
{
    return QString(QUERNAL_BIN_DIR) + "/" + name;
}

// Waits until a started window program holds its claim and listens.
bool waitUntilListening(const TestEnv &env, QProcess &p, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (p.state() != QProcess::Running)
            return false;
        if (QFileInfo::exists(env.runtime() + "/Quernal.sock"))
            return true;
        QTest::qWait(50);
    }
    return false;
}

std::unique_ptr<QProcess> startQuernal(const TestEnv &env)
{
    auto p = std::make_unique<QProcess>();
    p->setEnvironment(env.environment());
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(bin("Quernal"), {});
    p->waitForStarted(10000);
    return p;
}

} // namespace

class TstStartUp : public QObject
{
    Q_OBJECT
private slots:
    void secondStartEndsAndFirstKeepsRunning();
    void startsAtOnceAfterTheFirstWasKilled();
    void terminationClosesLikeTheWindow();
    void cliHelp();
};

void TstStartUp::secondStartEndsAndFirstKeepsRunning()
{
    TestEnv env;
    QDir().mkpath(env.individual());
    auto first = startQuernal(env);
    QVERIFY(waitUntilListening(env, *first, 20000));
    auto second = startQuernal(env);
    QVERIFY(second->waitForFinished(20000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    first->kill();
    first->waitForFinished();
}

void TstStartUp::startsAtOnceAfterTheFirstWasKilled()
{
    TestEnv env;
    QDir().mkpath(env.individual());
    auto first = startQuernal(env);
    QVERIFY(waitUntilListening(env, *first, 20000));
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(5000));
    QElapsedTimer t;
    t.start();
    auto next = startQuernal(env);
    // The socket of the killed one is still there; wait for the new one to
    // take it over, shown by a second start being forwarded to it.
    QTest::qWait(500);
    QCOMPARE(next->state(), QProcess::Running);
    auto probe = startQuernal(env);
    QVERIFY(probe->waitForFinished(20000));
    QCOMPARE(probe->exitCode(), 0);
    QCOMPARE(next->state(), QProcess::Running);
    next->kill();
    next->waitForFinished();
}

void TstStartUp::terminationClosesLikeTheWindow()
{
    TestEnv env;
    QDir().mkpath(env.individual());
    auto p = startQuernal(env);
    QVERIFY(waitUntilListening(env, *p, 20000));
    // The window is prepared once its working folder exists.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(env.individual() + "/mail_dat").isDir(), 20000);
    p->terminate();
    QVERIFY(p->waitForFinished(20000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QVERIFY(QFileInfo::exists(env.individual() + "/Quernal.ini"));
    QVERIFY(TestEnv::readFile(env.individual() + "/Quernal.ini").contains("[MailDB]"));
    QVERIFY(!QFileInfo::exists(env.individual() + "/mail_dat"));
}

void TstStartUp::cliHelp()
{
    QProcess p;
    p.start(bin("quernal-cli"), {"--help"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QVERIFY(p.readAllStandardOutput().startsWith("Usage: quernal-cli"));
    QProcess bad;
    bad.start(bin("quernal-cli"), {"no-such-command"});
    QVERIFY(bad.waitForFinished(10000));
    QCOMPARE(bad.exitCode(), 2);
}

QTEST_GUILESS_MAIN(TstStartUp)
#include "tst_startup.moc"
