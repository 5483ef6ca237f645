#include "ArchiveWriter.h"

#include <stdexcept>

void ArchiveWriter::writeWord(std::uint16_t w)
{
    writeByte(w & 0xFF);
    writeByte(w >> 8);
}

void ArchiveWriter::writeDWord(std::uint32_t d)
{
    writeWord(d & 0xFFFF);
    writeWord(d >> 16);
}

void ArchiveWriter::writeInt32(std::int32_t value)
{
    writeDWord(static_cast<std::uint32_t>(value));
}

void ArchiveWriter::writeLength(std::uint64_t length, LengthForm form)
{
    if (length > 0xFFFFFFFFu)
        throw std::length_error("archive string longer than 4 GiB");
    if (form == LengthForm::Shortest)
        form = length < 0xFF     ? LengthForm::Shortest
               : length < 0xFFFE ? LengthForm::Word
                                 : LengthForm::DWord;
    if (form == LengthForm::Word && length >= 0xFFFE)
        throw std::length_error("length does not fit the 16-bit form");
    switch (form) {
    case LengthForm::Shortest:
        writeByte(static_cast<unsigned char>(length));
        break;
    case LengthForm::Word:
        writeByte(0xFF);
        writeWord(static_cast<std::uint16_t>(length));
        break;
    case LengthForm::DWord:
        writeByte(0xFF);
        writeWord(0xFFFF);
        writeDWord(static_cast<std::uint32_t>(length));
        break;
    }
}

void ArchiveWriter::writeString(std::string_view bytes, LengthForm form)
{
    writeLength(bytes.size(), form);
    m_Out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ArchiveWriter::writeWideString(std::string_view utf16Bytes, LengthForm form)
{
    writeByte(0xFF);
    writeWord(0xFFFE);
    writeLength(utf16Bytes.size() / 2, form);
    m_Out.write(utf16Bytes.data(), static_cast<std::streamsize>(utf16Bytes.size() / 2 * 2));
}
