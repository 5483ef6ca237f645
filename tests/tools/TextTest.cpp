// The UTF-8 edge and JSON strings.

#include "Json.h"
#include "TestDatabase.h"
#include "TextEdge.h"

#include <gmock/gmock.h>

namespace {

std::string utf8Of(std::string_view gbkText)
{
    std::string text;
    appendUtf8(text, gbkText);
    return text;
}

TEST(TextTest, DatabaseTextBecomesUtf8WithReplacementForBadBytes)
{
    EXPECT_EQ(utf8Of("CuSO4"), "CuSO4");
    EXPECT_EQ(utf8Of(gbkOf("硫酸铜，℃")), "硫酸铜，℃");
    EXPECT_EQ(utf8Of("a\x81"), "a\uFFFD");      // a lead byte at the end
    EXPECT_EQ(utf8Of("\x81\x20z"), "\uFFFD z"); // a lead byte before an ASCII byte
    EXPECT_EQ(utf8Of("\xFF"
                     "b"),
              "\uFFFD"
              "b");
}

TEST(TextTest, Utf8BecomesDatabaseTextOrSaysWhichCharacterCannot)
{
    EXPECT_EQ(toDatabaseText("H2O"), "H2O");
    EXPECT_EQ(toDatabaseText("水，℃"), gbkOf("水，℃"));

    EncodingProblem problem;
    EXPECT_EQ(toDatabaseText("水\xF0\x9F\xA7\x82盐", &problem), std::nullopt);
    EXPECT_EQ(problem.offset, 3u);
    EXPECT_EQ(problem.codePoint, U'\U0001F9C2');
    EXPECT_EQ(problem.describe(), "字符“🧂”（U+1F9C2）");

    for (std::string_view notUtf8 : {"a\xC3", "a\xC3\x28", "a\xC0\xAF", "a\xED\xA0\x80"}) {
        problem = {};
        EXPECT_EQ(toDatabaseText(notUtf8, &problem), std::nullopt);
        EXPECT_EQ(problem.offset, 1u);
        EXPECT_TRUE(problem.character.empty());
        EXPECT_THAT(problem.describe(), ::testing::HasSubstr("UTF-8"));
    }
}

TEST(TextTest, JsonStringsEscapeQuotesBackslashesAndControls)
{
    std::string json;
    appendJsonString(json, "a\"b\\c\nd\re\tf\x01g\x1F中");
    EXPECT_EQ(json, "\"a\\\"b\\\\c\\nd\\re\\tf\\u0001g\\u001F中\"");
    json.clear();
    appendJsonString(json, std::string_view("\0", 1));
    EXPECT_EQ(json, "\"\\u0000\"");
}

} // namespace
