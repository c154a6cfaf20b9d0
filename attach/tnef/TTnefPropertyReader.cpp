#include "TTnefPropertyReader.h"

#include "TTnefReader.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

[[noreturn]] void fail(const char *text)
{
    throw ETnefError(text);
}

QString fromUtf16Le(QByteArray bytes)
{
    if (bytes.size() % 2)
        bytes.chop(1);
    while (bytes.size() >= 2 && bytes.at(bytes.size() - 1) == '\0' && bytes.at(bytes.size() - 2) == '\0')
        bytes.chop(2);
    if (bytes.isEmpty())
        return QString();
    QStringDecoder dec(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
    return dec(bytes);
}

bool hasValueCount(const TTnefPropertyTag &tag)
{
    return tag.IsMultiValued() || TnefPropertyTypeIsVariable(tag.PropertyType());
}

} // namespace

TTnefPropertyReader::TTnefPropertyReader(TTnefReader &AReader) : m_reader(AReader) {}

void TTnefPropertyReader::finishValue()
{
    if (!m_valueOpen)
        return;
    m_valueOpen = false;
    const qint64 end = m_valueStart + m_valueLength;
    const qint64 at = m_reader.RawReadPosition();
    if (at > end)
        fail(TnefErrorText::kPropertyOverread);
    m_reader.SkipBytes(end - at);
}

void TTnefPropertyReader::readValueCount()
{
    const TTnefPropertyTag &tag = m_tag;
    const int size = TnefPropertyValueSize(tag.PropertyType());
    // A type the table does not hold has no known value size: reading on
    // would take its data for the next property. MAPI has no multi-valued
    // form of the size-less types; a count of them would make every value
    // step read nothing and a claimed 2^31 of them loop that often.
    if (!tag.IsKnownType() || tag.PropertyType() == TTnefPropertyType::ptMultiValued ||
        (tag.IsMultiValued() && size == 0))
        fail(TnefErrorText::kInvalidPropertyType);
    if (!hasValueCount(tag)) {
        m_valueCount = 1;
        return;
    }
    m_valueCount = m_reader.ReadInt32();
    // Every value needs its bytes inside the attribute (a variable one at
    // least its length field): a count that cannot fit fails at once
    // instead of after reading up to the end.
    const qint64 least = size < 0 ? 4 : size;
    qint64 room = m_reader.AttributeBytesLeft();
    if (const qint64 left = m_reader.BytesLeft(); left >= 0)
        room = std::min(room, left);
    if (m_valueCount < 0 || qint64(m_valueCount) * least > room)
        fail(TnefErrorText::kShortStream);
}

bool TTnefPropertyReader::NextValue()
{
    finishValue();
    if (m_valueCount < 0)
        readValueCount();
    if (m_valueIndex >= m_valueCount)
        return false;
    const TTnefPropertyType type = m_tag.PropertyType();
    if (TnefPropertyTypeIsVariable(type)) {
        const qint32 stored = m_reader.ReadInt32();
        if (stored < 0)
            fail(TnefErrorText::kShortStream);
        m_rawValueLength = stored;
        m_valueLength = (qint64(stored) + 3) & ~qint64(3);
    } else {
        m_rawValueLength = m_valueLength = TnefPropertyValueSize(type);
    }
    m_valueStart = m_reader.RawReadPosition();
    ++m_valueIndex;
    m_valueOpen = true;
    return true;
}

bool TTnefPropertyReader::NextProperty()
{
    if (m_propertyIndex > 0) {
        finishValue();
        while (NextValue()) {
        }
    }
    if (m_propertyCount < 0) {
        m_propertyCount = m_reader.ReadInt32();
        if (m_propertyCount < 0)
            fail(TnefErrorText::kInvalidPropertyCount);
    }
    if (m_propertyIndex >= m_propertyCount) {
        m_reader.ValidateChecksum();
        return false;
    }
    m_valueCount = -1;
    m_valueIndex = 0;
    m_valueLength = 0;
    m_rawValueLength = 0;
    m_name.reset();
    const quint16 rawType = m_reader.ReadInt16();
    const quint16 rawId = m_reader.ReadInt16();
    m_tag = TTnefPropertyTag(rawType, rawId);
    if (m_tag.IsNamed()) {
        const QUuid guid = TnefGuidFromBytes(m_reader.ReadBytes(16));
        const qint32 kind = m_reader.ReadInt32();
        if (kind == qint32(TTnefNameIdKind::ikId)) {
            m_name.emplace(guid, quint32(m_reader.ReadInt32()));
        } else if (kind == qint32(TTnefNameIdKind::ikName)) {
            const qint32 length = m_reader.ReadInt32();
            const QByteArray text = m_reader.ReadBytes(length);
            m_reader.SkipBytes((4 - length % 4) % 4);
            m_name.emplace(guid, fromUtf16Le(text));
        } else {
            fail(TnefErrorText::kInvalidNameId);
        }
    }
    m_valueStart = m_reader.RawReadPosition();
    ++m_propertyIndex;
    return true;
}

QByteArray TTnefPropertyReader::readValueData()
{
    if (!m_valueOpen)
        return QByteArray();
    const qint64 dataEnd = m_valueStart + m_rawValueLength;
    const qint64 at = m_reader.RawReadPosition();
    if (at > dataEnd)
        fail(TnefErrorText::kPropertyOverread);
    const QByteArray data = m_reader.ReadBytes(dataEnd - at);
    finishValue();
    return data;
}

QString TTnefPropertyReader::ReadStringValue()
{
    switch (m_tag.PropertyType()) {
    case TTnefPropertyType::ptString8:
    case TTnefPropertyType::ptBinary: {
        QByteArray bytes = readValueData();
        while (!bytes.isEmpty() && bytes.back() == '\0')
            bytes.chop(1);
        return m_reader.GetEncoding().Decode(bytes);
    }
    case TTnefPropertyType::ptUnicode:
        return fromUtf16Le(readValueData());
    default:
        fail(TnefErrorText::kInvalidPropertyValue);
    }
}

QByteArray TTnefPropertyReader::ReadBytesValue()
{
    switch (m_tag.PropertyType()) {
    case TTnefPropertyType::ptObject:
    case TTnefPropertyType::ptString8:
    case TTnefPropertyType::ptUnicode:
    case TTnefPropertyType::ptBinary:
    case TTnefPropertyType::ptClassId:
        return readValueData();
    default:
        fail(TnefErrorText::kInvalidPropertyValue);
    }
}

QByteArray TTnefPropertyReader::ReadBytes(qint64 ALength)
{
    return m_reader.ReadBytes(ALength);
}

void TTnefPropertyReader::ReadBytes(QIODevice *ADestination, qint64 ALength)
{
    m_reader.ReadBytes(ADestination, ALength);
}

void TTnefPropertyReader::CopyValue(QIODevice *ADestination)
{
    if (!m_valueOpen)
        return;
    const qint64 dataEnd = m_valueStart + m_rawValueLength;
    const qint64 at = m_reader.RawReadPosition();
    if (at > dataEnd)
        fail(TnefErrorText::kPropertyOverread);
    m_reader.ReadBytes(ADestination, dataEnd - at);
    finishValue();
}
