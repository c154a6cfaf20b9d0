#pragma once
#include "TTnefPropertyId.h"
#include "TnefTypes.h"

#include <QString>
#include <QUuid>

// The type and identifier a MAPI property is stored under.
class TTnefPropertyTag
{
public:
    TTnefPropertyTag() = default;
    // rawType as stored, multi-valued flag included.
    TTnefPropertyTag(quint16 rawType, quint16 rawId);

    TTnefPropertyId Id() const { return m_id; }
    TTnefPropertyType PropertyType() const { return m_type; }
    quint16 RawId() const { return m_rawId; }
    // The stored type without the multi-valued flag, also when the table lacks it.
    quint16 RawType() const { return m_rawType; }
    bool IsMultiValued() const { return m_multiValued; }
    bool IsNamed() const { return m_rawId >= 0x8000 && m_rawId <= 0xFFFE; }
    // False for a stored type outside the type table: its values cannot be sized.
    bool IsKnownType() const { return m_knownType; }

private:
    TTnefPropertyId m_id = TTnefPropertyId::piNull;
    TTnefPropertyType m_type = TTnefPropertyType::ptUnspecified;
    quint16 m_rawId = 0;
    quint16 m_rawType = 0;
    bool m_multiValued = false;
    bool m_knownType = true;
};

// The name of a named property: a property set GUID with a number or a text.
class TTnefPropertyName
{
public:
    TTnefPropertyName() = default;
    TTnefPropertyName(const QUuid &guid, quint32 number);
    TTnefPropertyName(const QUuid &guid, const QString &name);

    TTnefNameIdKind Kind() const { return m_kind; }
    QString Name() const { return m_name; }
    QUuid Guid() const { return m_guid; }
    quint32 Number() const { return m_number; }

private:
    TTnefNameIdKind m_kind = TTnefNameIdKind::ikId;
    QString m_name;
    QUuid m_guid;
    quint32 m_number = 0;
};
