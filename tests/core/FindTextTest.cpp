#include "FindText.h"
#include "Gbk.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

/// The normal form of UTF-8 text, back in UTF-8.
std::string normal(std::string_view utf8, Folding folding = Folding::General)
{
    return gbk::toUtf8(NormalForm(gbkOf(utf8), folding));
}

std::optional<std::string> query(std::string_view utf8, Folding folding = Folding::General)
{
    const std::optional<std::string> gbkQuery = NormalQuery(utf8, folding);
    if (!gbkQuery)
        return std::nullopt;
    return gbk::toUtf8(*gbkQuery);
}

} // namespace

TEST(FindText, BlanksAreTrimmedAndEachRunIsOneSpace)
{
    EXPECT_EQ(normal("  丙酮 "), "丙酮");
    EXPECT_EQ(normal("\t乙醇　\t 溶液\r\n"), "乙醇 溶液");
    EXPECT_EQ(normal("　　"), "");
    EXPECT_EQ(normal("a\x01"
                     "b"),
              "a b"); // other control characters are blanks too
}

TEST(FindText, AsciiLettersInLowerCaseAndFullWidthAsHalfWidth)
{
    EXPECT_EQ(normal("ＨＣｌ"), "hcl");
    EXPECT_EQ(normal("１２３"), "123");
    EXPECT_EQ(normal("Sodium CHLORIDE"), "sodium chloride");
    EXPECT_EQ(normal("氯化铁（ＩＩＩ）；三氯化铁"), "氯化铁(iii);三氯化铁");
    // Full-width signs outside the ASCII block stay.
    EXPECT_EQ(normal("℃·"), "℃·");
}

TEST(FindText, SecondBytesThatLookLikeLettersStayThemselves)
{
    // "丄" is 0x81 0x41, its second byte "A": neither folded nor taken for a letter.
    const std::string shang = gbkOf("丄");
    EXPECT_EQ(NormalForm(shang + "A", Folding::General), shang + "a");
}

TEST(FindText, LeadBytesWithoutTheirSecondByteAreLeftOut)
{
    EXPECT_EQ(NormalForm("a\x81", Folding::General), "a");
    EXPECT_EQ(NormalForm("\x81\x1F"
                         "b",
                         Folding::General),
              "b");
    EXPECT_EQ(NormalForm("\x81\x7F"
                         "c\xFE\xFF",
                         Folding::General),
              "c\xFF");
}

TEST(FindText, OnlyBlanksAndLeftOutBytesFoldToNothing)
{
    // Exactly the texts whose normal form is empty, as the search of the uses in place needs.
    for (const std::string& text :
         {std::string(), std::string(" \t\x1f\x7f"), gbkOf("\u3000 "), std::string("\x81"),
          std::string("\x81 \xFE")}) {
        EXPECT_TRUE(NormalForm(text, Folding::General).empty());
        EXPECT_TRUE(FoldsToNothing(text, Folding::General));
    }
    for (const std::string& text : {std::string("  a"), gbkOf(" Ａ"), gbkOf("\u3000照"),
                                    std::string("\xFF"), std::string("\x81\x40")}) {
        EXPECT_FALSE(NormalForm(text, Folding::General).empty());
        EXPECT_FALSE(FoldsToNothing(text, Folding::General));
    }
}

TEST(FindText, FormulasFoldTheDotsOfAnAdduct)
{
    for (const char* adduct : {"CuSO4·5H2O", "CuSO4*5H2O", "CuSO4.5H2O", "CuSO4＊5H2O"})
        EXPECT_EQ(normal(adduct, Folding::Formula), "cuso4.5h2o") << adduct;
    // Only formulas: the names keep them.
    EXPECT_EQ(normal("CuSO4·5H2O"), "cuso4·5h2o");
    EXPECT_EQ(normal("a*b"), "a*b");
}

TEST(FindText, QueriesFoldWhatCodePage936CannotHold)
{
    EXPECT_EQ(query(" H₂O "), "h2o");
    EXPECT_EQ(query("x²y³z¹ ⁰⁴⁵⁶⁷⁸⁹"), "x2y3z1 0456789");
    EXPECT_EQ(query("乙\u00A0醇"), "乙 醇");
    EXPECT_EQ(query("CuSO4•5H2O∙x", Folding::Formula), "cuso4.5h2o.x");
    // Outside formulas the bullets are characters no field can hold.
    EXPECT_EQ(query("CuSO4•5H2O"), std::nullopt);
}

TEST(FindText, QueriesNoFieldCanHoldAreNone)
{
    EXPECT_EQ(query("乙醇\U0001F600"), std::nullopt);
    EXPECT_EQ(query("broken \xE4\xB8"), std::nullopt);
    EXPECT_EQ(query("\xC0\x80"), std::nullopt);
    EXPECT_EQ(query("   "), "");
    EXPECT_EQ(query(""), "");
}

TEST(FindText, AQueryNeverFoldsShorterThanItsCharactersButTheBlanks)
{
    EXPECT_EQ(NormalQueryLengthAtLeast(" 乙 醇\t　"), 2u);
    for (const char* text : {"ＨＣｌ", "H₂O", "CuSO4•5H2O", "乙醇 溶液", "  a  b  "}) {
        const std::size_t atLeast = NormalQueryLengthAtLeast(text);
        for (const Folding folding : {Folding::General, Folding::Formula}) {
            if (const std::optional<std::string> normal = NormalQuery(text, folding))
                EXPECT_GE(normal->size(), atLeast) << text;
        }
    }
}
