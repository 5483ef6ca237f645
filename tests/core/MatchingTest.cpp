#include "Matching.h"
#include "Gbk.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string_view>;

/// The names of the records a search finds, in the order found.
Names namesFound(const CVELMORDoc& doc, SearchKind kind, std::string_view query,
                 Instructions instructions = Instructions::Fastest)
{
    Names names;
    for (const int record : MatchRecords(doc, kind, query, instructions))
        names.push_back(doc.RecordName(record));
    return names;
}

class Matching : public ::testing::Test
{
protected:
    // Kept alive for the records' views.
    const std::string shangA = gbkOf("丄"); // 0x81 0x41: its second byte is "A"
    const std::string water = gbkOf("水");
    const std::string salt = gbkOf("氯化钠");
    const std::string acid = gbkOf("硫酸");
    const std::string solvent = gbkOf("常用溶剂，用于萃取");
    const std::string trailA = shangA + "A";

    void SetUp() override
    {
        loadRecords(doc, {
                             reagent(water, {{Field::EnglishName, "Water"},
                                             {Field::CasNumber, "7732-18-5"},
                                             {Field::Formula, "H<sub>2</sub>O"},
                                             {Field::Use, solvent}}),
                             reagent(salt, {{Field::EnglishName, "Sodium chloride"},
                                            {Field::CasNumber, "7647-14-5"},
                                            {Field::Formula, "NaCl"}}),
                             reagent(acid, {{Field::EnglishName, "Sulfuric acid"},
                                            {Field::CasNumber, "7664-93-9"},
                                            {Field::Formula, "H<sub>2</sub>SO<sub>4</sub>"}}),
                             reagent(water, {{Field::EnglishName, "water, distilled"},
                                             {Field::CasNumber, "7732-18-5"}}),
                             reagent("", {{Field::EnglishName, shangA}, {Field::Use, "18"}}),
                             reagent("AB", {{Field::EnglishName, trailA}}),
                         });
    }

    CVELMORDoc doc;
};

} // namespace

TEST_F(Matching, CasFragmentMatchesAnywhereInTheNumber)
{
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, "7732"), (Names{water, water}));
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, "-18-"), (Names{water, water}));
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, "-5"), (Names{water, salt, water}));
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, "7664-93-9"), (Names{acid}));
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, "7664-93-90"), Names{});
}

TEST_F(Matching, EnglishNamesAreCaseSensitiveAndReturnChineseNames)
{
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "water"), (Names{water}));
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "Water"), (Names{water}));
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "acid"), (Names{acid}));
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "ACID"), Names{});
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "Sodium  chloride"), Names{});
}

TEST_F(Matching, FormulaMatchesWithoutMarkers)
{
    EXPECT_EQ(namesFound(doc, SearchKind::Formula, "H2O"), (Names{water}));
    EXPECT_EQ(namesFound(doc, SearchKind::Formula, "H2SO4"), (Names{acid}));
    EXPECT_EQ(namesFound(doc, SearchKind::Formula, "<sub>"), Names{});
}

TEST_F(Matching, ChineseAndUseQueries)
{
    EXPECT_EQ(namesFound(doc, SearchKind::ChineseName, gbkOf("氯化")), (Names{salt}));
    EXPECT_EQ(namesFound(doc, SearchKind::ChineseName, water), (Names{water, water}));
    EXPECT_EQ(namesFound(doc, SearchKind::Use, gbkOf("萃取")), (Names{water}));
    // An empty Chinese name of a matching record is kept as an empty entry.
    EXPECT_EQ(namesFound(doc, SearchKind::Use, "18"), (Names{""}));
}

