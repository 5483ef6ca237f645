#include "PageText.h"

#include "FixedMeasurer.h"
#include "Gbk.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// On the fixed measurer a page of 800 pixels has its value column at x = 95, the title at
// y = 15 and each field line 28 pixels below the one before, from y = 45.
constexpr int kValueX = 95;
constexpr int kTextWidth = 8; // every byte of the text font

int LineY(int line)
{
    return 45 + 28 * line;
}

class PageTextTest : public ::testing::Test
{
protected:
    const std::string acid = gbkOf("硫酸");
    const std::string remarks = std::string(70, 'r') + std::string(30, 's');
    const std::string picture = "acid.png";

    void SetUp() override
    {
        measurer.pictures[picture] = {40, 30};
        loadRecords(doc, {reagent(acid, {{Field::EnglishName, "Sulfuric acid"},
                                         {Field::CasNumber, "7664-93-9"},
                                         {Field::Formula, "CuSO4.5H2O"},
                                         {Field::Remarks, remarks}})});
        page = compose(acid);
    }

    PageLayout compose(std::string_view name)
    {
        return ComposePage(doc, PageRequest{name, "", {800, 600}, 100}, measurer);
    }

    TextPosition at(int x, int y) { return PositionAt(page, measurer, x, y); }

    /// The text a drag from (x1, y1) to (x2, y2) selects, in UTF-8.
    std::string dragged(int x1, int y1, int x2, int y2)
    {
        return TextOf(page, RangeBetween(at(x1, y1), at(x2, y2)));
    }

    std::string valueAt(int x, int y) { return TextOf(page, ValueAt(page, measurer, x, y)); }

    static std::vector<std::string> linesOf(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    CVELMORDoc doc;
    FixedMeasurer measurer;
    PageLayout page;
};

} // namespace

TEST_F(PageTextTest, ADragWithinALineTakesTheCharactersWhoseMiddlesItPasses)
{
    // "Sulfuric acid": the third character's middle is at 95 + 2 * 8 + 4.
    const int y = LineY(0) + 5;
    EXPECT_EQ(dragged(kValueX + 2 * kTextWidth + 3, y, kValueX + 8 * kTextWidth + 4, y), "lfuric ");
    EXPECT_EQ(dragged(kValueX + 2 * kTextWidth + 4, y, kValueX + 8 * kTextWidth + 3, y), "fur"
                                                                                         "ic");
    // A press and release on one spot select nothing.
    EXPECT_EQ(dragged(kValueX + 20, y, kValueX + 20, y), "");
}

TEST_F(PageTextTest, ADragBackwardsSelectsWhatTheSameDragForwardsDoes)
{
    const int from[] = {kValueX + 4 * kTextWidth, LineY(0) + 2};
    const int to[] = {kValueX + 3 * kTextWidth, LineY(1) + 2};
    EXPECT_EQ(dragged(from[0], from[1], to[0], to[1]), "uric acid\nCAS号：766");
    EXPECT_EQ(dragged(to[0], to[1], from[0], from[1]), "uric acid\nCAS号：766");
}

TEST_F(PageTextTest, ADragFromTheTitleIntoAValueTakesTheLabelsBetweenAsDrawn)
{
    // The title "硫酸" is centred: four bytes of ten pixels from x = 380.
    EXPECT_EQ(dragged(381, 20, kValueX + 5 * kTextWidth, LineY(1) + 3),
              "硫酸\n英文名称：Sulfuric acid\nCAS号：7664-");
    // The gap below a line belongs to it: the drag ends at the end of the title.
    EXPECT_EQ(dragged(381, 20, 790, 15 + 24 + 2), "硫酸");
}

