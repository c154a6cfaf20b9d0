// Taking messages in: the open dialog's batches and their questions,
// dropped messages, saving the message file.
#include "ScriptedPrompt.h"
#include "StartUp.h"
#include "StoreFixture.h"
#include "TDm_Ldb.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"
#include "VirtualFiles.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QLineEdit>
#include <QMimeData>
#include <QSqlQuery>
#include <QtTest>

namespace {
QByteArray message(int n)
{
    return QString("Message-Id: <m%1@example.jp>\r\nDate: Thu, 10 Dec 2026 09:%2:00 +0900\r\nSubject: 件名%1\r\n"
                   "Content-Type: text/plain; charset=utf-8\r\n\r\n本文%1\r\n")
        .arg(n)
        .arg(n, 2, 10, QChar('0'))
        .toUtf8();
}

// Virtual files made by the test, as a mail client's drag would offer them.
class TestFiles : public VirtualFileSource
{
public:
    QList<QPair<QString, QByteArray>> files;
    QList<bool> missing;
    int count() const override { return int(files.size()); }
    QString name(int i) const override { return files[i].first; }
    std::unique_ptr<QIODevice> contents(int i) override
    {
        if (missing.value(i))
            return nullptr;
        auto b = std::make_unique<QBuffer>();
        b->setData(files[i].second);
        b->open(QIODevice::ReadOnly);
        b->seek(b->size());  // the copy must rewind it
        return b;
    }
};
} // namespace

class TstIntake : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void openBatchAsksPerMessage_data();
    void openBatchAsksPerMessage();
    void singleFileIsNotAsked();
    void droppedMessagesArriveWhole();
    void dropStopsAtANonMessage();
    void dropWithoutContents();
    void plainFileDragIsRefused();
    void chunkedCopy_data();
    void chunkedCopy();
    void saveCopiesTheOpenedFile();

private:
    QString file(const QString &name, const QByteArray &bytes);
    std::unique_ptr<TFrmQuernal> window();
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
};

void TstIntake::init()
{
    env = std::make_unique<TestEnv>();
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
    const QString db = env->root() + "/Mail.fdb";
    StoreFixture::create(db);
    TestEnv::writeFile(env->individual() + "/Quernal.ini",
                       QString("[MailDB]\r\nServer=\r\nDBPath=%1\r\n").arg(db).toUtf8());
}

void TstIntake::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

QString TstIntake::file(const QString &name, const QByteArray &bytes)
{
    const QString p = env->root() + "/in/" + name;
    TestEnv::writeFile(p, bytes);
    return p;
}

std::unique_ptr<TFrmQuernal> TstIntake::window()
{
    auto w = std::make_unique<TFrmQuernal>(QStringList{}, env->programDir());
    w->createDataModule();
    return w;
}

static int stored(TFrmQuernal &w)
{
    QSqlQuery q(w.Dm_Ldb->database());
    q.exec("select count(*) from MAIL_VIEW");
    q.next();
    return q.value(0).toInt();
}

void TstIntake::openBatchAsksPerMessage_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("asked");     // questions, in order
    QTest::addColumn<int>("notMail");
    QTest::newRow("three messages") << QStringList{"a.eml", "b.eml", "c.eml"}
                                    << QStringList{"<3>\r\na.eml", "<2>\r\nb.eml", "<1>\r\nc.eml"} << 0;
    QTest::newRow("eml, txt, eml") << QStringList{"a.eml", "b.txt", "c.eml"}
                                   << QStringList{"<3>\r\na.eml", "<1>\r\nc.eml"} << 1;
}

void TstIntake::openBatchAsksPerMessage()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, asked);
    QFETCH(int, notMail);
    auto w = window();
    QStringList paths;
    for (int i = 0; i < names.size(); ++i)
        paths << file(names[i], message(i + 1));
    prompt.fileAnswers.enqueue(paths);
    for (int i = 0; i < asked.size(); ++i)
        prompt.answers.enqueue(Prompt::Answer::Yes);
    w->MessageOpenExecute();
    QStringList questions, messages;
    for (const auto &s : prompt.shown) {
        if (s.text == "メールを開く")
            continue;
        (s.isQuestion ? questions : messages) << s.text;
    }
    QCOMPARE(questions.size(), asked.size());
    for (int i = 0; i < asked.size(); ++i)
        QCOMPARE(questions[i], "【ファイル名】" + asked[i] + "\r\nこのメールデータをDB登録しますか?");
    QCOMPARE(messages.count("メールファイルではありません"), notMail);
    // Each Yes registered the message shown at that moment.
    QCOMPARE(stored(*w), int(asked.size()));
    QCOMPARE(w->cfg.mlReadPath, env->root() + "/in");
}