TEST_F(Matching, MatchStartsOnlyAtTheFirstByteOfACharacter)
{
    // "A" occurs as the second byte of 丄 in two records; only the real "A" after it counts.
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "A"), (Names{"AB"}));
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, shangA), (Names{"", "AB"}));
    // Two-byte query: the bytes "A" + the lead of a character never match across characters.
    const std::string shangShang = shangA + shangA;
    CVELMORDoc other;
    loadRecords(other, {reagent("x", {{Field::EnglishName, shangShang}})});
    EXPECT_EQ(namesFound(other, SearchKind::EnglishName, "A\x81"), Names{});
    EXPECT_EQ(namesFound(other, SearchKind::EnglishName, shangShang), Names{"x"});
}

TEST_F(Matching, MatchNeverSpansTwoRecords)
{
    CVELMORDoc other;
    loadRecords(other,
                {reagent("x", {{Field::CasNumber, "12"}}), reagent("y", {{Field::CasNumber, "34"}}),
                 reagent("z", {{Field::CasNumber, ""}}),
                 reagent("w", {{Field::CasNumber, "1234"}})});
    EXPECT_EQ(namesFound(other, SearchKind::CasNumber, "23"), Names{"w"});
    EXPECT_EQ(namesFound(other, SearchKind::CasNumber, "1234"), Names{"w"});
    EXPECT_EQ(namesFound(other, SearchKind::CasNumber, "12345"), Names{});
}

TEST_F(Matching, ASearchAfterAnotherLoadFindsTheNewRecords)
{
    ASSERT_EQ(namesFound(doc, SearchKind::CasNumber, "-5"), (Names{water, salt, water}));
    // The same bytes at other offsets, in other records.
    loadRecords(doc, {reagent("p", {{Field::CasNumber, "1-5"}}), reagent("q", {}),
                      reagent("r", {{Field::CasNumber, "7732-18-5"}})});
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, "-5"), (Names{"p", "r"}));
}

TEST_F(Matching, EmptyQueryOrEmptyStoreFindsNothing)
{
    EXPECT_EQ(namesFound(doc, SearchKind::CasNumber, ""), Names{});
    CVELMORDoc empty;
    EXPECT_EQ(namesFound(empty, SearchKind::ChineseName, "x"), Names{});
    EXPECT_EQ(empty.FindRecordByName(""), std::nullopt);
}

TEST_F(Matching, InitialNamesAreTheFirstHundredSlotsWhateverTheCount)
{
    const std::vector<int> initial = InitialResultRecords();
    ASSERT_EQ(initial.size(), 100u);
    EXPECT_EQ(doc.RecordName(initial[0]), water);
    EXPECT_EQ(doc.RecordName(initial[5]), "AB");
    EXPECT_EQ(doc.RecordName(initial[6]), "");
    EXPECT_EQ(doc.RecordName(initial[99]), "");
}

/// Each test runs on the vector search (where the processor has it) and on the portable one.
class MatchingOnEitherPath : public ::testing::TestWithParam<Instructions>
{
protected:
    /// The names ("0", "1", ...) of the records among `uses` whose use holds `query`.
    std::vector<std::string> matchUses(const std::vector<std::string>& uses,
                                       std::string_view query) const
    {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < uses.size(); ++i)
            names.push_back(std::to_string(i));
        std::vector<ReagentRecord> records;
        for (std::size_t i = 0; i < uses.size(); ++i)
            records.push_back(reagent(names[i], {{Field::Use, uses[i]}}));
        CVELMORDoc doc;
        loadRecords(doc, records);
        const Names found = namesFound(doc, SearchKind::Use, query, GetParam());
        return {found.begin(), found.end()};
    }
    using Found = std::vector<std::string>;
};

INSTANTIATE_TEST_SUITE_P(Paths, MatchingOnEitherPath,
                         ::testing::Values(Instructions::Fastest, Instructions::Narrow,
                                           Instructions::Portable));

