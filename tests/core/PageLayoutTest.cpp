#include "PageLayout.h"
#include "FixedMeasurer.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

constexpr int kValueX = 15 + 10 * 8; // "五个字哦：" is ten bytes in the text font
constexpr int kStep = 18 + 10;       // text height plus the line gap

class PageLayoutTest : public ::testing::Test
{
protected:
    const std::string acid = gbkOf("硫酸");
    const std::string water = gbkOf("水");

    PageLayout compose(std::string_view name, std::string_view special = "",
                       PageSize client = {800, 600}, int extentHeight = 100)
    {
        return ComposePage(doc, PageRequest{name, special, client, extentHeight}, measurer);
    }

    /// Loads one reagent named "硫酸" with the given fields and composes its page.
    PageLayout page(std::initializer_list<std::pair<Field, std::string_view>> fields)
    {
        loadRecords(doc, {reagent(acid, fields)});
        return compose(acid);
    }

    static std::vector<PageText> texts(const PageLayout& layout)
    {
        std::vector<PageText> out;
        for (const PageItem& item : layout.items) {
            if (const auto* text = std::get_if<PageText>(&item))
                out.push_back(*text);
        }
        return out;
    }

    /// The value lines drawn in the text font at the value column.
    static std::vector<std::string> valueLines(const PageLayout& layout)
    {
        std::vector<std::string> out;
        for (const PageText& t : texts(layout)) {
            if (t.x == kValueX && t.font == PageFont::Text)
                out.emplace_back(t.text);
        }
        return out;
    }

    static const PageText* find(const PageLayout& layout, std::string_view text)
    {
        for (const PageItem& item : layout.items) {
            const auto* t = std::get_if<PageText>(&item);
            if (t && t->text == text)
                return t;
        }
        return nullptr;
    }

    CVELMORDoc doc;
    FixedMeasurer measurer;
};

} // namespace

TEST_F(PageLayoutTest, StartPageLinesUseTheTitleMeasurementsAndTheirOwnDivisors)
{
    loadRecords(doc, {reagent(acid)});
    const PageLayout layout = compose("firstpage", "", {800, 600}, 777);
    const std::vector<PageText> lines = texts(layout);
    ASSERT_EQ(lines.size(), 12u);
    const int tw = 9 * 10; // "软件介绍 " is nine bytes in the title font
    const int th = 24;
    EXPECT_EQ(lines[0].text, gbkOf("软件介绍 "));
    EXPECT_EQ(lines[0].x, 266 - tw / 2);
    EXPECT_EQ(lines[1].x, 100 - tw / 2);
    EXPECT_EQ(lines[2].x, 66 - tw / 2);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].y, 15 + static_cast<int>(i) * (th + 10)) << i;

    const std::vector<PageFont> fonts = {PageFont::Title, PageFont::Text,  PageFont::Text,
                                         PageFont::Text,  PageFont::Title, PageFont::Text,
                                         PageFont::Text,  PageFont::Text,  PageFont::Text,
                                         PageFont::Title, PageFont::Title, PageFont::Title};
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].font, fonts[i]) << i;
    EXPECT_EQ(lines[2].text.substr(0, 2), gbkOf("储"));
    EXPECT_NE(lines[6].text.find("vendors@velmor.example"), std::string::npos);

    EXPECT_TRUE(layout.startPage);
    EXPECT_FALSE(layout.extentHeight) << "the start page leaves the scroll extent alone";
}

TEST_F(PageLayoutTest, FirstPageBeatsARecordOfThatNameAndShangjiaBeatsTheCurrentName)
{
    loadRecords(doc, {reagent("firstpage", {{Field::EnglishName, "not shown"}}), reagent(acid)});
    EXPECT_TRUE(compose("firstpage").startPage);
    EXPECT_EQ(find(compose("firstpage"), "not shown"), nullptr);

    const PageLayout business = compose(acid, "shangjia");
    EXPECT_TRUE(business.startPage);
    EXPECT_EQ(texts(business).size(), 12u);
    EXPECT_FALSE(compose(acid, "shangjia ").startPage) << "the word is compared exactly";
    EXPECT_FALSE(compose(acid).startPage);
}

