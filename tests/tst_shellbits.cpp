// Small shell pieces: the command line, waits that keep the loop running,
// child processes, the help file, the version text.
#include "ChildProcess.h"
#include "CommandLine.h"
#include "Delay.h"
#include "HelpLauncher.h"
#include "ProgramInfo.h"
#include "ScriptedPrompt.h"
#include "TestEnv.h"
#include "Version.h"

#include <QtTest>

class TstShellBits : public QObject
{
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void delayKeepsEventsFlowing();
    void childWaitKeepsEventsFlowingAndPassesArgumentsWhole();
    void childThatCannotStart();
    void helpFile_data();
    void helpFile();
    void versionText();
};

void TstShellBits::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("help");
    QTest::addColumn<int>("theme");  // -1: none
    QTest::newRow("none") << QStringList{} << false << -1;
    QTest::newRow("HELP") << QStringList{"HELP"} << true << -1;
    QTest::newRow("inside a word") << QStringList{"--help"} << true << -1;
    QTest::newRow("2") << QStringList{"2"} << false << 2;
    QTest::newRow("3") << QStringList{"3"} << false << 3;
    QTest::newRow("7 becomes 0") << QStringList{"7"} << false << 0;
    QTest::newRow("-1 becomes 0") << QStringList{"-1"} << false << 0;
    QTest::newRow("x is ignored") << QStringList{"x"} << false << -1;
    QTest::newRow("only the first counts") << QStringList{"1", "help"} << false << 1;
}

void TstShellBits::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(bool, help);
    QFETCH(int, theme);
    const CommandLine c = CommandLine::parse(args);
    QCOMPARE(c.helpRequested, help);
    QCOMPARE(c.theme.value_or(-1), theme);
    QCOMPARE(CommandLine::helpText(), QString("コマンドライン引数\r\n0:Win/1:ライト/2:ダーク/3:Win10"));
}

void TstShellBits::delayKeepsEventsFlowing()
{
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QElapsedTimer t;
    t.start();
    Delay(200);
    QVERIFY(t.elapsed() > 200);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    // A posted event is handled even by the shortest wait.
    bool handled = false;
    QMetaObject::invokeMethod(this, [&] { handled = true; }, Qt::QueuedConnection);
    Delay(0);
    QVERIFY(handled);
}

void TstShellBits::childWaitKeepsEventsFlowingAndPassesArgumentsWhole()
{
    TestEnv env;
    const QString script = env.root() + "/show args.sh";
    TestEnv::writeFile(script, "#!/bin/sh\nsleep 0.3\nfor a in \"$@\"; do echo \"[$a]\"; done\nexit 3\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    bool terminateState = true;
    const ChildResult r = RunChildAndWait(script, {"-upgrade", "/data/my db/mail.fdb"}, terminateState);
    QVERIFY(r.started);
    QVERIFY(terminateState);
    QCOMPARE(r.exitCode, 3);
    QCOMPARE(r.output, QByteArray("[-upgrade]\n[/data/my db/mail.fdb]\n"));
    QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
}

void TstShellBits::childThatCannotStart()
{
    bool terminateState = false;
    const ChildResult r = RunChildAndWait("/nonexistent/program", {}, terminateState);
    QVERIFY(!r.started);
    QVERIFY(terminateState);
}

void TstShellBits::helpFile_data()
{
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<bool>("openerWorks");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("message");
    QTest::newRow("opens") << true << true << true << QString();
    QTest::newRow("file missing") << false << true << false << "ヘルプファイルが見つかりません";
    QTest::newRow("no program for it") << true << false << false << "ヘルプファイルを開くプログラムがありません";
}

void TstShellBits::helpFile()
{
    QFETCH(bool, fileThere);
    QFETCH(bool, openerWorks);
    QFETCH(bool, opened);
    QFETCH(QString, message);
    TestEnv env;
    const QString help = env.programDir() + "Quernalhlp.chm";
    if (fileThere)
        TestEnv::writeFile(help, "ITSF");
    ScriptedPrompt prompt;
    Prompt::install(&prompt);
    QStringList handed;
    HelpLauncher launcher([&](const QString &p) {
        handed << p;
        return openerWorks;
    });
    QCOMPARE(launcher.open(help, HelpLauncher::Topic::Contents), opened);
    Prompt::install(nullptr);
    if (message.isEmpty()) {
        QVERIFY(prompt.shown.isEmpty());
        QCOMPARE(handed, QStringList{help});
    } else {
        QCOMPARE(prompt.shown.size(), 1);
        QVERIFY(prompt.shown[0].text.startsWith(message));
        QVERIFY(prompt.shown[0].text.endsWith(help));
    }
}

void TstShellBits::versionText()
{
    const QString expected = QString("バージョン: %1.%2.%3.%4")
                                 .arg(QUERNAL_VERSION_MAJOR)
                                 .arg(QUERNAL_VERSION_MINOR)
                                 .arg(QUERNAL_VERSION_PATCH)
                                 .arg(QUERNAL_VERSION_BUILD);
    QCOMPARE(ProgramInfo::versionText(), expected);
    QVERIFY(ProgramInfo::systemText().contains("\nBuild "));
}

QTEST_GUILESS_MAIN(TstShellBits)
#include "tst_shellbits.moc"
