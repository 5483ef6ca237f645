#include "NotePage.h"

#include "FixedMeasurer.h"
#include "PageText.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// Ten bytes of the text font to a line, lines 18 pixels apart.
constexpr NoteFrame kFrame{40, 40, 90, 80, 18};

std::vector<std::string> BodyLines(const PageLayout& page)
{
    std::vector<std::string> lines;
    for (std::size_t i = 1; i < page.items.size(); ++i)
        lines.emplace_back(std::get<PageText>(page.items[i]).text);
    return lines;
}

} // namespace

TEST(NotePage, TheHeadingAndEachParagraphBrokenToTheWidth)
{
    FixedMeasurer measurer;
    const PageLayout page =
        ComposeNotePage("Heading", gbkOf("甲乙丙丁戊己\n\nabcdefghijKLMNO"), kFrame, measurer);
    EXPECT_EQ(std::get<PageText>(page.items[0]), (PageText{PageFont::Title, 40, 40, "Heading"}));
    EXPECT_EQ(BodyLines(page), (std::vector<std::string>{gbkOf("甲乙丙丁戊"), gbkOf("己"), "",
                                                         "abcdefghij", "KLMNO"}));
    ASSERT_EQ(page.lines.size(), 6u);
    for (std::size_t i = 1; i < page.lines.size(); ++i) {
        EXPECT_EQ(page.lines[i].top, 90 + 18 * static_cast<int>(i - 1)) << i;
        EXPECT_EQ(std::get<PageText>(page.items[i]).y, page.lines[i].top) << i;
    }
    EXPECT_EQ(page.bottom, 90 + 18 * 5);
    // A paragraph's second line carries it on: a double click there takes the paragraph.
    EXPECT_TRUE(page.lines[2].continues);
    EXPECT_FALSE(page.lines[3].continues);
    EXPECT_EQ(TextOf(page, ValueAt(page, measurer, 45, 90 + 18 + 2)), "甲乙丙丁戊\n己");
    EXPECT_EQ(WholePageText(page), "Heading\n甲乙丙丁戊\n己\n\nabcdefghij\nKLMNO\n");
}

TEST(NotePage, ALatinWordMovesToTheNextLineWhole)
{
    FixedMeasurer measurer;
    EXPECT_EQ(BodyLines(ComposeNotePage("", "hello bigworld", kFrame, measurer)),
              (std::vector<std::string>{"hello ", "bigworld"}));
    EXPECT_EQ(BodyLines(ComposeNotePage("", "hello big world", kFrame, measurer)),
              (std::vector<std::string>{"hello big ", "world"}));
    // A character wider than the line still takes a line of its own.
    EXPECT_EQ(BodyLines(ComposeNotePage("", "ab", NoteFrame{0, 0, 0, 3, 18}, measurer)),
              (std::vector<std::string>{"a", "b"}));
}
