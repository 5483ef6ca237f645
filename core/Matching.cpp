#include "Matching.h"

#include "SubstringSearch.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
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

/// Takes a search's hits block by block and writes each record that holds one, once, in
/// order. A hit counts where it starts a character and ends within its record's text.
///
/// A broad search has a hit in most blocks, one or two at a time at unforeseeable places, so a
/// block is settled without a branch that depends on its hits: the records holding them come
/// from the block's bits at once, and up to kUnrolled of them are written whether found or
/// not. Only a block holding an empty record, or a hit near the end of its record that may run
/// into the next, is settled hit by hit.
class Settle
{
public:
    /// Records written past the last one found, at most. Most blocks of a broad search hold
    /// one or two records with a hit: writing four each time made "-1" a quarter slower than
    /// the branch taken for the rare third.
    static constexpr std::size_t kUnrolled = 2;

    /// What a search settles its hits by, fixed for the search.
    struct Rules
    {
        Rules(const ColumnMap& map, std::span<const std::size_t> starts, std::size_t needle)
            : map(&map), starts(starts.data()), needle(needle),
              // A hit may run into the next record where an end lies within the needle's
              // length, less its last byte, from it.
              endsMayStop(needle >= 2 ? ~std::uint64_t{0} : 0),
              reach(needle >= 2 ? std::min(needle - 2, ColumnMap::kBlock - 1) : 0)
        {
        }

        const ColumnMap* map;
        const std::size_t* starts;
        std::size_t needle;
        std::uint64_t endsMayStop; ///< all ones, or none for a needle of one byte
        std::size_t reach;         ///< how far below an end a hit may run on, at most
    };

    // The rules stay behind a pointer: the state that changes from block to block is then
    // few enough for the search to keep in registers, with its own.
    Settle(const Rules& rules, int* out) : m_Rules(&rules), m_Out(out) {}

    int* end() const { return m_Out; }

    __attribute__((always_inline)) void operator()(std::size_t at, std::uint64_t places)
    {
        const ColumnMap::Block block = m_Rules->map->block(at / ColumnMap::kBlock);
        places &= block.characterStarts();
        if (block.crowded() || (places & mayRunOn(block.ends())) != 0) [[unlikely]] {
            settleEach(at, block, places);
            return;
        }
        std::uint64_t records = block.recordsHolding(places);
        // The block's first record was written already where the block before ended in a
        // hit. Masks, not branches, as that happens as often as not.
        const std::uint64_t firstEnd = block.ends() & (0 - block.ends());
        records &= ~(firstEnd & (0 - std::uint64_t{block.recordUpTo(1) == m_Matched}));
        const int last = block.recordUpTo(~std::uint64_t{0});
        m_Matched ^= (m_Matched ^ last) & -static_cast<int>(records >> (ColumnMap::kBlock - 1));

        const int count = std::popcount(records);
#pragma GCC unroll 2
        for (std::size_t k = 0; k < kUnrolled; ++k) {
            // With no bit left, the mask is all ones: the block's last record, written and
            // then written over.
            m_Out[k] = block.recordUpTo(records ^ (records - 1));
            records &= records - 1;
        }
        for (std::size_t k = kUnrolled; records != 0; ++k, records &= records - 1)
            m_Out[k] = block.recordUpTo(records ^ (records - 1));
        m_Out += count;
    }

private:
    /// The places of a block with ends `ends` where a hit may run into the next record: the
    /// ends spread down over the reach, in steps that double.
    __attribute__((always_inline)) std::uint64_t mayRunOn(std::uint64_t ends) const
    {
        ends &= m_Rules->endsMayStop;
        const std::size_t reach = m_Rules->reach;
        for (std::size_t covered = 0; covered < reach;) {
            const std::size_t step = std::min(covered + 1, reach - covered);
            ends |= ends >> step;
            covered += step;
        }
        return ends;
    }

    // Inlined, as a call would take the search's state out of registers.
    __attribute__((always_inline)) void settleEach(std::size_t at, const ColumnMap::Block& block,
                                                   std::uint64_t places)
    {
        for (; places != 0; places &= places - 1) {
            const auto k = static_cast<std::size_t>(std::countr_zero(places));
            const std::size_t hit = at + k;
            const int record = block.crowded() ? m_Rules->map->recordAt(hit) : block.recordAt(k);
            if (record == m_Matched)
                continue;
            // The block's bits tell where the next record starts; only a hit that runs past
            // the block, with no record starting after it in the block, needs the table of
            // starts.
            const std::size_t next = block.nextStartAfter(k);
            const std::size_t needle = m_Rules->needle;
            if (k + needle > next &&
                (next < ColumnMap::kBlock || hit + needle > m_Rules->starts[record + 1]))
                continue;
            *m_Out++ = record;
            m_Matched = record;
        }
    }

    const Rules* m_Rules;
    int* m_Out;
    int m_Matched = -1; ///< the last record written, or one before it
};

/// Writes the records matching `query` to `out`, which has room for every record and
/// Settle::kUnrolled more; returns the end of those written.
int* writeMatches(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                  Instructions instructions, int* out)
{
    const int count = doc.RecordCount();
    if (query.empty() || count <= 0)
        return out;

    // The whole field is searched in one pass over its buffer; each hit is mapped back to its
    // record.
    const Field field = TestedField(kind);
    const std::string_view bytes(doc.Columns().bytes(field));
    const std::span<const std::size_t> starts = doc.Columns().starts(field).first(count + 1);
    const SubstringSearch search(bytes.substr(0, starts[count]), query, instructions);
    static_assert(SubstringSearch::kBlock == ColumnMap::kBlock);
    const Settle::Rules rules(doc.Columns().columnMap(field), starts, query.size());
    return search.forEachBlock(Settle(rules, out)).end();
}

} // namespace

std::vector<int> MatchRecords(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                              Instructions instructions)
{
    // Each record is listed at most once: room for all of them, taken in one piece and left
    // unwritten, spares a growing list its copies and the fresh pages each copy touches.
    // Pages that no record reaches are never touched.
    const auto room = static_cast<std::size_t>(std::max(doc.RecordCount(), 0));
    const std::unique_ptr<int[]> found(new int[room + Settle::kUnrolled]);
    return {found.get(), writeMatches(doc, kind, query, instructions, found.get())};
}

std::vector<int> InitialResultRecords()
{
    std::vector<int> records(kInitialResultCount);
    std::iota(records.begin(), records.end(), 0);
    return records;
}
