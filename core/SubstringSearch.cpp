#include "SubstringSearch.h"

#include <algorithm>
#include <cstdint>

namespace {

/// The instructions the vector search is compiled for.
bool hasVectorInstructions()
{
#if defined(__x86_64__)
    static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
                            __builtin_cpu_supports("popcnt");
    return has;
#else
    return false;
#endif
}

/// The instructions the 512-bit search is compiled for, beside those of the vector search.
bool hasWideInstructions()
{
#if defined(__x86_64__)
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
    return has;
#else
    return false;
#endif
}

} // namespace

SubstringSearch::SubstringSearch(std::string_view haystack, std::string_view needle,
                                 Instructions instructions)
    : m_Haystack(haystack), m_Needle(needle),
      m_Vector(instructions != Instructions::Portable && hasVectorInstructions()),
      m_Wide(m_Vector && instructions == Instructions::Fastest && hasWideInstructions())
{
    // A kilobyte tells common bytes from rare ones; counting more costs more than it saves.
    constexpr std::size_t kSample = 1024;
    std::array<std::uint32_t, 256> counts{};
    for (unsigned char c : haystack.substr(0, kSample))
        ++counts[c];
    // The three rarest bytes at different offsets, rarest first (with fewer bytes, the last
    // offset repeats).
    std::array<std::size_t, 3> chosen{};
    std::array<std::uint32_t, 3> rarity{UINT32_MAX, UINT32_MAX, UINT32_MAX};
    for (std::size_t i = 0; i < needle.size(); ++i) {
        std::size_t at = i;
        std::uint32_t count = counts[static_cast<unsigned char>(needle[i])];
        for (std::size_t slot = 0; slot < chosen.size(); ++slot) {
            if (count < rarity[slot]) {
                std::swap(count, rarity[slot]);
                std::swap(at, chosen[slot]);
            }
        }
    }
    m_First = chosen[0];
    m_Second = needle.size() > 1 ? chosen[1] : chosen[0];
    m_Third = needle.size() > 2 ? chosen[2] : m_Second;
    for (std::size_t k = 0; k < std::min(needle.size(), kCompared); ++k) {
        if (k != m_First && k != m_Second && k != m_Third)
            m_Others[m_OtherCount++] = k;
    }
}
