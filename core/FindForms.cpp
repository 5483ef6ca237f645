#include "FindForms.h"

#include "FindText.h"
#include "Gbk.h"
#include "Pinyin.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <span>

namespace {

/// The buckets of the sketches of a form's chunks, for its characters and then for its pairs.
/// The uses, whose chunks hold the most pairs, get more, so that most of them stay clear.
constexpr std::size_t kSketchBuckets = FindForm::kCharacterBuckets + 512;
constexpr std::size_t kUseSketchBuckets = FindForm::kCharacterBuckets + 2048;

/// The sets of buckets of a form's chunks, made chunk by chunk.
class ChunkSets
{
public:
    explicit ChunkSets(std::size_t buckets) : m_Buckets(buckets) {}

    /// The set of the next chunk, empty until its buckets are added.
    std::span<std::uint64_t> Next()
    {
        m_Sets.resize(m_Sets.size() + m_Buckets / 64);
        return std::span(m_Sets).last(m_Buckets / 64);
    }

    ChunkRows Rows() const { return ChunkRows(m_Buckets, m_Sets); }

private:
    std::size_t m_Buckets;
    BucketSet m_Sets;
};

/// Calls `onCharacter(code)` for each character of a normal form, or of a query in normal form:
/// a two-byte character as lead byte << 8 | second byte, any other as its byte.
template <class OnCharacter> void forEachCharacter(std::string_view text, OnCharacter&& onCharacter)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned code = static_cast<unsigned char>(text[i]);
        if (gbk::isLeadByte(static_cast<unsigned char>(code)) && i + 1 < text.size())
            code = code << 8 | static_cast<unsigned char>(text[++i]);
        onCharacter(code);
    }
}

/// Cuts the entries of `form` into chunks of about kChunkBytes, recording where each starts in
/// `form.chunkStarts`, and calls `onChunk(first, end)` with each chunk's records.
template <class OnChunk> void makeChunks(FindForm& form, OnChunk&& onChunk)
{
    const std::vector<std::uint32_t>& starts = form.starts;
    const int records = form.RecordCount();
    for (int first = 0; first < records;) {
        int end = first + 1;
        while (end < records && starts[end + 1] - starts[first] <= FindForm::kChunkBytes)
            ++end;
        form.chunkStarts.push_back(static_cast<std::uint32_t>(first));
        onChunk(first, end);
        first = end;
    }
    form.chunkStarts.push_back(static_cast<std::uint32_t>(records));
}

/// Appends the entries of one form, record by record.
class FormWriter
{
public:
    /// `characters`: whether the form keeps where its characters start. The levels of the
    /// ASCII characters of its entries go to `levels`.
    FormWriter(FindForm& form, CharacterLevels& levels, bool characters = false)
        : m_Form(form), m_Levels(levels), m_Characters(characters)
    {
    }

    /// Begins the entry of the next record.
    void Begin()
    {
        m_Form.starts.push_back(static_cast<std::uint32_t>(m_Form.bytes.size()));
        m_Pieces = 0;
    }

    /// Begins a piece of the current entry; its text is appended to the returned buffer.
    std::string& BeginPiece()
    {
        if (m_Pieces++ > 0)
            m_Form.bytes += FindForm::kPieceBreak;
        m_PieceStart = m_Form.bytes.size();
        return m_Form.bytes;
    }

    /// Ends the piece begun last, whose characters start at the offsets `characterStarts`
    /// within it, when the form keeps them; returns its text.
    std::string_view EndPiece(const std::vector<std::uint32_t>& characterStarts = {})
    {
        // The offsets are 32-bit: a text that would take the form past them is left out.
        if (m_Form.bytes.size() > std::numeric_limits<std::uint32_t>::max())
            m_Form.bytes.resize(m_PieceStart);
        m_Form.longestPiece = std::max(m_Form.longestPiece, m_Form.bytes.size() - m_PieceStart);
        if (m_Characters) {
            std::vector<std::uint64_t>& bits = m_Form.characterStarts;
            bits.resize((m_Form.bytes.size() + 63) / 64);
            for (const std::uint32_t at : characterStarts) {
                const std::size_t offset = m_PieceStart + at;
                bits[offset / 64] |= std::uint64_t{1} << (offset % 64);
            }
        }
        return std::string_view(m_Form.bytes).substr(m_PieceStart);
    }

