#include "ArchiveReader.h"

#include <algorithm>
#include <cstring>
#include <system_error>

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

ArchiveReader::ArchiveReader(ByteSource& source, std::uint64_t size, bool readAhead)
    : m_Source(source), m_Size(size), m_Buffers{std::make_unique_for_overwrite<char[]>(
                                                    kCarried + kBufferSize + kPadding),
                                                std::make_unique_for_overwrite<char[]>(
                                                    kCarried + kBufferSize + kPadding)},
      m_Base(fetchArea(0)), m_Pos(m_Base), m_End(m_Base), m_ReadInTurn(!readAhead)
{
}

bool ArchiveReader::refill()
{
    const auto carried = static_cast<std::size_t>(m_End - m_Pos);
    const std::uint64_t next = offset() + carried; // the first byte not fetched
    if (next >= m_Size)
        return false;
    const int other = 1 - m_Current;
    char* area = fetchArea(other);
    std::memcpy(area - carried, m_Pos, carried);
    const auto chunk = [this](std::uint64_t at) {
        return static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, m_Size - at));
    };
    const std::size_t n = m_ReadAhead && m_ReadAhead->pending() ? m_ReadAhead->wait()
                                                                : m_Source.read(area, chunk(next));
    // A file that ends early (it shrank while being read) ends the archive there.
    if (n == 0)
        m_Size = next;
    m_Current = other;
    m_BufferOffset = next - carried;
    m_Base = m_Pos = area - carried;
    m_End = area + n;

    const std::uint64_t following = next + n;
    if (n > 0 && following < m_Size)
        readAhead(following, chunk(following));
    return n > 0;
}

void ArchiveReader::readAhead(std::uint64_t at, std::size_t bytes)
{
    // Small archives, and the start of any (whose records may all lie there, followed by
    // junk), are not worth a thread.
    constexpr std::uint64_t kReadAheadFrom = 256 * 1024;
    if (!m_ReadAhead) {
        if (m_ReadInTurn || at < kReadAheadFrom || m_Size - at < kReadAheadFrom)
            return;
        try {
            m_ReadAhead = std::make_unique<ReadAhead>(m_Source);
        } catch (const std::system_error&) {
            m_ReadInTurn = true; // no room for a thread: read between parsing, as ever
            return;
        }
    }
    m_ReadAhead->start(fetchArea(1 - m_Current), bytes);
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

std::int32_t ArchiveReader::readBufferedInt32()
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
    for (;;) {
        const auto buffered =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, m_End - m_Pos));
        std::memcpy(into, m_Pos, buffered);
        m_Pos += buffered;
        into += buffered;
        left -= buffered;
        if (left == 0)
            return;
        if (!refill())
            throw ArchiveEnd{length.start};
    }
}

ArchiveReader::String ArchiveReader::readString()
{
    const Length length = readLength();
    String s{std::string(static_cast<std::size_t>(length.bytes), '\0'), length.utf16};
    readText(s.bytes.data(), length);
    return s;
}
