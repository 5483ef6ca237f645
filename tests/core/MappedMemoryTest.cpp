// A growing buffer keeps every byte as its room grows and moves, takes in only the pages written,
// and after it gives back what lies beyond its bytes.

#include "MappedMemory.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

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

/// The kilobytes of the line `field` ("Rss:", "AnonHugePages:") that the kernel's map of this
/// process gives the mapping holding `at`, or -1 when it has no such mapping.
long mappingKilobytesAt(const void* at, const std::string& field)
{
    std::ifstream maps("/proc/self/smaps");
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    bool inside = false;
    for (std::string line; std::getline(maps, line);) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> from >> dash >> to && dash == '-') {
            inside = from <= address && address < to;
        } else if (inside && line.rfind(field, 0) == 0) {
            return std::stol(line.substr(line.find(':') + 1));
        }
    }
    return -1;
}

} // namespace

TEST(GrowingBytes, ALargeBufferTakesNoHugePages)
{
    // A huge page the kernel set aside can come back from a virtual machine's host unbacked,
    // and its first write then costs milliseconds.
    GrowingBytes buffer;
    buffer.expectLarge(true);
    fillTo(buffer, 9'000'011, 65'537, std::size_t{1} << 40);
    EXPECT_EQ(mappingKilobytesAt(buffer.data(), "AnonHugePages:"), 0);
    EXPECT_EQ(mappingKilobytesAt(buffer.data() + buffer.size() - 1, "AnonHugePages:"), 0);
}

TEST(GrowingBytes, OnlyThePagesWrittenComeIn)
{
    // Pages brought in ahead of the bytes would be brought in with the process's address space
    // locked, and the window built beside a load would wait for every mapping it makes.
    GrowingBytes buffer;
    buffer.expectLarge(true);
    fillTo(buffer, 100, 100, std::size_t{1} << 40);
    const long resident = mappingKilobytesAt(buffer.data(), "Rss:");
    ASSERT_GE(resident, 0);
    EXPECT_LE(resident, 8);
}

TEST(GrowingBytes, KeepsItsBytesWhileGrowingThroughLargeRoom)
{
    // Steps of odd sizes cross every page boundary at odd places; a tight spare limit makes
    // the room grow by less than doubling.
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