TEST_F(PageLayoutTest, TitleIsCentredAndTheFirstFieldStandsAt45WhateverTheTitleHeight)
{
    for (int titleHeight : {12, 24, 60}) {
        measurer.titleHeight = titleHeight;
        const PageLayout layout = page({{Field::EnglishName, "Sulfuric acid"}});
        const std::vector<PageText> t = texts(layout);
        ASSERT_GE(t.size(), 3u);
        EXPECT_EQ(t[0].font, PageFont::Title);
        EXPECT_EQ(t[0].text, acid);
        EXPECT_EQ(t[0].x, (15 + 785) / 2 - 4 * 10 / 2);
        EXPECT_EQ(t[0].y, 15);
        EXPECT_EQ(t[1].y, 45);
        EXPECT_EQ(t[2].text, "Sulfuric acid");
        EXPECT_EQ(t[2].y, 45);
    }
}

TEST_F(PageLayoutTest, LabelsEndAtTheValueColumnInTheSpecifiedOrder)
{
    const PageLayout layout = page({{Field::EnglishName, "Sulfuric acid"},
                                    {Field::CasNumber, "7664-93-9"},
                                    {Field::Storage, "cool"},
                                    {Field::Remarks, "none"},
                                    {Field::Use, "many"}});
    std::vector<std::string> labels;
    for (const PageText& t : texts(layout)) {
        if (t.font == PageFont::Text && t.x != kValueX) {
            EXPECT_EQ(t.x + static_cast<int>(t.text.size()) * 8, kValueX) << t.text;
            labels.emplace_back(t.text);
        }
    }
    const std::vector<std::string> expected = {gbkOf("英文名称："), gbkOf("CAS号："),
                                               gbkOf("储存方法："), gbkOf("用途："),
                                               gbkOf("商家："),     gbkOf("备注：")};
    EXPECT_EQ(labels, expected);
}

TEST_F(PageLayoutTest, EveryLabelHasItsOwnFieldsValueBesideIt)
{
    // Each field holds a value of its own; the value on the label's line must be that field's.
    const std::vector<std::pair<const char*, Field>> rows = {
        {"英文名称：", Field::EnglishName},      {"别名：", Field::Alias},
        {"CAS号：", Field::CasNumber},           {"化学式：", Field::Formula},
        {"分子量：", Field::MolecularWeight},    {"纯度：", Field::Purity},
        {"储存方法：", Field::Storage},          {"闪点：", Field::FlashPoint},
        {"沸点：", Field::BoilingPoint},         {"熔点：", Field::MeltingPoint},
        {"比旋光度：", Field::SpecificRotation}, {"蒸汽压：", Field::VapourPressure},
        {"溶解性：", Field::Solubility},         {"毒性：", Field::Toxicity},
        {"外观：", Field::Appearance},           {"用途：", Field::Use},
        {"商家：", Field::Vendor},               {"备注：", Field::Remarks},
    };
    ReagentRecord record = reagent(acid, {});
    std::vector<std::string> values;
    for (std::size_t i = 0; i < rows.size(); ++i)
        values.push_back("value of row " + std::string(1, static_cast<char>('A' + i)));
    // The formula's letters are drawn one by one: its first letter stands at the value column.
    values[3] = "XYZ";
    for (std::size_t i = 0; i < rows.size(); ++i)
        fieldText(record, rows[i].second) = values[i];
    loadRecords(doc, {record});
    const PageLayout layout = compose(acid);

    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].first);
        const PageText* label = find(layout, gbkOf(rows[i].first));
        ASSERT_NE(label, nullptr);
        const PageText* value =
            find(layout, rows[i].second == Field::Formula ? std::string("X") : values[i]);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->y, label->y);
        EXPECT_EQ(value->x, kValueX);
    }
}

