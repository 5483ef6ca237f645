#include "Matching.h"

#include "SubstringSearch.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>

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
            // into the next record's text never counts. The block's bits tell where the next
            // record starts; only a hit that runs past the block, with no record starting after
            // it in the block, needs the table of starts, which a broad search would otherwise
            // read from end to end.
            if (record == matched)
                continue;
            const std::size_t next = block.nextStartAfter(k);
            if (k + query.size() > next &&
                (next < ColumnMap::kBlock || hit + query.size() > starts[record + 1]))
                continue;
            onMatch(record);
            matched = record;
        }
    });
}

} // namespace

std::vector<int> MatchRecords(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                              Instructions instructions)
{
    // Each record is listed at most once: room for all of them, taken in one piece, spares a
    // growing list its copies and the fresh pages each copy touches. Pages that no record
    // reaches are never touched.
    std::vector<int> records;
    records.reserve(static_cast<std::size_t>(std::max(doc.RecordCount(), 0)));
    forEachMatch(
        doc, kind, query, instructions, [&](int record) __attribute__((always_inline)) {
            records.push_back(record);
        });
    return records;
}

std::vector<int> InitialResultRecords()
{
    std::vector<int> records(kInitialResultCount);
    std::iota(records.begin(), records.end(), 0);
    return records;
}
