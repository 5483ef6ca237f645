#include "FindMatching.h"
#include "Gbk.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace {

struct Found
{
    std::string name; ///< UTF-8
    FindField field;
    MatchLevel level;

    bool operator==(const Found&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Found& found)
{
    return out << found.name << " " << FindFieldLabel(found.field) << " "
               << static_cast<int>(found.level);
}

using Founds = std::vector<Found>;
constexpr MatchLevel kWhole = MatchLevel::Whole;
constexpr MatchLevel kStart = MatchLevel::Start;
constexpr MatchLevel kWithin = MatchLevel::Within;

class FindMatching : public ::testing::Test
{
protected:
    std::deque<std::string> texts;
    std::string_view G(const char* utf8) { return texts.emplace_back(gbkOf(utf8)); }

    void SetUp() override
    {
        loadRecords(
            doc, {
                     reagent(G("甲醇"), {{Field::EnglishName, "Methanol"},
                                         {Field::Alias, G("木醇；木精")},
                                         {Field::CasNumber, "67-56-1"},
                                         {Field::Formula, "CH<sub>3</sub>OH"},
                                         {Field::Use, G("溶剂，燃料")}}),
                     reagent(G("乙醇"), {{Field::EnglishName, "Ethanol"},
                                         {Field::Alias, G("酒精; 无水乙醇 ")},
                                         {Field::CasNumber, "64-17-5"},
                                         {Field::Formula, "C<sub>2</sub>H<sub>5</sub>OH"},
                                         {Field::Use, G("溶剂，消毒，乙醇汽油")}}),
                     reagent(G("乙醇胺"), {{Field::EnglishName, "Ethanolamine"},
                                           {Field::CasNumber, "141-43-5"},
                                           {Field::Use, G("用于吸收酸性气体")}}),
                     reagent(G("无水乙醇"), {{Field::EnglishName, "Ethanol, absolute"},
                                             {Field::CasNumber, "64-17-5"}}),
                     reagent(G("硫酸铜"), {{Field::EnglishName, "Copper(II) sulfate pentahydrate"},
                                           {Field::CasNumber, "7758-99-8"},
                                           {Field::Formula, G("CuSO4·5H<sub>2</sub>O")}}),
                     reagent(G("酒精"), {{Field::Use, G("饮料")}}),
                     // The second byte of "\x81\x61" is "a"; "啊啊" holds the bytes of "“".
                     reagent("\x81\x61", {{Field::Use, G("啊啊")}}),
                     reagent(G("L-丙氨酸"), {{Field::Formula, "C3H7NO2"}}),
                 });
        forms = std::make_unique<FindForms>(doc);
    }

    Founds find(std::string_view utf8Query) const
    {
        Founds founds;
        for (const FindMatch& match : FindRecords(*forms, utf8Query).matches)
            founds.push_back({gbk::toUtf8(doc.RecordName(match.record)), match.field, match.level});
        return founds;
    }

    /// The first record found, or an empty name.
    Found first(std::string_view utf8Query) const
    {
        const Founds founds = find(utf8Query);
        return founds.empty() ? Found{} : founds.front();
    }

    CVELMORDoc doc;
    std::unique_ptr<FindForms> forms;
};

} // namespace

TEST_F(FindMatching, AWholeFieldFirstThenItsStartThenAnywhere)
{
    EXPECT_EQ(find("乙醇"), (Founds{{"乙醇", FindField::Name, kWhole},
                                    {"乙醇胺", FindField::Name, kStart},
                                    {"无水乙醇", FindField::Name, kWithin}}));
    EXPECT_EQ(find("ethanol"), (Founds{{"乙醇", FindField::EnglishName, kWhole},
                                       {"乙醇胺", FindField::EnglishName, kStart},
                                       {"无水乙醇", FindField::EnglishName, kStart},
                                       {"甲醇", FindField::EnglishName, kWithin}}));
}

TEST_F(FindMatching, AtOneLevelByFieldThenByRecord)
{
    // 乙醇 holds "酒精" as a whole alias, the later 酒精 as its whole name.
    EXPECT_EQ(find("酒精"),
              (Founds{{"酒精", FindField::Name, kWhole}, {"乙醇", FindField::Alias, kWhole}}));
    // Within the uses of 甲醇 and 乙醇, in record order.
    EXPECT_EQ(find("溶剂"),
              (Founds{{"甲醇", FindField::Use, kStart}, {"乙醇", FindField::Use, kStart}}));
}

TEST_F(FindMatching, EachRecordOnceWithItsBestMatch)
{
    // 乙醇 also holds "乙醇" in an alias and in its use. The alias "无水乙醇" (with blanks
    // around it) is whole, and after the record whose name it is.
    const Founds founds = find("乙醇");
    EXPECT_EQ(std::count_if(founds.begin(), founds.end(),
                            [](const Found& f) { return f.name == "乙醇"; }),
              1);
    EXPECT_EQ(first("无水乙醇"), (Found{"无水乙醇", FindField::Name, kWhole}));
    EXPECT_EQ(find("无水乙醇").at(1), (Found{"乙醇", FindField::Alias, kWhole}));
}

TEST_F(FindMatching, AliasesAreNamesOfTheirOwn)
{
    EXPECT_EQ(first("木精"), (Found{"甲醇", FindField::Alias, kWhole}));
    EXPECT_EQ(first("木"), (Found{"甲醇", FindField::Alias, kStart}));
    EXPECT_EQ(first("水乙"), (Found{"无水乙醇", FindField::Name, kWithin}));
}