TEST_F(PageTextTest, ATwoByteCharacterIsTakenWholeWhereverTheDragMeetsIt)
{
    // Each half of "硫" is a byte of ten pixels: the place is before or after both bytes.
    for (int x = 375; x < 425; ++x) {
        const TextPosition place = at(x, 20);
        EXPECT_EQ(place.offset % 2, 0u) << x;
    }
    EXPECT_EQ(dragged(385, 20, 409, 20), "硫");
    EXPECT_EQ(dragged(391, 20, 421, 20), "酸");
    // In a label too: "英文名称：" is drawn from x = 15, sixteen pixels a character.
    EXPECT_EQ(dragged(15 + 9, LineY(0), 15 + 16 * 2 + 7, LineY(0)), "文");
}

TEST_F(PageTextTest, AFormulaIsCopiedAsItsCharactersWithoutItsSubscripts)
{
    const std::vector<std::string> lines = linesOf(WholePageText(page));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "化学式：CuSO4.5H2O");
    // From the middle of the subscript 4 (five pixels wide, after "CuSO") to the end.
    const int four = kValueX + 4 * kTextWidth;
    EXPECT_EQ(dragged(four + 2, LineY(2) + 16, 790, LineY(2) + 1), "4.5H2O");
    EXPECT_EQ(dragged(four + 3, LineY(2) + 16, 790, LineY(2) + 1), ".5H2O");
}

TEST_F(PageTextTest, ADragPastTheEndOfThePageTakesTheLastLineAndItsBreak)
{
    const int last = LineY(5);
    EXPECT_EQ(at(300, 5000), WholePage(page).end);
    EXPECT_EQ(at(790, last + 17), (TextPosition{page.items.size() - 1, 30}))
        << "still on the last line";
    EXPECT_EQ(dragged(kValueX + 27 * kTextWidth, last, 300, 5000), std::string(3, 's') + "\n");
    EXPECT_EQ(dragged(kValueX + 27 * kTextWidth, last, 790, last), std::string(3, 's'));
    // Above the first line is the start of the page; right of a line its end.
    EXPECT_EQ(at(500, 3), (TextPosition{0, 0}));
    EXPECT_EQ(dragged(500, 3, 10, 20), "");
    EXPECT_EQ(dragged(500, 3, 790, 20), "硫酸");
}

TEST_F(PageTextTest, TheWholePageReadsLineByLineWithEveryShownField)
{
    loadRecords(doc, {reagent(acid, {{Field::EnglishName, "Sulfuric acid"},
                                     {Field::Alias, "x"},
                                     {Field::CasNumber, "7664-93-9"},
                                     {Field::StructureImage, picture},
                                     {Field::MolecularWeight, "98.08"},
                                     {Field::Remarks, remarks}})});
    const std::vector<std::string> expected = {
        "硫酸",
        "英文名称：Sulfuric acid",
        "CAS号：7664-93-9",
        "结构式：",
        "分子量：98.08",
        "商家：",
        "备注：" + std::string(70, 'r'),
        std::string(30, 's'),
    };
    const std::string text = WholePageText(compose(acid));
    EXPECT_EQ(linesOf(text), expected);
    EXPECT_EQ(text.back(), '\n');
}

TEST_F(PageTextTest, TheStartPageAndTheNotePagesHaveTheirText)
{
    const std::vector<std::string> start = linesOf(WholePageText(compose("firstpage")));
    ASSERT_EQ(start.size(), 12u);
    EXPECT_EQ(start[0], "软件介绍 ");
    EXPECT_EQ(start[1],
              "本软件收集试剂词条近2万条，包括试剂名称、别  名、CAS号、化学式、分子量、纯度、存");
    EXPECT_EQ(start[11], "软件现有词条不断增加，请您随时关注更新最新版本。");
    EXPECT_EQ(WholePageText(compose(gbkOf("乙醇"))), "没有找到名为“乙醇”的试剂。\n");
}

