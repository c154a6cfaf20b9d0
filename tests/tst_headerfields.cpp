// Deriving the eight index fields from a message.
#include "HeaderFields.h"
#include "MimeReader.h"
#include "ParameterTable.h"

#include <QtTest>

namespace {
HeaderFields fieldsOf(const QByteArray &message, const ParameterTable &params = ParameterTable())
{
    MimeReader r;
    r.loadFromBytes(message);
    return HeaderFields::derive(r, params);
}
} // namespace

class TstHeaderFields : public QObject
{
    Q_OBJECT
private slots:
    void monthNumber_data();
    void monthNumber();
    void apparentlyToDate_data();
    void apparentlyToDate();
    void toFields_data();
    void toFields();
    void accountLookup_data();
    void accountLookup();
    void senderNameMarks_data();
    void senderNameMarks();
    void messageIdAndDate();
    void encodedWords_data();
    void encodedWords();
    void jisConversion();
};

void TstHeaderFields::monthNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("month");
    QTest::newRow("Jan") << "Jan" << "01";
    QTest::newRow("full name") << "September" << "09";
    QTest::newRow("any case") << "dEc" << "12";
    QTest::newRow("May") << "May" << "05";
    QTest::newRow("first match wins") << "Jun-Jan" << "01";
    QTest::newRow("no name") << "Foo" << "0";
}

void TstHeaderFields::monthNumber()
{
    QFETCH(QString, text);
    QFETCH(QString, month);
    QCOMPARE(HeaderFields::monthNumber(text), month);
}

void TstHeaderFields::apparentlyToDate_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDateTime>("date");
    QTest::newRow("zone ignored") << "user@example.com via 1.2.3.4; Sat, 24 Oct 2009 05:12:35 +0000"
                                  << QDateTime(QDate(2009, 10, 24), QTime(5, 12, 35));
    QTest::newRow("one-digit day") << "a; Mon, 5 Jan 2026 23:00:01 -0800" << QDateTime(QDate(2026, 1, 5), QTime(23, 0, 1));
    QTest::newRow("month matching no name") << "a; Sat, 24 Xyz 2009 05:12:35 +0000" << QDateTime();
    QTest::newRow("too few items") << "a; 24 Oct 2009" << QDateTime();
    QTest::newRow("double blank shifts items") << "a; Sat,  24 Oct 2009 05:12:35" << QDateTime();
}

void TstHeaderFields::apparentlyToDate()
{
    QFETCH(QString, value);
    QFETCH(QDateTime, date);
    QCOMPARE(HeaderFields::apparentlyToDate(value), date);
    // The same through a whole message without a Date header.
    const HeaderFields f = fieldsOf("From: a@x\r\nX-Apparently-To: " + value.toUtf8() + "\r\n\r\nbody\r\n");
    QCOMPARE(f.date, date);
    QCOMPARE(f.dateText(), date.isValid() ? date.toString("yyyy/MM/dd hh:mm:ss") : QString());
}

void TstHeaderFields::toFields_data()
{
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("UTF-8 B word in quotes") << QByteArray("\"=?UTF-8?B?5bGx55Sw5aSq6YOO?=\" <taro@example.jp>")
                                            << "山田太郎" << "taro@example.jp";
    QTest::newRow("ISO-2022-JP B word") << QByteArray("=?ISO-2022-JP?B?GyRCOzNFRBsoQg==?= <y@example.jp>") << "山田"
                                        << "y@example.jp";
    QTest::newRow("Q word, decoded as Q") << QByteArray("=?UTF-8?Q?Caf=C3=A9_Fran=C3=A7ois?= <f@example.fr>")
                                          << "Café François" << "f@example.fr";
    QTest::newRow("Latin-1 Q word") << QByteArray("=?ISO-8859-1?Q?J=FCrgen?= <j@example.de>") << "Jürgen"
                                    << "j@example.de";
    QTest::newRow("apostrophes") << QByteArray("'Hanako Suzuki' <h@example.jp>") << "Hanako Suzuki" << "h@example.jp";
    QTest::newRow("quotes then apostrophes") << QByteArray("\"'Ken'\" <k@example.jp>") << "Ken" << "k@example.jp";
    QTest::newRow("bare address") << QByteArray("solo@example.jp") << "" << "solo@example.jp";
    QTest::newRow("two addressees") << QByteArray("A <a@x>, B <b@x>") << "A" << "a@x";
    QTest::newRow("'>' before '<'") << QByteArray("x> y <z") << "x> y" << "x> y <z";
}

