#include "FindText.h"

#include "Gbk.h"

#include <array>
#include <cstdint>

namespace {

/// A run of code points that fold to consecutive ASCII characters from `to` on.
struct FoldRange
{
    char32_t first;
    char32_t last;
    char to;
    bool formulaOnly = false;
};

// The folds of the characters beyond ASCII, by code point: the query's characters are folded by
// these, and the fields' by the code page 936 forms of the same (gbkFolds).
// clang-format off
constexpr FoldRange kFolds[] = {
    {0xFF01, 0xFF5E, '!'},       // full-width ASCII
    {0x3000, 0x3000, ' '},       // ideographic space
    {0x00A0, 0x00A0, ' '},       // no-break space
    {0x2080, 0x2089, '0'},       // subscript digits
    {0x2070, 0x2070, '0'},       // superscript digits: 0, 1, 2 and 3, 4 to 9
    {0x00B9, 0x00B9, '1'},
    {0x00B2, 0x00B3, '2'},
    {0x2074, 0x2079, '4'},
    {0x00B7, 0x00B7, '.', true}, // middle dot
    {0x2022, 0x2022, '.', true}, // bullet
    {0x2219, 0x2219, '.', true}, // bullet operator
};
// clang-format on

/// What a character becomes, when it becomes ASCII; 0 when it stays itself.
char foldCodePoint(char32_t c, Folding folding)
{
    for (const FoldRange& range : kFolds) {
        if (c >= range.first && c <= range.last &&
            (!range.formulaOnly || folding == Folding::Formula))
            return static_cast<char>(range.to + (c - range.first));
    }
    return 0;
}

/// An ASCII character (or a byte that is neither ASCII nor a lead byte) in the normal form;
/// blanks become ' '.
char foldAscii(unsigned char c, Folding folding)
{
    if (c < 0x20 || c == 0x7F)
        return ' ';
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    if (c == '*' && folding == Folding::Formula)
        return '.';
    return static_cast<char>(c);
}

/// The UTF-8 form of a code point from U+0080 to U+FFFF.
std::string utf8Of(char32_t c)
{
    if (c < 0x800)
        return {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    return {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

/// For every two-byte character (lead byte << 8 | second byte), the ASCII character it folds
/// to, or 0: the folds of kFolds whose characters code page 936 holds.
using GbkFolds = std::array<char, 0x10000>;

GbkFolds makeGbkFolds(Folding folding)
{
    GbkFolds folds{};
    for (const FoldRange& range : kFolds) {
        for (char32_t c = range.first; c <= range.last; ++c) {
            const char to = foldCodePoint(c, folding);
            const std::optional<std::string> gbk = gbk::fromUtf8(utf8Of(c));
            if (to != 0 && gbk && gbk->size() == 2)
                folds[static_cast<unsigned char>((*gbk)[0]) << 8 |
                      static_cast<unsigned char>((*gbk)[1])] =
                    foldAscii(static_cast<unsigned char>(to), folding);
        }
    }
    return folds;
}

const GbkFolds& gbkFolds(Folding folding)
{
    static const GbkFolds general = makeGbkFolds(Folding::General);
    static const GbkFolds formula = makeGbkFolds(Folding::Formula);
    return folding == Folding::Formula ? formula : general;
}

/// True for a byte that code page 936 allows after a lead byte.
bool isSecondByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

/// The length of the UTF-8 sequence that `lead` starts, or 0 when it starts none.
std::size_t utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

/// Calls `onCodePoint(code point, its bytes)` for each character of UTF-8 text, up to the first
/// byte that starts none; false when there is such a byte.
template <class OnCodePoint> bool forEachCodePoint(std::string_view utf8, OnCodePoint&& onCodePoint)
{
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = utf8Length(lead);
        if (length == 0 || i + length > utf8.size())
            return false;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        onCodePoint(c, utf8.substr(i, length));
        i += length;
    }
    return true;
}

} // namespace

void AppendNormalForm(std::string& out, std::string_view text, Folding folding)
{
    const GbkFolds& folds = gbkFolds(folding);
    const std::size_t begin = out.size();
    bool blank = false; // a blank waits for the next character, which it then precedes
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        char folded = 0;
        std::size_t width = 1;
        if (gbk::isLeadByte(byte)) {
            if (i + 1 == text.size() || !isSecondByte(static_cast<unsigned char>(text[i + 1]))) {
                ++i;
                continue;
            }
            width = 2;
            folded = folds[byte << 8 | static_cast<unsigned char>(text[i + 1])];
        } else {
            folded = foldAscii(byte, folding);
        }
        if (folded == ' ') {
            blank = out.size() > begin;
        } else {
            if (blank)
                out += ' ';
            blank = false;
            if (folded != 0)
                out += folded;
            else
                out.append(text.substr(i, width));
        }
        i += width;
    }
}

std::string NormalForm(std::string_view text, Folding folding)
{
    std::string out;
    out.reserve(text.size());
    AppendNormalForm(out, text, folding);
    return out;
}

bool FoldsToNothing(std::string_view text, Folding folding)
{
    const GbkFolds& folds = gbkFolds(folding);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!gbk::isLeadByte(byte)) {
            if (foldAscii(byte, folding) != ' ')
                return false;
        } else if (i + 1 < text.size() && isSecondByte(static_cast<unsigned char>(text[i + 1]))) {
            if (folds[byte << 8 | static_cast<unsigned char>(text[++i])] != ' ')
                return false;
        } // else a lead byte without its second, which the normal form leaves out
    }
    return true;
}

std::optional<std::string> NormalQuery(std::string_view utf8Query, Folding folding)
{
    std::string folded;
    folded.reserve(utf8Query.size());
    const bool decoded = forEachCodePoint(utf8Query, [&](char32_t c, std::string_view character) {
        if (const char to = foldCodePoint(c, folding); to != 0 && character.size() > 1)
            folded += to;
        else
            folded += character;
    });
    if (!decoded)
        return std::nullopt;
    // The conversion refuses malformed sequences that the decoding passed on.
    const std::optional<std::string> gbkQuery = gbk::fromUtf8(folded);
    if (!gbkQuery)
        return std::nullopt;
    return NormalForm(*gbkQuery, folding);
}

std::size_t NormalQueryLengthAtLeast(std::string_view utf8Query)
{
    std::size_t characters = 0;
    forEachCodePoint(utf8Query, [&characters](char32_t c, std::string_view character) {
        const char folded = character.size() == 1
                                ? foldAscii(static_cast<unsigned char>(c), Folding::General)
                                : foldCodePoint(c, Folding::General);
        if (folded != ' ')
            ++characters;
    });
    return characters;
}
