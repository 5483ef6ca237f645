#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

/// The tool's edge between UTF-8 (command line, standard output, CSV) and the code page 936
/// bytes of the database.

/// Appends code page 936 text as UTF-8; each byte that does not decode becomes U+FFFD.
void appendUtf8(std::string& out, std::string_view gbkText);

/// Where UTF-8 text cannot be turned into code page 936.
struct EncodingProblem
{
    std::size_t offset = 0; ///< byte offset of the offending character in the UTF-8 text
    std::string character;  ///< that character (UTF-8); empty when the bytes are not UTF-8
    char32_t codePoint = 0; ///< its code point, when it is one

    /// The character and its code point, or the stray byte, for a message in Chinese.
    std::string describe() const;
};

/// Converts UTF-8 text to code page 936. When that fails, returns nothing and, if `problem`
/// is given, says which character is at fault.
std::optional<std::string> toDatabaseText(std::string_view utf8Text,
                                          EncodingProblem* problem = nullptr);
