// The search over part of a haystack: every occurrence that starts inside the part,
// wherever its ends fall against the blocks, on the vector path and the plain one.

#include "SubstringSearch.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

namespace {

/// The occurrences that the search of the part from `from` to `to` lists inside the part;
/// those it lists beside the part must be occurrences too, in the blocks that hold its ends.
std::vector<std::size_t> occurrencesIn(const SubstringSearch& search, std::string_view haystack,
                                       std::string_view needle, std::size_t from, std::size_t to)
{
    std::vector<std::size_t> places;
    search.forEachBlockIn(from, to, [&](std::size_t at, std::uint64_t starts) {
        EXPECT_EQ(at % SubstringSearch::kBlock, 0u);
        EXPECT_LT(at, to);
        EXPECT_GT(at + SubstringSearch::kBlock, from);
        for (; starts != 0; starts &= starts - 1) {
            const std::size_t place = at + static_cast<std::size_t>(std::countr_zero(starts));
            EXPECT_EQ(haystack.substr(place, needle.size()), needle) << place;
            if (place >= from && place < to)
                places.push_back(place);
        }
    });
    return places;
}

std::vector<std::size_t> plainOccurrences(const std::string& haystack, const std::string& needle,
                                          std::size_t from, std::size_t to)
{
    std::vector<std::size_t> places;
    for (std::size_t at = from; at < to && at + needle.size() <= haystack.size(); ++at) {
        if (haystack.compare(at, needle.size(), needle) == 0)
            places.push_back(at);
    }
    return places;
}

class PartOfAHaystack : public ::testing::TestWithParam<Instructions>
{
};

INSTANTIATE_TEST_SUITE_P(Paths, PartOfAHaystack,
                         ::testing::Values(Instructions::Fastest, Instructions::Narrow,
                                           Instructions::Portable));

TEST_P(PartOfAHaystack, ListsTheOccurrencesThatStartInsideIt)
{
    // Few letters, so that the needles occur often, some overlapping themselves ("aba").
    std::mt19937 random(7);
    std::string haystack;
    for (int i = 0; i < 1000; ++i)
        haystack += static_cast<char>('a' + random() % 3);
    for (const std::string needle : {"a", "ab", "aba", "cabbac", "abcabcab"}) {
        const SubstringSearch search(haystack, needle, GetParam());
        // Ends on and beside block edges, inside one block, and past the haystack.
        for (const auto& [from, to] : std::vector<std::pair<std::size_t, std::size_t>>{
                 {0, 1000}, {0, 64}, {63, 65}, {64, 128}, {1, 127}, {100, 110},
                 {130, 900}, {990, 1000}, {500, 5000}, {70, 70}, {80, 75}}) {
            SCOPED_TRACE(needle + " from " + std::to_string(from) + " to " + std::to_string(to));
            EXPECT_EQ(occurrencesIn(search, haystack, needle, from, to),
                      plainOccurrences(haystack, needle, from, to));
        }
    }
}

TEST_P(PartOfAHaystack, AnOccurrenceMayRunPastThePart)
{
    const std::string haystack(200, 'x');
    const SubstringSearch search(haystack, "xxxxx", GetParam());
    const std::vector<std::size_t> places = occurrencesIn(search, haystack, "xxxxx", 60, 130);
    ASSERT_EQ(places.size(), 70u);
    EXPECT_EQ(places.back(), 129u);
}

TEST_P(PartOfAHaystack, DenseAndSparseStretchesListTheSame)
{
    // Stretches of many candidates and of few, in turns over 40 KB: the search takes each
    // kind its own way and must list the same occurrences either way, also for needles with
    // bytes beyond the three it compares first, and beyond the first eight.
    std::mt19937 random(11);
    std::string haystack;
    for (int stretch = 0; stretch < 10; ++stretch) {
        const bool dense = stretch % 3 != 1;
        for (int i = 0; i < 4096; ++i)
            haystack +=
                dense ? static_cast<char>('a' + random() % 3) : (random() % 500 == 0 ? 'a' : 'x');
    }
    for (const std::string needle : {"ab", "abc", "abca", "cabbac", "abcabcabca"}) {
        const SubstringSearch search(haystack, needle, GetParam());
        for (const auto& [from, to] : std::vector<std::pair<std::size_t, std::size_t>>{
                 {0, haystack.size()}, {5000, 30000}, {4095, 12289}}) {
            SCOPED_TRACE(needle + " from " + std::to_string(from) + " to " + std::to_string(to));
            EXPECT_EQ(occurrencesIn(search, haystack, needle, from, to),
                      plainOccurrences(haystack, needle, from, to));
        }
    }
}

} // namespace
