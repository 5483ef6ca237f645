#include "FindMatching.h"

#include "CasNumber.h"
#include "FindText.h"
#include "SubstringSearch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
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

/// The last record whose entry in `form` starts at or before `offset`, looking from record
/// `from` on (whose entry does): the hits of a search come in order, so the record sought is
/// most often `from` or close after it.
int recordAt(const FindForm& form, std::size_t offset, int from)
{
    const std::vector<std::uint32_t>& starts = form.starts;
    const auto count = static_cast<std::size_t>(form.RecordCount());
    auto low = static_cast<std::size_t>(from);
    std::size_t high = low + 1;
    for (std::size_t step = 1; high < count && starts[high] <= offset; step *= 2) {
        low = high;
        high = low + step;
    }
    high = std::min(high, count);
    const auto after = std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(low) + 1,
                                        starts.begin() + static_cast<std::ptrdiff_t>(high),
                                        static_cast<std::uint32_t>(offset));
    return static_cast<int>(after - starts.begin()) - 1;
}

/// Lowers the rank of every record whose entry in `form` holds `needle` within a piece,
/// starting on one of its characters, to the rank of its best such match.
class FormSearch
{
public:
    /// `firstRecord`: the record of the form's first entry.
    FormSearch(const FindForm& form, FindField field, std::string_view needle,
               std::vector<Rank>& best, int firstRecord = 0)
        : m_Form(form), m_Text(form.Text()), m_Field(field), m_Needle(needle), m_Best(best),
          m_FirstRecord(static_cast<std::size_t>(firstRecord))
    {
    }

    void Run()
    {
        if (m_Needle.empty() || m_Needle.size() > m_Form.longestPiece)
            return;
        // Only the chunks that hold every character and pair of characters of the needle can
        // hold it.
        const auto chunks = static_cast<std::size_t>(m_Form.ChunkCount());
        std::vector<std::uint64_t> held((chunks + 63) / 64, ~std::uint64_t{0});
        if (chunks % 64 != 0)
            held.back() = (std::uint64_t{1} << (chunks % 64)) - 1;
        BucketSet sketch(m_Form.chunkSketches.Buckets() / 64);
        FindForm::Sketch(m_Needle, sketch);
        m_Form.chunkSketches.Narrow(sketch, held);
        // Texts searched in place hold what their normal forms do, byte for byte, only where
        // the needle holds no ASCII character: no blank, nothing that a character folds to.
        if (m_Form.inPlace) {
            BucketSet ascii(FindForm::kAsciiBuckets / 64);
            FindForm::AddAscii(m_Needle, ascii);
            if (ascii != BucketSet(ascii.size())) {
                m_Form.chunkAscii.Narrow(ascii, held);
                SearchNormalForms(held);
                return;
            }
        }
        // The runs of chunks are listed first, with where their bytes lie, so that the search
        // of each can ask for the first bytes of the next: the runs in a long form (the uses)
        // are often a kilobyte or two long and apart, too short for the processor to fetch
        // ahead by itself, and each began by waiting on memory.
        struct Stretch
        {
            int record;
            std::size_t from, to;
        };
        std::vector<Stretch> stretches;
        forEachRun(held, [&](std::size_t first, std::size_t end) {
            stretches.push_back({static_cast<int>(m_Form.chunkStarts[first]),
                                 m_Form.starts[m_Form.chunkStarts[first]],
                                 m_Form.starts[m_Form.chunkStarts[end]]});
        });
        const SubstringSearch search(m_Text, m_Needle);
        for (std::size_t k = 0; k < stretches.size(); ++k) {
            if (k + 1 < stretches.size())
                FetchAhead(stretches[k + 1].from);
            m_Record = stretches[k].record;
            SearchBytes(search, stretches[k].from, stretches[k].to);
        }
    }

private:
    /// Calls `onRun(first, end)` for each run of consecutive chunks set in `chunks`, a bit per
    /// chunk.
    template <class OnRun>
    static void forEachRun(const std::vector<std::uint64_t>& chunks, OnRun&& onRun)
    {
        const std::size_t count = chunks.size() * 64;
        // The first chunk from `c` on whose bit is `set`, or `count`.
        const auto next = [&chunks, count](std::size_t c, bool set) {
            while (c < count) {
                const std::uint64_t bits = (set ? chunks[c / 64] : ~chunks[c / 64]) >> (c % 64);
                if (bits != 0)
                    return c + static_cast<std::size_t>(std::countr_zero(bits));
                c = (c / 64 + 1) * 64;
            }
            return count;
        };
        for (std::size_t first = next(0, true); first < count;) {
            const std::size_t end = next(first, false);
            onRun(first, end);
            first = next(end, true);
        }
    }