TEST_F(PageLayoutTest, FieldsOfTwoBytesOrLessAreHiddenExceptTheVendor)
{
    const std::string threeBytes = water + "A";
    const PageLayout layout =
        page({{Field::Alias, water}, {Field::Purity, threeBytes}, {Field::Toxicity, "ab"}});
    EXPECT_EQ(find(layout, gbkOf("别名：")), nullptr);
    EXPECT_EQ(find(layout, gbkOf("毒性：")), nullptr);
    const PageText* purity = find(layout, gbkOf("纯度："));
    ASSERT_NE(purity, nullptr);
    EXPECT_EQ(purity->y, 45);

    const PageText* vendor = find(layout, gbkOf("商家："));
    ASSERT_NE(vendor, nullptr);
    EXPECT_EQ(vendor->y, 45 + kStep);
    EXPECT_EQ(valueLines(layout), (std::vector<std::string>{threeBytes, ""}));
    EXPECT_EQ(layout.bottom, 45 + 2 * kStep);
}

TEST_F(PageLayoutTest, ValuesWrapEvery70BytesIntoLengthOver70PlusOneLines)
{
    const std::string b70(70, 'x');
    const std::string b71 = std::string(70, 'y') + "z";
    const std::string b140(140, 'w');
    const PageLayout layout =
        page({{Field::EnglishName, b70}, {Field::Alias, b71}, {Field::Use, b140}});
    const std::vector<std::string> expected = {
        b70, "", std::string(70, 'y'), "z", std::string(70, 'w'), std::string(70, 'w'),
        "",  ""}; // the vendor's empty line
    EXPECT_EQ(valueLines(layout), expected);
    EXPECT_EQ(find(layout, gbkOf("别名："))->y, 45 + 2 * kStep);
    EXPECT_EQ(find(layout, gbkOf("用途："))->y, 45 + 4 * kStep);
    EXPECT_EQ(layout.bottom, 45 + 8 * kStep);
}

TEST_F(PageLayoutTest, WrappingNeverSplitsATwoByteCharacterAndLosesNothing)
{
    // 'a' then 35 characters: the 35th would straddle byte 70 and moves to the second line.
    std::string straddling = "a";
    for (int i = 0; i < 35; ++i)
        straddling += water;
    // Two straddles within three lines' worth of bytes: a fourth line takes the rest.
    std::string spilling = straddling + "b";
    for (int i = 0; i < 68; ++i)
        spilling += water;
    spilling += "c"; // 209 bytes: 209 / 70 + 1 = 3 lines would hold only 208 of them
    ASSERT_EQ(spilling.size(), 209u);

    const PageLayout layout = page({{Field::EnglishName, straddling}, {Field::Alias, spilling}});
    const std::vector<std::string> lines = valueLines(layout);
    ASSERT_EQ(lines.size(), 2u + 4u + 1u);
    EXPECT_EQ(lines[0], straddling.substr(0, 69));
    EXPECT_EQ(lines[1], water);
    EXPECT_EQ(lines[2] + lines[3] + lines[4] + lines[5], spilling);
    EXPECT_EQ(lines[2].size(), 69u);
    EXPECT_EQ(lines[3].size(), 69u);
    EXPECT_EQ(lines[4].size(), 70u);
    EXPECT_EQ(lines[5], "c");
}

