#pragma once

#include "Instructions.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
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
                    Instructions instructions = Instructions::Fastest);

    /// Calls `onHits(hits)` with the offsets of every occurrence, in increasing order, a batch
    /// of up to kBatch at a time. An empty needle occurs nowhere.
    template <class OnHits> void forEachBatch(OnHits&& onHits) const
    {
        if (m_Needle.empty() || m_Haystack.size() < m_Needle.size())
            return;
        Batch batch;
#if defined(__x86_64__)
        if (m_Vector) {
            forEachVector(batch, onHits);
            return;
        }
#endif
        forEachPortable(0, batch, onHits);
    }

    static constexpr std::size_t kBatch = 256;

private:
    /// Needle bytes beyond the three chosen ones that the vector code compares before
    /// comparing the whole needle: the first eight.
    static constexpr std::size_t kCompared = 8;

    struct Batch
    {
        // Room for one block's hits beyond a full batch.
        std::array<std::size_t, kBatch + 64> hits;
        std::size_t count = 0;
    };

    template <class OnHits>
    void forEachPortable(std::size_t from, Batch& batch, OnHits& onHits) const
    {
        const char* h = m_Haystack.data();
        while (from + m_Needle.size() <= m_Haystack.size()) {
            const void* hit =
                memmem(h + from, m_Haystack.size() - from, m_Needle.data(), m_Needle.size());
            if (!hit)
                break;
            from = static_cast<std::size_t>(static_cast<const char*>(hit) - h);
            batch.hits[batch.count++] = from++;
            if (batch.count >= kBatch) {
                onHits(std::span<const std::size_t>(batch.hits.data(), batch.count));
                batch.count = 0;
            }
        }
        if (batch.count > 0)
            onHits(std::span<const std::size_t>(batch.hits.data(), batch.count));
    }

#if defined(__x86_64__)
    /// Takes 64 places at a time: a mask of the places where the three chosen bytes agree,
    /// narrowed by the needle's other bytes (up to the first eight) where any agree; the whole
    /// needle is compared only at the places left. The places of a mask are written out
    /// without a branch per place, so dense hits cost little more than sparse ones.
    template <class OnHits>
    __attribute__((target("avx2,bmi,popcnt"))) void forEachVector(Batch& batch,
                                                                  OnHits& onHits) const
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
        for (; i + 64 <= end; i += 64) {
            __m256i low = candidates(i);
            __m256i high = candidates(i + 32);
            const __m256i any = _mm256_or_si256(low, high);
            if (_mm256_testz_si256(any, any))
                continue;
            for (std::size_t k = 0; k < m_OtherCount; ++k) {
                const __m256i byte = _mm256_set1_epi8(m_Needle[m_Others[k]]);
                low = _mm256_and_si256(low, agree(i + m_Others[k], byte));
                high = _mm256_and_si256(high, agree(i + 32 + m_Others[k], byte));
            }
            std::uint64_t mask =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(high)))
                    << 32;
            if (n > kCompared) {
                for (std::uint64_t rest = mask; rest != 0; rest &= rest - 1) {
                    const int k = std::countr_zero(rest);
                    if (std::memcmp(h + i + k, m_Needle.data(), n) != 0)
                        mask &= ~(std::uint64_t{1} << k);
                }
            }
            // Four places are written whether or not the mask has them; the count decides
            // which are kept.
            std::size_t* out = batch.hits.data() + batch.count;
            const int found = std::popcount(mask);
            for (int k = 0; k < 4; ++k) {
                out[k] = i + static_cast<std::size_t>(std::countr_zero(mask));
                mask &= mask - 1;
            }
            for (int k = 4; k < found; ++k) {
                out[k] = i + static_cast<std::size_t>(std::countr_zero(mask));
                mask &= mask - 1;
            }
            batch.count += static_cast<std::size_t>(found);
            if (batch.count >= kBatch) {
                onHits(std::span<const std::size_t>(batch.hits.data(), batch.count));
                batch.count = 0;
            }
        }
        forEachPortable(i, batch, onHits);
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
