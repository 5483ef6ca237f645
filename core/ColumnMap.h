#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

/// Where records and characters start in a searched column, one bit per byte, for a search
/// with thousands of hits to settle each in a few instructions. Each 64-byte block of the
/// column also knows the record holding its first byte; the record of a byte is that one plus
/// the records starting after it in the block, up to the byte.
class ColumnMap
{
public:
    /// `starts` holds the start of every record in `bytes`, then the end of the last one.
    ColumnMap(std::string_view bytes, std::span<const std::size_t> starts);

    static constexpr std::size_t kBlock = 64;

    /// What is known of one block of kBlock bytes.
    class Block
    {
    public:
        /// The record holding byte `k` of the block, unless crowded(). Inlined into a search's
        /// vector code, the count is one instruction.
        int recordAt(std::size_t k) const { return recordUpTo((std::uint64_t{2} << k) - 1); }

        /// The record holding the highest byte of `upTo`, a run of bits from bit 0, unless
        /// crowded(): the block's first record, and one more for each record starting after
        /// the block's first byte within the run.
        int recordUpTo(std::uint64_t upTo) const
        {
            return static_cast<int>(m_First) + std::popcount(m_LaterStarts & upTo);
        }

        /// Bit k set where byte k is the last of a record in the block, and bit kBlock - 1,
        /// whose record may go on in the next block.
        std::uint64_t ends() const { return m_LaterStarts >> 1 | std::uint64_t{1} << (kBlock - 1); }

        /// The records holding any of `places`, unless crowded(): bit k of the result is set
        /// where the record whose bytes in the block end at byte k (see ends()) holds one.
        std::uint64_t recordsHolding(std::uint64_t places) const
        {
            // Subtracting the places below each end (not at it) borrows that end away, whatever
            // their number: a borrow never runs past the next end above.
            const std::uint64_t e = ends();
            return (e & ~(e - (places & ~e))) | (places & e);
        }

        /// Byte of the block where the first record after byte `k` starts, or kBlock when none
        /// does.
        std::size_t nextStartAfter(std::size_t k) const
        {
            return static_cast<std::size_t>(
                std::countr_zero(m_LaterStarts & ~((std::uint64_t{2} << k) - 1)));
        }

        /// True where two records start at the same byte after the block's first, which the
        /// bits cannot count: an empty record. ColumnMap::recordAt finds them.
        bool crowded() const { return (m_First & kCrowded) != 0; }

        /// Bit k set when byte k of the block starts a character of its record's text.
        std::uint64_t characterStarts() const { return m_CharacterStarts; }

    private:
        friend class ColumnMap;
        Block(std::uint32_t first, std::uint64_t startBits, std::uint64_t characterStarts)
            : m_First(first), m_LaterStarts(startBits & ~std::uint64_t{1}),
              m_CharacterStarts(characterStarts)
        {
        }

        std::uint32_t m_First;
        std::uint64_t m_LaterStarts; ///< the starts after the block's first byte
        std::uint64_t m_CharacterStarts;
    };

    Block block(std::size_t block) const
    {
        return {m_First[block], m_StartBits[block], m_CharacterStarts[block]};
    }

    /// The last record that starts at or before `offset`; `offset` lies before the end of the
    /// last record.
    int recordAt(std::size_t offset) const
    {
        const Block b = block(offset / kBlock);
        if (b.crowded()) [[unlikely]]
            return recordInCrowdedBlock(offset / kBlock, offset);
        return b.recordAt(offset % kBlock);
    }

private:
    /// Marks a crowded block's first record (record numbers stay below 2^31).
    static constexpr std::uint32_t kCrowded = std::uint32_t{1} << 31;

    int recordInCrowdedBlock(std::size_t block, std::size_t offset) const;

    std::span<const std::size_t> m_Starts;
    std::vector<std::uint64_t> m_StartBits;
    std::vector<std::uint64_t> m_CharacterStarts;
    std::vector<std::uint32_t> m_First; ///< per block, and the last record after the last block
};
