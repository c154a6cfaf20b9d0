#include "TTnefReader.h"

#include <QIODevice>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr quint32 kSignature = 0x223E9F78;
constexpr qint64 kChunk = 4096;
// A sequential device without data yet may still deliver (a pipe, a process).
constexpr int kWaitMs = 30000;

[[noreturn]] void fail(const char *text)
{
    throw ETnefError(text);
}

} // namespace

TTnefReader::TTnefReader(QIODevice *AInputStream) : m_in(AInputStream)
{
    if (!m_in->isSequential())
        m_position = m_in->pos();
    if (quint32(ReadInt32()) != kSignature)
        fail(TnefErrorText::kInvalidFormat);
    m_attachmentKey = ReadInt16();
}

qint64 TTnefReader::BytesLeft() const
{
    return m_in->isSequential() ? -1 : m_in->size() - m_position;
}

qint64 TTnefReader::readSome(char *into, qint64 count)
{
    qint64 got = m_in->read(into, count);
    if (got == 0 && m_in->isSequential() && m_in->waitForReadyRead(kWaitMs))
        got = m_in->read(into, count);
    return got;
}

void TTnefReader::readExactly(char *into, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const qint64 got = readSome(into + done, count - done);
        if (got <= 0) {
            m_position += done;
            add(into, done);
            fail(TnefErrorText::kShortStream);
        }
        done += got;
    }
    m_position += done;
    add(into, done);
}

void TTnefReader::add(const char *bytes, qint64 count)
{
    // 32-bit partial sums are folded once: the same result as a 16-bit wrap per byte.
    quint32 sum = 0;
    const auto *p = reinterpret_cast<const uchar *>(bytes);
    for (qint64 i = 0; i < count; ++i)
        sum += p[i];
    m_checksum = quint16(m_checksum + sum);
}

bool TTnefReader::atEnd()
{
    if (!m_in->isSequential())
        return m_position >= m_in->size();
    if (m_in->bytesAvailable() > 0)
        return false;
    char c;
    if (m_in->peek(&c, 1) == 1)
        return false;
    return !m_in->waitForReadyRead(kWaitMs) || m_in->bytesAvailable() <= 0;
}

quint8 TTnefReader::ReadByte()
{
    char c;
    readExactly(&c, 1);
    return quint8(c);
}

quint16 TTnefReader::ReadInt16()
{
    uchar b[2];
    readExactly(reinterpret_cast<char *>(b), 2);
    return qFromLittleEndian<quint16>(b);
}

qint32 TTnefReader::ReadInt32()
{
    uchar b[4];
    readExactly(reinterpret_cast<char *>(b), 4);
    return qFromLittleEndian<qint32>(b);
}

QByteArray TTnefReader::ReadBytes(qint64 ALength)
{
    if (ALength < 0)
        fail(TnefErrorText::kShortStream);
    const qint64 left = BytesLeft();
    if (left >= 0 && ALength > left)
        fail(TnefErrorText::kShortStream);
    QByteArray out;
    if (left >= 0) {
        out.resize(ALength);
        readExactly(out.data(), ALength);
        return out;
    }
    // Sequential: the claimed length is unproven, so the buffer grows only
    // with bytes that really arrived.
    while (out.size() < ALength) {
        const qint64 step = std::min<qint64>(ALength - out.size(), std::max<qint64>(kChunk, out.size()));
        const qint64 at = out.size();
        out.resize(at + step);
        readExactly(out.data() + at, step);
    }
    return out;
}

void TTnefReader::ReadBytes(QIODevice *ADestination, qint64 ALength)
{
    if (ALength < 0)
        fail(TnefErrorText::kShortStream);
    char buf[kChunk];
    while (ALength > 0) {
        const qint64 step = std::min(ALength, kChunk);
        readExactly(buf, step);
        if (ADestination && ADestination->write(buf, step) != step)
            fail(TnefErrorText::kWriteFailed);
        ALength -= step;
    }
}

void TTnefReader::SkipBytes(qint64 ALength)
{
    // Skipped bytes still count in the checksum, so they are read, not sought past.
    ReadBytes(nullptr, ALength);
}

QString TTnefReader::ReadString()
{
    QByteArray bytes = ReadBytes(m_length);
    if (!bytes.isEmpty() && bytes.back() == '\0')
        bytes.chop(1);
    return GetEncoding().Decode(bytes);
}

void TTnefReader::ValidateChecksum()
{
    if (m_position != m_valueStart + m_length)
        return;
    const quint16 computed = m_checksum;
    if (ReadInt16() != computed)
        fail(TnefErrorText::kInvalidChecksum);
}

TTnefEncoding TTnefReader::GetEncoding() const
{
    return TTnefEncoding(m_oemCodePage);
}

TTnefAttributeType TTnefReader::AttributeType() const
{
    TTnefAttributeType type;
    if (!TnefAttributeTypeFromRaw(m_rawTag, type))
        fail(TnefErrorText::kInvalidAttributeType);
    return type;
}

bool TTnefReader::NextAttribute()
{
    if (m_started) {
        // A negative length cannot describe a value; it would make the end
        // fall on bytes already read and the stream be read twice.
        const qint64 end = m_valueStart + qint64(m_length) + 2;
        if (m_length < 0 || m_position > end)
            fail(TnefErrorText::kAttributeOverread);
        if (m_position < end) {
            if (!m_in->isSequential()) {
                // Checked before seeking: a read-only buffer refuses a seek past its end.
                if (end > m_in->size() || !m_in->seek(end))
                    fail(TnefErrorText::kSkipBeyondEnd);
                m_position = end;
            } else {
                char buf[kChunk];
                while (m_position < end) {
                    const qint64 got = readSome(buf, std::min(end - m_position, kChunk));
                    if (got <= 0)
                        fail(TnefErrorText::kSkipBeyondEnd);
                    m_position += got;
                }
            }
        }
    }
    if (atEnd())
        return false;
    const quint8 level = ReadByte();
    if (level == 1)
        m_level = TTnefAttributeLevel::alMessage;
    else if (level == 2)
        m_level = TTnefAttributeLevel::alAttachment;
    else
        fail(TnefErrorText::kInvalidLevel);
    m_rawTag = quint32(ReadInt32());
    m_tag = TnefAttributeTagFromRaw(m_rawTag);
    m_length = ReadInt32();
    m_valueStart = m_position;
    m_checksum = 0;
    m_started = true;
    if (m_level == TTnefAttributeLevel::alMessage) {
        if (m_tag == TTnefAttributeTag::agTnefVersion) {
            m_tnefVersion = quint32(ReadInt32());
            ValidateChecksum();
        } else if (m_tag == TTnefAttributeTag::agOemCodepage) {
            m_oemCodePage = quint32(ReadInt32());
            ReadInt32();
            ValidateChecksum();
        }
    }
    return true;
}
