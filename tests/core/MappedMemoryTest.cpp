// A growing buffer keeps every byte as its room moves from small pages into huge pages and on,
// or starts in huge pages.

#include "MappedMemory.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

namespace {

char patternAt(std::size_t i)
{
    return static_cast<char>((i * 2654435761u) >> 24);
}

/// Fills `buffer` to `size` bytes in steps of `step`, as a loader appends texts.
void fillTo(GrowingBytes& buffer, std::size_t size, std::size_t step, std::size_t spareLimit)
{
    while (buffer.size() < size) {
        const std::size_t from = buffer.size();
        const std::size_t bytes = std::min(step, size - from);
        char* at = buffer.extend(bytes, spareLimit);
        for (std::size_t i = 0; i < bytes; ++i)
            at[i] = patternAt(from + i);
    }
}

std::size_t firstWrongByte(const GrowingBytes& buffer)
{
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        if (buffer.data()[i] != patternAt(i))
            return i;
    }
    return buffer.size();
}

} // namespace

TEST(GrowingBytes, KeepsItsBytesWhileGrowingThroughLargeRoom)
{
    // Steps of odd sizes cross every boundary of small and huge pages at odd places; a tight
    // spare limit gives room that is not a whole number of huge pages.
    for (const bool large : {false, true}) {
        for (const std::size_t spareLimit : {std::size_t{1} << 40, std::size_t{300'001}}) {
            GrowingBytes buffer;
            buffer.expectLarge(large);
            fillTo(buffer, 9'000'011, 4'099, spareLimit);
            EXPECT_EQ(firstWrongByte(buffer), buffer.size())
                << "spare limit " << spareLimit << ", large " << large;
            buffer.trim();
            fillTo(buffer, 9'500'000, 65'537, spareLimit);
            EXPECT_EQ(firstWrongByte(buffer), buffer.size())
                << "after trim, limit " << spareLimit << ", large " << large;
        }
    }
}
