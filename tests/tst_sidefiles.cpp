// Side files: encodings by byte-order mark, CR LF line ends, each file on its own.
#include "AppSettings.h"
#include "SideFile.h"
#include "TestEnv.h"

#include <QtTest>

using SideFile::Encoding;

class TstSideFiles : public QObject
{
    Q_OBJECT
private slots:
    void detectsByteOrderMark_data();
    void detectsByteOrderMark();
    void writesEachEncodingBackAsRead_data();
    void writesEachEncodingBackAsRead();
    void readAndWriteAtStartAndClose();
    void unreadableFilesLeaveListsEmpty();
};

void TstSideFiles::detectsByteOrderMark_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("fallback");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QStringList>("lines");
    const QStringList jp{"件名", "送信者"};
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF件名\r\n送信者\r\n") << int(Encoding::System)
                               << int(Encoding::Utf8Bom) << jp;
    QTest::newRow("UTF-16LE BOM") << QByteArray("\xFF\xFE\xF6\x4e\x0d\x54\r\0\n\0\x01\x90\xE1\x4F\x05\x80\r\0\n\0", 20)
                                  << int(Encoding::System) << int(Encoding::Utf16LeBom) << jp;
    QTest::newRow("no BOM, system code page") << QByteArray("件名\n送信者") << int(Encoding::System)
                                              << int(Encoding::System) << jp;
    QTest::newRow("no BOM, Shift_JIS from Windows") << QByteArray("\x8C\x8F\x96\xBC\r\n\x91\x97\x90\x4D\x8E\xD2\r\n")
                                                    << int(Encoding::System) << int(Encoding::System) << jp;
    QTest::newRow("no BOM, read as UTF-8") << QByteArray("件名\r送信者\r") << int(Encoding::Utf8Bom)
                                           << int(Encoding::Utf8Bom) << jp;
    QTest::newRow("empty lines kept, last break adds none")
        << QByteArray("\xEF\xBB\xBF" "a\r\n\r\nb\r\n") << int(Encoding::Utf8Bom) << int(Encoding::Utf8Bom)
        << QStringList{"a", "", "b"};
}

void TstSideFiles::detectsByteOrderMark()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, fallback);
    QFETCH(int, encoding);
    QFETCH(QStringList, lines);
    TestEnv env;
    const QString path = env.root() + "/f.txt";
    TestEnv::writeFile(path, bytes);
    auto r = SideFile::readLines(path, Encoding(fallback));
    QVERIFY(r.has_value());
    QCOMPARE(int(r->encoding), encoding);
    QCOMPARE(r->lines, lines);
}

void TstSideFiles::writesEachEncodingBackAsRead_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("UTF-8 BOM") << int(Encoding::Utf8Bom) << QByteArray("\xEF\xBB\xBF題目\r\nx\r\n");
    QTest::newRow("UTF-16LE BOM") << int(Encoding::Utf16LeBom) << QByteArray("\xFF\xFE\x4C\x98\xEE\x76\r\0\n\0x\0\r\0\n\0", 16);
    QTest::newRow("system") << int(Encoding::System) << QByteArray("題目\r\nx\r\n");
}

void TstSideFiles::writesEachEncodingBackAsRead()
{
    QFETCH(int, encoding);
    QFETCH(QByteArray, expected);
    TestEnv env;
    const QString path = env.root() + "/w.txt";
    QVERIFY(SideFile::writeLines(path, {"題目", "x"}, Encoding(encoding)));
    QCOMPARE(TestEnv::readFile(path), expected);
    auto back = SideFile::readLines(path, Encoding::System);
    QCOMPARE(back->lines, (QStringList{"題目", "x"}));
    QCOMPARE(int(back->encoding), encoding);
}

void TstSideFiles::readAndWriteAtStartAndClose()
{
    TestEnv env;
    const QString dir = env.root();
    // The mask list may come without a mark; it is written back with one.
    TestEnv::writeFile(dir + "/$MSK_List.Txt", "*.fdb\n*.txt\n");
    TestEnv::writeFile(dir + "/$RNK_Name.Txt", "\xEF\xBB\xBF" "顧客DB\r\n");
    TestEnv::writeFile(dir + "/$MailBody.rtf", "{\\rtf1 body}");
    AppSettings s;
    SettingsStore::readSideFiles(dir, s);
    QCOMPARE(s.mskList, (QStringList{"*.fdb", "*.txt"}));
    QCOMPARE(s.rnkNames, QStringList{"顧客DB"});
    QVERIFY(s.rnkNamesRead);
    QCOMPARE(s.mailBodyRtf, QByteArray("{\\rtf1 body}"));
    // A missing password file is created empty.
    QVERIFY(QFileInfo::exists(dir + "/$SMTPPass_Code"));
    QCOMPARE(QFileInfo(dir + "/$SMTPPass_Code").size(), 0);
    QVERIFY(s.smtpPassCode.isEmpty());

    s.mailAddressList = {"a@example.com"};
    SettingsStore::writeSideFiles(dir, s);
    QCOMPARE(TestEnv::readFile(dir + "/$MSK_List.Txt"), QByteArray("\xEF\xBB\xBF*.fdb\r\n*.txt\r\n"));
    QCOMPARE(TestEnv::readFile(dir + "/$MailAddressList.txt"), QByteArray("\xEF\xBB\xBF" "a@example.com\r\n"));
    QCOMPARE(TestEnv::readFile(dir + "/$RNK_Name.Txt"), QByteArray("\xEF\xBB\xBF顧客DB\r\n"));
    QCOMPARE(TestEnv::readFile(dir + "/$MailBody.rtf"), QByteArray("{\\rtf1 body}"));
}

void TstSideFiles::unreadableFilesLeaveListsEmpty()
{
    TestEnv env;
    const QString dir = env.root();
    // A folder where a file should be cannot be read or written; the others still work.
    QDir().mkpath(dir + "/$RNK_Name.Txt");
    TestEnv::writeFile(dir + "/$MSK_List.Txt", "*.x\r\n");
    AppSettings s;
    s.rnkNames = {"stale"};
    SettingsStore::readSideFiles(dir, s);
    QVERIFY(!s.rnkNamesRead);
    QVERIFY(s.rnkNames.isEmpty());
    QCOMPARE(s.mskList, QStringList{"*.x"});
    s.rnkNames = {"new"};
    s.mailAddressList = {"z@example.com"};
    SettingsStore::writeSideFiles(dir, s);
    QVERIFY(QFileInfo(dir + "/$RNK_Name.Txt").isDir());
    QCOMPARE(TestEnv::readFile(dir + "/$MailAddressList.txt"), QByteArray("\xEF\xBB\xBFz@example.com\r\n"));
}

QTEST_GUILESS_MAIN(TstSideFiles)
#include "tst_sidefiles.moc"
