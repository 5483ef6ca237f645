#include "Gbk.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>

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

namespace {

/// iconv's own decoding, U+FFFD and one byte skipped at each byte it cannot decode: what the
/// decoder's tables must give back.
std::string IconvDecoded(std::string_view text)
{
    const iconv_t cd = iconv_open("UTF-8", "CP936");
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char buffer[64];
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

TEST(Gbk, DecodesEveryByteAndEveryPairAsIconvDoes)
{
    for (int lead = 0; lead < 256; ++lead) {
        const std::string alone(1, static_cast<char>(lead));
        ASSERT_EQ(gbk::toUtf8(alone), IconvDecoded(alone)) << lead;
        for (int trail = 0; trail < 256; ++trail) {
            // Followed by a byte that may or may not trail the second one.
            const std::string text = {static_cast<char>(lead), static_cast<char>(trail), '\xA1'};
            ASSERT_EQ(gbk::toUtf8(text), IconvDecoded(text)) << lead << " " << trail;
        }
    }
}

TEST(Gbk, TextThatGrowsThreefoldDecodesWhole)
{
    // Bytes that are no characters become three each, more than text of pairs takes.
    const std::string text = std::string(300, '\xFF') + std::string(500, 'a') + "\xB0\xA1" +
                             std::string(200, '\x80') + "z";
    EXPECT_EQ(gbk::toUtf8(text), IconvDecoded(text));
}
