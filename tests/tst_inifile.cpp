// The settings file must read and write like Windows' private-profile
// functions, so a file from a Windows installation works unchanged.
#include "IniFile.h"
#include "TestEnv.h"

#include <QtTest>

class TstIniFile : public QObject
{
    Q_OBJECT
private slots:
    void readsLikePrivateProfile_data();
    void readsLikePrivateProfile();
    void integers_data();
    void integers();
    void writeKeepsForeignLinesAndReplacesInPlace();
    void writesCrLfAndAtomically();
    void readsShiftJisFileFromWindows();
};

void TstIniFile::readsLikePrivateProfile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QString def = "<def>";
    QTest::newRow("plain") << "[Condition]\nHomePath=/x\n" << "Condition" << "HomePath" << "/x";
    QTest::newRow("key in other case") << "[Condition]\nHomePATH=/x\n" << "Condition" << "HomePath" << "/x";
    QTest::newRow("section in other case") << "[condition]\nHomePath=/x\n" << "CONDITION" << "homepath" << "/x";
    QTest::newRow("blanks around key and value") << "[A]\n  Key  =  v w  \n" << "A" << "Key" << "v w";
    QTest::newRow("no escaping of backslashes") << "[A]\nP=C:\\Users\\a b\\n\n" << "A" << "P" << "C:\\Users\\a b\\n";
    QTest::newRow("equals sign inside value") << "[A]\nK=a=b\n" << "A" << "K" << "a=b";
    QTest::newRow("enclosing quotes dropped") << "[A]\nK=\"quoted\"\n" << "A" << "K" << "quoted";
    QTest::newRow("first of duplicate keys wins") << "[A]\nK=1\nK=2\n" << "A" << "K" << "1";
    QTest::newRow("key in other section") << "[A]\nK=1\n[B]\n" << "B" << "K" << def;
    QTest::newRow("before any section is ignored") << "K=1\n[A]\n" << "A" << "K" << def;
    QTest::newRow("comment line") << "[A]\n;K=1\n" << "A" << "K" << def;
    QTest::newRow("empty value is a value") << "[A]\nK=\n" << "A" << "K" << "";
    QTest::newRow("Japanese text") << "[Connection]\nFromName=山田 太郎\n" << "Connection" << "FromName" << "山田 太郎";
    QTest::newRow("CR LF file") << "[A]\r\nK=v\r\n" << "A" << "K" << "v";
}

void TstIniFile::readsLikePrivateProfile()
{
    QFETCH(QString, text);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    IniFile ini;
    ini.parse(text);
    QCOMPARE(ini.readString(section, key, "<def>"), expected);
}

void TstIniFile::integers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << "640" << 640;
    QTest::newRow("negative") << "-500" << -500;
    QTest::newRow("0x hex") << "0x1F" << 31;
    QTest::newRow("0X upper") << "0XFF" << 255;
    QTest::newRow("colour with high bit") << "0xFFFFFFFF" << -1;
    QTest::newRow("not a number") << "abc" << 77;
    QTest::newRow("trailing garbage") << "12px" << 77;
    QTest::newRow("empty") << "" << 77;
    QTest::newRow("too large") << "99999999999" << 77;
}

void TstIniFile::integers()
{
    QFETCH(QString, value);
    QFETCH(int, expected);
    IniFile ini;
    ini.parse("[A]\nN=" + value + "\n");
    QCOMPARE(ini.readInteger("A", "N", 77), expected);
    // An unreadable value gives the default for booleans too.
    QCOMPARE(ini.readBool("A", "N", false), expected != 77 && expected != 0);
}

void TstIniFile::writeKeepsForeignLinesAndReplacesInPlace()
{
    IniFile ini;
    ini.parse("; made by hand\n[Window]\nLeft=1\nOther=keep\n\n[Mine]\nx=y\n");
    ini.writeInteger("window", "LEFT", 99);
    ini.writeInteger("Window", "Top", 7);
    ini.writeBool("New", "Flag", true);
    const QString out = ini.serialize();
    QCOMPARE(out, QString("; made by hand\r\n[Window]\r\nLEFT=99\r\nOther=keep\r\nTop=7\r\n\r\n"
                          "[Mine]\r\nx=y\r\n[New]\r\nFlag=1\r\n"));
    IniFile again;
    again.parse(out);
    QCOMPARE(again.readInteger("Window", "Left", 0), 99);
    QCOMPARE(again.readString("Mine", "x", ""), QString("y"));
}

void TstIniFile::writesCrLfAndAtomically()
{
    TestEnv env;
    const QString path = env.root() + "/Quernal.ini";
    TestEnv::writeFile(path, "[A]\nK=old\n");
    IniFile ini;
    QVERIFY(ini.load(path));
    ini.writeString("A", "K", "新しい");
    QVERIFY(ini.save(path));
    QCOMPARE(TestEnv::readFile(path), QByteArray("[A]\r\nK=新しい\r\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(env.root()).entryList(QDir::Files), QStringList{"Quernal.ini"});
    // A folder that cannot take the file makes save fail, not crash.
    QVERIFY(!ini.save(env.root() + "/missing/dir/Quernal.ini"));
    QVERIFY(!IniFile().load(env.root() + "/nothing.ini"));
}

void TstIniFile::readsShiftJisFileFromWindows()
{
    TestEnv env;
    const QString path = env.root() + "/sjis.ini";
    // "[Connection]\r\nFromName=山田\r\n" in Shift_JIS
    TestEnv::writeFile(path, QByteArray("[Connection]\r\nFromName=\x8E\x52\x93\x63\r\n"));
    IniFile ini;
    QVERIFY(ini.load(path));
    QCOMPARE(ini.readString("Connection", "FromName", ""), QString("山田"));
}

QTEST_GUILESS_MAIN(TstIniFile)
#include "tst_inifile.moc"
