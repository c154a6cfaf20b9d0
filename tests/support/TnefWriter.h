#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

// Builds TNEF streams for tests: checksums and paddings right by default,
// and, on request, a stated length or checksum of the caller's own, or raw
// bytes anywhere, to make broken streams.
class TnefWriter
{
public:
    static constexpr quint8 kMessage = 1;
    static constexpr quint8 kAttachment = 2;

    explicit TnefWriter(quint16 key = 0x4B1D, quint32 signature = 0x223E9F78);

    TnefWriter &attribute(quint8 level, quint32 tag, const QByteArray &value);
    // A stated length other than the value's size and/or a wrong checksum.
    TnefWriter &attribute(quint8 level, quint32 tag, const QByteArray &value, qint32 statedLength,
                          std::optional<quint16> checksum = std::nullopt);
    TnefWriter &raw(const QByteArray &bytes);
    TnefWriter &version(quint32 version = 0x00010000);
    TnefWriter &oemCodePage(quint32 codePage);

    QByteArray bytes() const { return m_bytes; }

    static quint16 checksum(const QByteArray &value);
    static QByteArray le16(quint16 v);
    static QByteArray le32(quint32 v);
    // UTF-16LE with the terminating zero pair.
    static QByteArray unicodeZ(const QString &text);
    static QByteArray padded(QByteArray bytes);

private:
    QByteArray m_bytes;
};

// A MAPI property list: the count, then the properties added.
class TnefPropertyList
{
public:
    // One whole property as bytes (tag, name, count, values), counted once.
    TnefPropertyList &add(const QByteArray &property);
    TnefPropertyList &string8(quint16 id, const QByteArray &text);   // NUL added
    TnefPropertyList &unicode(quint16 id, const QString &text);      // zero pair added
    TnefPropertyList &binary(quint16 id, const QByteArray &data);
    TnefPropertyList &object(quint16 id, const QByteArray &guid16, const QByteArray &data);
    TnefPropertyList &longValue(quint16 id, qint32 value);
    // The count written instead of the number of properties added.
    TnefPropertyList &statedCount(qint32 count);

    QByteArray bytes() const;

    static QByteArray tag(quint16 type, quint16 id);
    static QByteArray nameById(const QByteArray &guid16, quint32 number);
    static QByteArray nameByName(const QByteArray &guid16, const QString &name);
    // A count, then each value as length, bytes, zero padding to 4.
    static QByteArray values(const QList<QByteArray> &values);
    static QByteArray value(const QByteArray &data);

private:
    QByteArray m_properties;
    qint32 m_count = 0;
    std::optional<qint32> m_statedCount;
};
