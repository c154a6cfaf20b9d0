// The TNEF stream reader: attributes, property lists, values, code pages,
// every error text, hostile lengths and counts, chunked copies through
// sequential devices, agreement with Debian's tnef, and quernal-cli tnef-list.
#include "SequentialBuffer.h"
#include "TTnefAttribute.h"
#include "TTnefProperty.h"
#include "TTnefPropertyReader.h"
#include "TTnefReader.h"
#include "TextCodec.h"
#include "TnefWriter.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr quint8 kMsg = TnefWriter::kMessage;
constexpr quint8 kAtt = TnefWriter::kAttachment;
constexpr quint32 kTitle = 0x00018010;
constexpr quint32 kAttachData = 0x0006800F;
constexpr quint32 kRenderData = 0x00069002;
constexpr quint32 kAttachment = 0x00069005;
constexpr quint32 kMapiProps = 0x00069003;
constexpr quint16 kFilename = 0x3704;
constexpr quint16 kLongFilename = 0x3707;
constexpr quint16 kDisplayName = 0x3001;
constexpr quint16 kAttachDataId = 0x3701;

const QByteArray kGuid = QByteArray::fromHex("0703020000000000c000000000000046");  // IID_IMessage

// Every stream a test builds, kept for the fuzzer's seed corpus.
QList<QByteArray> &builtStreams()
{
    static QList<QByteArray> all;
    return all;
}

QByteArray kept(const QByteArray &stream)
{
    builtStreams() << stream;
    return stream;
}

// A sequential sink that remembers how much each write handed it.
class RecordingDevice : public QIODevice
{
public:
    RecordingDevice() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }
    QList<qint64> writes;
    QByteArray bytes;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 len) override
    {
        writes << len;
        bytes.append(data, len);
        return len;
    }
};

std::unique_ptr<QIODevice> device(const QByteArray &bytes, bool sequential)
{
    if (sequential)
        return std::make_unique<SequentialBuffer>(bytes);
    auto b = std::make_unique<QBuffer>();
    b->setData(bytes);
    b->open(QIODevice::ReadOnly);
    return b;
}

// Loads an item that copies into a stream; gives the number of bytes copied.
template <typename Item, typename Source>
QString copiedSize(Source &source)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    Item(source, &sink).Load();
    return QString::number(sink.size());
}

// Walks a stream the way attachment extraction does: titles, data, names and
// bodies loaded, all else skipped. Returns a line per item, or throws.
QStringList walk(QIODevice *in)
{
    QStringList seen;
    TTnefReader r(in);
    while (r.NextAttribute()) {
        (void)r.AttributeType();
        const QString at = QString::fromLatin1(TnefAttributeTagName(r.AttributeTag()));
        switch (r.AttributeTag()) {
        case TTnefAttributeTag::agAttachTitle: {
            TAttachTitleAttribute t(r);
            t.Load();
            seen << at + "=" + t.Title();
            break;
        }
        case TTnefAttributeTag::agAttachData:
            seen << at + "=" + copiedSize<TAttachDataAttribute>(r);
            break;
        case TTnefAttributeTag::agMapiProperties:
        case TTnefAttributeTag::agAttachment: {
            TTnefPropertyReader pr(r);
            while (pr.NextProperty()) {
                const TTnefPropertyTag &tag = pr.PropertyTag();
                const QString id = QString::number(tag.RawId(), 16);
                switch (tag.Id()) {
                case TTnefPropertyId::piAttachFilename:
                case TTnefPropertyId::piAttachLongFilename:
                case TTnefPropertyId::piDisplayName: {
                    TAttachStringProperty s(pr);
                    s.Load();
                    seen << id + "=" + s.Value();
                    break;
                }
                case TTnefPropertyId::piAttachData:
                    seen << id + "=" + copiedSize<TAttachDataProperty>(pr);
                    break;
                case TTnefPropertyId::piBody:
                case TTnefPropertyId::piBodyHtml:
                case TTnefPropertyId::piRtfCompressed:
                    seen << id + "=" + copiedSize<TAttachStreamProperty>(pr);
                    break;
                default:
                    seen << id;
                }
            }
            break;
        }
        default:
            seen << at;
        }
    }
    return seen;
}

template <typename F>
QString errorOf(F f)
{
    try {
        f();
    } catch (const ETnefError &e) {
        return e.Text();
    }
    return QString();
}

QString walkError(const QByteArray &stream, bool sequential)
{
    auto in = device(stream, sequential);
    try {
        walk(in.get());
    } catch (const ETnefError &e) {
        return e.Text();
    }
    return QString();
}

QByteArray attachmentList(const QString &longName)
{
    return TnefPropertyList().unicode(kLongFilename, longName).longValue(0x0E21, 0).bytes();
}