TEST_F(PageTextTest, ADoubleClickTakesTheWholeValueOfItsField)
{
    EXPECT_EQ(valueAt(kValueX + 10, LineY(1) + 2), "7664-93-9");
    EXPECT_EQ(valueAt(40, LineY(1) + 2), "7664-93-9") << "on the label";
    EXPECT_EQ(valueAt(kValueX + 10, LineY(5) + 2),
              std::string(70, 'r') + "\n" + std::string(30, 's'))
        << "on the wrapped line";
    EXPECT_EQ(valueAt(kValueX + 10, LineY(4) + 2),
              std::string(70, 'r') + "\n" + std::string(30, 's'));
    EXPECT_EQ(valueAt(kValueX + 10, LineY(2) + 2), "CuSO4.5H2O");
    EXPECT_EQ(valueAt(100, 20), "硫酸") << "anywhere on the title's line";
    EXPECT_EQ(valueAt(kValueX, LineY(3) + 2), "") << "the empty vendor";
    EXPECT_EQ(valueAt(100, 5000), "");

    page = compose("firstpage");
    EXPECT_EQ(valueAt(10, 15 + 34 + 2),
              "本软件收集试剂词条近2万条，包括试剂名称、别  名、CAS号、化学式、"
              "分子量、纯度、存");
}

TEST_F(PageTextTest, HighlightsCoverTheSelectedCharactersToTheHeightOfTheirLine)
{
    // From after the "7" of the CAS number down to before the "S" of the formula.
    const TextRange range =
        RangeBetween(at(kValueX + 5, LineY(1) + 3), at(kValueX + 2 * kTextWidth + 1, LineY(2)));
    EXPECT_EQ(TextOf(page, range), "664-93-9\n化学式：Cu");
    const std::vector<TextHighlight> parts = HighlightsOf(page, measurer, range, {0, 0, 800, 600});
    // "664-93-9", then the label "化学式：" (eight bytes from x = 31), "C" and "u".
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0].rect.x, kValueX + kTextWidth);
    EXPECT_EQ(parts[0].rect.width, 8 * kTextWidth);
    EXPECT_EQ(parts[0].rect.y, LineY(1));
    EXPECT_EQ(parts[0].rect.height, 18);
    EXPECT_EQ(parts[1].rect.x, 31);
    EXPECT_EQ(parts[1].rect.width, 8 * kTextWidth);
    EXPECT_EQ(parts[2].rect.x, kValueX);
    EXPECT_EQ(parts[3].rect.x, kValueX + kTextWidth);
    EXPECT_EQ(parts[3].rect.y, LineY(2));

    // A subscript's part is as tall as its line, not only its own cell.
    const TextRange four = RangeBetween(at(kValueX + 4 * kTextWidth, LineY(2)),
                                        at(kValueX + 4 * kTextWidth + 5, LineY(2)));
    const std::vector<TextHighlight> sub = HighlightsOf(page, measurer, four, {0, 0, 800, 600});
    ASSERT_EQ(sub.size(), 1u);
    EXPECT_EQ(sub[0].rect.y, LineY(2));
    EXPECT_EQ(sub[0].rect.height, 18);
    EXPECT_EQ(sub[0].rect.width, 5);

    // Only the lines that cross the visible part.
    const TextRange all = WholePage(page);
    const std::vector<TextHighlight> shown =
        HighlightsOf(page, measurer, all, {0, LineY(4) + 20, 800, 30});
    ASSERT_FALSE(shown.empty());
    for (const TextHighlight& part : shown)
        EXPECT_EQ(part.rect.y, LineY(5)) << part.item;
}

TEST_F(PageTextTest, AChangeBetweenTwoPlacesShowsInTheRowsOfTheirLines)
{
    const TextPosition cas = at(kValueX + 10, LineY(1) + 2);
    const TextPosition remark = at(kValueX + 10, LineY(5) + 2);
    EXPECT_EQ(RowsBetween(page, measurer, remark, cas),
              (PageRows{LineY(1), LineY(5) + 18 - LineY(1)}));
    EXPECT_EQ(RowsBetween(page, measurer, cas, cas), (PageRows{LineY(1), 18}));
    EXPECT_EQ(RowsBetween(page, measurer, WholePage(page).begin, WholePage(page).end),
              (PageRows{15, LineY(5) + 18 - 15}));
}
