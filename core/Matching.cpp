#include "Matching.h"

#include "SubstringSearch.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <bit>
#include <cstdint>

Field TestedField(SearchKind kind)
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

namespace {

template <class OnMatch>
void forEachMatch(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                  Instructions instructions, OnMatch&& onMatch)
{
    const int count = doc.RecordCount();
    if (query.empty() || count <= 0)
        return;

    // The whole field is searched in one pass over its buffer; each hit is mapped back to its
    // record, kept only if it lies within that record's text and starts a character.
    const Field field = TestedField(kind);
    const std::string_view bytes(doc.Columns().bytes(field));
    const std::span<const std::size_t> starts = doc.Columns().starts(field).first(count + 1);
    const ColumnMap& map = doc.Columns().columnMap(field);
    const SubstringSearch search(bytes.substr(0, starts[count]), query, instructions);
    static_assert(SubstringSearch::kBlock == ColumnMap::kBlock);
    int matched = -1; // the last record passed on
    search.forEachBlock([&](std::size_t at, std::uint64_t places) __attribute__((always_inline)) {
        const ColumnMap::Block block = map.block(at / ColumnMap::kBlock);
        // Only a hit on the first byte of a character counts.
        for (places &= block.characterStarts(); places != 0; places &= places - 1) {
            const auto k = static_cast<std::size_t>(std::countr_zero(places));
            const std::size_t hit = at + k;
            const int record = block.crowded() ? map.recordAt(hit) : block.recordAt(k);
            // A record is passed on once, whatever number of its hits count; a hit that runs
            // into the next record's text never counts. (One load of where that record starts,
            // already cached from the hit before, costs less than shifting the block's bits.)
            if (record == matched)
                continue;
            if (hit + query.size() > starts[record + 1])
                continue;
            onMatch(record);
            matched = record;
        }
    });
}

} // namespace

std::vector<std::string_view> MatchRecords(const CVELMORDoc& doc, SearchKind kind,
                                           std::string_view query, Instructions instructions)
{
    // Each record is listed at most once: room for all of them, taken in one piece, spares a
    // growing list its copies and the fresh pages each copy touches (with thousands of names,
    // those cost more than the search). Pages that no name reaches are never touched.
    std::vector<std::string_view> names;
    names.reserve(static_cast<std::size_t>(std::max(doc.RecordCount(), 0)));
    // Names come from the name column, not the record table: with thousands of hits, reading
    // each record's slot would cost a cache miss per hit.
    const FieldColumns& columns = doc.Columns();
    forEachMatch(
        doc, kind, query, instructions, [&](int index) __attribute__((always_inline)) {
            names.push_back(columns.text(Field::ChineseName, index));
        });
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