QByteArray pattern(int size, int seed)
{
    QByteArray b(size, Qt::Uninitialized);
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (char &c : b) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 16);
    }
    return b;
}

// Two attachments as Outlook writes them, each opened by agAttachRenderData.
QByteArray outlookStream(const QByteArray &a, const QByteArray &b)
{
    const QByteArray render = TnefWriter::le16(1) + TnefWriter::le32(0xFFFFFFFF) + TnefWriter::le32(0xFFFFFFFF) +
                              TnefWriter::le16(0xFFFF) + TnefWriter::le16(0xFFFF);
    TnefWriter w;
    w.version().oemCodePage(932);
    w.attribute(kMsg, kMapiProps, TnefPropertyList().string8(0x1000, "body text").bytes());
    w.attribute(kAtt, kRenderData, render);
    w.attribute(kAtt, kTitle, "a.pdf\0"_ba);
    w.attribute(kAtt, kAttachData, a);
    w.attribute(kAtt, kAttachment, attachmentList("first report.pdf"));
    w.attribute(kAtt, kRenderData, render);
    w.attribute(kAtt, kTitle, "b.xlsx\0"_ba);
    w.attribute(kAtt, kAttachData, b);
    w.attribute(kAtt, kAttachment, attachmentList("second.xlsx"));
    return kept(w.bytes());
}

void addDeviceRows(const char *name, const QByteArray &stream, const QString &text)
{
    QTest::newRow(QByteArray(name) + " random") << kept(stream) << false << text;
    QTest::newRow(QByteArray(name) + " sequential") << stream << true << text;
}

} // namespace

class TstTnef : public QObject
{
    Q_OBJECT
private slots:
    void cleanupTestCase();
    void headerOnly_data();
    void headerOnly();
    void partlyReadAttributeIsSkipped_data();
    void partlyReadAttributeIsSkipped();
    void unknownTagIsNullAndSkipped();
    void unicodeValueLengths();
    void binaryCopiedThenNextProperty_data();
    void binaryCopiedThenNextProperty();
    void multiValuedUnicode();
    void namedPropertyPadding_data();
    void namedPropertyPadding();
    void valueBytesAndGuids();
    void partlyReadValuesAreSkipped();
    void unknownCodePageFallsBackToAnsi();
    void codePages_data();
    void codePages();
    void errorTexts_data();
    void errorTexts();
    void hostileInput_data();
    void hostileInput();
    void everyTruncationEndsInAnError();
    void sequentialCopyInChunks();
    void failedWriteIsAnError();
    void agreesWithDebianTnef();
    void cliTnefList_data();
    void cliTnefList();
};

void TstTnef::headerOnly_data()
{
    QTest::addColumn<bool>("sequential");
    QTest::newRow("random") << false;
    QTest::newRow("sequential") << true;
}

void TstTnef::headerOnly()
{
    QFETCH(bool, sequential);
    const QByteArray stream = kept(TnefWriter(0xBEEF).bytes());
    QCOMPARE(stream.size(), 6);
    auto in = device(stream, sequential);
    TTnefReader r(in.get());
    QCOMPARE(r.AttachmentKey(), quint16(0xBEEF));
    QVERIFY(!r.NextAttribute());
    QVERIFY(!r.NextAttribute());
    QCOMPARE(r.TnefVersion(), 0u);
    QCOMPARE(r.OemCodePage(), 0u);
}

void TstTnef::partlyReadAttributeIsSkipped_data()
{
    headerOnly_data();
}

void TstTnef::partlyReadAttributeIsSkipped()
{
    QFETCH(bool, sequential);
    // A wrong checksum on the partly read value: it must not be looked at.
    TnefWriter w;
    w.attribute(kAtt, kAttachData, "0123456789", 10, quint16(0xDEAD));
    w.attribute(kAtt, kTitle, "next.txt\0"_ba);
    auto in = device(kept(w.bytes()), sequential);
    TTnefReader r(in.get());
    QVERIFY(r.NextAttribute());
    QCOMPARE(r.AttributeTag(), TTnefAttributeTag::agAttachData);
    QCOMPARE(r.ReadBytes(3), QByteArray("012"));
    r.ValidateChecksum();  // not at the value's end: nothing is compared
    QVERIFY(r.NextAttribute());
    QCOMPARE(r.AttributeTag(), TTnefAttributeTag::agAttachTitle);
    QCOMPARE(r.AttributeLevel(), TTnefAttributeLevel::alAttachment);
    TAttachTitleAttribute t(r);
    t.Load();
    QCOMPARE(t.Title(), QStringLiteral("next.txt"));
    QVERIFY(!r.NextAttribute());
}

