#include "ArchiveReader.h"

namespace {

std::uint32_t littleEndian(const char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(p[i]);
    return v;
}

} // namespace

const char* ArchiveReader::take(std::uint64_t size, std::uint64_t valueStart)
{
    if (size > static_cast<std::uint64_t>(m_End - m_Pos))
        throw ArchiveEnd{valueStart};
    const char* p = m_Pos;
    m_Pos += size;
    return p;
}

std::int32_t ArchiveReader::readInt32()
{
    return static_cast<std::int32_t>(littleEndian(take(4, offset()), 4));
}

ArchiveReader::Length ArchiveReader::readLength(bool afterWideMarker, std::uint64_t valueStart)
{
    const auto b = static_cast<unsigned char>(*take(1, valueStart));
    if (b < 0xFF)
        return {b, afterWideMarker};
    const std::uint32_t w = littleEndian(take(2, valueStart), 2);
    if (w < 0xFFFE)
        return {w, afterWideMarker};
    if (w == 0xFFFE && !afterWideMarker)
        return readLength(true, valueStart); // UTF-16 marker, then the length in code units
    return {littleEndian(take(4, valueStart), 4), afterWideMarker};
}

ArchiveReader::String ArchiveReader::readLongString()
{
    const std::uint64_t start = offset();
    const Length length = readLength(false, start);
    const std::uint64_t size = length.wide ? 2 * length.value : length.value;
    return {std::string_view(take(size, start), size), length.wide};
}