TEST_P(MatchingOnEitherPath, HitsAtEveryOffsetOfTheFieldCountByTheSameRule)
{
    // The filler moves each case across the search's blocks of 32 and 64 bytes and into the
    // last bytes of the field, which the vector search leaves to plain code.
    for (std::size_t at = 0; at < 140; ++at) {
        const std::string filler(at, 'x');
        SCOPED_TRACE(at);
        // The last bytes of the field, in its last record.
        EXPECT_EQ(matchUses({filler + "AB"}, "AB"), Found{"0"});
        // A hit that runs into the next record counts for neither; a later one does.
        EXPECT_EQ(matchUses({filler + "A", "B", "AB"}, "AB"), Found{"2"});
        EXPECT_EQ(matchUses({filler + "A", "Bx"}, "AB"), Found{});
        // A hit on the second byte of a character, then a real one in the same record: the
        // record is listed once.
        EXPECT_EQ(matchUses({filler + "\x81"
                                      "ABAB",
                             "x"},
                            "AB"),
                  (Found{"0"}));
        EXPECT_EQ(matchUses({filler + "\x81"
                                      "AB",
                             "AB"},
                            "AB"),
                  (Found{"1"}));
        // Every record holds several hits.
        EXPECT_EQ(matchUses({filler + "ABAB", "ABABAB", filler + "AB"}, "AB"),
                  (Found{"0", "1", "2"}));
    }
}

TEST_P(MatchingOnEitherPath, HitsAnyNumberOfRecordsApart)
{
    // Gaps of 1 to 80 records between matching ones, some of them empty: each hit is traced to
    // its record from the one before, near or far.
    std::vector<std::string> uses;
    Found expected;
    for (std::size_t gap = 1; gap <= 80; ++gap) {
        expected.push_back(std::to_string(uses.size()));
        uses.push_back("xAB");
        for (std::size_t k = 1; k < gap; ++k)
            uses.push_back(k % 3 == 0 ? "" : "xA");
    }
    EXPECT_EQ(matchUses(uses, "AB"), expected);
}

TEST_P(MatchingOnEitherPath, LeadRangeRunsAreCountedFromTheRecordStart)
{
    // The run of lead-range bytes before the hit decides: an even run ends a character. The
    // bytes of the record before, lead-range ones too, never count.
    for (std::size_t before = 0; before < 10; ++before) {
        for (std::size_t run = 0; run < 20; ++run) {
            SCOPED_TRACE(testing::Message() << before << " bytes before, a run of " << run);
            const std::string previous(before, '\xB0');
            const std::string text = std::string(run, '\xB0') + "A";
            EXPECT_EQ(matchUses({previous, text}, "A"), run % 2 == 0 ? Found{"1"} : Found{});
            // 0x80 and 0xFF end a character as an ASCII byte does.
            for (const char* stop : {"x", "\x80", "\xFF"})
                EXPECT_EQ(matchUses({"xxxxxxxxxx" + std::string(stop) + text}, "A"),
                          run % 2 == 0 ? Found{"0"} : Found{});
        }
    }
}

TEST_P(MatchingOnEitherPath, AgreesWithAPlainPerRecordSearchOnRandomTexts)
{
    // Short texts over a tiny alphabet, with two-byte characters whose second byte is "A" or
    // "B", give many hits in every position: inside characters, across records, at the ends
    // of the field's buffer and in the vector code's 32-byte blocks.
    const std::vector<std::string> pieces = {"A",
                                             "B",
                                             "AB",
                                             "\x81"
                                             "A",
                                             "\xB0"
                                             "B",
                                             "\xB0\xA1",
                                             ""};
    std::uint64_t state = 12345;
    auto next = [&] {
        return (state = state * 6364136223846793005ull + 1442695040888963407ull) >> 33;
    };
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        std::string t;
        for (int k = static_cast<int>(next() % 9); k > 0; --k)
            t += pieces[next() % pieces.size()];
        texts.push_back(t);
    }
    std::vector<ReagentRecord> records;
    for (const std::string& t : texts)
        records.push_back(reagent(t, {{Field::Use, t}}));
    CVELMORDoc doc;
    loadRecords(doc, records);

    for (const std::string query : {"A", "B", "AB", "BA",
                                    "\x81"
                                    "A",
                                    "A\x81",
                                    "\xB0\xA1"
                                    "A",
                                    "ABAB",
                                    "\xB0"
                                    "B"
                                    "\xB0"}) {
        Names expected;
        for (const std::string& t : texts) {
            if (gbk::holdsOnCharacter(t, query))
                expected.push_back(t);
        }
        const Names found = namesFound(doc, SearchKind::Use, query, GetParam());
        ASSERT_EQ(found.size(), expected.size()) << query;
        EXPECT_TRUE(std::equal(found.begin(), found.end(), expected.begin())) << query;
    }
}

