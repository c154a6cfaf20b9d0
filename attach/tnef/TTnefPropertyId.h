#pragma once
#include <QtGlobal>
#include <span>

// MAPI property identifiers, alphabetical by name; several names may share an identifier.
// piNull (0x0000) is one of the rows and stands for every identifier not in the table.
enum class TTnefPropertyId : quint16 {
#define TNEF_PROPERTY_ID(name, id) name = id,
#include "TnefPropertyIds.inc"
#undef TNEF_PROPERTY_ID
};

struct TTnefPropertyIdEntry { const char *name; quint16 id; };   // name with the "pi" prefix

// The rows, alphabetical (case-insensitive ASCII order).
std::span<const TTnefPropertyIdEntry> TnefPropertyIdTable();

// The stored identifier as an enum value; piNull when raw is not in the table.
TTnefPropertyId TnefPropertyIdFromRaw(quint16 raw);

// The first name in alphabetical order with that identifier; "piNull" when unknown.
const char *TnefPropertyIdName(TTnefPropertyId id);
