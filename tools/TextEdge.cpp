#include "TextEdge.h"

#include "Gbk.h"

#include <algorithm>
#include <cstdio>

namespace {

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

/// The length of the well-formed UTF-8 sequence at the start of `text` and its code point,
/// or length 0 when it is not well formed (overlong forms and surrogates included).
std::size_t decodeUtf8(std::string_view text, char32_t& codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (first < 0x80) {
        codePoint = first;
        return 1;
    } else if ((first & 0xE0) == 0xC0) {
        length = 2, codePoint = first & 0x1F, minimum = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        length = 3, codePoint = first & 0x0F, minimum = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        length = 4, codePoint = first & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (byte(i) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

EncodingProblem locateProblem(std::string_view utf8Text)
{
    EncodingProblem problem;
    std::size_t offset = 0;
    while (offset < utf8Text.size()) {
        char32_t codePoint = 0;
        const std::size_t length = decodeUtf8(utf8Text.substr(offset), codePoint);
        problem.offset = offset;
        if (length == 0) {
            problem.codePoint = static_cast<unsigned char>(utf8Text[offset]);
            return problem;
        }
        const std::string_view character = utf8Text.substr(offset, length);
        if (!gbk::fromUtf8(character)) {
            problem.character = character;
            problem.codePoint = codePoint;
            return problem;
        }
        offset += length;
    }
    // Not reached: code page 936 is stateless, so a text fails where one of its characters does.
    return problem;
}

} // namespace

void appendUtf8(std::string& out, std::string_view gbkText)
{
    // Most fields (numbers, CAS numbers, formulas, English) are plain ASCII, which is the same
    // in both encodings.
    if (isAscii(gbkText))
        out += gbkText;
    else
        out += gbk::toUtf8(gbkText);
}

std::string EncodingProblem::describe() const
{
    char code[16];
    if (character.empty()) {
        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned>(codePoint));
        return std::string("不是有效 UTF-8 的字节 ") + code;
    }
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(codePoint));
    return "字符“" + character + "”（" + code + "）";
}

std::optional<std::string> toDatabaseText(std::string_view utf8Text, EncodingProblem* problem)
{
    if (isAscii(utf8Text))
        return std::string(utf8Text);
    std::optional<std::string> bytes = gbk::fromUtf8(utf8Text);
    if (!bytes && problem)
        *problem = locateProblem(utf8Text);
    return bytes;
}
