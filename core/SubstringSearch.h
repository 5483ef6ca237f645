#pragma once

#include "Instructions.h"

#include <algorithm>
#include <array>
#include <bit>
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
                    Instructions instructions = Instructions::Fastest);

    static constexpr std::size_t kBlock = 64;

    /// Calls `onBlock(at, starts)` for each block of kBlock places of the haystack where an
    /// occurrence starts, and maybe for some where none does, in increasing order: `at` is the
    /// block's first place (a multiple of kBlock) and bit k of `starts` is set when an occurrence
    /// starts at `at + k`. An empty needle occurs nowhere. Returns `onBlock` as the last call left
    /// it.
    ///
    /// `onBlock` is best inlined: the vector code then compiles it with the instructions it
    /// uses itself, and keeps its state in registers.
    template <class OnBlock> OnBlock forEachBlock(OnBlock onBlock) const
    {
        return forEachBlockIn(0, m_Haystack.size(), onBlock);
    }

    /// As forEachBlock, for the occurrences that start at a place from `from` up to `to`: the
    /// blocks are whole, so that occurrences beside the part, in the blocks that hold its ends,
    /// may be listed too.
    template <class OnBlock>
    OnBlock forEachBlockIn(std::size_t from, std::size_t to, OnBlock onBlock) const
    {
        if (m_Needle.empty() || m_Haystack.size() < m_Needle.size())
            return onBlock;
        to = std::min(to, m_Haystack.size() - m_Needle.size() + 1);
        if (from >= to)
            return onBlock;
#if defined(__x86_64__)
        if (m_Vector)
            return forEachVector(from, to, onBlock);
#endif
        return forEachPortable(from, to, onBlock);
    }

private:
    /// Needle bytes beyond the three chosen ones that the vector code compares before
    /// comparing the whole needle: the first eight.
    static constexpr std::size_t kCompared = 8;

    /// The haystack's occurrences that start from place `from` up to `to`, by memmem.
    template <class OnBlock>
    OnBlock forEachPortable(std::size_t from, std::size_t to, OnBlock onBlock) const
    {
        const char* h = m_Haystack.data();
        std::size_t block = from / kBlock * kBlock;
        std::uint64_t starts = 0;
        // Only the bytes of occurrences that start before `to` are read.
        const std::size_t end = std::min(m_Haystack.size(), to - 1 + m_Needle.size());
        while (from < to) {
            const void* hit = memmem(h + from, end - from, m_Needle.data(), m_Needle.size());
            if (!hit)
                break;
            from = static_cast<std::size_t>(static_cast<const char*>(hit) - h);
            if (from - block >= kBlock) {
                if (starts != 0)
                    onBlock(block, starts);
                block = from / kBlock * kBlock;
                starts = 0;
            }
            starts |= std::uint64_t{1} << (from - block);
            ++from;
        }
        if (starts != 0)
            onBlock(block, starts);
        return onBlock;
    }

    /// Clears the places of `starts` (in the block at `at`) where the needle's bytes beyond
    /// the first kCompared differ.
    std::uint64_t compareRest(std::size_t at, std::uint64_t starts) const
    {
        if (m_Needle.size() <= kCompared)
            return starts;
        for (std::uint64_t rest = starts; rest != 0; rest &= rest - 1) {
            const int k = std::countr_zero(rest);
            if (std::memcmp(m_Haystack.data() + at + k, m_Needle.data(), m_Needle.size()) != 0)
                starts &= ~(std::uint64_t{1} << k);
        }
        return starts;
    }