    /// Asks for the first bytes of the text from `offset` on to be brought to the cache.
    void FetchAhead(std::size_t offset) const
    {
        constexpr std::size_t kAhead = 512; // eight cache lines
        const char* at = m_Text.data() + offset;
        for (std::size_t line = 0; line < kAhead && offset + line < m_Text.size(); line += 64)
            __builtin_prefetch(at + line);
    }

    /// Searches the normal forms of the in-place form's entries in `chunks`, made for the
    /// search.
    void SearchNormalForms(const std::vector<std::uint64_t>& chunks) const
    {
        // Chunk by chunk, so that the normal forms made stay small.
        FindForm normal;
        forEachRun(chunks, [&](std::size_t firstChunk, std::size_t endChunk) {
            for (std::size_t c = firstChunk; c < endChunk; ++c) {
                const std::uint32_t first = m_Form.chunkStarts[c];
                const std::uint32_t end = m_Form.chunkStarts[c + 1];
                normal.bytes.clear();
                normal.starts.clear();
                for (std::uint32_t r = first; r < end; ++r) {
                    normal.starts.push_back(static_cast<std::uint32_t>(normal.bytes.size()));
                    AppendNormalForm(
                        normal.bytes,
                        m_Text.substr(m_Form.starts[r], m_Form.starts[r + 1] - m_Form.starts[r]),
                        Folding::General);
                }
                normal.starts.push_back(static_cast<std::uint32_t>(normal.bytes.size()));
                FormSearch inNormal(normal, m_Field, m_Needle, m_Best,
                                    static_cast<int>(m_FirstRecord + first));
                inNormal.SearchBytes(SubstringSearch(normal.bytes, m_Needle), 0,
                                     normal.bytes.size());
            }
        });
    }

    /// Takes the needle's occurrences that start from byte `from` of the text up to `to`,
    /// where the entry of record m_Record starts at or before `from`.
    void SearchBytes(const SubstringSearch& search, std::size_t from, std::size_t to)
    {
        // Hits before `next` cannot better what their records have; those before `from`, which
        // the search of the blocks may list, lie in chunks passed over.
        std::size_t next = from;
        // Where the form keeps where its characters start (the pinyin), the hits inside a
        // syllable are dropped a block at a time: most hits of a broad query lie there.
        const std::vector<std::uint64_t>& characterStarts = m_Form.characterStarts;
        search.forEachBlockIn(from, to, [&](std::size_t at, std::uint64_t places) {
            static_assert(SubstringSearch::kBlock == 64);
            if (!characterStarts.empty())
                places &= characterStarts[at / 64];
            for (; places != 0; places &= places - 1) {
                if (const std::size_t hit = at + static_cast<std::size_t>(std::countr_zero(places));
                    hit >= next)
                    next = Hit(hit);
            }
        });
    }

