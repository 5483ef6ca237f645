#include "Gbk.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
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
    iconv_t descriptor() const { return m_Cd; }
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

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

/// Decodes code page 936 from tables that iconv fills: the characters of one lead byte the
/// first time a text holds it. iconv itself decodes some 50 MB a second, too slow for the
/// text of a long page; the tables do it several times faster, with iconv's own answers.
class Decoder
{
public:
    Decoder()
    {
        for (int b = 0x80; b <= 0xFF; ++b)
            m_Single[b - 0x80] = decodeAlone(std::string(1, static_cast<char>(b)));
    }

    /// Each byte that starts no character becomes U+FFFD, as iconv's replacement does.
    std::string decode(std::string_view text)
    {
        // Room for text that is all pairs, which become three bytes each; a byte that is no
        // character of its own becomes three as well, and makes more room when it comes.
        std::string out(text.size() * 3 / 2 + sizeof(Utf8::bytes), '\0');
        char* to = out.data();
        const auto makeRoom = [&](std::size_t bytes) {
            const auto written = static_cast<std::size_t>(to - out.data());
            if (written + bytes > out.size())
                out.resize(std::max(2 * out.size(), written + bytes));
            to = out.data() + written;
        };
        for (std::size_t i = 0; i < text.size();) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (b < 0x80) {
                std::size_t end = i + 1;
                while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80)
                    ++end;
                makeRoom(end - i);
                std::memcpy(to, text.data() + i, end - i);
                to += end - i;
                i = end;
                continue;
            }
            const Utf8* character = &m_Single[b - 0x80];
            std::size_t length = 1;
            if (isLeadByte(b) && i + 1 < text.size()) {
                const auto trail = static_cast<unsigned char>(text[i + 1]);
                if (trail >= kFirstTrail && trail <= kLastTrail) {
                    const Utf8& pair = row(b)[trail - kFirstTrail];
                    if (pair.size > 0) {
                        character = &pair;
                        length = 2;
                    }
                }
            }
            const Utf8& shown = character->size > 0 ? *character : kReplacement;
            makeRoom(shown.bytes.size());
            std::memcpy(to, shown.bytes.data(), shown.bytes.size());
            to += shown.size;
            i += length;
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
        return out;
    }

private:
    /// One character in UTF-8; no bytes where there is no character.
    struct Utf8
    {
        std::array<char, 4> bytes{};
        std::uint8_t size = 0;
    };

    static constexpr unsigned char kFirstTrail = 0x40;
    static constexpr unsigned char kLastTrail = 0xFE;
    static constexpr std::size_t kTrails = kLastTrail - kFirstTrail + 1;
    using Row = std::array<Utf8, kTrails>;

    static constexpr Utf8 kReplacement = {{'\xEF', '\xBF', '\xBD', 0}, 3}; // U+FFFD

    /// The one character `bytes` hold, or no bytes when they are none.
    static Utf8 decodeAlone(const std::string& bytes)
    {
        std::string utf32;
        if (!wideDecoder().convert(bytes, utf32, nullptr, 0) || utf32.size() != 4)
            return {};
        return fromUtf32(utf32.data());
    }

    static Converter& wideDecoder()
    {
        thread_local Converter c("UTF-32LE", "CP936");
        return c;
    }

    const Row& row(unsigned char lead)
    {
        std::unique_ptr<Row>& row = m_Rows[lead - 0x81];
        if (!row) {
            row = std::make_unique<Row>();
            if (!decodeRow(lead, *row)) {
                for (std::size_t t = 0; t < kTrails; ++t) {
                    const char pair[] = {static_cast<char>(lead),
                                         static_cast<char>(kFirstTrail + t)};
                    (*row)[t] = decodeAlone(std::string(pair, 2));
                }
            }
        }
        return *row;
    }

    /// Decodes the pairs of `lead` in a few calls of iconv instead of one a pair, which cost
    /// a tenth of a millisecond a row: all of them in one text, through which iconv runs
    /// until a pair that is no character, which is left empty and stepped over. False, to
    /// decode pair by pair, should a pair ever not come out as one character.
    static bool decodeRow(unsigned char lead, Row& row)
    {
        std::array<char, 2 * kTrails> pairs;
        for (std::size_t t = 0; t < kTrails; ++t) {
            pairs[2 * t] = static_cast<char>(lead);
            pairs[2 * t + 1] = static_cast<char>(kFirstTrail + t);
        }
        std::array<char, 4 * kTrails> wide;
        iconv_t cd = wideDecoder().descriptor();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* in = pairs.data();
        std::size_t inLeft = pairs.size();
        std::size_t t = 0; // the next pair to fill
        while (inLeft > 0) {
            char* out = wide.data();
            std::size_t outLeft = wide.size();
            const char* from = in;
            const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
            const auto read = static_cast<std::size_t>(in - from);
            const auto written = static_cast<std::size_t>(out - wide.data());
            if (read % 2 != 0 || written != 2 * read)
                return false;
            for (std::size_t k = 0; k < written; k += 4, ++t)
                row[t] = fromUtf32(wide.data() + k);
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno != EILSEQ && errno != EINVAL)
                return false;
            row[t++] = {}; // no character
            in += 2;
            inLeft -= 2;
        }
        return t == kTrails;
    }

    /// The character of the UTF-32LE code unit at `unit`.
    static Utf8 fromUtf32(const char* unit)
    {
        std::uint32_t cp = 0;
        for (int i = 3; i >= 0; --i)
            cp = cp << 8 | static_cast<unsigned char>(unit[i]);
        std::string utf8;
        appendUtf8(utf8, cp);
        Utf8 character;
        std::memcpy(character.bytes.data(), utf8.data(), utf8.size());
        character.size = static_cast<std::uint8_t>(utf8.size());
        return character;
    }

    std::array<Utf8, 0x80> m_Single;
    std::array<std::unique_ptr<Row>, 0xFE - 0x81 + 1> m_Rows;
};

Decoder& decoder()
{
    thread_local Decoder d;
    return d;
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

std::vector<std::size_t> characterStarts(std::string_view text)
{
    std::vector<std::size_t> starts = {0};
    for (std::size_t i = 0; i < text.size();) {
        i = std::min(text.size(), i + (isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1));
        starts.push_back(i);
    }
    return starts;
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
    return decoder().decode(gbkText);
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
