#pragma once

#include "FindForms.h"

#include <optional>
#include <string_view>
#include <vector>

/// How much of a field a match covers, best first.
enum class MatchLevel : std::uint8_t
{
    Whole, ///< the whole field (or the whole of one alias, pinyin or initials)
    Start, ///< its start
    Within ///< anywhere else
};

/// One record the forgiving search lists, with its best match.
struct FindMatch
{
    int record;
    FindField field;
    MatchLevel level;

    bool operator==(const FindMatch&) const = default;
};

struct FindResult
{
    /// Each matching record once, best first: by level, then by field in FindField order, then
    /// by record order.
    std::vector<FindMatch> matches;
    /// The query is empty once its blanks are trimmed: nothing was searched.
    bool emptyQuery = false;
    /// The check digit the query should end in, when it is a whole CAS number ("64-17-4") with
    /// the wrong one; the search ran all the same.
    std::optional<int> casCheckDigit;
};

/// The forgiving search: the records whose name, aliases, pinyin or initials, English name, CAS
/// number (also without its dashes, for a query of digits and dashes), formula or use hold the
/// UTF-8 query, both compared in their normal forms (FindText.h), with each match starting on a
/// character of the field. Any text is taken: one that is not UTF-8, or holds a character that
/// code page 936 cannot hold, finds nothing.
FindResult FindRecords(const FindForms& forms, std::string_view utf8Query);

/// The label of a field, in UTF-8: "名称", "别名", "拼音", "英文名称", "CAS号", "化学式", "用途".
std::string_view FindFieldLabel(FindField field);
