#include "Gbk.h"

#include <gtest/gtest.h>

TEST(Gbk, RoundTripsChineseAndAscii)
{
    const std::string text = "硫酸铜 CuSO4·5H2O ℃";
    const auto bytes = gbk::fromUtf8(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->size(), 21u);
    EXPECT_EQ(gbk::toUtf8(*bytes), text);
}

TEST(Gbk, UndecodableBytesBecomeReplacementCharacters)
{
    // A lead byte before an ASCII byte that cannot trail it, and a lone lead byte at the end:
    // each bad byte shows as U+FFFD, and the good byte after it survives.
    EXPECT_EQ(gbk::toUtf8("a\x81 b\xFE"), "a\xEF\xBF\xBD b\xEF\xBF\xBD");
    EXPECT_EQ(gbk::toUtf8(std::string_view("\xFF", 1)), "\xEF\xBF\xBD");
}

TEST(Gbk, RefusesTextWithoutCodePage936Form)
{
    EXPECT_FALSE(gbk::fromUtf8("emoji \xF0\x9F\x98\x80"));
    EXPECT_FALSE(gbk::fromUtf8("broken \xE4\xB8"));
    EXPECT_EQ(gbk::fromUtf8(""), std::string());
}

TEST(Gbk, ConvertsUtf16WithSurrogatesAndForeignCharacters)
{
    // "水" U+6C34, then U+1F600 as a surrogate pair, then a lone low surrogate, then "A".
    const std::string utf16("\x34\x6C\x3D\xD8\x00\xDE\x00\xDC\x41\x00", 10);
    EXPECT_EQ(gbk::fromUtf16Le(utf16), gbk::fromUtf8("水").value() + "??A");
}

TEST(Gbk, CharacterBoundaries)
{
    const std::string text = "\x81\x41"
                             "A\xB0\xA1"; // 丄, A, 啊
    EXPECT_TRUE(gbk::startsCharacter(text, 0));
    EXPECT_FALSE(gbk::startsCharacter(text, 1));
    EXPECT_TRUE(gbk::startsCharacter(text, 2));
    EXPECT_TRUE(gbk::startsCharacter(text, 3));
    EXPECT_FALSE(gbk::startsCharacter(text, 4));
    EXPECT_EQ(gbk::wholeCharacterPrefix(text, 4), 3u);
    EXPECT_EQ(gbk::wholeCharacterPrefix(text, 5), 5u);
    EXPECT_EQ(gbk::wholeCharacterPrefix(text, 1), 0u);
    EXPECT_EQ(gbk::wholeCharacterPrefix("ab\xB0", 70), 3u);
}

TEST(Gbk, BytesOutsideTheLeadRangeAreCharactersOfTheirOwn)
{
    for (const char single : {'\x80', '\xFF'}) {
        const std::string text = std::string(1, single) + "A";
        EXPECT_TRUE(gbk::startsCharacter(text, 1)) << int(single);
        EXPECT_EQ(gbk::wholeCharacterPrefix(text, 1), 1u) << int(single);
    }
    // The ends of the lead range do start two-byte characters.
    for (const char lead : {'\x81', '\xFE'}) {
        const std::string text = std::string(1, lead) + "AB";
        EXPECT_FALSE(gbk::startsCharacter(text, 1)) << int(lead);
        EXPECT_EQ(gbk::wholeCharacterPrefix(text, 1), 0u) << int(lead);
    }
}
