// Inline OpenPGP bodies decrypted through a real GnuPG, and the waits around it.
#include "EmlDisplay.h"
#include "GpgHome.h"
#include "GpgRunner.h"
#include "MessageBuilder.h"
#include "MimeReader.h"
#include "ParameterTable.h"
#include "RecordedView.h"
#include "ScriptedPrompt.h"
#include "TestEnv.h"

#include <QtTest>

using namespace MessageBuilder;

class TstGpgDisplay : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void inlineBlock_data();
    void inlineBlock();
    void armouredFileWithoutParts();
    void notConfiguredEndsTheDisplay_data();
    void notConfiguredEndsTheDisplay();
    void agentTimeoutGivesTheWaitUp();
    void argumentsAreAList();

private:
    EmlDisplay::Result show(const QByteArray &message);
    std::unique_ptr<GpgHome> home;
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
    RecordedView view;
    ParameterTable params;
    MimeReader reader;
    bool terminateState = true;
    std::unique_ptr<GpgRunner> gpg;
};

void TstGpgDisplay::initTestCase()
{
    home = std::make_unique<GpgHome>();
    QVERIFY2(home->ok(), qPrintable(home->error()));
}

void TstGpgDisplay::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
    view = RecordedView();
    params = ParameterTable();
    params.setValue("GPGPath", "/usr/bin/gpg ");  // a trailing blank is trimmed
    gpg = std::make_unique<GpgRunner>();
}

void TstGpgDisplay::cleanup()
{
    Prompt::install(nullptr);
    reader.clear();
    env.reset();
}

EmlDisplay::Result TstGpgDisplay::show(const QByteArray &message)
{
    const QString path = env->root() + "/letter.eml";
    TestEnv::writeFile(path, message);
    QDir().mkpath(env->root() + "/mail_dat");
    EmlDisplay d(view, {&params, env->root() + "/mail_dat", &terminateState, gpg.get()});
    return d.show(path, reader);
}

void TstGpgDisplay::inlineBlock_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<bool>("jis");
    QTest::newRow("UTF-8") << QString("秘密の本文\n二行目").toUtf8() << false;
    QTest::newRow("ISO-2022-JP") << QByteArray("\x1b$BHkL)$NK\\J8\x1b(B\n\x1b$BFs9TL\\\x1b(B") << true;
}

void TstGpgDisplay::inlineBlock()
{
    QFETCH(QByteArray, plain);
    QFETCH(bool, jis);
    QByteArray armour = home->encrypt(plain);
    QVERIFY(armour.startsWith("-----BEGIN PGP MESSAGE-----"));
    if (jis)  // a mailer says what the plain text is in, right below the marker
        armour.insert(armour.indexOf('\n') + 1, "Charset: ISO-2022-JP\n");
    armour.replace("\n", "\r\n");
    const QByteArray body = "Hello,\r\n\r\n" + armour + "\r\n";
    const EmlDisplay::Result r = show(multipart("mixed", {part("text/plain; charset=us-ascii", body)}, "g1"));
    QVERIFY(r.completed);
    QCOMPARE(r.mDatType, 3);
    QCOMPARE(r.jisFlg, jis);
    QCOMPARE(view.editor, (QStringList{"秘密の本文", "二行目"}));
    QCOMPARE(view.status[2], QString("メッセージを表示しました"));
    // GnuPG's input and output are gone.
    QCOMPARE(QDir(env->root() + "/mail_dat").entryList(QDir::Files), QStringList());
    QVERIFY(prompt.shown.isEmpty());
}

void TstGpgDisplay::armouredFileWithoutParts()
{
    QByteArray armour = home->encrypt("armoured file body");
    armour.replace("\n", "\r\n");
    const EmlDisplay::Result r = show(armour);
    QCOMPARE(r.mDatType, 3);
    QCOMPARE(view.editor, QStringList{"armoured file body"});
}

void TstGpgDisplay::notConfiguredEndsTheDisplay_data()
{
    QTest::addColumn<QString>("gpgPath");
    QTest::addColumn<bool>("multipart");
    QTest::addColumn<QString>("message");
    QTest::newRow("unset, inline block") << "Dummy Data" << true << "GPG2.exeのパス設定をしてください";
    QTest::newRow("missing file, inline block") << "/nonexistent/gpg" << true << "GPG2.exeのパス設定をしてください";
    QTest::newRow("empty, armoured file") << "" << false << "GPG.exeのパス設定をしてください";
}

void TstGpgDisplay::notConfiguredEndsTheDisplay()
{
    QFETCH(QString, gpgPath);
    QFETCH(bool, multipart);
    QFETCH(QString, message);
    params.setValue("GPGPath", gpgPath);
    const QByteArray armour = "-----BEGIN PGP MESSAGE-----\r\n\r\nhQEMA\r\n-----END PGP MESSAGE-----\r\n";
    const QByteArray pdf = part("application/pdf; name=after.pdf", "x\r\n");
    const EmlDisplay::Result r =
        show(multipart ? MessageBuilder::multipart("mixed", {part("text/plain", armour), pdf}, "g2") : armour);
    QCOMPARE(prompt.texts(), QStringList{message});
    QVERIFY(!r.completed);
    // Nothing after the block, no final status, nothing to register.
    QVERIFY(view.attachments.isEmpty());
    QCOMPARE(view.status[2], QString());
    QVERIFY(!view.enabled.contains("DBUpdate"));
}

void TstGpgDisplay::agentTimeoutGivesTheWaitUp()
{
    // A GnuPG that waits for a passphrase nobody types.
    const QString slow = env->root() + "/slow gpg";
    TestEnv::writeFile(slow, "#!/bin/sh\nsleep 2\nexit 2\n");
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    params.setValue("GPGPath", slow);
    gpg->timeoutMs = 300;
    QElapsedTimer t;
    t.start();
    const EmlDisplay::Result r =
        show(multipart("mixed", {part("text/plain", "-----BEGIN PGP MESSAGE-----\r\n\r\nx\r\n")}, "g3"));
    QVERIFY(t.elapsed() < 1900);
    QVERIFY(r.completed);
    QCOMPARE(prompt.texts(), QStringList{GpgRunner::timeoutText()});
    // The end handler still runs once the program ends; it finds no output.
    QTRY_VERIFY_WITH_TIMEOUT(QDir(env->root() + "/mail_dat").entryList(QDir::Files).isEmpty(), 5000);
    QCOMPARE(view.status[2], QString());
}

void TstGpgDisplay::argumentsAreAList()
{
    QCOMPARE(GpgRunner::arguments("/w d/Dcr_letter.txt", "/w d/letter.asc"),
             (QStringList{"--output", "/w d/Dcr_letter.txt", "--quiet", "--decrypt", "/w d/letter.asc"}));
    QVERIFY(!GpgRunner::configured("Dummy Data"));
    QVERIFY(!GpgRunner::configured(""));
    QVERIFY(GpgRunner::configured("/usr/bin/gpg  "));
}

QTEST_GUILESS_MAIN(TstGpgDisplay)
#include "tst_gpgdisplay.moc"
