// Identifiers as published for the MAPI property tags (MS-OXPROPS, and the
// mapitags.h / mapidefs.h headers of Wine and libytnef that list the same
// PR_xxx tags); the rows themselves are in TnefPropertyIds.inc.
#include "TTnefPropertyId.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr TTnefPropertyIdEntry kRows[] = {
#define TNEF_PROPERTY_ID(name, id) {#name, id},
#include "TnefPropertyIds.inc"
#undef TNEF_PROPERTY_ID
};

// Every property of every attachment is looked up, so the lookup goes through
// an index sorted by identifier: one entry per identifier, naming the first
// row (alphabetically) that carries it.
const std::vector<TTnefPropertyIdEntry> &byId()
{
    static const std::vector<TTnefPropertyIdEntry> index = [] {
        std::vector<TTnefPropertyIdEntry> v(std::begin(kRows), std::end(kRows));
        // Stable: among rows sharing an identifier the alphabetical first stays first.
        std::stable_sort(v.begin(), v.end(),
                         [](const auto &a, const auto &b) { return a.id < b.id; });
        v.erase(std::unique(v.begin(), v.end(),
                            [](const auto &a, const auto &b) { return a.id == b.id; }),
                v.end());
        return v;
    }();
    return index;
}

const TTnefPropertyIdEntry *find(quint16 raw)
{
    const auto &index = byId();
    const auto it = std::lower_bound(index.begin(), index.end(), raw,
                                     [](const auto &e, quint16 id) { return e.id < id; });
    return it != index.end() && it->id == raw ? &*it : nullptr;
}

} // namespace

std::span<const TTnefPropertyIdEntry> TnefPropertyIdTable()
{
    return kRows;
}

TTnefPropertyId TnefPropertyIdFromRaw(quint16 raw)
{
    return find(raw) ? static_cast<TTnefPropertyId>(raw) : TTnefPropertyId::piNull;
}

const char *TnefPropertyIdName(TTnefPropertyId id)
{
    const TTnefPropertyIdEntry *e = find(static_cast<quint16>(id));
    return e ? e->name : "piNull";
}
