// The MAPI property identifier table: its order, the rows the TNEF reader
// relies on, shared and unknown identifiers, and lookups against every row.
#include "TTnefPropertyId.h"

#include <QHash>
#include <QtTest>

#include <algorithm>
#include <cstring>

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// The published lists are ordered ignoring case, in ASCII order otherwise.
bool asciiLessIgnoringCase(const char *a, const char *b)
{
    const auto lessChar = [](char x, char y) { return asciiLower(x) < asciiLower(y); };
    return std::lexicographical_compare(a, a + std::strlen(a), b, b + std::strlen(b), lessChar);
}

quint16 raw(TTnefPropertyId id)
{
    return static_cast<quint16>(id);
}

const TTnefPropertyIdEntry *row(const char *name)
{
    for (const auto &e : TnefPropertyIdTable())
        if (std::strcmp(e.name, name) == 0)
            return &e;
    return nullptr;
}

} // namespace

class TstTnefPropertyId : public QObject
{
    Q_OBJECT
private slots:
    void tableIsAlphabetical();
    void usedRows_data();
    void usedRows();
    void sharedIdentifierGivesFirstName_data();
    void sharedIdentifierGivesFirstName();
    void unknownIdentifierIsNull_data();
    void unknownIdentifierIsNull();
    void lookupsAgreeWithEveryRow();
};

void TstTnefPropertyId::tableIsAlphabetical()
{
    const auto table = TnefPropertyIdTable();
    QCOMPARE(table.size(), std::size_t(496));
    for (std::size_t i = 0; i < table.size(); ++i) {
        QVERIFY2(std::strncmp(table[i].name, "pi", 2) == 0 && std::strlen(table[i].name) > 2,
                 table[i].name);
        if (i > 0)
            QVERIFY2(asciiLessIgnoringCase(table[i - 1].name, table[i].name),
                     qPrintable(QStringLiteral("%1 before %2").arg(table[i - 1].name, table[i].name)));
    }
}

void TstTnefPropertyId::usedRows_data()
{
    QTest::addColumn<quint16>("enumValue");
    QTest::addColumn<quint16>("id");
    QTest::newRow("piAttachData") << raw(TTnefPropertyId::piAttachData) << quint16(0x3701);
    QTest::newRow("piAttachFilename") << raw(TTnefPropertyId::piAttachFilename) << quint16(0x3704);
    QTest::newRow("piAttachLongFilename") << raw(TTnefPropertyId::piAttachLongFilename) << quint16(0x3707);
    QTest::newRow("piAttachMimeTag") << raw(TTnefPropertyId::piAttachMimeTag) << quint16(0x370E);
    QTest::newRow("piAttachContentBase") << raw(TTnefPropertyId::piAttachContentBase) << quint16(0x3711);
    QTest::newRow("piAttachContentId") << raw(TTnefPropertyId::piAttachContentId) << quint16(0x3712);
    QTest::newRow("piAttachContentLocation") << raw(TTnefPropertyId::piAttachContentLocation) << quint16(0x3713);
    QTest::newRow("piAttachDisposition") << raw(TTnefPropertyId::piAttachDisposition) << quint16(0x3716);
    QTest::newRow("piBody") << raw(TTnefPropertyId::piBody) << quint16(0x1000);
    QTest::newRow("piRtfCompressed") << raw(TTnefPropertyId::piRtfCompressed) << quint16(0x1009);
    QTest::newRow("piBodyHtml") << raw(TTnefPropertyId::piBodyHtml) << quint16(0x1013);
    QTest::newRow("piDisplayName") << raw(TTnefPropertyId::piDisplayName) << quint16(0x3001);
    QTest::newRow("piNull") << raw(TTnefPropertyId::piNull) << quint16(0x0000);
}

void TstTnefPropertyId::usedRows()
{
    QFETCH(quint16, enumValue);
    QFETCH(quint16, id);
    const char *name = QTest::currentDataTag();

    const TTnefPropertyIdEntry *e = row(name);
    QVERIFY2(e, name);
    QCOMPARE(e->id, id);
    QCOMPARE(enumValue, id);
    QCOMPARE(raw(TnefPropertyIdFromRaw(id)), id);
    QCOMPARE(TnefPropertyIdName(static_cast<TTnefPropertyId>(enumValue)), name);
}

void TstTnefPropertyId::sharedIdentifierGivesFirstName_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("later");
    QTest::addColumn<quint16>("laterEnumValue");
    QTest::addColumn<quint16>("id");
    QTest::newRow("HTML body") << QByteArray("piBodyHtml") << QByteArray("piHtml")
                               << raw(TTnefPropertyId::piHtml) << quint16(0x1013);
    QTest::newRow("office phone") << QByteArray("piBusinessTelephoneNumber") << QByteArray("piOfficeTelephoneNumber")
                                  << raw(TTnefPropertyId::piOfficeTelephoneNumber) << quint16(0x3A08);
    QTest::newRow("pager") << QByteArray("piBeeperTelephoneNumber") << QByteArray("piPagerTelephoneNumber")
                           << raw(TTnefPropertyId::piPagerTelephoneNumber) << quint16(0x3A21);
    QTest::newRow("city") << QByteArray("piBusinessAddressCity") << QByteArray("piLocality")
                          << raw(TTnefPropertyId::piLocality) << quint16(0x3A27);
}

void TstTnefPropertyId::sharedIdentifierGivesFirstName()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, later);
    QFETCH(quint16, laterEnumValue);
    QFETCH(quint16, id);

    QVERIFY(row(first.constData()) && row(first.constData())->id == id);
    QVERIFY(row(later.constData()) && row(later.constData())->id == id);
    QCOMPARE(laterEnumValue, id);
    // The enum value of the later name reads back as the first one.
    QCOMPARE(TnefPropertyIdName(static_cast<TTnefPropertyId>(laterEnumValue)), first.constData());
    QCOMPARE(TnefPropertyIdName(TnefPropertyIdFromRaw(id)), first.constData());
}

void TstTnefPropertyId::unknownIdentifierIsNull_data()
{
    QTest::addColumn<quint16>("id");
    QTest::newRow("gap among the body tags") << quint16(0x1005);
    QTest::newRow("gap among the message tags") << quint16(0x0E0B);
    QTest::newRow("first named") << quint16(0x8000);
    QTest::newRow("last named") << quint16(0xFFFE);
    QTest::newRow("all bits") << quint16(0xFFFF);
}

void TstTnefPropertyId::unknownIdentifierIsNull()
{
    QFETCH(quint16, id);
    QCOMPARE(TnefPropertyIdFromRaw(id), TTnefPropertyId::piNull);
    QCOMPARE(TnefPropertyIdName(static_cast<TTnefPropertyId>(id)), "piNull");
}

void TstTnefPropertyId::lookupsAgreeWithEveryRow()
{
    // Reference: walk the alphabetical rows, the first name seen for an identifier wins.
    QHash<quint16, const char *> firstName;
    for (const auto &e : TnefPropertyIdTable())
        if (!firstName.contains(e.id))
            firstName.insert(e.id, e.name);

    for (const auto &e : TnefPropertyIdTable()) {
        const TTnefPropertyId id = TnefPropertyIdFromRaw(e.id);
        QVERIFY2(raw(id) == e.id, e.name);
        QVERIFY2(std::strcmp(TnefPropertyIdName(id), firstName.value(e.id)) == 0, e.name);
    }
}

QTEST_GUILESS_MAIN(TstTnefPropertyId)
#include "tst_tnefpropertyid.moc"
