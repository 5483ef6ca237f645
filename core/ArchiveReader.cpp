#include "ArchiveReader.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t littleEndian(const char* p, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(p[i]);
    return v;
}

} // namespace

std::size_t MemorySource::read(char* into, std::size_t max)
{
    const std::size_t n = std::min(max, m_Bytes.size());
    if (n == 0)
        return 0; // an empty span may have no data pointer
    std::memcpy(into, m_Bytes.data(), n);
    m_Bytes = m_Bytes.subspan(n);
    return n;
}

ArchiveReader::ArchiveReader(ByteSource& source, std::uint64_t size)
    : m_Source(source), m_Size(size), m_Buffer(std::make_unique_for_overwrite<char[]>(kBufferSize)),
      m_Pos(m_Buffer.get()), m_End(m_Buffer.get())
{
}

std::size_t ArchiveReader::fetch(char* into, std::size_t max)
{
    const std::size_t n = m_Source.read(into, max);
    // A file that ends early (it shrank while being read) ends the archive there.
    if (n == 0)
        m_Size = offset() + static_cast<std::uint64_t>(m_End - m_Pos);
    return n;
}

bool ArchiveReader::refill()
{
    const auto kept = static_cast<std::size_t>(m_End - m_Pos);
    const std::uint64_t fetched = offset() + kept;
    if (fetched >= m_Size)
        return false;
    char* buffer = m_Buffer.get();
    std::memmove(buffer, m_Pos, kept);
    m_BufferOffset = offset();
    m_Pos = buffer;
    m_End = buffer + kept;
    const std::size_t wanted =
        static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize - kept, m_Size - fetched));
    const std::size_t n = fetch(buffer + kept, wanted);
    m_End += n;
    return n > 0;
}

const char* ArchiveReader::take(std::size_t count, std::uint64_t valueStart)
{
    while (static_cast<std::size_t>(m_End - m_Pos) < count) {
        if (!refill())
            throw ArchiveEnd{valueStart};
    }
    const char* p = m_Pos;
    m_Pos += count;
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
        return {b, afterWideMarker, valueStart};
    const std::uint32_t w = littleEndian(take(2, valueStart), 2);
    if (w < 0xFFFE)
        return {w, afterWideMarker, valueStart};
    if (w == 0xFFFE && !afterWideMarker)
        return readLength(true, valueStart); // UTF-16 marker, then the length in code units
    return {littleEndian(take(4, valueStart), 4), afterWideMarker, valueStart};
}

ArchiveReader::Length ArchiveReader::readLongLength()
{
    Length length = readLength(false, offset());
    if (length.utf16)
        length.bytes *= 2;
    // Checked before the caller makes room for the text.
    if (length.bytes > remaining())
        throw ArchiveEnd{length.start};
    return length;
}

void ArchiveReader::readLongText(char* into, const Length& length)
{
    std::uint64_t left = length.bytes;
    while (left > 0) {
        const auto buffered =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, m_End - m_Pos));
        std::memcpy(into, m_Pos, buffered);
        m_Pos += buffered;
        into += buffered;
        left -= buffered;
        if (left == 0)
            return;
        if (left < kBufferSize) {
            if (!refill())
                throw ArchiveEnd{length.start};
            continue;
        }
        // A long text goes straight to its place, not through the buffer.
        m_BufferOffset = offset();
        m_Pos = m_End = m_Buffer.get();
        const std::size_t n = fetch(into, static_cast<std::size_t>(left));
        if (n == 0)
            throw ArchiveEnd{length.start};
        m_BufferOffset += n;
        into += n;
        left -= n;
    }
}

ArchiveReader::String ArchiveReader::readString()
{
    const Length length = readLength();
    String s{std::string(static_cast<std::size_t>(length.bytes), '\0'), length.utf16};
    readText(s.bytes.data(), length);
    return s;
}