void TstTnef::unknownTagIsNullAndSkipped()
{
    TnefWriter w;
    w.attribute(kMsg, 0x00061234, QByteArray(37, 'x'));
    w.attribute(kMsg, 0x00000000, QByteArray(3, 'y'));
    w.attribute(kAtt, kTitle, "t\0"_ba);
    const QByteArray stream = kept(w.bytes());
    QBuffer in;
    in.setData(stream);
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    QCOMPARE(r.AttributeTag(), TTnefAttributeTag::agNull);
    QCOMPARE(r.RawAttributeTag(), 0x00061234u);
    QCOMPARE(r.AttributeType(), TTnefAttributeType::atByte);
    QCOMPARE(r.AttributeLength(), 37);
    QVERIFY(r.NextAttribute());
    QCOMPARE(r.AttributeTag(), TTnefAttributeTag::agNull);
    QCOMPARE(r.AttributeType(), TTnefAttributeType::atTriples);
    QVERIFY(r.NextAttribute());
    QCOMPARE(r.AttributeTag(), TTnefAttributeTag::agAttachTitle);
    QCOMPARE(r.ReadString(), QStringLiteral("t"));
    QVERIFY(!r.NextAttribute());
}

void TstTnef::unicodeValueLengths()
{
    TnefWriter w;
    w.attribute(kAtt, kAttachment, TnefPropertyList().unicode(kDisplayName, "ab").longValue(0x0E20, 77).bytes());
    const QByteArray stream = kept(w.bytes());
    // The stored value: length 6 (the zero pair included), then two padding bytes.
    QVERIFY(stream.contains(TnefWriter::le32(6) + "a\0b\0\0\0\0\0"_ba + TnefWriter::le16(3)));
    QBuffer in;
    in.setData(stream);
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    TAttachmentAttribute a(r);
    a.Load();
    TTnefPropertyReader &pr = a.PropertyReader();
    QVERIFY(pr.NextProperty());
    QCOMPARE(pr.PropertyTag().Id(), TTnefPropertyId::piDisplayName);
    QCOMPARE(pr.PropertyTag().PropertyType(), TTnefPropertyType::ptUnicode);
    QVERIFY(!pr.PropertyTag().IsNamed());
    QVERIFY(!pr.PropertyName());
    QVERIFY(pr.NextValue());
    QCOMPARE(pr.ValueCount(), 1);
    QCOMPARE(pr.ValueLength(), 8);
    QCOMPARE(pr.RawValueLength(), 6);
    QCOMPARE(pr.ReadStringValue(), QStringLiteral("ab"));
    QVERIFY(!pr.NextValue());
    QVERIFY(pr.NextProperty());
    QVERIFY(pr.NextValue());
    QCOMPARE(errorOf([&] { pr.ReadBytesValue(); }), QStringLiteral("Invalid property value"));
    QCOMPARE(errorOf([&] { pr.ReadStringValue(); }), QStringLiteral("Invalid property value"));
}

void TstTnef::binaryCopiedThenNextProperty_data()
{
    headerOnly_data();
}

void TstTnef::binaryCopiedThenNextProperty()
{
    QFETCH(bool, sequential);
    const QByteArray data = pattern(1001, 1);
    TnefWriter w;
    w.attribute(kMsg, kMapiProps,
                TnefPropertyList().binary(0x1009, data).string8(kDisplayName, "after").bytes());
    auto in = device(kept(w.bytes()), sequential);
    TTnefReader r(in.get());
    QVERIFY(r.NextAttribute());
    TMapiPropertiesAttribute m(r);
    m.Load();
    TTnefPropertyReader &pr = m.PropertyReader();
    QVERIFY(pr.NextProperty());
    QCOMPARE(pr.PropertyTag().Id(), TTnefPropertyId::piRtfCompressed);
    QTemporaryDir dir;
    QFile file(dir.filePath("rtf.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    TMapiRtfCompressedProperty rtf(pr, &file);
    rtf.Load();
    file.close();
    QCOMPARE(pr.ValueLength(), 1004);
    QCOMPARE(file.size(), 1001);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), data);
    QVERIFY(pr.NextProperty());
    QCOMPARE(pr.PropertyTag().Id(), TTnefPropertyId::piDisplayName);
    TAttachStringProperty name(pr);
    name.Load();
    QCOMPARE(name.Value(), QStringLiteral("after"));
    QVERIFY(!pr.NextProperty());  // and the checksum of the whole list held
    QVERIFY(!r.NextAttribute());
}

