#include "ArchiveReader.h"

#include "Gbk.h"

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

void ArchiveReader::appendString(std::string& out)
{
    const std::uint64_t start = offset();
    // Most texts are shorter than 255 bytes: one prefix byte, then the bytes.
    if (m_Pos < m_End) {
        const auto b = static_cast<unsigned char>(*m_Pos);
        if (b < 0xFF && static_cast<std::uint64_t>(m_End - m_Pos - 1) >= b) {
            out.append(m_Pos + 1, b);
            m_Pos += 1 + b;
            return;
        }
    }
    const Length length = readLength(false, start);
    if (!length.wide) {
        out.append(take(length.value, start), length.value);
        return;
    }
    const char* utf16 = take(2 * length.value, start);
    out += gbk::fromUtf16Le(std::string_view(utf16, 2 * length.value));
}
