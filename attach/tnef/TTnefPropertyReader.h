#pragma once
#include "TTnefPropertyTag.h"

#include <QByteArray>
#include <QString>
#include <optional>

class QIODevice;
class TTnefReader;

// Walks the MAPI property list that is the value of agMapiProperties or
// agAttachment: property by property, value by value. What the caller leaves
// unread of a value or a property is read and discarded on the way to the
// next one (so the attribute's checksum still covers every byte); reading
// past a value is an error.
class TTnefPropertyReader
{
public:
    // The reader is not owned; it must stand on the list's attribute.
    explicit TTnefPropertyReader(TTnefReader &AReader);
    TTnefPropertyReader(const TTnefPropertyReader &) = delete;
    TTnefPropertyReader &operator=(const TTnefPropertyReader &) = delete;

    // Moves to the next property; false after the last one, whose end is
    // then the end of the attribute's value (its checksum is checked).
    bool NextProperty();
    // Moves to the next value of the current property; false after the last.
    bool NextValue();

    QString ReadStringValue();
    QByteArray ReadBytesValue();
    QByteArray ReadBytes(qint64 ALength);
    void ReadBytes(QIODevice *ADestination, qint64 ALength);
    // Copies what is left of the current value's stored bytes into
    // ADestination (chunks of at most 4096 bytes) and discards the padding.
    void CopyValue(QIODevice *ADestination);

    const TTnefPropertyTag &PropertyTag() const { return m_tag; }
    // Null unless the current property is named.
    const TTnefPropertyName *PropertyName() const { return m_name ? &*m_name : nullptr; }
    // The current value's length rounded up to a multiple of 4.
    qint64 ValueLength() const { return m_valueLength; }
    // The current value's length as stored (fixed types: their size).
    qint64 RawValueLength() const { return m_rawValueLength; }
    qint32 ValueCount() const { return m_valueCount; }
    qint32 PropertyCount() const { return m_propertyCount; }
    TTnefReader &Reader() const { return m_reader; }

private:
    void readValueCount();
    void finishValue();
    QByteArray readValueData();

    TTnefReader &m_reader;
    qint32 m_propertyCount = -1;
    qint32 m_propertyIndex = 0;
    qint32 m_valueIndex = 0;
    qint32 m_valueCount = -1;
    qint64 m_valueLength = 0;
    qint64 m_rawValueLength = 0;
    qint64 m_valueStart = 0;
    bool m_valueOpen = false;
    TTnefPropertyTag m_tag;
    std::optional<TTnefPropertyName> m_name;
};
