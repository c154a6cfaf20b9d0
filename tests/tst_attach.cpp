// Attachments: safe names, saving and opening from the lists, the opener's wait.
#include "MessageBuilder.h"
#include "OpenAndWait.h"
#include "SafeName.h"
#include "ScriptedPrompt.h"
#include "StartUp.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace MessageBuilder;

class TstAttach : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void hostileNames_data();
    void hostileNames();
    void extractKeepsEverythingInside();
    void saveFromFirstList();
    void openingRefusals_data();
    void openingRefusals();
    void doubleClickOnEncryptedGoesToDecryption();
    void saveFromSecondListOverExisting();
    void openAndWait();

private:
    std::unique_ptr<TFrmQuernal> shown(const QByteArray &message);
    void select(QTreeWidget *list, const QString &caption);
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
};

void TstAttach::init()
{
    env = std::make_unique<TestEnv>();
    QDir().mkpath(env->individual());
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
}

void TstAttach::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

void TstAttach::hostileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent dirs") << "../../x";
    QTest::newRow("absolute") << "/etc/passwd";
    QTest::newRow("backslash") << "..\\..\\win.ini";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("dot") << ".";
    QTest::newRow("empty") << "";
    QTest::newRow("NUL") << QString("a") + QChar(0) + "b.txt";
    QTest::newRow("newlines") << "a\nb\r.txt";
    QTest::newRow("reserved device") << "CON.txt";
    QTest::newRow("300 characters") << QString(300, QChar(u'長')) + ".pdf";
    QTest::newRow("ordinary Japanese") << "見積書 (2026年).xlsx";
}

void TstAttach::hostileNames()
{
    QFETCH(QString, name);
    const QString safe = SafeFileName(name);
    QVERIFY(!safe.isEmpty());
    QVERIFY(!safe.contains('/'));
    QVERIFY(!safe.contains('\\'));
    QVERIFY(safe != "." && safe != "..");
    for (QChar c : safe)
        QVERIFY(c.unicode() >= 0x20);
    QVERIFY(safe.toUtf8().size() <= 200);
    const QString folder = env->root() + "/box";
    QDir().mkpath(folder);
    const QString path = SafePathIn(folder, name);
    QCOMPARE(QFileInfo(path).absolutePath(), folder);
    TestEnv::writeFile(path, "x");
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
    if (name == "見積書 (2026年).xlsx")
        QCOMPARE(safe, name);  // a readable name stays as it was
    if (name.startsWith(QString(300, QChar(u'長'))))
        QVERIFY(safe.endsWith(".pdf"));
}

void TstAttach::extractKeepsEverythingInside()
{
    QList<QByteArray> parts{part("text/plain", "body\r\n")};
    const QStringList names{"../../escape.txt", "/tmp/abs.txt", "a\\\\b.txt", "..", "same.txt", "same.txt"};
    for (int i = 0; i < names.size(); ++i)
        parts << part("application/octet-stream; name=\"" + names[i].toUtf8() + "\"",
                      QByteArray::number(i).toBase64() + "\r\n", "Content-Transfer-Encoding: base64\r\n");
    const QString eml = env->root() + "/hostile.eml";
    TestEnv::writeFile(eml, multipart("mixed", parts, "h"));
    const QString out = env->root() + "/deep/out";
    QProcess p;
    p.setEnvironment(env->environment());
    p.start(QString(QUERNAL_BIN_DIR) + "/quernal-cli", {"extract", eml, out});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    // Every attachment, byte for byte, inside the folder; nothing beside it.
    QStringList contents;
    QDirIterator it(env->root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (f == eml)
            continue;
        QVERIFY2(f.startsWith(out + "/"), qPrintable(f));
        contents << QString::fromLatin1(TestEnv::readFile(f));
    }
    contents.sort();
    QCOMPARE(contents, (QStringList{"0", "1", "2", "3", "4", "5"}));
    QVERIFY(!QFileInfo::exists("/tmp/abs.txt") || QFileInfo("/tmp/abs.txt").lastModified() < QDateTime::currentDateTime().addSecs(-60));
}

std::unique_ptr<TFrmQuernal> TstAttach::shown(const QByteArray &message)
{
    auto w = std::make_unique<TFrmQuernal>(QStringList{}, env->programDir());
    const QString path = env->root() + "/in/m.eml";
    TestEnv::writeFile(path, message);
    w->ShowEmlMessage(path);
    return w;
}

void TstAttach::select(QTreeWidget *list, const QString &caption)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(0) == caption) {
            list->setCurrentItem(list->topLevelItem(i));
            list->topLevelItem(i)->setSelected(true);
            return;
        }
    }
    QFAIL(qPrintable("no entry " + caption));
}