void TstTnef::multiValuedUnicode()
{
    const QByteArray property = TnefPropertyList::tag(0x101F, 0x8001) + TnefPropertyList::nameById(kGuid, 0x8233) +
                                TnefPropertyList::values({TnefWriter::unicodeZ("one"), TnefWriter::unicodeZ("three!"),
                                                          TnefWriter::unicodeZ("")});
    TnefWriter w;
    w.attribute(kMsg, kMapiProps, TnefPropertyList().add(property).longValue(0x0E07, 1).bytes());
    QBuffer in;
    in.setData(kept(w.bytes()));
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    TTnefPropertyReader pr(r);
    QVERIFY(pr.NextProperty());
    QVERIFY(pr.PropertyTag().IsMultiValued());
    QCOMPARE(pr.PropertyTag().PropertyType(), TTnefPropertyType::ptUnicode);
    QVERIFY(pr.PropertyTag().IsNamed());
    QCOMPARE(pr.PropertyName()->Kind(), TTnefNameIdKind::ikId);
    QCOMPARE(pr.PropertyName()->Number(), 0x8233u);
    QCOMPARE(pr.PropertyName()->Guid(), QUuid("{00020307-0000-0000-C000-000000000046}"));
    const QList<std::pair<QString, qint64>> expected = {{"one", 8}, {"three!", 16}, {"", 4}};
    for (const auto &[text, length] : expected) {
        QVERIFY(pr.NextValue());
        QCOMPARE(pr.ValueCount(), 3);
        QCOMPARE(pr.ValueLength(), length);
        QCOMPARE(pr.ReadStringValue(), text);
    }
    QVERIFY(!pr.NextValue());
    QVERIFY(pr.NextProperty());
    QCOMPARE(pr.PropertyTag().PropertyType(), TTnefPropertyType::ptLong);
    QVERIFY(!pr.NextProperty());
}

void TstTnef::namedPropertyPadding_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("storedLength");
    QTest::newRow("nine characters: 20 bytes, no padding") << "ninechars" << 20;
    QTest::newRow("one character: 4 bytes, no padding") << "x" << 4;
    QTest::newRow("two characters: 6 bytes and 2 padding") << "xy" << 6;
}

void TstTnef::namedPropertyPadding()
{
    QFETCH(QString, name);
    QFETCH(int, storedLength);
    const QByteArray named = TnefPropertyList::nameByName(kGuid, name);
    QCOMPARE(qFromLittleEndian<qint32>(named.constData() + 20), storedLength);
    const QByteArray property = TnefPropertyList::tag(0x0003, 0x8010) + named + TnefWriter::le32(0x11223344);
    TnefWriter w;
    w.attribute(kMsg, kMapiProps, TnefPropertyList().add(property).string8(kDisplayName, "x").bytes());
    QBuffer in;
    in.setData(kept(w.bytes()));
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    TTnefPropertyReader pr(r);
    QVERIFY(pr.NextProperty());
    QCOMPARE(pr.PropertyName()->Kind(), TTnefNameIdKind::ikName);
    QCOMPARE(pr.PropertyName()->Name(), name);
    QVERIFY(pr.NextValue());
    QCOMPARE(pr.ReadBytes(4), TnefWriter::le32(0x11223344));  // directly after the name
    QVERIFY(pr.NextProperty());
    QCOMPARE(pr.PropertyTag().Id(), TTnefPropertyId::piDisplayName);
    QVERIFY(!pr.NextProperty());
}

void TstTnef::valueBytesAndGuids()
{
    // A byte value is the stored bytes, not its padding; an object's data
    // follows its interface GUID; binary attachment data has none.
    const QByteArray data = pattern(21, 7);
    const QByteArray classId = pattern(16, 8);
    TnefWriter w;
    w.attribute(kAtt, kAttachment,
                TnefPropertyList()
                    .binary(0x3702, data)
                    .add(TnefPropertyList::tag(0x0048, 0x3709) + classId)
                    .object(kAttachDataId, kGuid, data)
                    .binary(kAttachDataId, data)
                    .bytes());
    QBuffer in;
    in.setData(kept(w.bytes()));
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    TTnefPropertyReader pr(r);
    QVERIFY(pr.NextProperty());
    QVERIFY(pr.NextValue());
    QCOMPARE(pr.ReadBytesValue(), data);
    QVERIFY(pr.NextProperty());
    QVERIFY(pr.NextValue());
    QCOMPARE(pr.ReadBytesValue(), classId);
    for (bool object : {true, false}) {
        QVERIFY(pr.NextProperty());
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        TAttachDataProperty d(pr, &sink);
        d.Load();
        QCOMPARE(sink.data(), data);
        QCOMPARE(d.Guid(), object ? QUuid("{00020307-0000-0000-C000-000000000046}") : QUuid());
    }
    QVERIFY(!pr.NextProperty());
}

