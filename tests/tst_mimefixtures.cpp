// quernal-cli show --json over message files whose expected output was
// derived by hand from the display rules (tests/data/mime/README.md).
#include "TestEnv.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TstMimeFixtures : public QObject
{
    Q_OBJECT
private slots:
    void showJson_data();
    void showJson();
    void unreadableFile();
};

void TstMimeFixtures::showJson_data()
{
    QTest::addColumn<QString>("eml");
    const QDir dir(QString(QUERNAL_TEST_DATA) + "/mime");
    const QStringList files = dir.entryList({"*.eml"}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 10);
    for (const QString &f : files)
        QTest::newRow(qPrintable(f)) << dir.filePath(f);
}

void TstMimeFixtures::showJson()
{
    QFETCH(QString, eml);
    TestEnv env;
    QStringList args;
    if (eml.contains("account-lookup")) {
        const QString folder = env.root() + "/settings";
        TestEnv::writeFile(folder + "/Quernal.ini",
                           QString("[Condition]\r\nMailAccount1=Office <t.yamada@corp.example.co.jp>\r\n"
                                   "MailAccount2=山田 太郎 <taro@example.jp>\r\n")
                               .toUtf8());
        args << "--settings" << folder;
    }
    args << "show" << eml << "--json";
    QProcess p;
    QStringList e = env.environment();
    e << "TZ=Asia/Tokyo";
    p.setEnvironment(e);
    p.start(QString(QUERNAL_BIN_DIR) + "/quernal-cli", args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QJsonParseError err;
    const QJsonObject got = QJsonDocument::fromJson(p.readAllStandardOutput(), &err).object();
    QCOMPARE(err.error, QJsonParseError::NoError);
    QFile f(eml.chopped(4) + ".json");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QJsonObject expected = QJsonDocument::fromJson(f.readAll()).object();
    QCOMPARE(got.keys(), expected.keys());
    for (const QString &k : expected.keys())
        QVERIFY2(got.value(k) == expected.value(k),
                 qPrintable(k + ": got " + QJsonDocument(QJsonObject{{k, got.value(k)}}).toJson(QJsonDocument::Compact) +
                            " expected " +
                            QJsonDocument(QJsonObject{{k, expected.value(k)}}).toJson(QJsonDocument::Compact)));
}

void TstMimeFixtures::unreadableFile()
{
    TestEnv env;
    QProcess p;
    p.setEnvironment(env.environment());
    p.start(QString(QUERNAL_BIN_DIR) + "/quernal-cli", {"show", env.root() + "/missing.eml", "--json"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 1);
}

QTEST_GUILESS_MAIN(TstMimeFixtures)
#include "tst_mimefixtures.moc"