    std::string_view AddPiece(std::string_view text,
                              const std::vector<std::uint32_t>& characterStarts = {})
    {
        BeginPiece() += text;
        return EndPiece(characterStarts);
    }

    /// Appends the normal form of `text` as a piece and returns it.
    std::string_view AddNormal(std::string_view text, Folding folding = Folding::General)
    {
        AppendNormalForm(BeginPiece(), text, folding);
        return EndPiece();
    }

    void Finish()
    {
        m_Form.starts.push_back(static_cast<std::uint32_t>(m_Form.bytes.size()));
        MakeChunks();
        const std::vector<std::uint32_t>& starts = m_Form.starts;
        for (int r = 0; r < m_Form.RecordCount(); ++r)
            m_Levels.Add(
                std::string_view(m_Form.bytes).substr(starts[r], starts[r + 1] - starts[r]),
                FindForm::kPieceBreak, m_Form.characterStarts, starts[r]);
        m_Form.bytes.shrink_to_fit();
        m_Form.starts.shrink_to_fit();
        m_Form.characterStarts.shrink_to_fit();
    }

private:
    void MakeChunks()
    {
        const std::vector<std::uint32_t>& starts = m_Form.starts;
        ChunkSets sketches(kSketchBuckets);
        makeChunks(m_Form, [&](int first, int end) {
            FindForm::Sketch(
                std::string_view(m_Form.bytes).substr(starts[first], starts[end] - starts[first]),
                sketches.Next());
        });
        m_Form.chunkSketches = sketches.Rows();
    }

    FindForm& m_Form;
    CharacterLevels& m_Levels;
    const bool m_Characters;
    int m_Pieces = 0;
    std::size_t m_PieceStart = 0;
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

/// The spellings of the names of each record, in the pinyin form: for each name its pinyin,
/// then its initials (unless they are the same); nothing for a name without any reading.
class PinyinWriter
{
public:
    PinyinWriter(FindForm& form, CharacterLevels& levels) : m_Writer(form, levels, true) {}

    void Begin() { m_Writer.Begin(); }

    void Add(std::string_view name)
    {
        m_Speller.Spell(name, m_Spelling);
        if (!m_Spelling.sounded)
            return;
        m_Writer.AddPiece(m_Spelling.pinyin, m_Spelling.characterStarts);
        if (m_Spelling.initials == m_Spelling.pinyin)
            return;
        // Each initial is a character of its own.
        m_Starts.resize(m_Spelling.initials.size());
        for (std::size_t i = 0; i < m_Starts.size(); ++i)
            m_Starts[i] = static_cast<std::uint32_t>(i);
        m_Writer.AddPiece(m_Spelling.initials, m_Starts);
    }

    void Finish() { m_Writer.Finish(); }

private:
    FormWriter m_Writer;
    PinyinSpeller m_Speller;
    Spelling m_Spelling;
    std::vector<std::uint32_t> m_Starts;
};

/// Makes `form` search the texts of one field of the store where they lie: `column` holds
/// `records` texts, record r's from `starts[r]` to `starts[r + 1]`. Only the sketches and ASCII
/// characters of their normal forms are kept, chunk by chunk; the levels of those characters go
/// to `levels`.
void MakeInPlace(FindForm& form, CharacterLevels& levels, std::size_t sketchBuckets,
                 std::string_view column, std::span<const std::size_t> starts, int records)
{
    form.inPlace = true;
    // The offsets are 32-bit: the texts that end past them are left out, as empty entries.
    const std::size_t limit = std::numeric_limits<std::uint32_t>::max();
    const auto count = static_cast<std::size_t>(records);
    std::size_t kept = 0;
    while (kept < count && starts[kept + 1] <= limit)
        ++kept;
    form.starts.reserve(count + 1);
    for (std::size_t r = 0; r <= count; ++r)
        form.starts.push_back(static_cast<std::uint32_t>(starts[std::min(r, kept)]));
    form.column = column.substr(0, form.starts.back());
    std::string normal; // the normal forms of a chunk's texts
    const std::vector<std::uint32_t>& at = form.starts;
    ChunkSets sketches(sketchBuckets);
    ChunkSets ascii(FindForm::kAsciiBuckets);
    makeChunks(form, [&](int first, int end) {
        normal.clear();
        for (int r = first; r < end; ++r) {
            const std::size_t before = normal.size();
            AppendNormalForm(normal, form.column.substr(at[r], at[r + 1] - at[r]),
                             Folding::General);
            form.longestPiece = std::max(form.longestPiece, normal.size() - before);
            levels.Add(std::string_view(normal).substr(before), FindForm::kPieceBreak, {}, 0);
        }
        FindForm::Sketch(normal, sketches.Next());
        FindForm::AddAscii(normal, ascii.Next());
    });
    form.chunkSketches = sketches.Rows();
    form.chunkAscii = ascii.Rows();
}

} // namespace

