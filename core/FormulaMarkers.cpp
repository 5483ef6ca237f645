#include "FormulaMarkers.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

#if defined(__x86_64__)
constexpr std::size_t kNotCopied = SIZE_MAX;

bool hasCompressInstructions()
{
    static const bool has = __builtin_cpu_supports("avx512vbmi2") &&
                            __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("bmi2") &&
                            __builtin_cpu_supports("popcnt");
    return has;
}

/// Copies a formula of at most 64 bytes without its markers with a handful of vector
/// instructions: a mask of the bytes the markers cover, and the others pressed together.
/// Returns kNotCopied for a text with a '<' that starts no marker, which the one-pass copy
/// must take, as deleting a marker may then form another. (A plain number comes back in a
/// register; an optional came back through memory, and reading it back stalled each call.)
__attribute__((target("avx512f,avx512bw,avx512vbmi2,bmi2,popcnt"))) std::size_t
copyShortFormula(char* to, const char* from, std::size_t size)
{
    // Bytes past the end are neither read nor written.
    const __mmask64 inText = _bzhi_u64(~std::uint64_t{0}, static_cast<unsigned>(size));
    const __m512i text = _mm512_maskz_loadu_epi8(inText, from);
    const auto at = [text](char c) __attribute__((target("avx512f,avx512bw")))
    {
        return static_cast<std::uint64_t>(_mm512_cmpeq_epi8_mask(text, _mm512_set1_epi8(c)));
    };
    const std::uint64_t brackets = at('<');
    // Bit i of each mask stands for byte i.
    const std::uint64_t subs = at('s') & (at('u') >> 1) & (at('b') >> 2) & (at('>') >> 3);
    const std::uint64_t starts = brackets & (subs >> 1);                // "<sub>"
    const std::uint64_t ends = brackets & (at('/') >> 1) & (subs >> 2); // "</sub>"
    if ((brackets & ~(starts | ends)) != 0)
        return kNotCopied;
    std::uint64_t covered = starts | ends;
    covered |= covered << 1;
    covered |= covered << 2;
    covered |= starts << 4 | ends << 4 | ends << 5;
    const std::uint64_t kept = inText & ~covered;
    const auto count = static_cast<unsigned>(_mm_popcnt_u64(kept));
    _mm512_mask_storeu_epi8(to, _bzhi_u64(~std::uint64_t{0}, count),
                            _mm512_maskz_compress_epi8(kept, text));
    return count;
}
#endif

} // namespace

std::size_t RemoveFormulaMarkers(char* text, std::size_t size)
{
    size = removeAll(text, size, kStart, kStartLength);
    return removeAll(text, size, kEnd, kEndLength);
}

std::size_t CopyWithoutFormulaMarkers(char* to, const char* from, std::size_t size,
                                      Instructions instructions)
{
#if defined(__x86_64__)
    if (size <= 64 && instructions == Instructions::Fastest && hasCompressInstructions()) {
        if (const std::size_t copied = copyShortFormula(to, from, size); copied != kNotCopied)
            return copied;
    }
#else
    (void)instructions;
#endif
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