void TstTnef::partlyReadValuesAreSkipped()
{
    // Values and properties left half read are skipped through the checksum,
    // so the list's checksum still holds and the next item is found.
    const QByteArray property = TnefPropertyList::tag(0x1102, 0x3702) +
                                TnefPropertyList::values({pattern(10, 1), pattern(7, 2), pattern(5, 3)});
    TnefWriter w;
    w.attribute(kAtt, kAttachment,
                TnefPropertyList().add(property).binary(0x3703, pattern(9, 4)).string8(kFilename, "end").bytes());
    QBuffer in;
    in.setData(kept(w.bytes()));
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    TTnefPropertyReader pr(r);
    QVERIFY(pr.NextProperty());
    QVERIFY(pr.NextValue());
    QCOMPARE(pr.ReadBytes(3), pattern(10, 1).left(3));
    QVERIFY(pr.NextValue());  // the rest of the first value is skipped
    QCOMPARE(pr.ReadBytesValue(), pattern(7, 2));
    QVERIFY(pr.NextProperty());  // the third value is skipped unread
    QVERIFY(pr.NextValue());
    QCOMPARE(pr.ReadBytes(2), pattern(9, 4).left(2));
    QVERIFY(pr.NextProperty());
    TAttachStringProperty s(pr);
    s.Load();
    QCOMPARE(s.Value(), QStringLiteral("end"));
    QVERIFY(!pr.NextProperty());
}

void TstTnef::unknownCodePageFallsBackToAnsi()
{
    const QString title = QStringLiteral("日本語ファイル.txt");
    TnefWriter w;
    w.oemCodePage(12345);
    w.attribute(kAtt, kTitle, TextCodec::encode(title, TextCodec::systemCodePage()).value() + '\0');
    QBuffer in;
    in.setData(kept(w.bytes()));
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    QCOMPARE(r.AttributeTag(), TTnefAttributeTag::agOemCodepage);
    QCOMPARE(r.OemCodePage(), 12345u);
    const TTnefEncoding e = r.GetEncoding();
    QVERIFY(e.IsFallback());
    QCOMPARE(e.Charset(), TextCodec::systemCodePage());
    QVERIFY(r.NextAttribute());
    TAttachTitleAttribute t(r);
    t.Load();
    QCOMPARE(t.Title(), title);
}

void TstTnef::codePages_data()
{
    QTest::addColumn<quint32>("codePage");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("title");
    const QString mitsumori = QStringLiteral("見積書①.pdf");
    QTest::newRow("932 Shift_JIS") << 932u << TextCodec::encode(mitsumori, "CP932").value() << mitsumori;
    QTest::newRow("1252 Western") << 1252u << QByteArray("Caf\xE9 \x80.doc") << QStringLiteral("Café €.doc");
    QTest::newRow("65001 UTF-8") << 65001u << mitsumori.toUtf8() << mitsumori;
    QTest::newRow("50220 ISO-2022-JP, NEC circled digit")
        << 50220u << TextCodec::encode(QStringLiteral("見積書"), "ISO-2022-JP").value() + "\x1B$B-!\x1B(B.pdf"
        << mitsumori;
    QTest::newRow("936 GBK") << 936u << QByteArray("\xD6\xD0\xCE\xC4.txt") << QStringLiteral("中文.txt");
    QTest::newRow("0 is ANSI") << 0u << mitsumori.toUtf8() << mitsumori;
    QTest::newRow("932, a broken byte") << 932u << QByteArray("a\x81.txt") << QStringLiteral("a\uFFFD.txt");
}

void TstTnef::codePages()
{
    QFETCH(quint32, codePage);
    QFETCH(QByteArray, stored);
    QFETCH(QString, title);
    TnefWriter w;
    w.version().oemCodePage(codePage);
    w.attribute(kAtt, kTitle, stored + '\0');
    w.attribute(kAtt, kAttachment, TnefPropertyList().string8(kFilename, stored).bytes());
    auto in = device(kept(w.bytes()), false);
    QCOMPARE(walk(in.get()), QStringList({"agTnefVersion", "agOemCodepage", "agAttachTitle=" + title,
                                          "3704=" + title}));
}

