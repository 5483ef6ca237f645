// The forgiving search over thousands of synthetic records, against a plain reading of its rules:
// each record's fields put in normal form and spelled one at a time, and each piece searched by
// a plain scan, so that the search's chunks, its passing over hits and its ranking are checked
// by something that has none of them.

#include "DatabaseFile.h"
#include "FindMatching.h"
#include "FindText.h"
#include "Gbk.h"
#include "Pinyin.h"
#include "SyntheticDatabase.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <sstream>

namespace {

/// A piece of a field and where its characters start.
struct Piece
{
    std::string text;
    std::vector<std::uint32_t> starts;
};

Piece gbkPiece(std::string text)
{
    Piece piece{std::move(text), {}};
    for (std::size_t i = 0; i < piece.text.size();
         i += gbk::isLeadByte(static_cast<unsigned char>(piece.text[i])) ? 2 : 1)
        piece.starts.push_back(static_cast<std::uint32_t>(i));
    return piece;
}

std::vector<Piece> aliasPieces(std::string_view alias)
{
    std::vector<Piece> pieces;
    std::istringstream names(NormalForm(alias, Folding::General));
    for (std::string name; std::getline(names, name, ';');) {
        name.erase(0, name.find_first_not_of(' '));
        name.erase(name.find_last_not_of(' ') + 1);
        if (!name.empty())
            pieces.push_back(gbkPiece(name));
    }
    return pieces;
}

/// The pieces of each field of `record`, in FindField order.
std::vector<std::vector<Piece>> fieldPieces(const ReagentRecord& record, PinyinSpeller& speller)
{
    std::vector<std::vector<Piece>> fields(kFindFieldCount);
    const auto normal = [](std::string_view text, Folding folding = Folding::General) {
        return gbkPiece(NormalForm(text, folding));
    };
    fields[0] = {normal(record.ChineseName)};
    fields[1] = aliasPieces(record.Alias);
    std::vector<Piece> names = fields[1];
    names.insert(names.begin(), fields[0][0]);
    for (const Piece& name : names) {
        Spelling spelling;
        speller.Spell(name.text, spelling);
        if (!spelling.sounded)
            continue;
        fields[2].push_back({spelling.pinyin, spelling.characterStarts});
        fields[2].push_back(gbkPiece(spelling.initials));
    }
    fields[3] = {normal(record.EnglishName)};
    std::string cas = NormalForm(record.CasNumber, Folding::General);
    std::erase(cas, '-');
    fields[4] = {gbkPiece(cas)};
    fields[5] = {normal(record.Formula, Folding::Formula)};
    fields[6] = {normal(record.Use)};
    return fields;
}

/// The best level at which `needle` lies in `piece`, 3 for none.
int levelIn(const Piece& piece, std::string_view needle)
{
    if (needle.empty())
        return 3;
    if (piece.text == needle)
        return 0;
    int best = 3;
    for (const std::uint32_t at : piece.starts) {
        if (piece.text.compare(at, needle.size(), needle) == 0)
            best = std::min(best, at == 0 ? 1 : 2);
    }
    return best;
}

std::string without(std::string text, char dropped)
{
    std::erase(text, dropped);
    return text;
}

/// What the search should list for `utf8Query`.
std::vector<FindMatch> expected(const CVELMORDoc& doc, std::string_view utf8Query)
{
    const std::string query = NormalQuery(utf8Query, Folding::General).value();
    const std::string formula = NormalForm(query, Folding::Formula);
    const std::string needles[kFindFieldCount] = {
        query, query, without(query, ' '), query, without(query, '-'), formula, query};
    PinyinSpeller speller;
    std::vector<std::pair<int, FindMatch>> ranked;
    for (int r = 0; r < doc.RecordCount(); ++r) {
        const std::vector<std::vector<Piece>> fields = fieldPieces(doc.Record(r), speller);
        int best = 3 * kFindFieldCount;
        for (int f = 0; f < kFindFieldCount; ++f) {
            for (const Piece& piece : fields[f]) {
                const int level = levelIn(piece, needles[f]);
                if (level < 3)
                    best = std::min(best, level * kFindFieldCount + f);
            }
        }
        if (best < 3 * kFindFieldCount)
            ranked.push_back({best,
                              {r, static_cast<FindField>(best % kFindFieldCount),
                               static_cast<MatchLevel>(best / kFindFieldCount)}});
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FindMatch> matches;
    for (const auto& [rank, match] : ranked)
        matches.push_back(match);
    return matches;
}

/// The queries of a test: words that many records hold, and fragments of a few records' fields
/// that few others hold.
std::vector<std::string> queriesOf(const CVELMORDoc& doc)
{
    // Queries of one ASCII character are answered from sets made beforehand, the rest by
    // searching the forms: both kinds are here.
    std::vector<std::string> queries = {
        "酸",     "氯化",    "a", "yi", "lh", "6", "-1", "c1", "用作", "，", "h2o", "Meth",
        "溶于水", "ic acid", "1", "c",  "-",  ".", "*",  "N",  "Ａ",   ";",  "e",   " n "};
    for (const int r : {0, 5, 1234, doc.RecordCount() - 1}) {
        const ReagentRecord record = doc.Record(r);
        for (const std::string_view text :
             {record.ChineseName, record.Alias.substr(0, 4), record.EnglishName, record.CasNumber,
              record.Use.substr(0, 12), record.Use.substr(20, 6)})
            queries.push_back(gbk::toUtf8(text));
    }
    return queries;
}

void expectListed(const CVELMORDoc& doc, const FindForms& forms,
                  const std::vector<std::string>& queries)
{
    for (const std::string& query : queries)
        EXPECT_EQ(FindRecords(forms, query).matches, expected(doc, query)) << query;
}

/// Checks the queries of the store, and the ends of the uses that meet at the first borders
/// between the chunks of the use form.
void expectAsThePlainRulesSay(const CVELMORDoc& doc)
{
    const FindForms forms(doc);
    std::vector<std::string> queries = queriesOf(doc);
    const std::vector<std::uint32_t>& chunks = forms.Form(FindField::Use).chunkStarts;
    for (std::size_t k = 1; k < std::min<std::size_t>(chunks.size() - 1, 4); ++k) {
        const std::string_view before = doc.Record(static_cast<int>(chunks[k] - 1)).Use;
        queries.push_back(gbk::toUtf8(before.substr(before.size() - 12)));
        queries.push_back(gbk::toUtf8(doc.Record(static_cast<int>(chunks[k])).Use.substr(0, 12)));
    }
    expectListed(doc, forms, queries);
}

} // namespace

TEST(FindOracle, SyntheticRecordsAreListedAsThePlainRulesSay)
{
    // A count of records that is no multiple of eight: the ranking passes over most records
    // eight at a time, and over the last few one by one.
    std::ostringstream file;
    WriteSyntheticDatabase(file, 3001, 7);
    const std::string bytes = file.str();
    CVELMORDoc doc;
    LoadDatabaseBytes(doc, bytes, "synthetic.kdb");
    expectAsThePlainRulesSay(doc);
}

TEST(FindOracle, RecordsOfManyDifferentCharactersAreListedAsThePlainRulesSay)
{
    // Drawn from the thousands of characters of the first plane of code page 936, most of the
    // texts' characters are in few chunks of a form, which the search then reads alone.
    std::mt19937 random(11);
    const auto hanzi = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>(std::uniform_int_distribution(0xB0, 0xD6)(random));
            text += static_cast<char>(std::uniform_int_distribution(0xA1, 0xFE)(random));
        }
        return text;
    };
    // Each name of two characters that no other name holds.
    const auto uniqueName = [](int r) {
        std::string name;
        for (const int code : {r, r + 2000}) {
            name += static_cast<char>(0xB0 + code / 94);
            name += static_cast<char>(0xA1 + code % 94);
        }
        return name;
    };
    std::deque<std::string> texts;
    std::vector<ReagentRecord> records;
    for (int r = 0; r < 2000; ++r) {
        const auto keep = [&](std::string text) -> std::string_view {
            return texts.emplace_back(std::move(text));
        };
        records.push_back(reagent(
            keep(uniqueName(r)),
            {{Field::Alias, keep(r % 3 == 0 ? hanzi(2) + gbkOf("；") + hanzi(3) : "")},
             {Field::EnglishName, keep("Name " + std::to_string(r * 7919 % 10007))},
             {Field::CasNumber, keep(std::to_string(1000 + r) + "-" + std::to_string(r % 90 + 10) +
                                     "-" + std::to_string(r % 10))},
             {Field::Use, keep(hanzi(15) + (r % 5 == 0 ? "HPLC" : "") + hanzi(20))}}));
    }
    CVELMORDoc doc;
    loadRecords(doc, records);
    expectAsThePlainRulesSay(doc);
}

