// Showing a message: which body wins, the attachment list and its rules,
// the zoom default, and input that is broken or hostile.
#include "EmlDisplay.h"
#include "GpgRunner.h"
#include "MessageBuilder.h"
#include "MimeReader.h"
#include "ParameterTable.h"
#include "RecordedView.h"
#include "ScriptedPrompt.h"
#include "TestEnv.h"

#include <QtTest>

using namespace MessageBuilder;

class TstEmlDisplay : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void bodies_data();
    void bodies();
    void attachments();
    void tnefRunsTheUnpackAtOnce();
    void zoomDefault();
    void storedMessageModeLeavesRegisterAlone();
    void unloadableFileGivesEmptyDisplaySilently();
    void hostileInput_data();
    void hostileInput();

private:
    EmlDisplay::Result show(const QByteArray &message);
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
    RecordedView view;
    ParameterTable params;
    MimeReader reader;
    bool terminateState = true;
    GpgRunner gpg;
};

void TstEmlDisplay::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
    view = RecordedView();
    params = ParameterTable();
}

void TstEmlDisplay::cleanup()
{
    Prompt::install(nullptr);
    reader.clear();
    env.reset();
}

EmlDisplay::Result TstEmlDisplay::show(const QByteArray &message)
{
    const QString path = env->root() + "/m.eml";
    TestEnv::writeFile(path, message);
    EmlDisplay d(view, {&params, env->root(), &terminateState, &gpg});
    return d.show(path, reader);
}

void TstEmlDisplay::bodies_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<int>("dtype");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<bool>("html");
    const QByteArray plain1 = part("text/plain; charset=utf-8", "first\r\n");
    const QByteArray plain2 = part("text/plain; charset=iso-2022-jp", "\x1b$B#2HVL\\\x1b(B\r\n");
    const QByteArray html = part("text/html; charset=utf-8", "<p>h</p>\r\n");
    QTest::newRow("two text/plain parts: second wins") << multipart("mixed", {plain1, plain2}, "b1") << 1 << "２番目" << false;
    QTest::newRow("alternative, HTML last") << multipart("alternative", {plain1, html}, "b2") << 2 << "first" << true;
    QTest::newRow("alternative, HTML first") << multipart("alternative", {html, plain1}, "b3") << 1 << "first" << true;
    QTest::newRow("single text/html") << QByteArray("Content-Type: text/html\r\n\r\n<b>x</b>\r\n") << 2 << "" << true;
    QTest::newRow("single text/plain, quoted-printable")
        << QByteArray("Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
                      "caf=C3=A9 =\r\nok\r\n")
        << 1 << "café ok" << false;
    QTest::newRow("no Content-Type: plain text") << QByteArray("Subject: x\r\n\r\nhello\r\n") << 1 << "hello" << false;
    QTest::newRow("calendar part is not a body")
        << multipart("alternative", {plain1, part("text/calendar; method=REQUEST", "BEGIN:VCALENDAR\r\n")}, "b4") << 1
        << "first" << false;
}

void TstEmlDisplay::bodies()
{
    QFETCH(QByteArray, message);
    QFETCH(int, dtype);
    QFETCH(QString, editor);
    QFETCH(bool, html);
    const EmlDisplay::Result r = show(message);
    QVERIFY(r.completed);
    QCOMPARE(r.mDatType, dtype);
    QCOMPARE(view.editor.join('\n'), editor);
    QCOMPARE(view.htmlShown, html);
    QCOMPARE(view.status[2], QString("メッセージを表示しました"));
    QVERIFY(view.enabled.contains("DBUpdate"));
    QVERIFY(prompt.shown.isEmpty());
}

void TstEmlDisplay::attachments()
{
    const QByteArray pdf = part("application/pdf; name=\"a.pdf\"", "JVBERi0xLjQ=\r\n",
                                "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment\r\n");
    const QByteArray noName = part("application/octet-stream", "AAEC\r\n", "Content-Transfer-Encoding: base64\r\n");
    const QByteArray noExt = part("application/octet-stream; name=\"README\"", "x\r\n");
    const QByteArray textAttached = part("text/plain; charset=utf-8", "note\r\n",
                                         "Content-Disposition: attachment; filename*=UTF-8''%E8%AD%B0%E4%BA%8B.txt\r\n");
    const QByteArray inner = "From: c@x\r\nSubject: inner\r\n\r\ninner body\r\n";
    const QByteArray rfc822 = part("message/rfc822", inner);
    const QByteArray body = part("text/plain", "main\r\n");
    const EmlDisplay::Result r = show(multipart("mixed", {body, pdf, noName, noExt, textAttached, rfc822}, "zz"));
    QCOMPARE(view.attachments, (QStringList{"a.pdf", "ver.dat", "README", "議事.txt", "ver.dat"}));
    // The file name given to an unnamed part stays for saving.
    QCOMPARE(reader.parts()[2].fileName, QString("ver.dat"));
    QCOMPARE(reader.parts()[1].content(), QByteArray("%PDF-1.4"));
    QCOMPARE(reader.parts()[5].contentType, QString("message/rfc822"));
    QVERIFY(reader.parts()[5].content().contains("inner body"));
    // A text part sent as an attachment is not the body.
    QCOMPARE(view.editor, QStringList{"main"});
    QCOMPARE(r.mDatType, 1);
    QVERIFY(view.enabled.contains("OpenWithA1"));
    QVERIFY(view.enabled.contains("OpenWith"));
    const QString out = env->root() + "/saved.pdf";
    QVERIFY(reader.parts()[1].writeTo(out));
    QCOMPARE(TestEnv::readFile(out), QByteArray("%PDF-1.4"));
}

