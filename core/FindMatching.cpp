#include "FindMatching.h"

#include "CasNumber.h"
#include "FindText.h"
#include "SubstringSearch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace {

/// A record's best match so far as one number, lower is better: the level, then the field.
using Rank = std::uint8_t;
constexpr int kRankCount = 3 * kFindFieldCount;
constexpr Rank kNoMatch = 0xFF;

constexpr Rank rankOf(MatchLevel level, FindField field)
{
    return static_cast<Rank>(static_cast<int>(level) * kFindFieldCount + static_cast<int>(field));
}

/// The last entry of `form` that starts at or before `offset`, looking from entry `from` on
/// (which does): the hits of a search come in order, so the entry sought is most often `from`
/// or close after it.
std::size_t entryAt(const FindForm& form, std::size_t offset, std::size_t from)
{
    const std::vector<std::uint32_t>& starts = form.starts;
    const std::size_t count = form.EntryCount();
    std::size_t low = from;
    std::size_t high = from + 1;
    for (std::size_t step = 1; high < count && starts[high] <= offset; step *= 2) {
        low = high;
        high = low + step;
    }
    high = std::min(high, count);
    const auto after = std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(low) + 1,
                                        starts.begin() + static_cast<std::ptrdiff_t>(high),
                                        static_cast<std::uint32_t>(offset));
    return static_cast<std::size_t>(after - starts.begin()) - 1;
}

/// Lowers the rank of every record with an entry of `form` that holds `needle`, starting on
/// one of its characters, to the rank of its best such match.
void searchForm(const FindForm& form, FindField field, std::string_view needle,
                std::vector<Rank>& best)
{
    const Rank wholeRank = rankOf(MatchLevel::Whole, field);
    std::size_t entry = 0;
    const SubstringSearch search(form.bytes, needle);
    search.forEachBlock([&](std::size_t at, std::uint64_t places) {
        for (; places != 0; places &= places - 1) {
            const std::size_t hit = at + static_cast<std::size_t>(std::countr_zero(places));
            entry = entryAt(form, hit, entry);
            const std::size_t start = form.starts[entry];
            const std::size_t end = form.starts[entry + 1];
            if (hit + needle.size() > end)
                continue; // runs into the next entry
            Rank& rank = best[static_cast<std::size_t>(form.RecordOf(entry))];
            if (rank <= wholeRank || !form.StartsCharacter(entry, hit))
                continue;
            const MatchLevel level = hit != start                 ? MatchLevel::Within
                                     : hit + needle.size() == end ? MatchLevel::Whole
                                                                  : MatchLevel::Start;
            rank = std::min(rank, rankOf(level, field));
        }
    });
}

bool isDigitsAndDashes(std::string_view text)
{
    return text.find_first_of("0123456789") != std::string_view::npos &&
           text.find_first_not_of("0123456789-") == std::string_view::npos;
}

std::string without(std::string_view text, char dropped)
{
    std::string kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [dropped](char c) { return c != dropped; });
    return kept;
}

/// The matches of the records that have a rank, ordered by rank and then by record.
std::vector<FindMatch> inRankOrder(const std::vector<Rank>& best)
{
    std::array<std::size_t, kRankCount + 1> firstOfRank{};
    for (const Rank rank : best) {
        if (rank != kNoMatch)
            ++firstOfRank[rank + 1];
    }
    for (int rank = 1; rank <= kRankCount; ++rank)
        firstOfRank[rank] += firstOfRank[rank - 1];
    std::vector<FindMatch> matches(firstOfRank[kRankCount]);
    for (std::size_t record = 0; record < best.size(); ++record) {
        const Rank rank = best[record];
        if (rank == kNoMatch)
            continue;
        matches[firstOfRank[rank]++] = {static_cast<int>(record),
                                        static_cast<FindField>(rank % kFindFieldCount),
                                        static_cast<MatchLevel>(rank / kFindFieldCount)};
    }
    return matches;
}

} // namespace

FindResult FindRecords(const FindForms& forms, std::string_view utf8Query)
{
    FindResult result;
    const std::optional<std::string> query = NormalQuery(utf8Query, Folding::General);
    const std::optional<std::string> formulaQuery = NormalQuery(utf8Query, Folding::Formula);
    if ((query && query->empty()) || (formulaQuery && formulaQuery->empty())) {
        result.emptyQuery = true;
        return result;
    }
    std::vector<Rank> best(static_cast<std::size_t>(forms.RecordCount()), kNoMatch);
    const auto search = [&](FindForms::Kind kind, std::string_view needle) {
        searchForm(forms.Form(kind), FindForms::FieldOf(kind), needle, best);
    };
    if (query) {
        if (const CasVerdict verdict = CheckCasNumber(*query);
            verdict.kind == CasVerdict::Kind::WrongCheckDigit)
            result.casCheckDigit = verdict.expectedDigit;
        search(FindForms::Name, *query);
        search(FindForms::Alias, *query);
        // Pinyin is typed with or without blanks between the syllables.
        search(FindForms::Pinyin, without(*query, ' '));
        search(FindForms::EnglishName, *query);
        // Without its dashes, such a query finds every number that holds it with them too.
        if (isDigitsAndDashes(*query))
            search(FindForms::CasDigits, without(*query, '-'));
        else
            search(FindForms::CasNumber, *query);
        search(FindForms::Use, *query);
    }
    if (formulaQuery)
        search(FindForms::Formula, *formulaQuery);
    result.matches = inRankOrder(best);
    return result;
}

std::string_view FindFieldLabel(FindField field)
{
    static constexpr std::array<std::string_view, kFindFieldCount> kLabels = {
        "名称", "别名", "拼音", "英文名称", "CAS号", "化学式", "用途"};
    return kLabels[static_cast<std::size_t>(field)];
}
