#include "ArchiveReader.h"

#include "Gbk.h"

#include <algorithm>
#include <cstring>

namespace {
// Larger than the classic 4 KiB archive buffer: a database of tens of megabytes is then read
// in a few hundred calls instead of thousands.
constexpr std::size_t kBufferSize = 64 * 1024;
} // namespace

std::size_t MemorySource::read(char* into, std::size_t size)
{
    const std::size_t n = std::min(size, m_Bytes.size() - m_Pos);
    std::memcpy(into, m_Bytes.data() + m_Pos, n);
    m_Pos += n;
    return n;
}

ArchiveReader::ArchiveReader(ByteSource& source)
    : m_Source(source), m_Buffer(std::make_unique<char[]>(kBufferSize))
{
}

void ArchiveReader::require(std::uint64_t size, std::uint64_t valueStart) const
{
    // Checked against the source's size before anything of that size is allocated, so a
    // corrupt length prefix cannot ask for gigabytes.
    if (size > m_Source.size() - std::min(m_Offset, m_Source.size()))
        throw ArchiveEnd{valueStart};
}

void ArchiveReader::readExact(char* into, std::size_t size, std::uint64_t valueStart)
{
    while (size > 0) {
        if (m_Pos == m_Limit) {
            m_Pos = 0;
            m_Limit = m_Source.read(m_Buffer.get(), kBufferSize);
            if (m_Limit == 0)
                throw ArchiveEnd{valueStart};
        }
        const std::size_t n = std::min(size, m_Limit - m_Pos);
        std::memcpy(into, m_Buffer.get() + m_Pos, n);
        m_Pos += n;
        m_Offset += n;
        into += n;
        size -= n;
    }
}

void ArchiveReader::appendBytes(std::string& out, std::uint64_t size, std::uint64_t valueStart)
{
    require(size, valueStart);
    const std::size_t old = out.size();
    out.resize(old + size);
    try {
        readExact(out.data() + old, size, valueStart);
    } catch (...) {
        out.resize(old);
        throw;
    }
}

std::int32_t ArchiveReader::readInt32()
{
    unsigned char b[4];
    readExact(reinterpret_cast<char*>(b), 4, m_Offset);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | b[1] << 8 | b[2] << 16 |
                                     static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint64_t ArchiveReader::readPlainLength()
{
    const std::uint64_t start = m_Offset;
    unsigned char b[4];
    readExact(reinterpret_cast<char*>(b), 1, start);
    if (b[0] < 0xFF)
        return b[0];
    readExact(reinterpret_cast<char*>(b), 2, start);
    const unsigned w = b[0] | b[1] << 8;
    if (w < 0xFFFE)
        return w;
    readExact(reinterpret_cast<char*>(b), 4, start);
    return static_cast<std::uint32_t>(b[0]) | b[1] << 8 | b[2] << 16 |
           static_cast<std::uint32_t>(b[3]) << 24;
}

ArchiveReader::Length ArchiveReader::readLength()
{
    const std::uint64_t start = m_Offset;
    unsigned char b[2];
    readExact(reinterpret_cast<char*>(b), 1, start);
    if (b[0] < 0xFF)
        return {b[0], false};
    readExact(reinterpret_cast<char*>(b), 2, start);
    const unsigned w = b[0] | b[1] << 8;
    if (w < 0xFFFE)
        return {w, false};
    if (w == 0xFFFE)
        return {readPlainLength(), true}; // UTF-16 marker, then the length in code units
    unsigned char d[4];
    readExact(reinterpret_cast<char*>(d), 4, start);
    return {static_cast<std::uint32_t>(d[0]) | d[1] << 8 | d[2] << 16 |
                static_cast<std::uint32_t>(d[3]) << 24,
            false};
}

void ArchiveReader::appendString(std::string& out)
{
    const std::uint64_t start = m_Offset;
    const Length length = readLength();
    if (!length.wide) {
        appendBytes(out, length.value, start);
        return;
    }
    std::string utf16;
    appendBytes(utf16, 2 * length.value, start);
    out += gbk::fromUtf16Le(utf16);
}
