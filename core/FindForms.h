#pragma once

#include "CharacterAnswers.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class CVELMORDoc;

/// The fields the forgiving search reads, in the order in which their matches rank.
enum class FindField : std::uint8_t
{
    Name,        ///< the Chinese name
    Alias,       ///< each of the names in "别名"
    Pinyin,      ///< the pinyin and the initials of the name and of each alias
    EnglishName, ///< the English name
    CasNumber,   ///< the CAS number, without its dashes
    Formula,     ///< the formula
    Use,         ///< the use
};
inline constexpr int kFindFieldCount = 7;

/// A set of buckets, one bit for each: the buckets of a chunk's characters, or of a query's.
using BucketSet = std::vector<std::uint64_t>;

/// Which chunks of a form hold an item of each bucket: a row of one bit per chunk for each
/// bucket, so that a search reads only the rows of its own items' buckets.
class ChunkRows
{
public:
    ChunkRows() = default;

    /// The rows of the chunks whose sets of `buckets` buckets are `chunkSets`, each
    /// buckets / 64 words long, one after the other in chunk order.
    ChunkRows(std::size_t buckets, const BucketSet& chunkSets)
        : m_SetWords(buckets / 64), m_Words((chunkSets.size() / m_SetWords + 63) / 64),
          m_Rows(m_Words * buckets)
    {
        for (std::size_t at = 0; at < chunkSets.size(); ++at) {
            const std::size_t chunk = at / m_SetWords;
            for (std::uint64_t bits = chunkSets[at]; bits != 0; bits &= bits - 1) {
                const std::size_t bucket = at % m_SetWords * 64 + bucketIn(bits);
                m_Rows[bucket * m_Words + chunk / 64] |= std::uint64_t{1} << (chunk % 64);
            }
        }
    }

    std::size_t Buckets() const { return m_SetWords * 64; }

    /// Clears in `chunks` (a bit per chunk) the chunks that lack a bucket of `set`.
    void Narrow(const BucketSet& set, std::vector<std::uint64_t>& chunks) const
    {
        for (std::size_t word = 0; word < set.size(); ++word) {
            for (std::uint64_t bits = set[word]; bits != 0; bits &= bits - 1) {
                const std::size_t bucket = word * 64 + bucketIn(bits);
                const std::uint64_t* row = m_Rows.data() + bucket * m_Words;
                for (std::size_t w = 0; w < m_Words && w < chunks.size(); ++w)
                    chunks[w] &= row[w];
            }
        }
    }

    std::size_t MemoryBytes() const { return m_Rows.capacity() * sizeof(std::uint64_t); }

private:
    static std::size_t bucketIn(std::uint64_t bits)
    {
        return static_cast<std::size_t>(std::countr_zero(bits));
    }

    std::size_t m_SetWords = 1; ///< of each chunk's set
    std::size_t m_Words = 0;    ///< of each row
    std::vector<std::uint64_t> m_Rows;
};

/// One field of every record in a searchable form: the records' entries back to back in one
/// buffer, in record order. An entry holds pieces (the aliases of a record, say) separated by
/// kPieceBreak; a match lies within one piece.
struct FindForm
{
    /// Between the pieces of an entry: a control character, which neither a normal form nor a
    /// query holds.
    static constexpr char kPieceBreak = '\x1f';

    /// Adds to `sketch` the buckets of the characters of a text, among the first
    /// kCharacterBuckets, and of each pair of characters that follow one another in it, among
    /// the rest (a power of two of them). A needle's pairs tell far more chunks apart than its
    /// characters do where the chunks hold most characters, as runs of Latin letters and long
    /// texts do. The characters keep buckets of their own: a character that shared the bucket of
    /// a pair that every chunk holds (of digits, say) would be searched for in every chunk.
    static constexpr std::size_t kCharacterBuckets = 512;
    static void Sketch(std::string_view text, std::span<std::uint64_t> sketch);

    /// The entries, unless the form is searched in place.
    std::string bytes;
    /// A form searched in place (the names and the uses) reads the field's own column of the
    /// store, whose entries are the stored texts, each one piece compared as its normal form; it
    /// keeps no copy of them.
    bool inPlace = false;
    std::string_view column;
    /// The entries' bytes: `bytes`, or the column.
    std::string_view Text() const { return inPlace ? column : std::string_view(bytes); }
    /// Where each record's entry starts in Text(), then where the last one ends.
    std::vector<std::uint32_t> starts;
    /// One bit per byte, set where a character starts; empty when characters are code page
    /// 936's.
    std::vector<std::uint64_t> characterStarts;
    /// The entries in chunks of about kChunkBytes: the first record of each chunk, then the
    /// record count; and which chunks hold each bucket of a sketch, so that a search can pass
    /// over the chunks that lack one of its characters or pairs.
    std::vector<std::uint32_t> chunkStarts;
    ChunkRows chunkSketches;
    /// In place: the ASCII characters each chunk's normal forms hold, one bit for each of 128
    /// buckets, which tell exactly which chunks must be put in normal form for a query that
    /// holds any.
    static constexpr std::size_t kAsciiBuckets = 128;
    static void AddAscii(std::string_view text, std::span<std::uint64_t> set);
    ChunkRows chunkAscii;
    int ChunkCount() const { return static_cast<int>(chunkStarts.size()) - 1; }
    static constexpr std::size_t kChunkBytes = 1024;
    /// The length of the longest piece (in normal form).
    std::size_t longestPiece = 0;

    int RecordCount() const { return static_cast<int>(starts.size()) - 1; }
    /// True when `offset`, inside record `record`'s entry, starts a character of it.
    bool StartsCharacter(int record, std::size_t offset) const;

    std::size_t MemoryBytes() const;
};

/// The needle a query is searched for in each form, in FindField order, from its general normal
/// form and its formulas' one (FindText.h), either of which may be missing; an empty needle is
/// not searched for.
using FindNeedles = std::array<std::string, kFindFieldCount>;
FindNeedles NeedlesOf(const std::optional<std::string>& query,
                      const std::optional<std::string>& formulaQuery);

/// The normal forms (FindText.h) of the fields the forgiving search reads and the spellings of
/// the names (Pinyin.h), for every record of a store: made once per database, as the making
/// takes far longer than a search.
class FindForms
{
public:
    /// Makes the forms of the records loaded in `doc`, which must outlive them and not load
    /// again: the names and the uses are searched where the store keeps them.
    explicit FindForms(const CVELMORDoc& doc);

    const FindForm& Form(FindField field) const { return m_Forms[static_cast<int>(field)]; }
    int RecordCount() const { return m_RecordCount; }
    /// The answers to the queries of one ASCII character, whose needles are NeedlesOf it and
    /// its formulas' form.
    const CharacterAnswers& Answers() const { return m_Answers; }
    /// The length of the longest piece of any form.
    std::size_t LongestPiece() const;
    /// The memory the forms take.
    std::size_t MemoryBytes() const;

private:
    std::array<FindForm, kFindFieldCount> m_Forms;
    CharacterAnswers m_Answers;
    int m_RecordCount = 0;
};