TEST_P(MatchingOnEitherPath, BytesBeyondTheFirstEightDecideTheMatch)
{
    // The filler makes I to L common and A to H rare, so the rare bytes that the search looks
    // at first all lie in the first eight; the near misses differ only after them.
    const std::string filler(20, 'L');
    const std::string fillerK(20, 'K');
    std::vector<std::string> texts = {"ABCDEFGHIJKx", "ABCDEFGHIJKL", "ABCDEFGHx",
                                      "ABCDEFGHI",    filler,         fillerK};
    for (int i = 0; i < 8; ++i)
        texts.push_back(filler + "IJ" + fillerK);
    const std::string longQuery = "ABCDEFGH" + filler + "IJ" + fillerK; // 50 bytes
    texts.push_back("ABCDEFGH" + filler + "IJ" + fillerK.substr(1) + "x");
    texts.push_back(longQuery);
    for (int i = 0; i < 8; ++i)
        texts.push_back(filler);
    std::vector<ReagentRecord> records;
    for (std::size_t i = 0; i < texts.size(); ++i)
        records.push_back(reagent(texts[i], {{Field::Use, texts[i]}}));
    CVELMORDoc doc;
    loadRecords(doc, records);

    EXPECT_EQ(namesFound(doc, SearchKind::Use, "ABCDEFGHIJKL", GetParam()),
              (Names{"ABCDEFGHIJKL"}));
    EXPECT_EQ(namesFound(doc, SearchKind::Use, "ABCDEFGHI", GetParam()),
              (Names{"ABCDEFGHIJKx", "ABCDEFGHIJKL", "ABCDEFGHI"}));
    EXPECT_EQ(namesFound(doc, SearchKind::Use, longQuery, GetParam()), (Names{longQuery}));
}

TEST_P(MatchingOnEitherPath, EveryByteOfAShortQueryDecidesTheMatch)
{
    // "D" fills the field, so the search looks at A, B and C first; the near misses differ
    // only in a "D".
    const std::string filler(100, 'D');
    for (std::size_t size = 4; size <= 8; ++size) {
        const std::string query = "ABC" + std::string(size - 3, 'D');
        std::vector<std::string> uses = {filler};
        for (std::size_t k = 3; k < size; ++k) {
            std::string miss = query;
            miss[k] = 'x';
            uses.push_back(filler + miss + filler);
        }
        uses.push_back(filler + query);
        SCOPED_TRACE(query);
        EXPECT_EQ(matchUses(uses, query), Found{std::to_string(uses.size() - 1)});
    }
}

TEST(MatchingSingleBytes, BytesOutsideTheLeadRangeEndTheirCharacter)
{
    // 0x80 and 0xFF start no two-byte character: the "A" after them is a character of its own.
    CVELMORDoc doc;
    loadRecords(doc, {reagent("euro", {{Field::EnglishName, "\x80"
                                                            "A"}}),
                      reagent("ff", {{Field::EnglishName, "\xFF"
                                                          "A"}}),
                      reagent("lead", {{Field::EnglishName, "\x81"
                                                            "A"}}),
                      reagent("last", {{Field::EnglishName, "\xFE"
                                                            "A"}})});
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "A"), (Names{"euro", "ff"}));
    EXPECT_EQ(namesFound(doc, SearchKind::EnglishName, "\x80"), (Names{"euro"}));
}