void TstEmlDisplay::tnefRunsTheUnpackAtOnce()
{
    const QByteArray tnef = part("application/ms-tnef; name=\"winmail.dat\"", "eJ8+IhAA\r\n",
                                 "Content-Transfer-Encoding: base64\r\n");
    const EmlDisplay::Result r = show(multipart("mixed", {part("text/plain", "x\r\n"), tnef}, "t1"));
    QCOMPARE(view.tnefRuns, 1);
    QVERIFY(r.tnefFlg);
    QCOMPARE(view.attachments, QStringList{"winmail.dat"});
}

void TstEmlDisplay::zoomDefault()
{
    show(QByteArray("Content-Type: text/html\r\n\r\n<p>x</p>\r\n"));
    QCOMPARE(params.value("ZOOM"), QString("70"));
    QCOMPARE(view.zoom, 0.7);
    params.setValue("ZOOM", "125");
    show(QByteArray("Content-Type: text/html\r\n\r\n<p>x</p>\r\n"));
    QCOMPARE(view.zoom, 1.25);
}

void TstEmlDisplay::storedMessageModeLeavesRegisterAlone()
{
    view.storedMode = true;
    show("Subject: s\r\n\r\nb\r\n");
    QVERIFY(!view.enabled.contains("DBUpdate"));
}

void TstEmlDisplay::unloadableFileGivesEmptyDisplaySilently()
{
    EmlDisplay d(view, {&params, env->root(), &terminateState, &gpg});
    const EmlDisplay::Result r = d.show(env->root() + "/none.eml", reader);
    QCOMPARE(view.fields.messageId, QString());
    QCOMPARE(view.fields.subject, QString());
    QVERIFY(view.attachments.isEmpty());
    QVERIFY(reader.parts().isEmpty());
    QCOMPARE(r.mDatType, 0);
    QVERIFY(prompt.shown.isEmpty());
}

void TstEmlDisplay::hostileInput_data()
{
    QTest::addColumn<QByteArray>("message");
    QByteArray deep = part("text/plain", "deepest\r\n");
    for (int i = 0; i < 500; ++i)
        deep = "Content-Type: multipart/mixed; boundary=\"d" + QByteArray::number(i) + "\"\r\n\r\n--d" +
               QByteArray::number(i) + "\r\n" + deep + "\r\n--d" + QByteArray::number(i) + "--\r\n";
    QTest::newRow("500 nested multiparts") << ("Subject: deep\r\n" + deep);
    QTest::newRow("megabyte header") << ("Subject: " + QByteArray(2 * 1024 * 1024, 'x') + "\r\n\r\nb\r\n");
    QTest::newRow("megabyte folded To")
        << ("To: " + QByteArray("a <a@x>,\r\n ").repeated(100000) + "z@x\r\n\r\nb\r\n");
    QTest::newRow("unknown charset") << QByteArray("Content-Type: text/plain; charset=x-nonesuch\r\n\r\nabc\r\n");
    QTest::newRow("broken base64")
        << multipart("mixed", {part("text/plain; charset=utf-8", "!!!@@@###\r\n", "Content-Transfer-Encoding: base64\r\n"),
                               part("image/png; name=a.png", "iVBOR@@@==w0KGgo\r\n", "Content-Transfer-Encoding: base64\r\n")},
                     "bb");
    QTest::newRow("boundary never closed")
        << QByteArray("Content-Type: multipart/mixed; boundary=q\r\n\r\n--q\r\nContent-Type: text/plain\r\n\r\nopen");
    QTest::newRow("binary garbage") << QByteArray(4096, '\xff');
    QTest::newRow("empty file") << QByteArray();
}

void TstEmlDisplay::hostileInput()
{
    QFETCH(QByteArray, message);
    const EmlDisplay::Result r = show(message);
    QVERIFY(r.completed);
    QVERIFY(prompt.shown.isEmpty());
}

QTEST_GUILESS_MAIN(TstEmlDisplay)
#include "tst_emldisplay.moc"
