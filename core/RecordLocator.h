#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

/// Finds the record whose text holds a byte of a searched column in a few instructions,
/// however far it lies from the last byte asked about: a search with thousands of hits asks
/// for each of them. One bit per byte marks where records start, and each 64-byte block of the
/// column knows the record holding its first byte; the record of a byte is that one plus the
/// records starting after it in the block, up to the byte.
class RecordLocator
{
public:
    /// `starts` holds the start of every record in the column, then the end of the last one.
    explicit RecordLocator(std::span<const std::size_t> starts);

    /// The last record that starts at or before `offset`; `offset` lies before the end of the
    /// last record.
    int recordAt(std::size_t offset) const
    {
        const std::size_t block = offset / kBlock;
        const std::uint32_t first = m_First[block];
        if (first & kCrowded) [[unlikely]]
            return recordInCrowdedBlock(block, offset);
        // The starts after the block's first byte, up to and with `offset`.
        const std::uint64_t upTo = (std::uint64_t{2} << (offset % kBlock)) - 1;
        return static_cast<int>(first) + bitCount(m_StartBits[block] & upTo & ~std::uint64_t{1});
    }

private:
    static constexpr std::size_t kBlock = 64;

    /// The bits set in `bits`. Built for the x86-64 baseline, std::popcount is a library call.
    static int bitCount(std::uint64_t bits)
    {
        bits -= (bits >> 1) & 0x5555555555555555ull;
        bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
        bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
        return static_cast<int>((bits * 0x0101010101010101ull) >> 56);
    }

    /// Marks a block where two records start at the same byte after its first, which the bits
    /// cannot count: an empty record. Its records are found among the starts.
    static constexpr std::uint32_t kCrowded = std::uint32_t{1} << 31;

    int recordInCrowdedBlock(std::size_t block, std::size_t offset) const;

    std::span<const std::size_t> m_Starts;
    std::vector<std::uint64_t> m_StartBits;
    std::vector<std::uint32_t> m_First; ///< per block, and the last record after the last block
};
