#include "TTnefAttribute.h"

#include "TTnefReader.h"

void TTnefVersionAttribute::Load()
{
    m_version = quint32(m_reader.ReadInt32());
    m_reader.ValidateChecksum();
}

void TTnefOemCodePageAttribute::Load()
{
    m_codePage = quint32(m_reader.ReadInt32());
    m_reader.ReadInt32();  // the second number (the OEM code page proper) is not used
    m_reader.ValidateChecksum();
}

void TAttachTitleAttribute::Load()
{
    m_title = m_reader.ReadString();
    m_reader.ValidateChecksum();
}

void TAttachDataAttribute::Load()
{
    // No checksum comparison: the bytes are already written when it could be
    // made; the next NextAttribute skips the stored checksum.
    m_reader.ReadBytes(m_content, m_reader.AttributeLength());
}
