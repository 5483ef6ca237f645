#include "Pinyin.h"

#include "Gbk.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <mutex>

namespace {

/// ICU's transliterator from Han characters to pinyin, shared by the whole program: made once,
/// as making it reads and compiles ICU's rules, and used by one thread at a time.
class SharedTransliterator
{
public:
    SharedTransliterator()
    {
        // After ICU's transliteration the tones are dropped: the marks go once the letters are
        // decomposed, but the diaeresis of "ü" first makes it the "v" that keyboards type.
        const auto rules = icu::UnicodeString::fromUTF8(
            ":: Han-Latin ; :: NFD ; u \\u0308 > v ; :: [:Nonspacing Mark:] Remove ; :: NFC ;");
        UParseError where;
        UErrorCode status = U_ZERO_ERROR;
        m_Transliterator.reset(icu::Transliterator::createFromRules("velmor-pinyin", rules,
                                                                    UTRANS_FORWARD, where, status));
        // Without ICU's data no name has a reading, and names are matched only as written.
        if (U_FAILURE(status))
            m_Transliterator.reset();
    }

    /// The transliteration of UTF-8 `text`, in UTF-8; `text` itself when there is no
    /// transliterator.
    std::string Transliterate(const std::string& text)
    {
        icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
        {
            const std::lock_guard turn(m_Turn);
            if (m_Transliterator)
                m_Transliterator->transliterate(unicode);
        }
        std::string latin;
        unicode.toUTF8String(latin);
        return latin;
    }

private:
    std::mutex m_Turn;
    std::unique_ptr<icu::Transliterator> m_Transliterator;
};

SharedTransliterator& sharedTransliterator()
{
    static SharedTransliterator transliterator;
    return transliterator;
}

/// A letter or digit of a text in normal form, whose letters are in lower case.
bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

PinyinSpeller::PinyinSpeller() : m_Readings(0x10000, Reading{kUnread, {}}) {}

void PinyinSpeller::Spell(std::string_view text, Spelling& spelling)
{
    spelling.pinyin.clear();
    spelling.characterStarts.clear();
    spelling.initials.clear();
    spelling.sounded = false;
    for (std::size_t i = 0; i < text.size();) {
        const bool pair =
            gbk::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
        const std::string_view character = text.substr(i, pair ? 2 : 1);
        i += character.size();
        if (character == " ")
            continue;
        spelling.characterStarts.push_back(static_cast<std::uint32_t>(spelling.pinyin.size()));
        const Reading& reading = pair ? ReadingOf(character) : Reading{kNoReading, {}};
        if (reading.length == kNoReading) {
            spelling.pinyin += character;
            if (isLetterOrDigit(character[0]))
                spelling.initials += character[0];
            continue;
        }
        spelling.pinyin.append(reading.letters.data(), reading.length);
        spelling.initials += reading.letters[0];
        spelling.sounded = true;
    }
}

const PinyinSpeller::Reading& PinyinSpeller::ReadingOf(std::string_view character)
{
    Reading& reading = m_Readings[static_cast<unsigned char>(character[0]) << 8 |
                                  static_cast<unsigned char>(character[1])];
    if (reading.length != kUnread)
        return reading;
    reading.length = kNoReading;
    std::string latin = sharedTransliterator().Transliterate(gbk::toUtf8(character));
    // A reading is a syllable of lower-case letters; whatever else comes back (the character
    // itself, a sign) means ICU has none.
    const std::size_t first = latin.find_first_not_of(' ');
    const std::size_t last = latin.find_last_not_of(' ');
    if (first == std::string::npos || last - first + 1 > reading.letters.size())
        return reading;
    latin = latin.substr(first, last - first + 1);
    for (const char c : latin) {
        if (c < 'a' || c > 'z')
            return reading;
    }
    reading.length = static_cast<std::uint8_t>(latin.size());
    latin.copy(reading.letters.data(), latin.size());
    return reading;
}
