#include "TTnefPropertyTag.h"

namespace {
constexpr quint16 kMultiValuedFlag = quint16(TTnefPropertyType::ptMultiValued);
}

TTnefPropertyTag::TTnefPropertyTag(quint16 rawType, quint16 rawId)
    : m_id(TnefPropertyIdFromRaw(rawId)),
      m_rawId(rawId),
      m_rawType(quint16(rawType & ~kMultiValuedFlag)),
      m_multiValued((rawType & kMultiValuedFlag) != 0)
{
    m_knownType = TnefPropertyTypeFromRaw(m_rawType, m_type);
}

TTnefPropertyName::TTnefPropertyName(const QUuid &guid, quint32 number)
    : m_kind(TTnefNameIdKind::ikId), m_guid(guid), m_number(number)
{
}

TTnefPropertyName::TTnefPropertyName(const QUuid &guid, const QString &name)
    : m_kind(TTnefNameIdKind::ikName), m_name(name), m_guid(guid)
{
}