void FindForm::AddAscii(std::string_view text, std::span<std::uint64_t> set)
{
    forEachCharacter(text, [set](unsigned code) {
        if (code < 0x80)
            set[code / 64] |= std::uint64_t{1} << (code % 64);
    });
}

void FindForm::Sketch(std::string_view text, std::span<std::uint64_t> sketch)
{
    const int pairBits = std::countr_zero(sketch.size() * 64 - kCharacterBuckets);
    const auto add = [sketch](std::uint32_t bucket) {
        sketch[bucket / 64] |= std::uint64_t{1} << (bucket % 64);
    };
    // Multiplicative hashes. A pair takes two buckets: the pairs of a catalogue's set phrases
    // are in almost every chunk, and a rare pair that shared the bucket of one would be
    // searched for everywhere.
    constexpr std::uint32_t kFactor = 0x9E3779B1u;
    constexpr std::uint32_t kSecondFactor = 0x85EBCA77u;
    constexpr int kCharacterBits = std::countr_zero(kCharacterBuckets);
    std::uint32_t previous = 0;
    forEachCharacter(text, [&](unsigned code) {
        add((code * kFactor) >> (32 - kCharacterBits));
        if (previous != 0) {
            const std::uint32_t pair = previous << 16 | code;
            add(kCharacterBuckets + ((pair * kFactor) >> (32 - pairBits)));
            add(kCharacterBuckets + ((pair * kSecondFactor) >> (32 - pairBits)));
        }
        previous = code;
    });
}

bool FindForm::StartsCharacter(int record, std::size_t offset) const
{
    if (!characterStarts.empty())
        return (characterStarts[offset / 64] >> (offset % 64) & 1) != 0;
    // Any byte but a lead byte ends a character, so the characters after the last such byte
    // before `offset` (or after the entry's start) are pairs of lead-range bytes.
    std::size_t pairsFrom = offset;
    const std::string_view text = Text();
    while (pairsFrom > starts[static_cast<std::size_t>(record)] &&
           gbk::isLeadByte(static_cast<unsigned char>(text[pairsFrom - 1])))
        --pairsFrom;
    return (offset - pairsFrom) % 2 == 0;
}

std::size_t FindForm::MemoryBytes() const
{
    return bytes.capacity() + starts.capacity() * sizeof(std::uint32_t) +
           characterStarts.capacity() * sizeof(std::uint64_t) +
           chunkStarts.capacity() * sizeof(std::uint32_t) + chunkSketches.MemoryBytes() +
           chunkAscii.MemoryBytes();
}