    /// Takes the hit at `hit`; returns where a later hit could better what its record has.
    std::size_t Hit(std::size_t hit)
    {
        m_Record = recordAt(m_Form, hit, m_Record);
        const auto record = static_cast<std::size_t>(m_Record);
        const std::size_t start = m_Form.starts[record];
        const std::size_t end = m_Form.starts[record + 1];
        if (hit + m_Needle.size() > end)
            return hit + 1; // runs into the next entry
        Rank& rank = m_Best[m_FirstRecord + record];
        if (rank <= rankOf(MatchLevel::Whole, m_Field))
            return end;
        if (m_Form.inPlace)
            return HitInPlace(hit, start, end, rank);
        const bool pieceStart = hit == start || m_Text[hit - 1] == FindForm::kPieceBreak;
        if (pieceStart || rank > rankOf(MatchLevel::Within, m_Field)) {
            if (!m_Form.StartsCharacter(m_Record, hit))
                return hit + 1;
            const MatchLevel level = !pieceStart           ? MatchLevel::Within
                                     : PieceEnds(hit, end) ? MatchLevel::Whole
                                                           : MatchLevel::Start;
            rank = std::min(rank, rankOf(level, m_Field));
            if (level == MatchLevel::Whole)
                return end;
        }
        // Later in the entry, only a match at the start of a later piece can better it.
        for (std::size_t piece = NextPiece(hit, end); piece < end; piece = NextPiece(piece, end)) {
            if (end - piece >= m_Needle.size() &&
                std::memcmp(m_Text.data() + piece, m_Needle.data(), m_Needle.size()) == 0) {
                const bool whole = PieceEnds(piece, end);
                rank =
                    std::min(rank, rankOf(whole ? MatchLevel::Whole : MatchLevel::Start, m_Field));
                if (whole)
                    break;
            }
        }
        return end;
    }

    /// Takes a hit in a text searched in place, which is one piece read as its normal form: a
    /// match starts it when only blanks come before, and is the whole of it when only blanks
    /// follow too. A later hit in the text can only lie within it.
    std::size_t HitInPlace(std::size_t hit, std::size_t start, std::size_t end, Rank& rank) const
    {
        if (!m_Form.StartsCharacter(m_Record, hit))
            return hit + 1;
        const std::size_t after = hit + m_Needle.size();
        const MatchLevel level =
            !FoldsToNothing(m_Text.substr(start, hit - start), Folding::General)
                ? MatchLevel::Within
            : FoldsToNothing(m_Text.substr(after, end - after), Folding::General)
                ? MatchLevel::Whole
                : MatchLevel::Start;
        rank = std::min(rank, rankOf(level, m_Field));
        return end;
    }

    /// True when the needle at `offset` ends its piece.
    bool PieceEnds(std::size_t offset, std::size_t end) const
    {
        const std::size_t after = offset + m_Needle.size();
        return after == end || m_Text[after] == FindForm::kPieceBreak;
    }

    /// Where the piece after the one holding `offset` starts, or `end`.
    std::size_t NextPiece(std::size_t offset, std::size_t end) const
    {
        const char* bytes = m_Text.data();
        const void* found = std::memchr(bytes + offset, FindForm::kPieceBreak, end - offset);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes) + 1 : end;
    }

    const FindForm& m_Form;
    const std::string_view m_Text;
    const FindField m_Field;
    const std::string_view m_Needle;
    std::vector<Rank>& m_Best;
    const std::size_t m_FirstRecord;
    int m_Record = 0; ///< entry of the last hit
};