void TstTnef::errorTexts_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<QString>("text");
    auto props = [](const QByteArray &list) {
        TnefWriter w;
        w.attribute(kAtt, kAttachment, list);
        return w.bytes();
    };
    addDeviceRows("wrong signature", TnefWriter(1, 0x223E9F77).bytes(), "Invalid TNEF format");
    addDeviceRows("title longer than the stream",
                  TnefWriter().attribute(kAtt, kTitle, "abc\0"_ba, 0x7FFFFFFF).bytes(), "Invalid Stream");
    addDeviceRows("unread attribute ends beyond the stream",
                  TnefWriter().attribute(kAtt, 0x00060077, QByteArray(10, 'z'), 100).bytes(), "Invalid stream");
    addDeviceRows("version value shorter than its number",
                  TnefWriter().attribute(kMsg, 0x00089006, TnefWriter::le32(1), 0).version().bytes(),
                  "The attribute was read incorrectly");
    addDeviceRows("level 3", TnefWriter().attribute(3, kTitle, "x\0"_ba).bytes(), "Invalid attribute level");
    addDeviceRows("type bits 0xF", TnefWriter().attribute(kAtt, 0x000F0001, "x").bytes(), "Invalid attribute type");
    addDeviceRows("title checksum", TnefWriter().attribute(kAtt, kTitle, "x.pdf\0"_ba, 6, 0x1234).bytes(),
                  "Invalid checksum");
    addDeviceRows("negative property count", props(TnefPropertyList().statedCount(-1).bytes()),
                  "Invalid Property Count");
    addDeviceRows("name kind 2",
                  props(TnefPropertyList()
                            .add(TnefPropertyList::tag(0x0003, 0x8001) + kGuid + TnefWriter::le32(2) +
                                 TnefWriter::le32(0) + TnefWriter::le32(0))
                            .bytes()),
                  "Invalid NameId");
    addDeviceRows("type outside the table",
                  props(TnefPropertyList().add(TnefPropertyList::tag(0x0099, 0x6001) + TnefWriter::le32(0)).bytes()),
                  "Invalid Property Type");
    addDeviceRows("file name as a number", props(TnefPropertyList().longValue(kFilename, 5).bytes()),
                  "Invalid property value");
    addDeviceRows("object shorter than its GUID",
                  props(TnefPropertyList()
                            .add(TnefPropertyList::tag(0x000D, kAttachDataId) + TnefPropertyList::values({"12345678"}))
                            .longValue(0x0E21, 1)
                            .bytes()),
                  "The property was read incorrectly");
}

void TstTnef::errorTexts()
{
    QFETCH(QByteArray, stream);
    QFETCH(bool, sequential);
    QFETCH(QString, text);
    QCOMPARE(walkError(stream, sequential), text);
}

void TstTnef::hostileInput_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<QString>("text");
    auto props = [](const QByteArray &list, qint32 statedLength = -1) {
        TnefWriter w;
        w.attribute(kAtt, kAttachment, list, statedLength < 0 ? qint32(list.size()) : statedLength);
        return w.bytes();
    };
    auto one = [](quint16 type, quint16 id, const QByteArray &rest) {
        return TnefPropertyList().add(TnefPropertyList::tag(type, id) + rest).bytes();
    };
    const QByteArray filler = QByteArray(64, '\0');
    addDeviceRows("negative title length", TnefWriter().attribute(kAtt, kTitle, "x\0"_ba, -5).bytes(),
                  "Invalid Stream");
    for (qint32 length : {-1, -2, -9})
        addDeviceRows(qPrintable(QStringLiteral("negative length %1 of a skipped attribute").arg(length)),
                      TnefWriter().attribute(kAtt, 0x00060077, "abcdefgh", length).version().bytes(),
                      "The attribute was read incorrectly");
    addDeviceRows("attachment data of 2 GB in a small stream",
                  TnefWriter().attribute(kAtt, kAttachData, filler, 0x7FFFFFFF).bytes(), "Invalid Stream");
    addDeviceRows("skipped attribute of 2 GB", TnefWriter().attribute(kAtt, 0x00060077, filler, 0x7FFFFFFF).bytes(),
                  "Invalid stream");
    addDeviceRows("property count 2^31-1", props(TnefPropertyList().longValue(0x0E21, 1).statedCount(0x7FFFFFFF).bytes()),
                  "Invalid Stream");
    addDeviceRows("binary value count 2^31-1", props(one(0x0102, 0x3702, TnefWriter::le32(0x7FFFFFFF) + filler)),
                  "Invalid Stream");
    // Size-less values would let a value loop run 2^31 times reading nothing.
    addDeviceRows("multi-valued ptNull, count 2^31-1",
                  props(one(0x1001, 0x6002, TnefWriter::le32(0x7FFFFFFF) + filler), 0x7FFFFFFF), "Invalid Property Type");
    addDeviceRows("multi-valued ptUnspecified, count 1", props(one(0x1000, 0x6002, TnefWriter::le32(1) + filler)),
                  "Invalid Property Type");
    // Unbounded by a stream size (sequential), the values are read four
    // bytes each up to the end.
    addDeviceRows("fixed values, count 2^31-16, attribute of 2 GB",
                  props(one(0x1003, 0x6003, TnefWriter::le32(0x7FFFFFF0) + filler), 0x7FFFFFFF), "Invalid Stream");
    addDeviceRows("fixed values, count 2^31-1", props(one(0x1003, 0x6003, TnefWriter::le32(0x7FFFFFFF) + filler)),
                  "Invalid Stream");
    // Values beyond the list's attribute would be read from the next one.
    addDeviceRows("value count beyond the attribute, the stream goes on",
                  TnefWriter()
                      .attribute(kAtt, kAttachment,
                                 one(0x1003, 0x6003, TnefWriter::le32(5) + TnefWriter::le32(1) + TnefWriter::le32(2)))
                      .attribute(kAtt, kTitle, "after.txt\0"_ba)
                      .bytes(),
                  "Invalid Stream");
    addDeviceRows("negative value count", props(one(0x001F, kDisplayName, TnefWriter::le32(-1) + filler)),
                  "Invalid Stream");
    addDeviceRows("negative value length",
                  props(one(0x0102, 0x3702, TnefWriter::le32(1) + TnefWriter::le32(-4) + filler)), "Invalid Stream");
    addDeviceRows("value length 2^31-1 skipped",
                  props(one(0x0102, 0x3702, TnefWriter::le32(1) + TnefWriter::le32(0x7FFFFFFF) + filler)),
                  "Invalid Stream");
    addDeviceRows("value length 2^31-1 read as text",
                  props(one(0x001E, kFilename, TnefWriter::le32(1) + TnefWriter::le32(0x7FFFFFFF) + filler)),
                  "Invalid Stream");
    addDeviceRows("value length 2^31-1 copied",
                  props(one(0x0102, kAttachDataId, TnefWriter::le32(1) + TnefWriter::le32(0x7FFFFFFF) + filler)),
                  "Invalid Stream");
    addDeviceRows("negative name length",
                  props(one(0x0003, 0x8004, kGuid + TnefWriter::le32(1) + TnefWriter::le32(-2) + filler)),
                  "Invalid Stream");
    addDeviceRows("name length 2^31-1",
                  props(one(0x0003, 0x8004, kGuid + TnefWriter::le32(1) + TnefWriter::le32(0x7FFFFFFF) + filler)),
                  "Invalid Stream");
    addDeviceRows("stream cut inside a header", TnefWriter().bytes().left(5), "Invalid Stream");
}

