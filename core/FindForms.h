#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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
    CasNumber,   ///< the CAS number, also without its dashes
    Formula,     ///< the formula
    Use,         ///< the use
};
inline constexpr int kFindFieldCount = 7;

/// One text form of every record: entries back to back in one buffer, each the form of one
/// record's field (or of one piece of it, such as one alias), in record order.
struct FindForm
{
    std::string bytes;
    /// Where each entry starts in `bytes`, then where the last one ends.
    std::vector<std::uint32_t> starts;
    /// The record of each entry; empty when entry i is record i.
    std::vector<std::uint32_t> records;
    /// One bit per byte, set where a character starts; empty when characters are code page
    /// 936's.
    std::vector<std::uint64_t> characterStarts;

    std::size_t EntryCount() const { return starts.size() - 1; }
    int RecordOf(std::size_t entry) const
    {
        return static_cast<int>(records.empty() ? entry : records[entry]);
    }
    /// True when `offset`, inside entry `entry`, starts a character of it.
    bool StartsCharacter(std::size_t entry, std::size_t offset) const;

    std::size_t MemoryBytes() const;
};

/// The normal forms (FindText.h) of the fields the forgiving search reads and the spellings of
/// the names (Pinyin.h), for every record of a store: made once per database, as the making
/// takes far longer than a search.
class FindForms
{
public:
    enum Kind
    {
        Name,
        Alias,
        Pinyin,
        EnglishName,
        CasNumber,
        CasDigits, ///< the CAS number without its dashes
        Formula,
        Use,
    };
    static constexpr int kKindCount = 8;

    /// Makes the forms of the records loaded in `doc`, which must not change meanwhile.
    explicit FindForms(const CVELMORDoc& doc);

    const FindForm& Form(Kind kind) const { return m_Forms[kind]; }
    int RecordCount() const { return m_RecordCount; }
    /// The memory the forms take.
    std::size_t MemoryBytes() const;

    /// The field a form belongs to.
    static FindField FieldOf(Kind kind);

private:
    std::array<FindForm, kKindCount> m_Forms;
    int m_RecordCount = 0;
};