/// The matches of the records that have a rank, ordered by rank and then by record.
std::vector<FindMatch> inRankOrder(const std::vector<Rank>& best)
{
    // The records that have a rank, in record order, and how many have each. Most records
    // have none: the ranks are read eight at a time, and only those of records with a match
    // are taken, found by their bytes' bits rather than by a branch on each.
    std::vector<std::uint32_t> ranked;
    std::array<std::size_t, kRankCount + 1> firstOfRank{};
    const auto take = [&](std::size_t record) {
        ranked.push_back(static_cast<std::uint32_t>(record));
        ++firstOfRank[best[record] + 1];
    };
    constexpr std::size_t kEight = sizeof(std::uint64_t);
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    std::size_t record = 0;
    for (; record + kEight <= best.size(); record += kEight) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, best.data() + record, kEight);
        // A rank is kNoMatch (all ones) or has a clear bit: set the top bit of each byte that
        // is not all ones.
        static_assert(kNoMatch == 0xFF);
        const std::uint64_t cleared = ~eight;
        for (std::uint64_t matched = (((cleared & kLow7) + kLow7) | cleared) & ~kLow7;
             matched != 0; matched &= matched - 1)
            take(record + static_cast<std::size_t>(std::countr_zero(matched)) / 8);
    }
    for (; record < best.size(); ++record) {
        if (best[record] != kNoMatch)
            take(record);
    }
    for (int rank = 1; rank <= kRankCount; ++rank)
        firstOfRank[rank] += firstOfRank[rank - 1];
    std::vector<FindMatch> matches(ranked.size());
    for (const std::uint32_t r : ranked) {
        const Rank rank = best[r];
        matches[firstOfRank[rank]++] = {static_cast<int>(r),
                                        static_cast<FindField>(rank % kFindFieldCount),
                                        static_cast<MatchLevel>(rank / kFindFieldCount)};
    }
    return matches;
}

/// The matches of the query of ASCII character `character`, from its answers.
std::vector<FindMatch> answerOf(const CharacterAnswers& answers, unsigned char character)
{
    std::vector<FindMatch> matches;
    for (int rank = 0; rank < answers.RankCount(); ++rank) {
        const auto list = [&matches, rank](std::size_t record) {
            matches.push_back({static_cast<int>(record),
                               static_cast<FindField>(rank % kFindFieldCount),
                               static_cast<MatchLevel>(rank / kFindFieldCount)});
        };
        const CharacterAnswers::Set set = answers.Of(character, rank);
        for (std::size_t w = 0; w < set.bits.size(); ++w) {
            for (std::uint64_t bits = set.bits[w]; bits != 0; bits &= bits - 1)
                list(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
        for (const std::uint32_t r : set.records)
            list(r);
    }
    return matches;
}

} // namespace

FindResult FindRecords(const FindForms& forms, std::string_view utf8Query)
{
    FindResult result;
    // A paste longer than every field is no match, however it folds; converting it would take
    // longer than the search.
    if (NormalQueryLengthAtLeast(utf8Query) > forms.LongestPiece())
        return result;
    const std::optional<std::string> query = NormalQuery(utf8Query, Folding::General);
    // The formulas' form of the query is its general form folded further, which spares a
    // second conversion; only a query with a dot that code page 936 cannot hold ("•", "∙") has
    // no general form, and is converted for the formulas alone.
    const std::optional<std::string> formulaQuery =
        query ? NormalForm(*query, Folding::Formula) : NormalQuery(utf8Query, Folding::Formula);
    if ((query && query->empty()) || (formulaQuery && formulaQuery->empty())) {
        result.emptyQuery = true;
        return result;
    }
    if (query) {
        if (const CasVerdict verdict = CheckCasNumber(*query);
            verdict.kind == CasVerdict::Kind::WrongCheckDigit)
            result.casCheckDigit = verdict.expectedDigit;
        // The broadest queries, of one ASCII character, have their answers made beforehand.
        if (query->size() == 1 && static_cast<unsigned char>((*query)[0]) < 0x80) {
            result.matches = answerOf(forms.Answers(), static_cast<unsigned char>((*query)[0]));
            return result;
        }
    }
    const FindNeedles needles = NeedlesOf(query, formulaQuery);
    std::vector<Rank> best(static_cast<std::size_t>(forms.RecordCount()), kNoMatch);
    for (int f = 0; f < kFindFieldCount; ++f) {
        const auto field = static_cast<FindField>(f);
        FormSearch(forms.Form(field), field, needles[static_cast<std::size_t>(f)], best).Run();
    }
    result.matches = inRankOrder(best);
    return result;
}

std::string_view FindFieldLabel(FindField field)
{
    static constexpr std::array<std::string_view, kFindFieldCount> kLabels = {
        "名称", "别名", "拼音", "英文名称", "CAS号", "化学式", "用途"};
    return kLabels[static_cast<std::size_t>(field)];
}