void TstAttach::saveFromFirstList()
{
    auto w = shown(multipart("mixed", {part("text/plain", "b\r\n"),
                                       part("application/pdf; name=\"a.pdf\"", "JVBERi0=\r\n",
                                            "Content-Transfer-Encoding: base64\r\n"),
                                       part("application/octet-stream", "c2Vjb25k\r\n",
                                            "Content-Transfer-Encoding: base64\r\nContent-Description: PGP/MIME version identification\r\n")},
                               "s"));
    w->PageControl1->setCurrentWidget(w->TabSheet2);
    select(w->ListView1, "a.pdf");
    const QString target = env->root() + "/saved.pdf";
    prompt.fileAnswers.enqueue({target});
    w->SavetoDiskExecute();
    QCOMPARE(TestEnv::readFile(target), QByteArray("%PDF-"));
    // A part found by its description + ".dat", after the name rule.
    auto *item = new QTreeWidgetItem(w->ListView1, {"PGP_MIME version identification.dat"});
    w->ListView1->setCurrentItem(item);
    item->setSelected(true);
    const QString second = env->root() + "/desc.dat";
    prompt.fileAnswers.enqueue({second});
    w->SavetoDiskExecute();
    QCOMPARE(TestEnv::readFile(second), QByteArray("second"));
    // Cancelled dialog: nothing written.
    w->SaveToDiskA1Execute();
    QCOMPARE(prompt.unexpected, 1);
}

void TstAttach::openingRefusals_data()
{
    QTest::addColumn<QString>("caption");
    for (const char *c : {"PGP_MIME version identification.dat", "x.PGP", "x.gpg", "report.ASC", "r.Asc"})
        QTest::newRow(c) << QString(c);
}

void TstAttach::openingRefusals()
{
    QFETCH(QString, caption);
    auto w = shown("Subject: s\r\n\r\nb\r\n");
    w->Opener.opener = "/bin/true";
    auto *item = new QTreeWidgetItem(w->ListView1, {caption});
    w->ListView1->setCurrentItem(item);
    item->setSelected(true);
    w->OpenWithA1Execute();
    QCOMPARE(prompt.texts(), QStringList{"このファイルは起動できる規定のプログラムがありません"});
    QVERIFY(!QFileInfo::exists(w->ExecuteFile));   // nothing was written out to open
}

void TstAttach::doubleClickOnEncryptedGoesToDecryption()
{
    auto w = shown(multipart("mixed", {part("application/pgp-encrypted; name=\"report.ASC\"", "x\r\n")}, "d"));
    QSignalSpy decrypt(w->action("DecryptGpgA1"), &QAction::triggered);
    select(w->ListView1, "report.ASC");
    w->ListView1DblClick();
    QCOMPARE(decrypt.count(), 1);
    QCOMPARE(w->statusText(2), QString("report.ASC"));
    QVERIFY(prompt.shown.isEmpty());
}

void TstAttach::saveFromSecondListOverExisting()
{
    auto w = shown("Subject: s\r\n\r\nb\r\n");
    TestEnv::writeFile(w->MyAppDataPath + "/mail_dat/2nd/unpacked.doc", "from tnef");
    auto *item = new QTreeWidgetItem(w->ListView2, {"unpacked.doc"});
    w->PageControl1->setTabVisible(w->PageControl1->indexOf(w->TabSheet5), true);
    w->PageControl1->setCurrentWidget(w->TabSheet5);
    w->ListView2->setCurrentItem(item);
    item->setSelected(true);
    const QString target = env->root() + "/exists.doc";
    TestEnv::writeFile(target, "old");
    prompt.fileAnswers.enqueue({target});
    w->SavetoDiskExecute();
    QCOMPARE(TestEnv::readFile(target), QByteArray("from tnef"));
    QCOMPARE(w->SaveDialog1Filters.size(), 3);
    // No such unpacked file: said so.
    item->setText(0, "missing.doc");
    prompt.fileAnswers.enqueue({env->root() + "/m.doc"});
    w->SaveToDiskA2Execute();
    QVERIFY(prompt.texts().contains("Save Data がみつかりません\r\nプログラムの修正が必要です"));
}

void TstAttach::openAndWait()
{
    const QString file = env->root() + "/doc.txt";
    TestEnv::writeFile(file, "x");
    const QString slow = env->root() + "/slow opener";
    TestEnv::writeFile(slow, "#!/bin/sh\nsleep 0.4\necho \"$1\" > \"$(dirname \"$1\")/opened\"\n");
    QFile::setPermissions(slow, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    OpenAndWait o;
    o.opener = slow;
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QElapsedTimer t;
    t.start();
    QVERIFY(o.run(file));
    QVERIFY(t.elapsed() >= 400);
    QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
    QCOMPARE(TestEnv::readFile(env->root() + "/opened").trimmed(), file.toUtf8());
    // Handed on to a program already running: the opener returns at once.
    o.opener = "/bin/true";
    t.restart();
    QVERIFY(o.run(file));
    QVERIFY(t.elapsed() < 300);
    QVERIFY(prompt.shown.isEmpty());
    // Nothing can be started, or the opener fails.
    for (const QString &bad : {QString("/nonexistent/opener"), QString("/bin/false")}) {
        o.opener = bad;
        QVERIFY(!o.run(file));
    }
    QCOMPARE(prompt.texts(), (QStringList{"プログラムが起動できませんでした", "プログラムが起動できませんでした"}));
}

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    TstAttach t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_attach.moc"
