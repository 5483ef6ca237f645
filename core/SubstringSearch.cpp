#include "SubstringSearch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

#if defined(__x86_64__)
bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

} // namespace

SubstringSearch::SubstringSearch(std::string_view haystack, std::string_view needle)
    : m_Haystack(haystack), m_Needle(needle)
{
    if (needle.size() < 2)
        return;
    // A kilobyte tells common bytes from rare ones; counting more costs more than it saves.
    constexpr std::size_t kSample = 1024;
    std::array<std::uint32_t, 256> counts{};
    for (unsigned char c : haystack.substr(0, kSample))
        ++counts[c];
    // The three rarest bytes at different offsets, rarest first (with two bytes, the third
    // repeats the second).
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
    m_Second = chosen[1];
    m_Third = needle.size() > 2 ? chosen[2] : chosen[1];
}

std::size_t SubstringSearch::find(std::size_t from) const
{
    if (m_Needle.empty() || from > m_Haystack.size() || m_Haystack.size() - from < m_Needle.size())
        return std::string_view::npos;
#if defined(__x86_64__)
    if (m_Needle.size() >= 2 && hasAvx2())
        return findVector(from);
#endif
    return findPortable(from);
}

std::size_t SubstringSearch::findPortable(std::size_t from) const
{
    const void* hit = memmem(m_Haystack.data() + from, m_Haystack.size() - from, m_Needle.data(),
                             m_Needle.size());
    return hit ? static_cast<const char*>(hit) - m_Haystack.data() : std::string_view::npos;
}

#if defined(__x86_64__)
/// Compares 32 places at once on the three chosen bytes, then on the needle's other bytes
/// (up to a few), and compares the whole needle only where all of those agree.
__attribute__((target("avx2"))) std::size_t SubstringSearch::findVector(std::size_t from) const
{
    const char* h = m_Haystack.data();
    const std::size_t n = m_Needle.size();
    const std::size_t last = m_Haystack.size() - n; // the last possible start
    const std::size_t checked = std::min<std::size_t>(n, 8);
    const __m256i first = _mm256_set1_epi8(m_Needle[m_First]);
    const __m256i second = _mm256_set1_epi8(m_Needle[m_Second]);
    const __m256i third = _mm256_set1_epi8(m_Needle[m_Third]);
    std::size_t i = from;
    for (; i + 32 <= last + 1; i += 32) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + i + m_First));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + i + m_Second));
        const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + i + m_Third));
        __m256i both = _mm256_and_si256(
            _mm256_and_si256(_mm256_cmpeq_epi8(a, first), _mm256_cmpeq_epi8(b, second)),
            _mm256_cmpeq_epi8(c, third));
        if (_mm256_testz_si256(both, both))
            continue;
        for (std::size_t k = 0; k < checked; ++k) {
            const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + i + k));
            both = _mm256_and_si256(both, _mm256_cmpeq_epi8(c, _mm256_set1_epi8(m_Needle[k])));
        }
        auto mask = static_cast<std::uint32_t>(_mm256_movemask_epi8(both));
        while (mask != 0) {
            const std::size_t start = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (n <= checked || std::memcmp(h + start, m_Needle.data(), n) == 0)
                return start;
            mask &= mask - 1;
        }
    }
    return i <= last ? findPortable(i) : std::string_view::npos;
}
#else
std::size_t SubstringSearch::findVector(std::size_t from) const
{
    return findPortable(from);
}
#endif