TEST_F(PageLayoutTest, FormulaDigitsAreSubscriptsExceptANumberAfterAFullStop)
{
    struct Glyph
    {
        std::string_view text;
        PageFont font;
        int x;
        int y;
    };
    PageLayout layout;
    auto glyphs = [&](std::string_view formula) {
        layout = page({{Field::Formula, formula}});
        std::vector<Glyph> out;
        for (const PageText& t : texts(layout)) {
            if (t.y >= 45 && t.x >= kValueX && t.y < 45 + kStep)
                out.push_back({t.text, t.font, t.x, t.y});
        }
        return out;
    };
    const int sub = 45 + 18 - 11; // the subscript's cell ends where the text cell ends

    const std::vector<Glyph> h2so4 = glyphs("H2SO4");
    ASSERT_EQ(h2so4.size(), 5u);
    const std::vector<std::tuple<std::string, PageFont, int, int>> expected = {
        {"H", PageFont::Text, kValueX, 45},
        {"2", PageFont::Subscript, kValueX + 8, sub},
        {"S", PageFont::Text, kValueX + 13, 45},
        {"O", PageFont::Text, kValueX + 21, 45},
        {"4", PageFont::Subscript, kValueX + 29, sub}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(std::tie(h2so4[i].text, h2so4[i].font, h2so4[i].x, h2so4[i].y), expected[i]) << i;
    }

    std::string fonts;
    for (const Glyph& g : glyphs("CuSO4.5H2O"))
        fonts += g.font == PageFont::Subscript ? 's' : 't';
    EXPECT_EQ(fonts, "ttttstttst");
    fonts.clear();
    for (const Glyph& g : glyphs("Na2SO4.10H2O"))
        fonts += g.font == PageFont::Subscript ? 's' : 't';
    EXPECT_EQ(fonts, "ttsttsttttst") << "the whole number after the full stop";

    const std::vector<Glyph> leading = glyphs("2H2O");
    ASSERT_EQ(leading.size(), 4u);
    EXPECT_EQ(leading[0].font, PageFont::Subscript);
    EXPECT_EQ(leading[0].y, sub);

    const std::string hydrate = "CaCl2" + gbkOf("·") + "6H2O";
    const std::vector<Glyph> mixed = glyphs(hydrate);
    ASSERT_EQ(mixed.size(), 10u) << "the two-byte dot is one character";
    EXPECT_EQ(mixed[5].text, gbkOf("·"));
    EXPECT_EQ(mixed[6].x, mixed[5].x + 16);
}

TEST_F(PageLayoutTest, HydrateNumbersAfterAMiddleDotOrAnAsteriskStayOnTheLine)
{
    auto fonts = [&](std::string_view formula) {
        std::string out;
        for (const PageText& t : texts(page({{Field::Formula, formula}}))) {
            if (t.y >= 45 && t.x >= kValueX && t.y < 45 + kStep)
                out += t.font == PageFont::Subscript ? 's' : 't';
        }
        return out;
    };
    const std::string dot = gbkOf("·");
    EXPECT_EQ(fonts("CuSO4" + dot + "5H2O"), "ttttstttst");
    EXPECT_EQ(fonts("CuSO4*5H2O"), "ttttstttst");
    EXPECT_EQ(fonts("Na2SO4" + dot + "10H2O"), "ttsttsttttst");
    EXPECT_EQ(fonts("Na2SO4*10H2O"), "ttsttsttttst");
    EXPECT_EQ(fonts("CuSO4-5H2O"), "ttttststst") << "only the three joining characters";
}

TEST_F(PageLayoutTest, AVisibleAreaKeepsTheItemsInsideItAndChangesNothingElse)
{
    std::string remark;
    for (int i = 0; remark.size() < 7000; ++i)
        remark += "line" + std::to_string(i) + ";";
    std::string formula;
    for (int i = 0; i < 20000; ++i)
        formula += "H2O";
    loadRecords(doc, {reagent(acid, {{Field::Formula, formula}, {Field::Remarks, remark}})});
    const PageLayout whole = compose(acid);

    PageRequest request{acid, "", {800, 600}, 100, PageRect{0, 1000, 800, 600}};
    const PageLayout part = ComposePage(doc, request, measurer);
    EXPECT_EQ(part.bottom, whole.bottom);
    EXPECT_EQ(part.extentHeight, whole.extentHeight);
    std::vector<PageText> expected;
    for (const PageText& t : texts(whole)) {
        if (t.y < 1600 && t.y + measurer.textHeight(t.font) > 1000)
            expected.push_back(t);
    }
    EXPECT_EQ(texts(part), expected);
    EXPECT_EQ(expected.size(), 22u); // 600 pixels of 28-pixel lines, cut at both ends
    // Every line is still listed in its place; a line outside holds no items.
    ASSERT_EQ(part.lines.size(), whole.lines.size());
    for (std::size_t i = 0; i < whole.lines.size(); ++i) {
        EXPECT_EQ(part.lines[i].top, whole.lines[i].top) << i;
        EXPECT_EQ(part.lines[i].continues, whole.lines[i].continues) << i;
    }
    EXPECT_EQ(part.lines[1].begin, part.lines[2].begin) << "the formula's line is far above";

    // The formula's line: only the glyphs that reach into 800 pixels are kept.
    request.visible = PageRect{0, 0, 800, 600};
    const std::vector<PageText> top = texts(ComposePage(doc, request, measurer));
    std::size_t glyphs = 0;
    for (const PageText& t : top)
        glyphs += t.y >= 45 && t.y < 45 + kStep && t.x >= kValueX;
    EXPECT_EQ(glyphs, 3u * (800 - kValueX) / 21 + 1); // "H2O" is 21 pixels wide
}

