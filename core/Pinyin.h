#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// How a name sounds: its pinyin and its initials, from ICU's Han-to-Latin transliteration of
/// each character (where a character has several readings, ICU's is the one), without tones, in
/// lower case, with "ü" written "v" as it is typed.
struct Spelling
{
    /// Each character's syllable, one after the other; characters without a reading (Latin
    /// letters, digits, other signs) as they stand; blanks left out. "l-丙氨酸" is "l-bingansuan".
    std::string pinyin;
    /// Where each character's part of `pinyin` starts: a match may start only there.
    std::vector<std::uint32_t> characterStarts;
    /// The first letter of each syllable and the ASCII letters and digits; "乙醇" is "yc".
    std::string initials;
    /// False when no character of the name has a reading: the spelling is the name itself.
    bool sounded = false;
};

/// Spells texts in normal form (FindText.h), remembering each character's reading. Reads
/// through one transliterator that the whole program shares; it is made at the first use, which
/// takes a while, and spellers on several threads take turns on it.
class PinyinSpeller
{
public:
    PinyinSpeller();

    /// Spells `text` into `spelling`, which it clears first.
    void Spell(std::string_view text, Spelling& spelling);

private:
    /// A character's reading: `length` letters, or kNoReading or kUnread.
    struct Reading
    {
        std::uint8_t length;
        std::array<char, 7> letters;
    };
    static constexpr std::uint8_t kNoReading = 0;
    static constexpr std::uint8_t kUnread = 0xFF;

    const Reading& ReadingOf(std::string_view character);

    /// Indexed by the two bytes of a character, lead byte first.
    std::vector<Reading> m_Readings;
};
