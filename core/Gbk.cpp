#include "Gbk.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>

namespace gbk {

namespace {

/// One iconv conversion direction, opened once per thread.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_Cd(iconv_open(to, from))
    {
        if (m_Cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_Cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    /// Converts `in`; at each input it cannot convert, appends `replacement` and skips
    /// `skip` input bytes. Returns false instead when `replacement` is null.
    bool convert(std::string_view in, std::string& out, const char* replacement, std::size_t skip)
    {
        iconv(m_Cd, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(m_Cd, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr);
            if (rc != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            if (!replacement)
                return false;
            out += replacement;
            const std::size_t step = std::min(skip, inLeft);
            inPtr += step;
            inLeft -= step;
        }
        return true;
    }

private:
    iconv_t m_Cd;
};

Converter& decoder()
{
    thread_local Converter c("UTF-8", "CP936");
    return c;
}

Converter& encoder()
{
    thread_local Converter c("CP936", "UTF-8");
    return c;
}

Converter& wideEncoder()
{
    thread_local Converter c("CP936", "UTF-32LE");
    return c;
}

void appendUtf32(std::string& out, std::uint32_t cp)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((cp >> (8 * i)) & 0xFF);
}

} // namespace

bool startsCharacter(std::string_view text, std::size_t offset)
{
    std::size_t i = 0;
    while (i < offset)
        i += isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == offset;
}

bool holdsOnCharacter(std::string_view text, std::string_view query)
{
    for (std::size_t at = text.find(query); at != std::string_view::npos;
         at = text.find(query, at + 1)) {
        if (startsCharacter(text, at))
            return true;
    }
    return false;
}

std::size_t wholeCharacterPrefix(std::string_view text, std::size_t maxBytes)
{
    const std::size_t limit = std::min(maxBytes, text.size());
    std::size_t i = 0;
    while (i < limit) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + width > limit)
            break;
        i += width;
    }
    // A lone lead byte at the very end of the text is a character of its own.
    return i == limit - 1 && limit == text.size() ? limit : i;
}

std::string toUtf8(std::string_view gbkText)
{
    std::string out;
    out.reserve(gbkText.size() * 3 / 2);
    decoder().convert(gbkText, out, "\xEF\xBF\xBD", 1);
    return out;
}

std::optional<std::string> fromUtf8(std::string_view utf8Text)
{
    std::string out;
    out.reserve(utf8Text.size());
    if (!encoder().convert(utf8Text, out, nullptr, 0))
        return std::nullopt;
    return out;
}

std::string fromUtf16Le(std::string_view utf16Bytes)
{
    // Surrogate pairs are joined here; a lone surrogate becomes U+FFFD, which code page 936
    // cannot hold either, so it ends up as '?' like any other foreign character.
    std::string utf32;
    utf32.reserve(utf16Bytes.size() * 2);
    const std::size_t units = utf16Bytes.size() / 2;
    auto unit = [&](std::size_t i) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(utf16Bytes[2 * i]) |
                                          static_cast<unsigned char>(utf16Bytes[2 * i + 1]) << 8);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            appendUtf32(utf32, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf32(utf32, 0xFFFD);
        } else {
            appendUtf32(utf32, u);
        }
    }
    std::string out;
    out.reserve(units * 2);
    wideEncoder().convert(utf32, out, "?", 4);
    return out;
}

} // namespace gbk
