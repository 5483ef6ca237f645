#include "CharacterAnswers.h"

#include "Gbk.h"

#include <algorithm>
#include <array>

namespace {

std::size_t slot(unsigned char character, int level)
{
    return static_cast<std::size_t>(character) * CharacterLevels::kLevels +
           static_cast<std::size_t>(level);
}

} // namespace

void CharacterLevels::Add(std::string_view entry, char pieceBreak,
                          std::span<const std::uint64_t> characterStarts, std::size_t entryOffset)
{
    std::array<std::uint8_t, kCharacters> best;
    best.fill(kLevels);
    std::array<unsigned char, kCharacters> held; // the characters given a level, in any order
    std::size_t heldCount = 0;
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        const auto byte = static_cast<unsigned char>(entry[i]);
        if (byte == static_cast<unsigned char>(pieceBreak)) {
            pieceStart = i + 1;
            continue;
        }
        if (characterStarts.empty()) {
            // A pair of code page 936 holds no ASCII character.
            if (gbk::isLeadByte(byte)) {
                ++i;
                continue;
            }
        } else if (const std::size_t at = entryOffset + i;
                   (characterStarts[at / 64] >> (at % 64) & 1) == 0) {
            continue;
        }
        if (byte >= kCharacters)
            continue;
        const bool endsPiece = i + 1 == entry.size() || entry[i + 1] == pieceBreak;
        const std::uint8_t level = i != pieceStart ? 2 : endsPiece ? 0 : 1;
        if (level < best[byte]) {
            if (best[byte] == kLevels)
                held[heldCount++] = byte;
            best[byte] = level;
        }
    }
    for (std::size_t k = 0; k < heldCount; ++k)
        m_Records[slot(held[k], best[held[k]])].push_back(m_RecordCount);
    ++m_RecordCount;
}

const std::vector<std::uint32_t>& CharacterLevels::Records(unsigned char character, int level) const
{
    return m_Records[slot(character, level)];
}

CharacterAnswers::CharacterAnswers(std::span<const CharacterLevels> forms, std::size_t recordCount,
                                   const std::function<int(unsigned char, std::size_t)>& needle)
    : m_RankCount(static_cast<int>(CharacterLevels::kLevels * forms.size())),
      m_Places(CharacterLevels::kCharacters * static_cast<std::size_t>(m_RankCount))
{
    constexpr std::uint8_t kNoMatch = 0xFF;
    const std::size_t words = (recordCount + 63) / 64;
    std::vector<std::uint8_t> best(recordCount);
    std::vector<std::vector<std::uint32_t>> ranked(static_cast<std::size_t>(m_RankCount));
    for (int c = 0; c < CharacterLevels::kCharacters; ++c) {
        const auto character = static_cast<unsigned char>(c);
        std::fill(best.begin(), best.end(), kNoMatch);
        for (std::size_t f = 0; f < forms.size(); ++f) {
            const int held = needle(character, f);
            if (held < 0)
                continue;
            for (int level = 0; level < CharacterLevels::kLevels; ++level) {
                const auto rank = static_cast<std::uint8_t>(level * forms.size() + f);
                for (const std::uint32_t r :
                     forms[f].Records(static_cast<unsigned char>(held), level))
                    best[r] = std::min(best[r], rank);
            }
        }
        for (std::vector<std::uint32_t>& records : ranked)
            records.clear();
        for (std::size_t r = 0; r < recordCount; ++r) {
            if (best[r] != kNoMatch)
                ranked[best[r]].push_back(static_cast<std::uint32_t>(r));
        }
        for (int rank = 0; rank < m_RankCount; ++rank) {
            const std::vector<std::uint32_t>& records = ranked[static_cast<std::size_t>(rank)];
            Place& place = m_Places[static_cast<std::size_t>(c * m_RankCount + rank)];
            // A bit per record takes less memory once more than one record in 32 is in the set.
            place.dense = records.size() * sizeof(std::uint32_t) > words * sizeof(std::uint64_t);
            if (place.dense) {
                place.offset = static_cast<std::uint32_t>(m_Bits.size());
                place.size = static_cast<std::uint32_t>(words);
                m_Bits.resize(m_Bits.size() + words);
                std::uint64_t* bits = m_Bits.data() + place.offset;
                for (const std::uint32_t r : records)
                    bits[r / 64] |= std::uint64_t{1} << (r % 64);
            } else {
                place.offset = static_cast<std::uint32_t>(m_Records.size());
                place.size = static_cast<std::uint32_t>(records.size());
                m_Records.insert(m_Records.end(), records.begin(), records.end());
            }
        }
    }
    m_Bits.shrink_to_fit();
    m_Records.shrink_to_fit();
}

CharacterAnswers::Set CharacterAnswers::Of(unsigned char character, int rank) const
{
    if (character >= CharacterLevels::kCharacters || rank < 0 || rank >= m_RankCount)
        return {};
    const Place& place = m_Places[static_cast<std::size_t>(character * m_RankCount + rank)];
    if (place.dense)
        return {std::span(m_Bits).subspan(place.offset, place.size), {}};
    return {{}, std::span(m_Records).subspan(place.offset, place.size)};
}

std::size_t CharacterAnswers::MemoryBytes() const
{
    return m_Places.capacity() * sizeof(Place) + m_Bits.capacity() * sizeof(std::uint64_t) +
           m_Records.capacity() * sizeof(std::uint32_t);
}
