#include "ColumnMap.h"

#include "Gbk.h"

#include <algorithm>

ColumnMap::ColumnMap(std::string_view bytes, std::span<const std::size_t> starts) : m_Starts(starts)
{
    const auto records = static_cast<std::uint32_t>(starts.size() - 1);
    const std::size_t size = starts.back();
    const std::size_t blocks = (size + kBlock - 1) / kBlock;
    m_StartBits.assign(blocks, 0);
    m_CharacterStarts.assign(blocks, 0);
    m_First.assign(blocks + 1, records > 0 ? records - 1 : 0);
    std::uint32_t holding = 0; // the last record starting at or before the block's first byte
    for (std::size_t block = 0; block < blocks; ++block) {
        while (holding + 1 < records && starts[holding + 1] <= block * kBlock)
            ++holding;
        m_First[block] = holding;
    }
    const auto mark = [](std::vector<std::uint64_t>& bits, std::size_t at) {
        bits[at / kBlock] |= std::uint64_t{1} << (at % kBlock);
    };
    for (std::uint32_t r = 0; r < records; ++r) {
        const std::size_t at = starts[r];
        if (at >= size)
            break; // this record and those after it are empty, at the column's end
        mark(m_StartBits, at);
        if (r > 0 && starts[r - 1] == at && at % kBlock != 0)
            m_First[at / kBlock] |= kCrowded;
        // A lead-range byte starts a character of two bytes, whatever the second; any other
        // byte is a character of its own.
        for (std::size_t c = at; c < starts[r + 1];
             c += gbk::isLeadByte(static_cast<unsigned char>(bytes[c])) ? 2 : 1)
            mark(m_CharacterStarts, c);
    }
}

int ColumnMap::recordInCrowdedBlock(std::size_t block, std::size_t offset) const
{
    // The record sought lies between the first records of this block and of the next.
    const std::uint32_t first = m_First[block] & ~kCrowded;
    const std::uint32_t last = m_First[block + 1] & ~kCrowded;
    const auto from = m_Starts.begin() + first;
    return static_cast<int>(std::upper_bound(from, m_Starts.begin() + last + 1, offset) -
                            m_Starts.begin()) -
           1;
}