void TstHeaderFields::toFields()
{
    QFETCH(QByteArray, to);
    QFETCH(QString, name);
    QFETCH(QString, address);
    const HeaderFields f = fieldsOf("From: a@x\r\nTo: " + to + "\r\n\r\nb\r\n");
    QCOMPARE(f.toName, name);
    QCOMPARE(f.toAddress, address);
}

void TstHeaderFields::accountLookup_data()
{
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("name");
    QTest::newRow("bare address found") << QByteArray("TARO@example.jp") << "山田 太郎";
    QTest::newRow("display name is an address") << QByteArray("office@corp.example <office@corp.example>") << "Office";
    QTest::newRow("not found keeps the field") << QByteArray("nobody@example.jp") << "";
    QTest::newRow("named: no lookup") << QByteArray("Someone <taro@example.jp>") << "Someone";
}

void TstHeaderFields::accountLookup()
{
    QFETCH(QByteArray, to);
    QFETCH(QString, name);
    ParameterTable p;
    p.setValue("MailAccount1", "Office <office@corp.example>");
    p.setValue("MailAccount3", "山田 太郎 <taro@example.jp>");
    QCOMPARE(fieldsOf("From: a@x\r\nTo: " + to + "\r\n\r\nb\r\n", p).toName, name);
}

void TstHeaderFields::senderNameMarks_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophes") << QByteArray("'Jim' <j@x>") << "Jim";
    QTest::newRow("full-width brackets") << QByteArray("=?UTF-8?B?77yc5qCq5byP5Lya56S+77ye?= <s@x>") << "株式会社";
    QTest::newRow("only one mark") << QByteArray("'Jim <j@x>") << "'Jim";
    QTest::newRow("bare address") << QByteArray("j@x") << "";
}

void TstHeaderFields::senderNameMarks()
{
    QFETCH(QByteArray, from);
    QFETCH(QString, name);
    QCOMPARE(fieldsOf("From: " + from + "\r\n\r\nb\r\n").fromName, name);
}

void TstHeaderFields::messageIdAndDate()
{
    qputenv("TZ", "Asia/Tokyo");
    const HeaderFields f = fieldsOf("Message-Id:\r\n <abc@example.jp>\r\nDate: Thu, 10 Dec 2026 23:30:00 +0000\r\n"
                                    "X-Account-Key: account3\r\nSubject: =?UTF-8?B?5Lu25ZCN?=\r\n\r\nb\r\n");
    QCOMPARE(f.messageId, QString("<abc@example.jp>"));
    QCOMPARE(f.dateText(), QString("2026/12/11 08:30:00"));
    QCOMPARE(f.accountKey, QString("account3"));
    QCOMPARE(f.subject, QString("件名"));
    const HeaderFields none = fieldsOf("Date: not a date\r\n\r\nb\r\n");
    QVERIFY(!none.date.isValid());
}

void TstHeaderFields::encodedWords_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("adjacent words join") << "=?UTF-8?B?5pel?= =?UTF-8?B?5pys?=" << "日本";
    QTest::newRow("text around") << "Re: =?UTF-8?Q?caf=C3=A9?= ok" << "Re: café ok";
    QTest::newRow("adjacent ISO-2022-JP words")
        << "=?ISO-2022-JP?B?GyRCIVokNDBGRmIhWxsoQg==?= =?ISO-2022-JP?B?GyRCMys6RSRLJEQkJCRGGyhC?="
        << "【ご案内】開催について";
    QTest::newRow("unknown charset kept readable") << "=?X-UNKNOWN?B?YWJj?=" << "abc";
    QTest::newRow("broken base64") << "=?UTF-8?B?###?=" << "";
    QTest::newRow("no words") << "plain text" << "plain text";
}

void TstHeaderFields::encodedWords()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(HeaderFields::decodeEncodedWords(in), out);
}

void TstHeaderFields::jisConversion()
{
    QCOMPARE(JisToShiftJis(QByteArray("\x1b$B;3ED\x1b(B")), QString("山田"));
    QCOMPARE(JisToShiftJis(QByteArray()), QString());
    // Circled digits from Windows mailers (NEC row 13) come through too.
    QCOMPARE(JisToShiftJis(QByteArray("\x1b$B-!\x1b(B")), QString("①"));
}

QTEST_GUILESS_MAIN(TstHeaderFields)
#include "tst_headerfields.moc"