FindForms::FindForms(const CVELMORDoc& doc) : m_RecordCount(std::max(doc.RecordCount(), 0))
{
    const auto form = [this](FindField field) -> FindForm& {
        return m_Forms[static_cast<int>(field)];
    };
    std::array<CharacterLevels, kFindFieldCount> levels;
    const auto levelsOf = [&levels](FindField field) -> CharacterLevels& {
        return levels[static_cast<int>(field)];
    };
    FormWriter alias(form(FindField::Alias), levelsOf(FindField::Alias));
    PinyinWriter pinyin(form(FindField::Pinyin), levelsOf(FindField::Pinyin));
    FormWriter english(form(FindField::EnglishName), levelsOf(FindField::EnglishName));
    FormWriter cas(form(FindField::CasNumber), levelsOf(FindField::CasNumber));
    FormWriter formula(form(FindField::Formula), levelsOf(FindField::Formula));
    FormWriter* const writers[] = {&alias, &english, &cas, &formula};
    std::string name;
    std::string aliases;
    std::string casNumber;
    for (int r = 0; r < m_RecordCount; ++r) {
        const ReagentRecord record = doc.Record(r);
        for (FormWriter* writer : writers)
            writer->Begin();
        pinyin.Begin();
        name = NormalForm(record.ChineseName, Folding::General);
        pinyin.Add(name);
        aliases = NormalForm(record.Alias, Folding::General);
        forEachAlias(aliases, [&](std::string_view piece) {
            alias.AddPiece(piece);
            pinyin.Add(piece);
        });
        english.AddNormal(record.EnglishName);
        casNumber = NormalForm(record.CasNumber, Folding::General);
        std::erase(casNumber, '-');
        cas.AddPiece(casNumber);
        formula.AddNormal(record.Formula, Folding::Formula);
    }
    for (FormWriter* writer : writers)
        writer->Finish();
    pinyin.Finish();
    // The names and the uses, whose texts are most often their own normal forms (and the uses
    // by far the longest), are searched where the store keeps them.
    const FieldColumns& columns = doc.Columns();
    MakeInPlace(form(FindField::Name), levelsOf(FindField::Name), kSketchBuckets,
                columns.bytes(Field::ChineseName), columns.starts(Field::ChineseName),
                m_RecordCount);
    MakeInPlace(form(FindField::Use), levelsOf(FindField::Use), kUseSketchBuckets,
                columns.bytes(Field::Use), columns.starts(Field::Use), m_RecordCount);
    // The needles of each character's query, once: most are the character in every form. A
    // character whose normal form is another (an upper-case letter, a blank) is no query.
    std::array<FindNeedles, CharacterLevels::kCharacters> needles;
    for (int c = 0; c < CharacterLevels::kCharacters; ++c) {
        const std::string query(1, static_cast<char>(c));
        if (NormalForm(query, Folding::General) == query)
            needles[c] = NeedlesOf(query, NormalForm(query, Folding::Formula));
    }
    // The byte each form is searched for in the query of a character, or -1 for none.
    const auto needleByte = [&needles](unsigned char c, std::size_t field) {
        const std::string& needle = needles[c][field];
        const bool oneAscii = needle.size() == 1 && static_cast<unsigned char>(needle[0]) < 0x80;
        return oneAscii ? static_cast<int>(static_cast<unsigned char>(needle[0])) : -1;
    };
    m_Answers = CharacterAnswers(levels, static_cast<std::size_t>(m_RecordCount), needleByte);
}

FindNeedles NeedlesOf(const std::optional<std::string>& query,
                      const std::optional<std::string>& formulaQuery)
{
    FindNeedles needles;
    const auto needle = [&needles](FindField field) -> std::string& {
        return needles[static_cast<std::size_t>(field)];
    };
    if (query) {
        needle(FindField::Name) = *query;
        needle(FindField::Alias) = *query;
        // Pinyin is typed with or without blanks between the syllables.
        needle(FindField::Pinyin) = *query;
        std::erase(needle(FindField::Pinyin), ' ');
        needle(FindField::EnglishName) = *query;
        // CAS numbers are compared without their dashes: "64175" and "64-17" find 64-17-5.
        needle(FindField::CasNumber) = *query;
        std::erase(needle(FindField::CasNumber), '-');
        needle(FindField::Use) = *query;
    }
    if (formulaQuery)
        needle(FindField::Formula) = *formulaQuery;
    return needles;
}

std::size_t FindForms::LongestPiece() const
{
    std::size_t longest = 0;
    for (const FindForm& form : m_Forms)
        longest = std::max(longest, form.longestPiece);
    return longest;
}

std::size_t FindForms::MemoryBytes() const
{
    std::size_t bytes = 0;
    for (const FindForm& form : m_Forms)
        bytes += form.MemoryBytes();
    return bytes + m_Answers.MemoryBytes();
}
