#pragma once
#include "TTnefEncoding.h"
#include "TnefTypes.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Pull reader of a TNEF stream, attribute by attribute. Every byte read is
// added to a running checksum that ValidateChecksum compares with the stored
// one once a whole value has been read. Works on random-access devices (skips
// by seeking) and on sequential ones (skips by reading); values are copied in
// chunks, so an attachment of any size never sits in memory whole.
// Every failure raises ETnefError with one of the fixed texts.
class TTnefReader
{
public:
    // Reads and checks the signature, then the attachment key. The device is not owned.
    explicit TTnefReader(QIODevice *AInputStream);
    TTnefReader(const TTnefReader &) = delete;
    TTnefReader &operator=(const TTnefReader &) = delete;

    // Moves to the next attribute, skipping what is left of the current one;
    // false at the end of the stream. At message level the version and code
    // page attributes are read here, and still returned.
    bool NextAttribute();

    quint8 ReadByte();
    quint16 ReadInt16();
    qint32 ReadInt32();
    QByteArray ReadBytes(qint64 ALength);
    // Copies ALength bytes into ADestination in chunks of at most 4096 bytes.
    void ReadBytes(QIODevice *ADestination, qint64 ALength);
    // Reads and discards ALength bytes (counted in the checksum like any read).
    void SkipBytes(qint64 ALength);
    // The whole value as text in the stream's code page, a final NUL dropped.
    QString ReadString();
    // Compares the stored checksum once the whole value has been read; does
    // nothing otherwise.
    void ValidateChecksum();
    TTnefEncoding GetEncoding() const;

    quint16 AttachmentKey() const { return m_attachmentKey; }
    TTnefAttributeLevel AttributeLevel() const { return m_level; }
    TTnefAttributeTag AttributeTag() const { return m_tag; }
    // The identifier as stored, also for tags outside the table.
    quint32 RawAttributeTag() const { return m_rawTag; }
    qint32 AttributeLength() const { return m_length; }
    // The type in bits 16–19 of the stored identifier.
    TTnefAttributeType AttributeType() const;
    quint32 TnefVersion() const { return m_tnefVersion; }
    quint32 OemCodePage() const { return m_oemCodePage; }
    qint64 RawReadPosition() const { return m_position; }

    // Bytes between the position and the end of the stream; -1 when the
    // device cannot tell (sequential).
    qint64 BytesLeft() const;
    // Bytes between the position and the end of the current attribute's value.
    qint64 AttributeBytesLeft() const { return m_valueStart + m_length - m_position; }

private:
    void readExactly(char *into, qint64 count);
    qint64 readSome(char *into, qint64 count);
    bool atEnd();
    void add(const char *bytes, qint64 count);

    QIODevice *m_in;
    TTnefAttributeLevel m_level = TTnefAttributeLevel::alMessage;
    TTnefAttributeTag m_tag = TTnefAttributeTag::agNull;
    quint32 m_rawTag = 0;
    qint32 m_length = 0;
    qint64 m_valueStart = 0;
    qint64 m_position = 0;
    quint16 m_checksum = 0;
    quint16 m_attachmentKey = 0;
    quint32 m_tnefVersion = 0;
    quint32 m_oemCodePage = 0;
    bool m_started = false;
};
