#include "FindForms.h"

#include "FindText.h"
#include "Gbk.h"
#include "Pinyin.h"
#include "VELMORDoc.h"

#include <limits>

namespace {

/// Appends the entries of one form.
class FormWriter
{
public:
    /// `pieces`: whether a record may have several entries, or none; `characters`: whether the
    /// form keeps where its characters start.
    FormWriter(FindForm& form, bool pieces, bool characters = false)
        : m_Form(form), m_Pieces(pieces), m_Characters(characters)
    {
    }

    /// Begins an entry of `record`; its text is appended to the returned buffer.
    std::string& Begin(int record)
    {
        if (m_Pieces)
            m_Form.records.push_back(static_cast<std::uint32_t>(record));
        m_Form.starts.push_back(static_cast<std::uint32_t>(m_Form.bytes.size()));
        return m_Form.bytes;
    }

    /// Ends the entry begun last, whose characters start at the offsets `characterStarts`
    /// within it, when the form keeps them.
    void End(const std::vector<std::uint32_t>& characterStarts = {})
    {
        // The offsets are 32-bit: a text that would take the form past them is left out.
        if (m_Form.bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
            m_Form.bytes.resize(m_Form.starts.back());
            return;
        }
        if (!m_Characters)
            return;
        std::vector<std::uint64_t>& bits = m_Form.characterStarts;
        bits.resize((m_Form.bytes.size() + 63) / 64);
        for (const std::uint32_t at : characterStarts) {
            const std::size_t offset = m_Form.starts.back() + at;
            bits[offset / 64] |= std::uint64_t{1} << (offset % 64);
        }
    }

    void Add(int record, std::string_view text,
             const std::vector<std::uint32_t>& characterStarts = {})
    {
        Begin(record) += text;
        End(characterStarts);
    }

    void Finish()
    {
        m_Form.starts.push_back(static_cast<std::uint32_t>(m_Form.bytes.size()));
        m_Form.bytes.shrink_to_fit();
        m_Form.starts.shrink_to_fit();
        m_Form.records.shrink_to_fit();
        m_Form.characterStarts.shrink_to_fit();
    }

private:
    FindForm& m_Form;
    const bool m_Pieces;
    const bool m_Characters;
};

/// Calls `onPiece` for each name of a normal alias text: the names are separated by ";" (the
/// normal form of "；" too), without blanks around them; empty names are passed over.
template <class OnPiece> void forEachAlias(std::string_view aliases, OnPiece&& onPiece)
{
    while (!aliases.empty()) {
        const std::size_t end = std::min(aliases.find(';'), aliases.size());
        std::string_view piece = aliases.substr(0, end);
        aliases.remove_prefix(std::min(end + 1, aliases.size()));
        while (!piece.empty() && piece.front() == ' ')
            piece.remove_prefix(1);
        while (!piece.empty() && piece.back() == ' ')
            piece.remove_suffix(1);
        if (!piece.empty())
            onPiece(piece);
    }
}

/// The spelling of each name of a record, in the pinyin form: its pinyin, then its initials
/// (unless they are the same); nothing for a name without any reading.
class PinyinWriter
{
public:
    explicit PinyinWriter(FindForm& form) : m_Writer(form, true, true) {}

    void Add(int record, std::string_view name)
    {
        m_Speller.Spell(name, m_Spelling);
        if (!m_Spelling.sounded)
            return;
        m_Writer.Add(record, m_Spelling.pinyin, m_Spelling.characterStarts);
        if (m_Spelling.initials == m_Spelling.pinyin)
            return;
        // Each initial is a character of its own.
        m_Starts.resize(m_Spelling.initials.size());
        for (std::size_t i = 0; i < m_Starts.size(); ++i)
            m_Starts[i] = static_cast<std::uint32_t>(i);
        m_Writer.Add(record, m_Spelling.initials, m_Starts);
    }

    void Finish() { m_Writer.Finish(); }

private:
    FormWriter m_Writer;
    PinyinSpeller m_Speller;
    Spelling m_Spelling;
    std::vector<std::uint32_t> m_Starts;
};

} // namespace

bool FindForm::StartsCharacter(std::size_t entry, std::size_t offset) const
{
    if (!characterStarts.empty())
        return (characterStarts[offset / 64] >> (offset % 64) & 1) != 0;
    // Any byte but a lead byte ends a character, so the characters after the last such byte
    // before `offset` (or after the entry's start) are pairs of lead-range bytes.
    std::size_t pairsFrom = offset;
    while (pairsFrom > starts[entry] &&
           gbk::isLeadByte(static_cast<unsigned char>(bytes[pairsFrom - 1])))
        --pairsFrom;
    return (offset - pairsFrom) % 2 == 0;
}

std::size_t FindForm::MemoryBytes() const
{
    return bytes.capacity() + starts.capacity() * sizeof(std::uint32_t) +
           records.capacity() * sizeof(std::uint32_t) +
           characterStarts.capacity() * sizeof(std::uint64_t);
}

FindForms::FindForms(const CVELMORDoc& doc) : m_RecordCount(std::max(doc.RecordCount(), 0))
{
    FormWriter name(m_Forms[Name], false);
    FormWriter alias(m_Forms[Alias], true);
    PinyinWriter pinyin(m_Forms[Pinyin]);
    FormWriter english(m_Forms[EnglishName], false);
    FormWriter cas(m_Forms[CasNumber], false);
    FormWriter casDigits(m_Forms[CasDigits], false);
    FormWriter formula(m_Forms[Formula], false);
    FormWriter use(m_Forms[Use], false);
    const auto addNormal = [](FormWriter& writer, int record, std::string_view text,
                              Folding folding = Folding::General) {
        std::string& bytes = writer.Begin(record);
        const std::size_t start = bytes.size();
        AppendNormalForm(bytes, text, folding);
        writer.End();
        return std::string_view(bytes).substr(std::min(start, bytes.size()));
    };
    std::string aliases;
    std::string digits;
    for (int r = 0; r < m_RecordCount; ++r) {
        const ReagentRecord record = doc.Record(r);
        pinyin.Add(r, addNormal(name, r, record.ChineseName));
        aliases.clear();
        AppendNormalForm(aliases, record.Alias, Folding::General);
        forEachAlias(aliases, [&](std::string_view piece) {
            alias.Add(r, piece);
            pinyin.Add(r, piece);
        });
        addNormal(english, r, record.EnglishName);
        digits.clear();
        for (const char c : addNormal(cas, r, record.CasNumber)) {
            if (c != '-')
                digits += c;
        }
        casDigits.Add(r, digits);
        addNormal(formula, r, record.Formula, Folding::Formula);
        addNormal(use, r, record.Use);
    }
    for (FormWriter* writer : {&name, &alias, &english, &cas, &casDigits, &formula, &use})
        writer->Finish();
    pinyin.Finish();
}

std::size_t FindForms::MemoryBytes() const
{
    std::size_t bytes = 0;
    for (const FindForm& form : m_Forms)
        bytes += form.MemoryBytes();
    return bytes;
}

FindField FindForms::FieldOf(Kind kind)
{
    switch (kind) {
    case Name:
        return FindField::Name;
    case Alias:
        return FindField::Alias;
    case Pinyin:
        return FindField::Pinyin;
    case EnglishName:
        return FindField::EnglishName;
    case CasNumber:
    case CasDigits:
        return FindField::CasNumber;
    case Formula:
        return FindField::Formula;
    case Use:
        return FindField::Use;
    }
    return FindField::Use;
}
