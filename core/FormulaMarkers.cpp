#include "FormulaMarkers.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kStart[] = "<sub>";
constexpr char kEnd[] = "</sub>";
constexpr std::size_t kStartLength = sizeof kStart - 1;
constexpr std::size_t kEndLength = sizeof kEnd - 1;

static_assert(std::endian::native == std::endian::little);

/// Bytes before the first '<' among the 8 at `p`, or 8 when there is none.
std::size_t bytesBeforeBracket(const char* p)
{
    constexpr std::uint64_t ones = 0x0101010101010101u;
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    // The lowest byte equal to '<' sets its top bit here (higher bits may be false).
    const std::uint64_t v = word ^ (ones * '<');
    const std::uint64_t found = (v - ones) & ~v & (ones * 0x80);
    return found == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(found)) / 8;
}

bool startsWith(const char* p, const char* end, const char* marker, std::size_t length)
{
    return static_cast<std::size_t>(end - p) >= length && std::memcmp(p, marker, length) == 0;
}

/// Deletes every `marker` from the `size` bytes at `text`, looking at the text as it was:
/// bytes that come together only once a marker is gone are kept. Returns the new size.
std::size_t removeAll(char* text, std::size_t size, const char* marker, std::size_t length)
{
    const char* const end = text + size;
    const char* read = text;
    char* write = text;
    while (read < end) {
        if (*read == '<' && startsWith(read, end, marker, length))
            read += length;
        else
            *write++ = *read++;
    }
    return static_cast<std::size_t>(write - text);
}

} // namespace

std::size_t RemoveFormulaMarkers(char* text, std::size_t size)
{
    size = removeAll(text, size, kStart, kStartLength);
    return removeAll(text, size, kEnd, kEndLength);
}

std::size_t CopyWithoutFormulaMarkers(char* to, const char* from, std::size_t size)
{
    // One pass deletes both markers. It gives what the two passes give unless deleting a
    // "<sub>" joins bytes into a new "</sub>"; that needs a '<' among the five bytes written
    // last, and then the copy starts over with the two passes. The only '<' ever written is
    // one that starts no marker, so the last of those is all there is to remember.
    constexpr std::uint64_t kStartWord = 0x3e6275733cu; // "<sub>", little-endian
    constexpr std::uint64_t kEndWord = 0x3e6275732f3cu; // "</sub>"
    const char* const end = from + size;
    const char* read = from;
    char* write = to;
    // Where the last '<' was written, in bytes from `to`; none yet.
    auto lastBracket = -static_cast<std::ptrdiff_t>(kStartLength + 1);
    while (read < end) {
        const std::size_t plain = bytesBeforeBracket(read);
        std::memcpy(write, read, 8);
        read += plain;
        write += plain;
        if (plain == 8 || read >= end)
            continue;
        std::uint64_t word;
        std::memcpy(&word, read, 8);
        const auto left = static_cast<std::size_t>(end - read);
        if ((word & 0xFFFFFFFFFFu) == kStartWord && left >= kStartLength) {
            read += kStartLength;
            if (write - to - lastBracket <= static_cast<std::ptrdiff_t>(kStartLength)) {
                std::memcpy(to, from, size);
                return RemoveFormulaMarkers(to, size);
            }
        } else if ((word & 0xFFFFFFFFFFFFu) == kEndWord && left >= kEndLength) {
            read += kEndLength;
        } else {
            lastBracket = write - to;
            *write++ = *read++;
        }
    }
    return static_cast<std::size_t>(write - to) - static_cast<std::size_t>(read - end);
}
