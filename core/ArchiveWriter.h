#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>

/// Writes the archive encoding of integers and strings: the counterpart of ArchiveReader.
class ArchiveWriter
{
public:
    /// How a string's length prefix is written. `Shortest` is what a database normally holds;
    /// the longer forms are legal too, and readers must accept them.
    enum class LengthForm
    {
        Shortest,
        Word,  ///< 0xFF, then a 16-bit length (lengths below 0xFFFE)
        DWord, ///< 0xFF, 0xFFFF, then a 32-bit length
    };

    explicit ArchiveWriter(std::ostream& out) : m_Out(out) {}

    void writeInt32(std::int32_t value);

    /// Writes code page 936 bytes as they are.
    void writeString(std::string_view bytes, LengthForm form = LengthForm::Shortest);

    /// Writes UTF-16 little-endian text in the archive's wide form; `utf16Bytes` holds
    /// two bytes per code unit.
    void writeWideString(std::string_view utf16Bytes, LengthForm form = LengthForm::Shortest);

private:
    void writeLength(std::uint64_t length, LengthForm form);
    void writeByte(unsigned char b) { m_Out.put(static_cast<char>(b)); }
    void writeWord(std::uint16_t w);
    void writeDWord(std::uint32_t d);

    std::ostream& m_Out;
};
