#include "TnefWriter.h"

#include <QtEndian>

TnefWriter::TnefWriter(quint16 key, quint32 signature)
{
    m_bytes = le32(signature) + le16(key);
}

TnefWriter &TnefWriter::attribute(quint8 level, quint32 tag, const QByteArray &value)
{
    return attribute(level, tag, value, qint32(value.size()));
}

TnefWriter &TnefWriter::attribute(quint8 level, quint32 tag, const QByteArray &value, qint32 statedLength,
                                  std::optional<quint16> sum)
{
    m_bytes += char(level);
    m_bytes += le32(tag) + le32(quint32(statedLength)) + value;
    m_bytes += le16(sum.value_or(checksum(value)));
    return *this;
}

TnefWriter &TnefWriter::raw(const QByteArray &bytes)
{
    m_bytes += bytes;
    return *this;
}

TnefWriter &TnefWriter::version(quint32 version)
{
    return attribute(kMessage, 0x00089006, le32(version));
}

TnefWriter &TnefWriter::oemCodePage(quint32 codePage)
{
    return attribute(kMessage, 0x00069007, le32(codePage) + le32(437));
}

quint16 TnefWriter::checksum(const QByteArray &value)
{
    quint16 sum = 0;
    for (char c : value)
        sum = quint16(sum + uchar(c));
    return sum;
}

QByteArray TnefWriter::le16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray TnefWriter::le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray TnefWriter::unicodeZ(const QString &text)
{
    QByteArray b;
    for (QChar c : text)
        b += le16(c.unicode());
    return b + QByteArray(2, '\0');
}

QByteArray TnefWriter::padded(QByteArray bytes)
{
    while (bytes.size() % 4)
        bytes += '\0';
    return bytes;
}

TnefPropertyList &TnefPropertyList::add(const QByteArray &property)
{
    m_properties += property;
    ++m_count;
    return *this;
}

TnefPropertyList &TnefPropertyList::string8(quint16 id, const QByteArray &text)
{
    return add(tag(0x001E, id) + values({text + '\0'}));
}

TnefPropertyList &TnefPropertyList::unicode(quint16 id, const QString &text)
{
    return add(tag(0x001F, id) + values({TnefWriter::unicodeZ(text)}));
}

TnefPropertyList &TnefPropertyList::binary(quint16 id, const QByteArray &data)
{
    return add(tag(0x0102, id) + values({data}));
}

TnefPropertyList &TnefPropertyList::object(quint16 id, const QByteArray &guid16, const QByteArray &data)
{
    return add(tag(0x000D, id) + values({guid16 + data}));
}

TnefPropertyList &TnefPropertyList::longValue(quint16 id, qint32 v)
{
    return add(tag(0x0003, id) + TnefWriter::le32(quint32(v)));
}

TnefPropertyList &TnefPropertyList::statedCount(qint32 count)
{
    m_statedCount = count;
    return *this;
}

QByteArray TnefPropertyList::bytes() const
{
    return TnefWriter::le32(quint32(m_statedCount.value_or(m_count))) + m_properties;
}

QByteArray TnefPropertyList::tag(quint16 type, quint16 id)
{
    return TnefWriter::le16(type) + TnefWriter::le16(id);
}

QByteArray TnefPropertyList::nameById(const QByteArray &guid16, quint32 number)
{
    return guid16 + TnefWriter::le32(0) + TnefWriter::le32(number);
}

QByteArray TnefPropertyList::nameByName(const QByteArray &guid16, const QString &name)
{
    const QByteArray text = TnefWriter::unicodeZ(name);
    return guid16 + TnefWriter::le32(1) + TnefWriter::le32(quint32(text.size())) + TnefWriter::padded(text);
}

QByteArray TnefPropertyList::values(const QList<QByteArray> &list)
{
    QByteArray b = TnefWriter::le32(quint32(list.size()));
    for (const QByteArray &v : list)
        b += value(v);
    return b;
}

QByteArray TnefPropertyList::value(const QByteArray &data)
{
    return TnefWriter::le32(quint32(data.size())) + TnefWriter::padded(data);
}
