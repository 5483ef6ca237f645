#include "RecordLocator.h"

#include <algorithm>

RecordLocator::RecordLocator(std::span<const std::size_t> starts) : m_Starts(starts)
{
    const auto records = static_cast<std::uint32_t>(starts.size() - 1);
    const std::size_t bytes = starts.back();
    const std::size_t blocks = (bytes + kBlock - 1) / kBlock;
    m_StartBits.assign(blocks + 1, 0);
    m_First.assign(blocks + 1, records > 0 ? records - 1 : 0);
    std::uint32_t holding = 0; // the last record starting at or before the block's first byte
    for (std::size_t block = 0; block < blocks; ++block) {
        while (holding + 1 < records && starts[holding + 1] <= block * kBlock)
            ++holding;
        m_First[block] = holding;
    }
    for (std::uint32_t r = 0; r < records; ++r) {
        const std::size_t at = starts[r];
        if (at >= bytes)
            break; // this record and those after it are empty, at the column's end
        const std::size_t block = at / kBlock;
        m_StartBits[block] |= std::uint64_t{1} << (at % kBlock);
        if (r > 0 && starts[r - 1] == at && at % kBlock != 0)
            m_First[block] |= kCrowded;
    }
}

int RecordLocator::recordInCrowdedBlock(std::size_t block, std::size_t offset) const
{
    // The record sought lies between the first records of this block and of the next.
    const std::uint32_t first = m_First[block] & ~kCrowded;
    const std::uint32_t last = m_First[block + 1] & ~kCrowded;
    const auto from = m_Starts.begin() + first;
    return static_cast<int>(std::upper_bound(from, m_Starts.begin() + last + 1, offset) -
                            m_Starts.begin()) -
           1;
}
