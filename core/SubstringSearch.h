#pragma once

#include "SearchInstructions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

/// Finds every occurrence of one needle in one haystack, in one forward pass: byte-exact. Uses
/// the processor's vector instructions where it has them, because a search over a whole field
/// of 50,000 records must run at close to the speed of memory.
class SubstringSearch
{
public:
    /// Plans the search: picks the three bytes of the needle that are rarest in (a sample of)
    /// the haystack, so that few places need a full comparison.
    SubstringSearch(std::string_view haystack, std::string_view needle,
                    SearchInstructions instructions = SearchInstructions::Fastest);

    /// Calls `onHit(offset)` for occurrences in increasing order of offset. `onHit` returns the
    /// offset to go on from, greater than the one it was given: occurrences before it are
    /// skipped. An empty needle occurs nowhere.
    template <class OnHit> void forEach(OnHit&& onHit) const
    {
        if (m_Needle.empty() || m_Haystack.size() < m_Needle.size())
            return;
#if defined(__x86_64__)
        if (m_Vector) {
            forEachVector(onHit);
            return;
        }
#endif
        forEachPortable(0, onHit);
    }

private:
    /// Needle bytes beyond the three chosen ones that the vector code compares before
    /// comparing the whole needle: the first eight.
    static constexpr std::size_t kCompared = 8;

    template <class OnHit> void forEachPortable(std::size_t from, OnHit& onHit) const
    {
        const char* h = m_Haystack.data();
        while (from + m_Needle.size() <= m_Haystack.size()) {
            const void* hit =
                memmem(h + from, m_Haystack.size() - from, m_Needle.data(), m_Needle.size());
            if (!hit)
                return;
            from = onHit(static_cast<std::size_t>(static_cast<const char*>(hit) - h));
        }
    }

#if defined(__x86_64__)
    /// Takes 64 places at a time: a mask of the places where the three chosen bytes agree,
    /// narrowed by the needle's other bytes (up to the first eight) where any agree; the whole
    /// needle is compared only at the places left. The caller's rule runs between the bits of
    /// one mask, so dense hits never restart the search.
    template <class OnHit> __attribute__((target("avx2"))) void forEachVector(OnHit& onHit) const
    {
        const char* h = m_Haystack.data();
        const std::size_t n = m_Needle.size();
        const std::size_t end = m_Haystack.size() - n + 1; // one past the last possible start
        const __m256i first = _mm256_set1_epi8(m_Needle[m_First]);
        const __m256i second = _mm256_set1_epi8(m_Needle[m_Second]);
        const __m256i third = _mm256_set1_epi8(m_Needle[m_Third]);
        const auto agree = [h](std::size_t at, __m256i byte) __attribute__((target("avx2")))
        {
            return _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(h + at)),
                                     byte);
        };
        const auto candidates = [&](std::size_t at) __attribute__((target("avx2")))
        {
            return _mm256_and_si256(
                _mm256_and_si256(agree(at + m_First, first), agree(at + m_Second, second)),
                agree(at + m_Third, third));
        };
        std::size_t i = 0;
        while (i + 64 <= end) {
            __m256i low = candidates(i);
            __m256i high = candidates(i + 32);
            const __m256i any = _mm256_or_si256(low, high);
            if (_mm256_testz_si256(any, any)) {
                i += 64;
                continue;
            }
            for (std::size_t k = 0; k < m_OtherCount; ++k) {
                const __m256i byte = _mm256_set1_epi8(m_Needle[m_Others[k]]);
                low = _mm256_and_si256(low, agree(i + m_Others[k], byte));
                high = _mm256_and_si256(high, agree(i + 32 + m_Others[k], byte));
            }
            std::uint64_t mask =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high)))
                    << 32;
            std::size_t next = i + 64;
            while (mask != 0) {
                const std::size_t start = i + static_cast<std::size_t>(__builtin_ctzll(mask));
                mask &= mask - 1;
                if (n > kCompared && std::memcmp(h + start, m_Needle.data(), n) != 0)
                    continue;
                const std::size_t resume = onHit(start);
                if (resume >= i + 64) {
                    next = resume;
                    break;
                }
                mask &= ~std::uint64_t{0} << (resume - i);
            }
            i = next;
        }
        forEachPortable(i, onHit);
    }
#endif

    std::string_view m_Haystack;
    std::string_view m_Needle;
    bool m_Vector = false;
    std::size_t m_First = 0; ///< offsets in the needle of the three bytes compared first
    std::size_t m_Second = 0;
    std::size_t m_Third = 0;
    std::array<std::size_t, kCompared> m_Others{}; ///< the other offsets below kCompared
    std::size_t m_OtherCount = 0;
};
