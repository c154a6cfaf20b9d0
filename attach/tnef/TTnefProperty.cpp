#include "TTnefProperty.h"

#include "TTnefPropertyReader.h"

void TAttachStringProperty::Load()
{
    m_value = m_properties.NextValue() ? m_properties.ReadStringValue() : QString();
}

void TAttachDataProperty::Load()
{
    if (!m_properties.NextValue())
        return;
    // Only an object value starts with an interface GUID; binary data is the
    // file from its first byte.
    if (m_properties.PropertyTag().PropertyType() == TTnefPropertyType::ptObject) {
        if (m_properties.RawValueLength() < 16)
            throw ETnefError(TnefErrorText::kPropertyOverread);
        m_guid = TnefGuidFromBytes(m_properties.ReadBytes(16));
    }
    m_properties.CopyValue(m_content);
}

void TAttachStreamProperty::Load()
{
    if (m_properties.NextValue())
        m_properties.CopyValue(m_content);
}
