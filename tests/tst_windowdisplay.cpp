// The window showing a message: fields, editor, HTML page, attachment list,
// the actions a display and a selection enable.
#include "MessageBuilder.h"
#include "ScriptedPrompt.h"
#include "StartUp.h"
#include "TFileAssociationDetails.h"
#include "TFrmQuernal.h"
#include "TestEnv.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

using namespace MessageBuilder;

class TstWindowDisplay : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsAMessage();
    void selectionEnablesActions_data();
    void selectionEnablesActions();
    void fileTypeIcons();

private:
    std::unique_ptr<TestEnv> env;
    ScriptedPrompt prompt;
};

void TstWindowDisplay::init()
{
    env = std::make_unique<TestEnv>();
    QDir().mkpath(env->individual());
    prompt = ScriptedPrompt();
    Prompt::install(&prompt);
}

void TstWindowDisplay::cleanup()
{
    Prompt::install(nullptr);
    env.reset();
}

void TstWindowDisplay::showsAMessage()
{
    TFrmQuernal w({}, env->programDir());
    w.show();
    const QByteArray msg = multipart(
        "mixed",
        {multipart("alternative",
                   {part("text/plain; charset=utf-8", "本文です\r\n"),
                    part("text/html; charset=utf-8", "<html><body><b>本文</b></body></html>\r\n")},
                   "alt", ""),
         part("application/pdf; name=\"見積.pdf\"", "JVBERi0=\r\n", "Content-Transfer-Encoding: base64\r\n")},
        "mix",
        "Message-Id: <w1@example.jp>\r\nDate: Thu, 10 Dec 2026 09:30:15 +0900\r\nFrom: 山田 <y@example.jp>\r\n"
        "To: \"佐藤\" <s@example.jp>\r\nSubject: =?UTF-8?B?6KaL56mN?=\r\n");
    const QString path = env->individual() + "/mail_dat/a.eml";
    TestEnv::writeFile(path, msg);
    w.ShowEmlMessage(path);
    QCOMPARE(w.findChild<QLineEdit *>("Edit1")->text(), QString("<w1@example.jp>"));
    QCOMPARE(w.findChild<QLineEdit *>("Edit2")->text(), QString("2026/12/10 09:30:15"));
    QCOMPARE(w.findChild<QLineEdit *>("Edit6")->text(), QString("佐藤"));
    QCOMPARE(w.findChild<QLineEdit *>("Edit8")->text(), QString("見積"));
    QCOMPARE(w.Editor->toPlainText(), QString("本文です"));
    QTabWidget *pc = w.PageControl1;
    QVERIFY(pc->isTabVisible(pc->indexOf(w.TabSheet4)));
    QVERIFY(pc->isTabVisible(pc->indexOf(w.TabSheet2)));
    QCOMPARE(w.ListView1->topLevelItemCount(), 1);
    QCOMPARE(w.ListView1->topLevelItem(0)->text(0), QString("見積.pdf"));
    QVERIFY(!w.ListView1->topLevelItem(0)->icon(0).isNull());
    QCOMPARE(w.MDatType, 2);
    for (const char *a : {"Zoom_IncMgn", "Zoom_DecMgn", "DBUpdate", "OpenWithA1"})
        QVERIFY2(w.action(a)->isEnabled(), a);
    QCOMPARE(w.statusText(2), QString("メッセージを表示しました"));
    QVERIFY(w.Memo1->toPlainText().contains("Message-Id: <w1@example.jp>"));
    // ZOOM came back to the parameter table as its default.
    auto *table = w.findChild<QTableWidget *>("ValueListEditor1");
    QCOMPARE(table->item(5, 0)->text(), QString("ZOOM"));
    QCOMPARE(table->item(5, 1)->text(), QString("70"));
    // A new display clears what the last one showed.
    TestEnv::writeFile(path, "Subject: two\r\n\r\nplain\r\n");
    w.ShowEmlMessage(path);
    QCOMPARE(w.ListView1->topLevelItemCount(), 0);
    QVERIFY(!pc->isTabVisible(pc->indexOf(w.TabSheet2)));
    QVERIFY(!w.action("Zoom_IncMgn")->isEnabled());
    QCOMPARE(w.Editor->toPlainText(), QString("plain"));
    QVERIFY(prompt.shown.isEmpty());
    w.close();
}

void TstWindowDisplay::selectionEnablesActions_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("openWith");
    QTest::addColumn<bool>("decrypt");
    QTest::newRow("pdf") << "a.pdf" << true << false;
    QTest::newRow("asc") << "letter.asc" << false << true;
    QTest::newRow("encrypted in name") << "encrypted.bin" << false << true;
    QTest::newRow("GPG upper case") << "x.GPG" << false << true;
    QTest::newRow("dat") << "ver.dat" << false << false;
}

void TstWindowDisplay::selectionEnablesActions()
{
    QFETCH(QString, caption);
    QFETCH(bool, openWith);
    QFETCH(bool, decrypt);
    TFrmQuernal w({}, env->programDir());
    auto *item = new QTreeWidgetItem(w.ListView1, {caption});
    w.ListView1->setCurrentItem(item);
    item->setSelected(true);
    QVERIFY(w.action("SavetoDisk")->isEnabled());
    QCOMPARE(w.action("OpenWith")->isEnabled(), openWith);
    QCOMPARE(w.action("DecryptGpg")->isEnabled(), decrypt);
    QCOMPARE(w.action("SaveToDiskDGpg")->isEnabled(), decrypt);
    QCOMPARE(w.statusText(2), caption);
}

void TstWindowDisplay::fileTypeIcons()
{
    QCOMPARE(TFileAssociationDetails::iconSizeFor(96), QSize(24, 24));
    QCOMPARE(TFileAssociationDetails::iconSizeFor(120), QSize(24, 24));
    QCOMPARE(TFileAssociationDetails::iconSizeFor(144), QSize(32, 32));
    QCOMPARE(TFileAssociationDetails::iconSizeFor(192), QSize(48, 48));
    TFileAssociationDetails d;
    d.AddExtension(".pdf");
    d.AddFile("ver.dat");
    d.AddExtension(".pdf");
    d.AddExtension("  ");
    d.AddFile("README");
    QCOMPARE(d.Extensions, (QStringList{".PDF", ".DAT", ".PDF"}));
    d.GetFileIconsAndDescriptions();
    QCOMPARE(d.Images.size(), 3);
    QCOMPARE(d.Descriptions.size(), 3);
    QVERIFY(!d.Descriptions[0].isEmpty());
    for (const QIcon &i : d.Images)
        QVERIFY(!i.isNull());
    d.Clear();
    QVERIFY(d.Extensions.isEmpty());
}

int main(int argc, char **argv)
{
    PrepareWebEngine();
    QApplication app(argc, argv);
    TstWindowDisplay t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_windowdisplay.moc"