void TstTnef::hostileInput()
{
    errorTexts();
}

void TstTnef::everyTruncationEndsInAnError()
{
    // Cut anywhere, a good stream either still walks (the cut fell between
    // attributes) or ends in one of the fixed texts: never a crash, never garbage.
    const QByteArray full = outlookStream(pattern(300, 1), pattern(45, 2));
    const QStringList texts = {"Invalid Stream", "Invalid stream", "The attribute was read incorrectly"};
    int clean = 0;
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        for (bool sequential : {false, true}) {
            const QString e = walkError(full.left(cut), sequential);
            if (e.isEmpty())
                ++clean;
            else
                QVERIFY2(texts.contains(e), qPrintable(QStringLiteral("cut %1: %2").arg(cut).arg(e)));
        }
    }
    QCOMPARE(clean, 2 * 11);  // the header alone and the ten boundaries between the eleven attributes
    QCOMPARE(walkError(full, false), QString());
}

void TstTnef::sequentialCopyInChunks()
{
    const QByteArray attribute = pattern(10000, 3);
    const QByteArray property = pattern(9001, 4);
    TnefWriter w;
    w.attribute(kAtt, 0x00060077, pattern(5000, 5));  // skipped by reading
    w.attribute(kAtt, kAttachData, attribute);
    w.attribute(kAtt, kAttachment, TnefPropertyList().object(kAttachDataId, kGuid, property).bytes());
    SequentialBuffer in(kept(w.bytes()));
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    QVERIFY(r.NextAttribute());
    RecordingDevice first;
    TAttachDataAttribute(r, &first).Load();
    QCOMPARE(first.bytes, attribute);
    QVERIFY(r.NextAttribute());
    TAttachmentAttribute a(r);
    QVERIFY(a.PropertyReader().NextProperty());
    RecordingDevice second;
    TAttachDataProperty(a.PropertyReader(), &second).Load();
    QCOMPARE(second.bytes, property);
    QVERIFY(!a.PropertyReader().NextProperty());
    QVERIFY(!r.NextAttribute());
    for (const RecordingDevice *d : {&first, &second})
        for (qint64 size : d->writes)
            QVERIFY2(size > 0 && size <= 4096, qPrintable(QString::number(size)));
}

void TstTnef::failedWriteIsAnError()
{
    TnefWriter w;
    w.attribute(kAtt, kAttachData, pattern(100, 1));
    QBuffer in;
    in.setData(kept(w.bytes()));
    in.open(QIODevice::ReadOnly);
    TTnefReader r(&in);
    QVERIFY(r.NextAttribute());
    QBuffer closed;  // not open: every write fails
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): device not open");
    QCOMPARE(errorOf([&] { TAttachDataAttribute(r, &closed).Load(); }), QStringLiteral("Stream write error"));
}

