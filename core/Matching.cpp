#include "Matching.h"

#include "Gbk.h"
#include "SubstringSearch.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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

/// Bytes of `word` outside the lead-byte range: the high bit of each such byte set.
constexpr std::uint64_t outsideLeadRange(std::uint64_t word)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    // The high bit of each byte that is not zero, without carries between bytes.
    const auto nonZero = [](std::uint64_t v) { return ((v & kLow7) + kLow7) | v; };
    const std::uint64_t lead = word & nonZero(word ^ kHigh) & nonZero(~word) & kHigh;
    return ~lead & kHigh;
}

/// True when `hit` starts a character of text known to have a character boundary at
/// `boundary` (<= hit) and the byte before `hit` lies in the lead-byte range. A byte outside
/// that range always ends a character, so only the run of lead-range bytes just before the hit
/// matters: an even run ends on a boundary. The run is measured eight bytes at a time, reading
/// back past `boundary` as far as the eight bytes before the hit, which treats the boundary as
/// the end of the run.
[[gnu::noinline]] bool leadRunEndsOnBoundary(const char* bytes, std::size_t boundary,
                                             std::size_t hit)
{
    std::size_t at = hit; // the run covers [at, hit) so far
    while (at >= 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at - 8, 8);
        if constexpr (std::endian::native == std::endian::big)
            word = __builtin_bswap64(word); // the byte nearest the hit goes on top
        std::uint64_t stops = outsideLeadRange(word);
        const std::size_t left = at - boundary; // bytes of the text before `at`
        if (left < 8)
            stops |= std::uint64_t{0x80} << (8 * (7 - left));
        if (stops != 0) {
            const std::size_t run =
                hit - at + static_cast<std::size_t>(std::countl_zero(stops)) / 8;
            return run % 2 == 0;
        }
        at -= 8;
    }
    while (at > boundary && gbk::isLeadByte(static_cast<unsigned char>(bytes[at - 1])))
        --at;
    return (hit - at) % 2 == 0;
}

template <class OnMatch>
void forEachMatch(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                  Instructions instructions, OnMatch&& onMatch)
{
    const int count = doc.RecordCount();
    if (query.empty() || count <= 0)
        return;

    // The whole field is searched in one pass over its buffer; each hit is mapped back to its
    // record, kept only if it lies within that record's text and starts a character.
    const Field field = testedField(kind);
    const std::string_view bytes(doc.Columns().bytes(field));
    const std::span<const std::size_t> starts = doc.Columns().starts(field).first(count + 1);
    const RecordLocator& locator = doc.Columns().locator(field);
    const SubstringSearch search(bytes.substr(0, starts[count]), query, instructions);
    static_assert(SubstringSearch::kBlock == RecordLocator::kBlock);
    int matched = -1; // the last record passed on
    search.forEachBlock([&](std::size_t at, std::uint64_t places) __attribute__((always_inline)) {
        const RecordLocator::Block block = locator.block(at / RecordLocator::kBlock);
        for (; places != 0; places &= places - 1) {
            const auto k = static_cast<std::size_t>(std::countr_zero(places));
            const std::size_t hit = at + k;
            const int record = block.crowded() ? locator.recordAt(hit) : block.recordAt(k);
            // A record is passed on once, whatever number of its hits count; a hit that runs
            // into the next record's text never counts.
            if (record == matched)
                continue;
            if (query.size() <= RecordLocator::kBlock ? block.runsIntoNextRecord(k, query.size())
                                                      : hit + query.size() > starts[record + 1])
                continue;
            // A hit after a byte outside the lead-byte range, or at its record's start, starts
            // a character; only a hit after a lead-range byte needs its run measured.
            if (!block.startsRecord(k) &&
                gbk::isLeadByte(static_cast<unsigned char>(bytes[hit - 1])) &&
                !leadRunEndsOnBoundary(bytes.data(), starts[record], hit))
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
    const char* nameBytes = doc.Columns().bytes(Field::ChineseName).data();
    const std::size_t* nameStarts = doc.Columns().starts(Field::ChineseName).data();
    const auto addName = [&](int index) __attribute__((always_inline))
    {
        names.emplace_back(nameBytes + nameStarts[index],
                           nameStarts[index + 1] - nameStarts[index]);
    };
    forEachMatch(doc, kind, query, instructions, addName);
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
