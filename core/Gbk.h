#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Code page 936 (GBK) text: the byte rules the program relies on, and conversion at the edges.
namespace gbk {

/// True for a byte that starts a two-byte character.
constexpr bool isLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

/// True when `offset` is the first byte of a character of `text` (or its end).
bool startsCharacter(std::string_view text, std::size_t offset);

/// True when `query` (not empty) occurs in `text` starting on the first byte of a character:
/// what a search counts as a hit, stated plainly.
bool holdsOnCharacter(std::string_view text, std::string_view query);

/// The offsets at which the characters of `text` begin, followed by its size.
std::vector<std::size_t> characterStarts(std::string_view text);

/// The longest prefix of at most `maxBytes` bytes that does not split a two-byte character.
std::size_t wholeCharacterPrefix(std::string_view text, std::size_t maxBytes);

/// Converts to UTF-8; each byte that does not decode becomes U+FFFD.
std::string toUtf8(std::string_view gbkText);

/// Converts UTF-8 text; no value when a character has no code page 936 form or the input is
/// not valid UTF-8.
std::optional<std::string> fromUtf8(std::string_view utf8Text);

/// Converts UTF-16 little-endian text; a character with no code page 936 form becomes '?'.
std::string fromUtf16Le(std::string_view utf16Bytes);

} // namespace gbk
