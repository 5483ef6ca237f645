#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

/// For each ASCII character, the records of one form that hold it at the start of a character,
/// by the best level at which they hold it: 0, the whole of a piece; 1, a piece's start; 2,
/// anywhere else. Gathered while the form is made, for CharacterAnswers.
class CharacterLevels
{
public:
    static constexpr int kCharacters = 128;
    static constexpr int kLevels = 3;

    /// Takes the entry of the next record, whose pieces are separated by `pieceBreak`.
    /// `characterStarts` has a bit per byte of the form from `entryOffset` on, set where a
    /// character starts; when it is empty, characters are code page 936's.
    void Add(std::string_view entry, char pieceBreak,
             std::span<const std::uint64_t> characterStarts, std::size_t entryOffset);

    /// The records that hold `character` at `level` and at no better one, in record order.
    const std::vector<std::uint32_t>& Records(unsigned char character, int level) const;

private:
    std::uint32_t m_RecordCount = 0;
    std::vector<std::vector<std::uint32_t>> m_Records =
        std::vector<std::vector<std::uint32_t>>(kCharacters * kLevels);
};

/// The answers to the queries of one ASCII character, the broadest there are: for each such
/// character, the records that match it best at each rank (a level, then a form), so that the
/// search lists them without reading the thousands of places in the forms that hold it.
class CharacterAnswers
{
public:
    /// The records of one rank, in record order: a bit per record, or a list of record numbers
    /// where that takes less memory.
    struct Set
    {
        std::span<const std::uint64_t> bits;
        std::span<const std::uint32_t> records;
    };

    CharacterAnswers() = default;
    /// The answers over `recordCount` records from the levels of each form, in the order in
    /// which their matches rank; a query of character c is searched for as `needle(c, form)`
    /// in each form, or not at all where that is -1. A match at level l in form f has rank
    /// l * forms.size() + f, lower is better.
    CharacterAnswers(std::span<const CharacterLevels> forms, std::size_t recordCount,
                     const std::function<int(unsigned char, std::size_t)>& needle);

    int RankCount() const { return m_RankCount; }
    /// The records whose best match of `character` (below 0x80) has rank `rank`.
    Set Of(unsigned char character, int rank) const;

    std::size_t MemoryBytes() const;

private:
    /// Where a set lies: in m_Bits when dense, else in m_Records.
    struct Place
    {
        std::uint32_t offset = 0;
        std::uint32_t size : 31 = 0; ///< words when dense, else records
        std::uint32_t dense : 1 = 0;
    };

    int m_RankCount = 0;
    std::vector<Place> m_Places; ///< for each character, for each rank
    std::vector<std::uint64_t> m_Bits;
    std::vector<std::uint32_t> m_Records;
};
