#pragma once
#include <QByteArray>
#include <QString>
#include <QUuid>
#include <QtGlobal>
#include <stdexcept>

// The enumerations of a TNEF stream with their stored values, the tables that
// map stored numbers to them, and the reader's error.

enum class TTnefAttributeLevel : quint8 { alMessage = 1, alAttachment = 2 };

enum class TTnefAttributeType : quint32 {
    atTriples = 0x00000,
    atString = 0x10000,
    atText = 0x20000,
    atDate = 0x30000,
    atShort = 0x40000,
    atLong = 0x50000,
    atByte = 0x60000,
    atWord = 0x70000,
    atDWord = 0x80000,
    atMax = 0x90000,
};

enum class TTnefNameIdKind : quint32 { ikId = 0, ikName = 1 };

enum class TTnefAttributeTag : quint32 {
    agNull = 0x00000000,
    agOwner = 0x00060000,
    agSentFor = 0x00060001,
    agDelegate = 0x00060002,
    agOriginalMessageClass = 0x00070006,
    agDateStart = 0x00030006,
    agDateEnd = 0x00030007,
    agAidOwner = 0x00050008,
    agRequestResponse = 0x00040009,
    agFrom = 0x00008000,
    agSubject = 0x00018004,
    agDateSent = 0x00038005,
    agDateReceived = 0x00038006,
    agMessageStatus = 0x00068007,
    agMessageClass = 0x00078008,
    agMessageId = 0x00018009,
    agParentId = 0x0001800A,
    agConversationId = 0x0001800B,
    agBody = 0x0002800C,
    agPriority = 0x0004800D,
    agAttachData = 0x0006800F,
    agAttachTitle = 0x00018010,
    agAttachMetaFile = 0x00068011,
    agAttachCreateDate = 0x00038012,
    agAttachModifyDate = 0x00038013,
    agDateModified = 0x00038020,
    agAttachTransportFilename = 0x00069001,
    agAttachRenderData = 0x00069002,
    agMapiProperties = 0x00069003,
    agRecipientTable = 0x00069004,
    agAttachment = 0x00069005,
    agTnefVersion = 0x00089006,
    agOemCodepage = 0x00069007,
};

enum class TTnefPropertyType : quint16 {
    ptUnspecified = 0x0000,
    ptNull = 0x0001,
    ptI2 = 0x0002,
    ptLong = 0x0003,
    ptR4 = 0x0004,
    ptDouble = 0x0005,
    ptCurrency = 0x0006,
    ptAppTime = 0x0007,
    ptError = 0x000A,
    ptBoolean = 0x000B,
    ptObject = 0x000D,
    ptI8 = 0x0014,
    ptString8 = 0x001E,
    ptUnicode = 0x001F,
    ptSysTime = 0x0040,
    ptClassId = 0x0048,
    ptBinary = 0x0102,
    ptMultiValued = 0x1000,
};

// The error every failure of the reader raises; what() is one of the fixed
// English texts below, which reach the user as they are.
class ETnefError : public std::runtime_error
{
public:
    explicit ETnefError(const char *text) : std::runtime_error(text) {}
    QString Text() const { return QString::fromLatin1(what()); }
};

namespace TnefErrorText {
inline constexpr const char kInvalidFormat[] = "Invalid TNEF format";
inline constexpr const char kShortStream[] = "Invalid Stream";
inline constexpr const char kSkipBeyondEnd[] = "Invalid stream";
inline constexpr const char kAttributeOverread[] = "The attribute was read incorrectly";
inline constexpr const char kInvalidLevel[] = "Invalid attribute level";
inline constexpr const char kInvalidAttributeType[] = "Invalid attribute type";
inline constexpr const char kInvalidChecksum[] = "Invalid checksum";
inline constexpr const char kInvalidPropertyCount[] = "Invalid Property Count";
inline constexpr const char kInvalidNameId[] = "Invalid NameId";
inline constexpr const char kInvalidPropertyType[] = "Invalid Property Type";
inline constexpr const char kInvalidPropertyValue[] = "Invalid property value";
inline constexpr const char kPropertyOverread[] = "The property was read incorrectly";
// A destination that refuses bytes must not look like a finished copy.
inline constexpr const char kWriteFailed[] = "Stream write error";
} // namespace TnefErrorText

// Stored identifier → tag; identifiers not in the table read as agNull.
TTnefAttributeTag TnefAttributeTagFromRaw(quint32 raw);
const char *TnefAttributeTagName(TTnefAttributeTag tag);

// Bits 16–19 of a stored attribute identifier, when they are one of the ten types.
bool TnefAttributeTypeFromRaw(quint32 rawIdentifier, TTnefAttributeType &type);
const char *TnefAttributeTypeName(TTnefAttributeType type);
const char *TnefAttributeLevelName(TTnefAttributeLevel level);

// Stored type (without the multi-valued flag) → type; false when the table
// does not hold it (the type then reads as ptUnspecified).
bool TnefPropertyTypeFromRaw(quint16 raw, TTnefPropertyType &type);
const char *TnefPropertyTypeName(TTnefPropertyType type);
// The size of one value: 0 or more for fixed types, -1 for the variable ones
// (ptObject, ptString8, ptUnicode, ptBinary) and for ptMultiValued.
int TnefPropertyValueSize(TTnefPropertyType type);
bool TnefPropertyTypeIsVariable(TTnefPropertyType type);

// A GUID as MAPI stores it: three little-endian fields, then eight bytes.
QUuid TnefGuidFromBytes(const QByteArray &sixteen);
