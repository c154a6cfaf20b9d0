#include "TnefTypes.h"

#include <QtEndian>
#include <iterator>

namespace {

struct TagRow
{
    TTnefAttributeTag tag;
    const char *name;
};

#define TAG_ROW(t) {TTnefAttributeTag::t, #t}
constexpr TagRow kTags[] = {
    TAG_ROW(agNull),
    TAG_ROW(agOwner),
    TAG_ROW(agSentFor),
    TAG_ROW(agDelegate),
    TAG_ROW(agOriginalMessageClass),
    TAG_ROW(agDateStart),
    TAG_ROW(agDateEnd),
    TAG_ROW(agAidOwner),
    TAG_ROW(agRequestResponse),
    TAG_ROW(agFrom),
    TAG_ROW(agSubject),
    TAG_ROW(agDateSent),
    TAG_ROW(agDateReceived),
    TAG_ROW(agMessageStatus),
    TAG_ROW(agMessageClass),
    TAG_ROW(agMessageId),
    TAG_ROW(agParentId),
    TAG_ROW(agConversationId),
    TAG_ROW(agBody),
    TAG_ROW(agPriority),
    TAG_ROW(agAttachData),
    TAG_ROW(agAttachTitle),
    TAG_ROW(agAttachMetaFile),
    TAG_ROW(agAttachCreateDate),
    TAG_ROW(agAttachModifyDate),
    TAG_ROW(agDateModified),
    TAG_ROW(agAttachTransportFilename),
    TAG_ROW(agAttachRenderData),
    TAG_ROW(agMapiProperties),
    TAG_ROW(agRecipientTable),
    TAG_ROW(agAttachment),
    TAG_ROW(agTnefVersion),
    TAG_ROW(agOemCodepage),
};
#undef TAG_ROW

struct TypeRow
{
    TTnefPropertyType type;
    const char *name;
    int size;
};

#define TYPE_ROW(t, size) {TTnefPropertyType::t, #t, size}
constexpr TypeRow kTypes[] = {
    TYPE_ROW(ptUnspecified, 0),
    TYPE_ROW(ptNull, 0),
    TYPE_ROW(ptI2, 4),
    TYPE_ROW(ptLong, 4),
    TYPE_ROW(ptR4, 4),
    TYPE_ROW(ptDouble, 8),
    TYPE_ROW(ptCurrency, 8),
    TYPE_ROW(ptAppTime, 8),
    TYPE_ROW(ptError, 4),
    TYPE_ROW(ptBoolean, 4),
    TYPE_ROW(ptObject, -1),
    TYPE_ROW(ptI8, 8),
    TYPE_ROW(ptString8, -1),
    TYPE_ROW(ptUnicode, -1),
    TYPE_ROW(ptSysTime, 8),
    TYPE_ROW(ptClassId, 16),
    TYPE_ROW(ptBinary, -1),
    TYPE_ROW(ptMultiValued, -1),
};
#undef TYPE_ROW

constexpr const char *kAttributeTypeNames[] = {"atTriples", "atString", "atText", "atDate",  "atShort",
                                               "atLong",    "atByte",   "atWord", "atDWord", "atMax"};

const TypeRow *typeRow(TTnefPropertyType type)
{
    for (const TypeRow &r : kTypes)
        if (r.type == type)
            return &r;
    return nullptr;
}

} // namespace

TTnefAttributeTag TnefAttributeTagFromRaw(quint32 raw)
{
    for (const TagRow &r : kTags)
        if (quint32(r.tag) == raw)
            return r.tag;
    return TTnefAttributeTag::agNull;
}

const char *TnefAttributeTagName(TTnefAttributeTag tag)
{
    for (const TagRow &r : kTags)
        if (r.tag == tag)
            return r.name;
    return "agNull";
}

bool TnefAttributeTypeFromRaw(quint32 rawIdentifier, TTnefAttributeType &type)
{
    const quint32 bits = rawIdentifier & 0xF0000u;
    if (bits > quint32(TTnefAttributeType::atMax))
        return false;
    type = TTnefAttributeType(bits);
    return true;
}

const char *TnefAttributeTypeName(TTnefAttributeType type)
{
    const quint32 index = quint32(type) >> 16;
    return index < std::size(kAttributeTypeNames) ? kAttributeTypeNames[index] : "?";
}

const char *TnefAttributeLevelName(TTnefAttributeLevel level)
{
    return level == TTnefAttributeLevel::alMessage ? "alMessage" : "alAttachment";
}

bool TnefPropertyTypeFromRaw(quint16 raw, TTnefPropertyType &type)
{
    for (const TypeRow &r : kTypes)
        if (quint16(r.type) == raw) {
            type = r.type;
            return true;
        }
    type = TTnefPropertyType::ptUnspecified;
    return false;
}

const char *TnefPropertyTypeName(TTnefPropertyType type)
{
    const TypeRow *r = typeRow(type);
    return r ? r->name : "ptUnspecified";
}

int TnefPropertyValueSize(TTnefPropertyType type)
{
    const TypeRow *r = typeRow(type);
    return r ? r->size : 0;
}

bool TnefPropertyTypeIsVariable(TTnefPropertyType type)
{
    return type == TTnefPropertyType::ptObject || type == TTnefPropertyType::ptString8 ||
           type == TTnefPropertyType::ptUnicode || type == TTnefPropertyType::ptBinary;
}

QUuid TnefGuidFromBytes(const QByteArray &sixteen)
{
    if (sixteen.size() != 16)
        return QUuid();
    const auto *p = reinterpret_cast<const uchar *>(sixteen.constData());
    return QUuid(qFromLittleEndian<quint32>(p), qFromLittleEndian<quint16>(p + 4), qFromLittleEndian<quint16>(p + 6),
                 p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
}