void TstIntake::singleFileIsNotAsked()
{
    auto w = window();
    prompt.fileAnswers.enqueue({file("one.eml", message(1))});
    w->MessageOpenExecute();
    QCOMPARE(prompt.shown.size(), 1);  // the dialog only
    QVERIFY(w->action("DBUpdate")->isEnabled());
    QVERIFY(w->action("MessageSave")->isEnabled());
    QCOMPARE(w->Edit[0]->text(), QString("<m1@example.jp>"));
}

void TstIntake::droppedMessagesArriveWhole()
{
    auto w = window();
    TestFiles files;
    QByteArray big = message(7);
    for (int i = 0; big.size() < 400000; ++i)
        big += QByteArray::number(i) + " 行の本文 line of the body\r\n";
    files.files = {{"big.eml", big}, {"second.eml", message(8)}};
    prompt.answers.enqueue(Prompt::Answer::Yes);
    prompt.answers.enqueue(Prompt::Answer::No);
    w->DropEmptyTarget1Drop(files);
    QCOMPARE(TestEnv::readFile(w->MyAppDataPath + "/mail_dat/big.eml"), big);
    QCOMPARE(prompt.texts(), (QStringList{"【ファイル名】<2>\r\nbig.eml\r\nこのメールデータをDB登録しますか?",
                                          "【ファイル名】<1>\r\nsecond.eml\r\nこのメールデータをDB登録しますか?"}));
    QCOMPARE(stored(*w), 1);
    QCOMPARE(w->Edit[0]->text(), QString("<m8@example.jp>"));
    QVERIFY(w->action("DBUpdate")->isEnabled());
}

void TstIntake::dropStopsAtANonMessage()
{
    auto w = window();
    TestFiles files;
    files.files = {{"a.eml", message(1)}, {"note.txt", "x"}, {"c.eml", message(3)}};
    prompt.answers.enqueue(Prompt::Answer::No);
    w->DropEmptyTarget1Drop(files);
    QCOMPARE(prompt.texts(), (QStringList{"【ファイル名】<3>\r\na.eml\r\nこのメールデータをDB登録しますか?",
                                          "メールファイルではありません"}));
    QVERIFY(!QFileInfo::exists(w->MyAppDataPath + "/mail_dat/c.eml"));
}

void TstIntake::dropWithoutContents()
{
    auto w = window();
    TestFiles files;
    files.files = {{"gone.eml", {}}, {"b.eml", message(2)}};
    files.missing = {true, false};
    prompt.answers.enqueue(Prompt::Answer::No);
    w->DropEmptyTarget1Drop(files);
    QCOMPARE(prompt.texts(), (QStringList{"** メール内容が読めませんでした **",
                                          "【ファイル名】<1>\r\nb.eml\r\nこのメールデータをDB登録しますか?"}));
    QCOMPARE(QFileInfo(w->MyAppDataPath + "/mail_dat/gone.eml").size(), 0);
}

void TstIntake::plainFileDragIsRefused()
{
    auto w = window();
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(file("a.eml", message(1)))});
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    w->DropEmptyTarget1Enter(&refused);
    QVERIFY(!refused.isAccepted());
    QCOMPARE(refused.dropAction(), Qt::IgnoreAction);
    QMimeData mail;
    mail.setData("message/rfc822", message(1));
    QDragEnterEvent taken(QPoint(5, 5), Qt::CopyAction, &mail, Qt::LeftButton, Qt::NoModifier);
    w->DropEmptyTarget1Enter(&taken);
    QVERIFY(taken.isAccepted());
    MimeDataVirtualFiles v(&mail);
    QCOMPARE(v.count(), 1);
    QCOMPARE(v.name(0), QString("件名1.eml"));
}

void TstIntake::chunkedCopy_data()
{
    QTest::addColumn<int>("size");
    for (int s : {0, 1, 131071, 131072, 131073, 1000000})
        QTest::newRow(qPrintable(QString::number(s))) << s;
}

void TstIntake::chunkedCopy()
{
    QFETCH(int, size);
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char(i * 31 % 251);
    QBuffer b(&data);
    b.open(QIODevice::ReadOnly);
    b.seek(size / 2);
    const QString out = env->root() + "/copy.bin";
    QVERIFY(CopyVirtualFile(b, out));
    QCOMPARE(TestEnv::readFile(out), data);
}

void TstIntake::saveCopiesTheOpenedFile()
{
    auto w = window();
    const QString src = file("keep.eml", message(4));
    prompt.fileAnswers.enqueue({src});
    w->MessageOpenExecute();
    const QString target = env->root() + "/out/saved.eml";
    QDir().mkpath(env->root() + "/out");
    TestEnv::writeFile(target, "old content");
    prompt.fileAnswers.enqueue({target});
    w->MessageSaveExecute();
    QCOMPARE(TestEnv::readFile(target), message(4));
    QCOMPARE(w->cfg.mlStorePath, env->root() + "/out");
}

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    TstIntake t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_intake.moc"
