#include "PageSheets.h"

#include <gtest/gtest.h>

namespace {

/// Text 20 pixels high in every font; pictures are never loaded.
class TwentyHigh : public PageMeasurer
{
public:
    PageSize textExtent(PageFont, std::string_view text) override
    {
        return {static_cast<int>(text.size()), 20};
    }
    int textHeight(PageFont) override { return 20; }
    PageSize pictureSize(std::string_view) override { return {}; }
};

PageLayout linesAt(std::initializer_list<int> ys, int bottom)
{
    PageLayout page;
    for (int y : ys)
        page.items.emplace_back(PageText{PageFont::Text, 0, y, "x"});
    page.bottom = bottom;
    return page;
}

} // namespace

TEST(PageSheets, APageThatFitsTakesOneSheet)
{
    TwentyHigh m;
    EXPECT_EQ(SheetStarts(linesAt({15, 45}, 75), m, 100), std::vector<int>{0});
    EXPECT_EQ(SheetStarts(linesAt({15, 45}, 100), m, 100), std::vector<int>{0});
}

TEST(PageSheets, ASheetEndsAboveALineThatWouldBeCut)
{
    TwentyHigh m;
    // The line at 90 reaches 110: the second sheet starts with it.
    EXPECT_EQ(SheetStarts(linesAt({15, 45, 90, 130}, 160), m, 100), (std::vector<int>{0, 90}));
    // A line ending exactly at the sheet's end stays on it.
    EXPECT_EQ(SheetStarts(linesAt({15, 80, 120}, 150), m, 100), (std::vector<int>{0, 100}));
}

TEST(PageSheets, AnItemTallerThanASheetIsCut)
{
    TwentyHigh m;
    PageLayout page = linesAt({15}, 15 + 20 + 250);
    page.items.emplace_back(PagePicture{0, 35, {10, 250}, "tall.png"});
    EXPECT_EQ(SheetStarts(page, m, 100), (std::vector<int>{0, 35, 135, 235}));
}