void TstTnef::agreesWithDebianTnef()
{
    QVERIFY2(QFile::exists("/usr/bin/tnef"), "Debian's tnef is missing: run tools/install-deps.sh");
    const QByteArray a = pattern(70000, 11);
    const QByteArray b = pattern(4097, 12);
    const QByteArray stream = outlookStream(a, b);
    QTemporaryDir dir;
    const QString file = dir.filePath("winmail.dat");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(stream);
    f.close();
    QDir().mkpath(dir.filePath("theirs"));
    QProcess tnef;
    tnef.start("/usr/bin/tnef", {"-C", dir.filePath("theirs"), file});
    QVERIFY(tnef.waitForFinished(30000));
    QCOMPARE(tnef.exitCode(), 0);
    QVERIFY(f.open(QIODevice::ReadOnly));
    TTnefReader r(&f);
    QStringList names;
    while (r.NextAttribute()) {
        if (r.AttributeTag() != TTnefAttributeTag::agAttachData)
            continue;
        QBuffer ours;
        ours.open(QIODevice::WriteOnly);
        TAttachDataAttribute(r, &ours).Load();
        const QString name = names.isEmpty() ? "first report.pdf" : "second.xlsx";
        names << name;
        QFile theirs(dir.filePath("theirs/" + name));
        QVERIFY2(theirs.open(QIODevice::ReadOnly), qPrintable(name));
        QCOMPARE(ours.data(), theirs.readAll());
        QCOMPARE(ours.data(), names.size() == 1 ? a : b);
    }
    QCOMPARE(names.size(), 2);
    QCOMPARE(QDir(dir.filePath("theirs")).entryList(QDir::Files).size(), 2);
}

void TstTnef::cliTnefList_data()
{
    QTest::addColumn<QByteArray>("stream");  // empty: no file at all
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("outLines");
    QTest::addColumn<QString>("errText");
    const QByteArray named = TnefPropertyList::tag(0x101F, 0x8005) + TnefPropertyList::nameByName(kGuid, "Keywords") +
                             TnefPropertyList::values({TnefWriter::unicodeZ("a"), TnefWriter::unicodeZ("bc")});
    TnefWriter good;
    good.version().oemCodePage(932);
    good.attribute(kMsg, kMapiProps, TnefPropertyList().add(named).longValue(0x6777, 3).bytes());
    good.attribute(kAtt, kTitle, TextCodec::encode(QStringLiteral("見積.pdf"), "CP932").value() + '\0');
    good.attribute(kAtt, kAttachment, attachmentList("見積書.pdf"));
    QTest::newRow("good")
        << kept(good.bytes()) << 0
        << QStringList{"attachment key 0x4B1D",
                       "message    agTnefVersion 0x00089006 atDWord length 4 version 0x00010000",
                       "message    agOemCodepage 0x00069007 atByte length 8 code page 932",
                       "message    agMapiProperties 0x00069003 atByte length 84",
                       "    property 1/2: 0x8005 ptUnicode (multi-valued) named "
                       "{00020307-0000-0000-c000-000000000046} \"Keywords\" values 2 [4 6 bytes]",
                       "    property 2/2: 0x6777 ptLong values 1 [4 bytes]",
                       "attachment agAttachTitle 0x00018010 atString length 9 \"見積.pdf\"",
                       "attachment agAttachment 0x00069005 atByte length 40",
                       "    property 1/2: piAttachLongFilename 0x3707 ptUnicode values 1 [16 bytes]",
                       "    property 2/2: piAttachNum 0x0E21 ptLong values 1 [4 bytes]"}
        << QString();
    TnefWriter broken;
    broken.attribute(kAtt, kTitle, "x.pdf\0"_ba, 6, 0x1234);
    QTest::newRow("bad checksum") << kept(broken.bytes()) << 1 << QStringList() << "Invalid checksum\n";
    QTest::newRow("missing file") << QByteArray() << 2 << QStringList() << QString();
}

void TstTnef::cliTnefList()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, exitCode);
    QFETCH(QStringList, outLines);
    QFETCH(QString, errText);
    QTemporaryDir dir;
    const QString file = dir.filePath("winmail.dat");
    if (!stream.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(stream);
    }
    QProcess cli;
    cli.start(QUERNAL_BIN_DIR "/quernal-cli", {"tnef-list", file});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), exitCode);
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    if (exitCode == 0) {
        QCOMPARE(err, QString());
        QStringList lines = out.split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.last().startsWith("end at "));
        lines.removeLast();
        QCOMPARE(lines, outLines);
    } else if (!errText.isEmpty()) {
        QCOMPARE(err, errText);
    } else {
        QVERIFY(err.contains(file));
    }
}

void TstTnef::cleanupTestCase()
{
    // QUERNAL_TNEF_CORPUS=DIR writes every stream built here as a fuzzing seed.
    const QString dir = qEnvironmentVariable("QUERNAL_TNEF_CORPUS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    for (const QByteArray &s : builtStreams()) {
        QFile f(dir + "/" + QCryptographicHash::hash(s, QCryptographicHash::Sha1).toHex().left(16) + ".tnef");
        if (f.open(QIODevice::WriteOnly))
            f.write(s);
    }
}

QTEST_GUILESS_MAIN(TstTnef)
#include "tst_tnef.moc"