#if defined(__x86_64__)
    /// The blocks of a stretch of the haystack where the chosen bytes agree, gathered before
    /// any is handed on. A broad search has candidates in a third to two thirds of its blocks
    /// at unforeseeable places: taken block by block, the branch that passes over a block is
    /// mispredicted at many of them ("acid" over English names took a quarter to a third less
    /// gathered).
    struct Gathered
    {
        static constexpr std::size_t kBlocks = 64;

        /// Whether the next stretch is best gathered, after one where `count` blocks had
        /// candidates. Where few have, the branch is foreseen and gathering would only cost:
        /// a lookup scans a tenth slower gathered.
        static bool worthGathering(std::size_t count) { return count > kBlocks / 8; }

        /// Keeps the block at `block` as entry `count` where any of `found` is set; returns
        /// the entries kept. (The count stays the caller's, in a register: kept here, each
        /// block would wait for the last one's store.)
        std::size_t add(std::size_t count, std::size_t block, std::uint64_t found)
        {
            at[count] = block;
            places[count] = found;
            return count + (found != 0);
        }

        std::array<std::size_t, kBlocks> at;
        std::array<std::uint64_t, kBlocks> places;
    };

    /// What a block loop reads of the plan, copied into its locals: stores made by `onBlock`
    /// could alias members, which would then be read again for every block.
    struct Plan
    {
        std::size_t first, second, third; ///< offsets of the bytes compared first
        std::size_t others;               ///< how many of m_Others
        std::size_t end;                  ///< past the last place an occurrence can start
    };
    Plan plan() const
    {
        return {m_First, m_Second, m_Third, m_OtherCount, m_Haystack.size() - m_Needle.size() + 1};
    }

    /// Takes a block at a time: a mask of the places where the three chosen bytes agree,
    /// narrowed by the needle's other bytes (up to the first eight) where any agree; the whole
    /// needle is compared only at the places left.
    template <class OnBlock>
    OnBlock forEachVector(std::size_t from, std::size_t to, OnBlock& onBlock) const
    {
        // A needle of one or two bytes has fewer than three to compare, and nothing beyond
        // them: its loops leave out the other bytes, which keeps the search's state and the
        // caller's in registers (a broad search for "-1" took a tenth less on 256 bits).
        const bool three = m_Third != m_Second;
        if (m_Wide)
            return three ? forEachWide<true>(from, to, onBlock)
                         : forEachWide<false>(from, to, onBlock);
        return three ? forEachVector<true>(from, to, onBlock)
                     : forEachVector<false>(from, to, onBlock);
    }

    /// The block loop with 512-bit vectors: each chosen byte is compared with the whole block
    /// at once, straight into a mask of its places, and the masks are ANDed. (Compares that
    /// each took the mask of the one before ran slower than 256 bits, waiting on one another.)
    template <bool kThreeBytes, class OnBlock>
    __attribute__((target("avx512f,avx512bw,avx2,bmi,popcnt"))) OnBlock
    forEachWide(std::size_t from, std::size_t to, const OnBlock& given) const
    {
        OnBlock onBlock = given;
        const char* h = m_Haystack.data();
        const Plan plan = this->plan();
        const __m512i first = _mm512_set1_epi8(m_Needle[m_First]);
        const __m512i second = _mm512_set1_epi8(m_Needle[m_Second]);
        const __m512i third = _mm512_set1_epi8(m_Needle[m_Third]);
        const auto agree = [h](std::size_t at, __m512i byte)
            __attribute__((target("avx512f,avx512bw")))
        {
            return static_cast<std::uint64_t>(
                _mm512_cmpeq_epi8_mask(_mm512_loadu_si512(h + at), byte));
        };
        const auto candidates = [&](std::size_t at) __attribute__((target("avx512f,avx512bw")))
        {
            std::uint64_t places = agree(at + plan.first, first) & agree(at + plan.second, second);
            if constexpr (kThreeBytes)
                places &= agree(at + plan.third, third);
            return places;
        };
        const auto refine = [&](std::size_t at, std::uint64_t places)
            __attribute__((target("avx512f,avx512bw")))
        {
            if constexpr (kThreeBytes) {
                for (std::size_t k = 0; k < plan.others; ++k)
                    places &= agree(at + m_Others[k], _mm512_set1_epi8(m_Needle[m_Others[k]]));
                places = compareRest(at, places);
            }
            return places;
        };
        std::size_t i = from / kBlock * kBlock;
        const std::size_t stop = std::min(plan.end, (to + kBlock - 1) / kBlock * kBlock);
        Gathered gathered;
        bool gather = false;
        while (i + kBlock <= stop) {
            const std::size_t stretch = std::min(stop, i + Gathered::kBlocks * kBlock);
            std::size_t count = 0;
            if (gather) {
                for (; i + kBlock <= stretch; i += kBlock)
                    count = gathered.add(count, i, candidates(i));
                for (std::size_t k = 0; k < count; ++k)
                    onBlock(gathered.at[k], refine(gathered.at[k], gathered.places[k]));
            } else {
                for (; i + kBlock <= stretch; i += kBlock) {
                    const std::uint64_t places = candidates(i);
                    if (places == 0)
                        continue;
                    ++count;
                    onBlock(i, refine(i, places));
                }
            }
            gather = Gathered::worthGathering(count);
        }
        return i < to ? forEachPortable(std::max(i, from), to, onBlock) : onBlock;
    }

    /// The block loop with 256-bit vectors, in two 32-byte halves. Its stretches are taken as
    /// the 512-bit loop's are, written out again: a driver shared by both, without their
    /// instructions, kept their lambdas out of line and made every search a tenth slower.
    template <bool kThreeBytes, class OnBlock>
    __attribute__((target("avx2,bmi,popcnt"))) OnBlock
    forEachVector(std::size_t from, std::size_t to, const OnBlock& given) const
    {
        OnBlock onBlock = given;
        const char* h = m_Haystack.data();
        const Plan plan = this->plan();
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
            const __m256i two =
                _mm256_and_si256(agree(at + plan.first, first), agree(at + plan.second, second));
            if constexpr (kThreeBytes)
                return _mm256_and_si256(two, agree(at + plan.third, third));
            else
                return two;
        };
        const auto mask = [](__m256i low, __m256i high) __attribute__((target("avx2")))
        {
            return static_cast<std::uint32_t>(_mm256_movemask_epi8(low)) |
                   static_cast<std::uint64_t>(
                       static_cast<std::uint32_t>(_mm256_movemask_epi8(high)))
                       << 32;
        };
        const auto refine = [&](std::size_t at, std::uint64_t places)
            __attribute__((target("avx2")))
        {
            if constexpr (kThreeBytes) {
                for (std::size_t k = 0; k < plan.others; ++k) {
                    const __m256i byte = _mm256_set1_epi8(m_Needle[m_Others[k]]);
                    places &=
                        mask(agree(at + m_Others[k], byte), agree(at + 32 + m_Others[k], byte));
                }
                places = compareRest(at, places);
            }
            return places;
        };
        std::size_t i = from / kBlock * kBlock;
        const std::size_t stop = std::min(plan.end, (to + kBlock - 1) / kBlock * kBlock);
        Gathered gathered;
        bool gather = false;
        while (i + kBlock <= stop) {
            const std::size_t stretch = std::min(stop, i + Gathered::kBlocks * kBlock);
            std::size_t count = 0;
            if (gather) {
                for (; i + kBlock <= stretch; i += kBlock)
                    count = gathered.add(count, i, mask(candidates(i), candidates(i + 32)));
                for (std::size_t k = 0; k < count; ++k)
                    onBlock(gathered.at[k], refine(gathered.at[k], gathered.places[k]));
            } else {
                for (; i + kBlock <= stretch; i += kBlock) {
                    const __m256i low = candidates(i);
                    const __m256i high = candidates(i + 32);
                    const __m256i any = _mm256_or_si256(low, high);
                    if (_mm256_testz_si256(any, any))
                        continue;
                    ++count;
                    onBlock(i, refine(i, mask(low, high)));
                }
            }
            gather = Gathered::worthGathering(count);
        }
        return i < to ? forEachPortable(std::max(i, from), to, onBlock) : onBlock;
    }
#endif

    std::string_view m_Haystack;
    std::string_view m_Needle;
    bool m_Vector = false;
    bool m_Wide = false;     ///< 512-bit vectors
    std::size_t m_First = 0; ///< offsets in the needle of the three bytes compared first
    std::size_t m_Second = 0;
    std::size_t m_Third = 0;
    std::array<std::size_t, kCompared> m_Others{}; ///< the other offsets below kCompared
    std::size_t m_OtherCount = 0;
};