TEST(FindOracle, NamesAndUsesWithBlanksFoldsAndBrokenCharactersAreListedAsThePlainRulesSay)
{
    // The names and the uses are searched as they are stored: blanks of every kind at their ends
    // and between their words, full-width and upper-case letters, control characters and lead
    // bytes without their second must still rank and match as their normal forms do.
    const std::vector<std::string> pieces = {
        gbkOf("照"), gbkOf("相"), gbkOf("剂"), " ", "  ",   "\t",   gbkOf("\u3000"), gbkOf("ＡＢ"),
        "AB",        "ab",        gbkOf("，"), ",", "\x1f", "\x81", "\x81 ",         gbkOf("照相")};
    for (const Field field : {Field::Use, Field::ChineseName}) {
        std::mt19937 random(5);
        std::uniform_int_distribution<std::size_t> piece(0, pieces.size() - 1);
        std::deque<std::string> texts;
        std::vector<ReagentRecord> records;
        for (int r = 0; r < 3000; ++r) {
            std::string text;
            for (int k = std::uniform_int_distribution(0, 6)(random); k > 0; --k)
                text += pieces[piece(random)];
            const std::string_view kept = texts.emplace_back(text);
            records.push_back(
                field == Field::Use
                    ? reagent(texts.emplace_back("r" + std::to_string(r)), {{Field::Use, kept}})
                    : reagent(kept, {}));
        }
        CVELMORDoc doc;
        loadRecords(doc, records);
        const FindForms forms(doc);
        expectListed(doc, forms,
                     {"照", "照相", "相照", "照相剂", "剂", "ab", "AB", "ＡＢ", "b,", "a b",
                      "照 相", "，", ",照", "相，剂", "ab照", "a", "b", ","});
    }
}