TEST_F(PageLayoutTest, PictureAdvancesByItsHeightAndAMissingOneByTheLineHeight)
{
    measurer.pictures["img/acid.bmp"] = {120, 80};
    PageLayout layout = page({{Field::StructureImage, "img/acid.bmp"}});
    ASSERT_EQ(layout.items.size(), 5u); // title, label, picture, vendor label and line
    const auto* picture = std::get_if<PagePicture>(&layout.items[2]);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(*picture, (PagePicture{kValueX, 45, {120, 80}, "img/acid.bmp"}));
    EXPECT_EQ(find(layout, gbkOf("商家："))->y, 45 + 18 + 80);

    layout = page({{Field::StructureImage, "img/missing.bmp"}});
    EXPECT_EQ(layout.items.size(), 4u);
    EXPECT_NE(find(layout, gbkOf("结构式：")), nullptr);
    EXPECT_EQ(find(layout, gbkOf("商家："))->y, 45 + 18);
}

TEST_F(PageLayoutTest, ExtentGrowsForALongPageAndFallsBackWhenThePageFits)
{
    // The picture puts the vendor line so that the page ends at y = 900.
    measurer.pictures["tall.png"] = {10, 900 - 45 - 18 - kStep};
    loadRecords(doc, {reagent(acid, {{Field::StructureImage, "tall.png"}}), reagent(water)});

    PageLayout layout = compose(acid, "", {800, 600}, 100);
    EXPECT_EQ(layout.bottom, 900);
    EXPECT_EQ(layout.extentHeight, 930);
    layout = compose(acid, "", {800, 600}, 930);
    EXPECT_FALSE(layout.extentHeight) << "a page as tall as before leaves the extent alone";
    layout = compose(acid, "", {800, 1000}, 930);
    EXPECT_EQ(layout.extentHeight, 100) << "the page fits a taller window";
    layout = compose(water, "", {800, 600}, 930);
    EXPECT_EQ(layout.extentHeight, 100);
}

TEST_F(PageLayoutTest, ANameWithoutARecordDrawsANoteAndReadsNothingElse)
{
    loadRecords(doc, {reagent(acid, {{Field::EnglishName, "Sulfuric acid"}})});
    const PageLayout layout = compose(gbkOf("盐酸")); // owns the note its items point into
    const std::vector<PageText> missing = texts(layout);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].text, gbkOf("没有找到名为“盐酸”的试剂。"));
    EXPECT_EQ(missing[0].font, PageFont::Text);

    const PageLayout empty = compose("");
    ASSERT_EQ(texts(empty).size(), 1u);
    EXPECT_EQ(texts(empty)[0].text, gbkOf("没有找到符合检索条件的试剂，请换一个检索词再试。"));
    EXPECT_EQ(empty.extentHeight, 100);

    CVELMORDoc unloaded;
    const PageLayout none = ComposePage(unloaded, PageRequest{"", "", {800, 600}, 100}, measurer);
    ASSERT_EQ(texts(none).size(), 1u);
    EXPECT_EQ(texts(none)[0].text, gbkOf("试剂数据库中没有记录，无法显示试剂信息。"));
}
