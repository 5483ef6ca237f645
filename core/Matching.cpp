#include "Matching.h"

#include "Gbk.h"
#include "SubstringSearch.h"
#include "VELMORDoc.h"

#include <algorithm>

namespace {

Field testedField(SearchKind kind)
{
    switch (kind) {
    case SearchKind::ChineseName:
        return Field::ChineseName;
    case SearchKind::EnglishName:
        return Field::EnglishName;
    case SearchKind::CasNumber:
        return Field::CasNumber;
    case SearchKind::Use:
        return Field::Use;
    case SearchKind::Formula:
        return Field::Formula;
    }
    return Field::ChineseName;
}

/// The record whose text holds byte `offset`, searching forward from `record` (whose text
/// starts at or before it). Dense hits lie a few records on: the next eight starts are counted
/// without a branch each. Far hits are found in growing steps, then by halving.
int recordHolding(std::span<const std::size_t> starts, int record, std::size_t offset)
{
    constexpr int kNear = 8;
    const int last = static_cast<int>(starts.size()) - 2;
    if (record + kNear <= last + 1) {
        int ahead = 0;
        for (int k = 1; k <= kNear; ++k)
            ahead += starts[record + k] <= offset ? 1 : 0;
        if (ahead < kNear)
            return record + ahead;
        record += kNear;
    }
    int low = record; // starts[low] <= offset
    int step = 1;
    int high = std::min(record + step, last);
    while (high < last && starts[high + 1] <= offset) {
        low = high;
        step *= 2;
        high = std::min(record + step, last);
    }
    // Now starts[low] <= offset < starts[high + 1].
    while (low < high) {
        const int mid = low + (high - low + 1) / 2;
        if (starts[mid] <= offset)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

/// True when `hit` starts a character of text known to have a character boundary at
/// `boundary` (<= hit). A byte outside the lead-byte range always ends a character, so only the
/// run of lead-range bytes just before the hit matters: an even run ends on a boundary.
bool startsCharacterAfter(const char* bytes, std::size_t boundary, std::size_t hit)
{
    std::size_t run = 0;
    for (std::size_t i = hit;
         i > boundary && gbk::isLeadByte(static_cast<unsigned char>(bytes[i - 1])); --i)
        ++run;
    return run % 2 == 0;
}

template <class OnMatch>
void forEachMatch(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                  SearchInstructions instructions, OnMatch&& onMatch)
{
    const int count = doc.RecordCount();
    if (query.empty() || count <= 0)
        return;

    // The whole field is searched in one pass over its buffer; each hit is mapped back to its
    // record, kept only if it lies within that record's text and starts a character.
    const Field field = testedField(kind);
    const std::string_view bytes(doc.Columns().bytes(field));
    const std::span<const std::size_t> starts = doc.Columns().starts(field).first(count + 1);
    const SubstringSearch search(bytes.substr(0, starts[count]), query, instructions);
    int record = 0;
    search.forEach([&](std::size_t hit) __attribute__((always_inline)) {
        record = recordHolding(starts, record, hit);
        const std::size_t recordEnd = starts[record + 1];
        if (hit + query.size() > recordEnd)
            return recordEnd; // runs into the next record's text
        // The search goes on past a miss inside the record, so every check counts back from
        // the record's start at the furthest.
        if (!startsCharacterAfter(bytes.data(), starts[record], hit))
            return hit + 1; // began on the second byte of a character
        onMatch(record);
        return recordEnd;
    });
}

} // namespace

std::vector<std::string_view> MatchRecords(const CVELMORDoc& doc, SearchKind kind,
                                           std::string_view query, SearchInstructions instructions)
{
    std::vector<std::string_view> names;
    names.reserve(static_cast<std::size_t>(std::max(doc.RecordCount(), 0)));
    // Names come from the name column, not the record table: with thousands of hits, reading
    // each record's slot would cost a cache miss per hit.
    const FieldColumns& columns = doc.Columns();
    forEachMatch(doc, kind, query, instructions,
                 [&](int index) { names.push_back(columns.text(Field::ChineseName, index)); });
    return names;
}

std::vector<std::string_view> InitialResultNames(const CVELMORDoc& doc)
{
    std::vector<std::string_view> names;
    names.reserve(kInitialResultCount);
    for (int i = 0; i < kInitialResultCount; ++i)
        names.push_back(doc.Record(i).ChineseName);
    return names;
}