TEST_F(FindMatching, PinyinAndInitialsOfNamesAndAliases)
{
    for (const char* query : {"yichun", "yi chun", "YiChun", " yc "})
        EXPECT_EQ(first(query), (Found{"乙醇", FindField::Pinyin, kWhole})) << query;
    EXPECT_EQ(find("jiujing"),
              (Founds{{"乙醇", FindField::Pinyin, kWhole}, {"酒精", FindField::Pinyin, kWhole}}));
    EXPECT_EQ(find("mujing"), (Founds{{"甲醇", FindField::Pinyin, kWhole}}));
    EXPECT_EQ(first("l-bing"), (Found{"L-丙氨酸", FindField::Pinyin, kStart}));
    EXPECT_EQ(first("bingan"), (Found{"L-丙氨酸", FindField::Pinyin, kWithin}));
}

TEST_F(FindMatching, AMatchStartsOnACharacter)
{
    // Not on the second byte of a two-byte character.
    const std::string odd = gbk::toUtf8("\x81\x61");
    for (const Found& found : find("a"))
        EXPECT_NE(found.name, odd);
    EXPECT_EQ(find("“"), Founds{});
    // Not within a syllable: "chun" starts one, "ichun" does not.
    EXPECT_EQ(find("chun").size(), 4u);
    EXPECT_EQ(find("ichun"), Founds{});
    // Each initial is a character: "sy" of "wsyc".
    EXPECT_EQ(find("sy"), (Founds{{"乙醇", FindField::Pinyin, kWithin},
                                  {"无水乙醇", FindField::Pinyin, kWithin}}));
}

TEST_F(FindMatching, EnglishNamesInAnyCaseAndWidth)
{
    EXPECT_EQ(first("ETHANOL"), (Found{"乙醇", FindField::EnglishName, kWhole}));
    EXPECT_EQ(first("ｅｔｈａｎｏｌ"), (Found{"乙醇", FindField::EnglishName, kWhole}));
    EXPECT_EQ(first("copper(ii)"), (Found{"硫酸铜", FindField::EnglishName, kStart}));
}

TEST_F(FindMatching, CasNumbersWithOrWithoutTheirDashes)
{
    EXPECT_EQ(find("64175"), (Founds{{"乙醇", FindField::CasNumber, kWhole},
                                     {"无水乙醇", FindField::CasNumber, kWhole}}));
    EXPECT_EQ(find("64-17-5"), find("64175"));
    EXPECT_EQ(first("64-17"), (Found{"乙醇", FindField::CasNumber, kStart}));
    EXPECT_EQ(first("4175"), (Found{"乙醇", FindField::CasNumber, kWithin}));
    EXPECT_EQ(first("１４１－４３"), (Found{"乙醇胺", FindField::CasNumber, kStart}));
}

TEST_F(FindMatching, AWrongCheckDigitIsNamedAndTheSearchRuns)
{
    const FindResult wrong = FindRecords(*forms, " 7758-99-7 ");
    EXPECT_EQ(wrong.casCheckDigit, 8);
    EXPECT_TRUE(wrong.matches.empty());
    // 41-43-0 would be right; its digits lie within those of 141-43-5.
    const FindResult partly = FindRecords(*forms, "41-43-5");
    EXPECT_EQ(partly.casCheckDigit, 0);
    EXPECT_EQ(partly.matches, (std::vector<FindMatch>{{2, FindField::CasNumber, kWithin}}));
    for (const char* right : {"64-17-5", "64175", "64-17"})
        EXPECT_EQ(FindRecords(*forms, right).casCheckDigit, std::nullopt) << right;
}

TEST_F(FindMatching, FormulasWithAnyDotAndSubscriptDigits)
{
    for (const char* query : {"CuSO4·5H2O", "cuso4.5h2o", "CuSO4•5H₂O", "CuSO4*5H2O"})
        EXPECT_EQ(find(query), (Founds{{"硫酸铜", FindField::Formula, kWhole}})) << query;
    EXPECT_EQ(first("C₂H₅OH"), (Found{"乙醇", FindField::Formula, kWhole}));
    EXPECT_EQ(first("C3H7"), (Found{"L-丙氨酸", FindField::Formula, kStart}));
}

TEST_F(FindMatching, BlanksAroundTheQueryAndInsideItCountOnce)
{
    EXPECT_EQ(first("  乙醇　"), first("乙醇"));
    EXPECT_EQ(first("Ethanol,   absolute"), (Found{"无水乙醇", FindField::EnglishName, kWhole}));
}

TEST_F(FindMatching, AnEmptyQueryListsNothingAndSaysSo)
{
    for (const char* blank : {"", "   ", "\t　"}) {
        const FindResult result = FindRecords(*forms, blank);
        EXPECT_TRUE(result.emptyQuery);
        EXPECT_TRUE(result.matches.empty());
    }
    EXPECT_FALSE(FindRecords(*forms, "x").emptyQuery);
}

TEST_F(FindMatching, AnyTextIsTaken)
{
    for (const std::string& query :
         {std::string("乙醇\U0001F600"), std::string("\xFF\xFE"), std::string("\0", 1),
          std::string(40000, 'x'), std::string(40000, '\x81')}) {
        const FindResult result = FindRecords(*forms, query);
        EXPECT_TRUE(result.matches.empty());
    }
    std::string paste;
    while (paste.size() < 40000 * 3)
        paste += "溶剂，消毒，乙醇汽油";
    EXPECT_TRUE(FindRecords(*forms, paste).matches.empty());
}

TEST_F(FindMatching, AStoreWithoutRecordsFindsNothing)
{
    const CVELMORDoc empty;
    const FindForms none(empty);
    EXPECT_TRUE(FindRecords(none, "乙醇").matches.empty());
    EXPECT_EQ(none.RecordCount(), 0);
}
