#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "ReadAhead.h"

/// Thrown when the archive ends before the value being read is complete.
struct ArchiveEnd
{
    std::uint64_t offset; ///< where the incomplete value starts
};

/// Where an archive's bytes come from, in order.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    /// Reads up to `max` bytes into `into`; returns how many, 0 only at the end.
    virtual std::size_t read(char* into, std::size_t max) = 0;
};

/// Bytes already in memory.
class MemorySource : public ByteSource
{
public:
    explicit MemorySource(std::span<const char> bytes) : m_Bytes(bytes) {}
    std::size_t read(char* into, std::size_t max) override;

private:
    std::span<const char> m_Bytes;
};

/// Reads the archive encoding of integers and strings sequentially, through two buffers of
/// kBufferSize bytes: while it parses one, a large archive's next bytes are read into the
/// other. It never fetches more than kMostFetchedAhead bytes beyond the value it reads. Every
/// length is checked against the bytes left before anything is copied or allocated, so a
/// corrupt or cut-off length prefix cannot ask for gigabytes.
class ArchiveReader
{
public:
    static constexpr std::size_t kBufferSize = 128 * 1024;
    static constexpr std::size_t kMostFetchedAhead = 2 * kBufferSize;

    /// Reads from `source`, which holds `size` bytes; with `readAhead` false, never on a
    /// second thread.
    ArchiveReader(ByteSource& source, std::uint64_t size, bool readAhead = true);

    std::int32_t readInt32()
    {
        if constexpr (std::endian::native == std::endian::little) {
            if (m_End - m_Pos >= 4) {
                std::int32_t value;
                std::memcpy(&value, m_Pos, 4);
                m_Pos += 4;
                return value;
            }
        }
        return readBufferedInt32();
    }

    /// A string's length prefix.
    struct Length
    {
        std::uint64_t bytes; ///< bytes of text that follow
        bool utf16;          ///< UTF-16 little-endian text rather than code page 936
        std::uint64_t start; ///< where the string (its prefix) starts
    };

    /// Reads a string's length prefix; throws ArchiveEnd when the text would run past the end.
    Length readLength()
    {
        // Most texts are shorter than 255 bytes: one prefix byte.
        if (m_Pos < m_End) {
            const auto b = static_cast<unsigned char>(*m_Pos);
            if (b < 0xFF && b <= remaining() - 1) {
                ++m_Pos;
                return {b, false, offset() - 1};
            }
        }
        return readLongLength();
    }

    /// Reads the `length.bytes` bytes of text that follow a prefix into `into`.
    void readText(char* into, const Length& length)
    {
        // An empty text may have nowhere to go: a column that holds nothing yet has no memory.
        if (length.bytes == 0)
            return;
        if (length.bytes <= static_cast<std::uint64_t>(m_End - m_Pos)) {
            std::memcpy(into, m_Pos, length.bytes);
            m_Pos += length.bytes;
            return;
        }
        readLongText(into, length);
    }

    /// One string as the archive holds it, with its text.
    struct String
    {
        std::string bytes;
        bool utf16;
    };
    String readString();

    /// Offset of the next byte to be read.
    std::uint64_t offset() const
    {
        return m_BufferOffset + static_cast<std::uint64_t>(m_Pos - m_Base);
    }

    /// Bytes left after offset().
    std::uint64_t remaining() const { return m_Size - offset(); }

    /// Bytes past the end of buffered() that may be read.
    static constexpr std::size_t kPadding = 32;

    /// The bytes fetched and not yet read, for a caller that parses them in place; kPadding
    /// more bytes after them may be read (their values are unspecified).
    std::string_view buffered() const { return {m_Pos, static_cast<std::size_t>(m_End - m_Pos)}; }

    /// Marks the first `bytes` bytes of buffered() as read.
    void consume(std::size_t bytes) { m_Pos += bytes; }

private:
    /// Bytes of a value begun in one buffer that are carried into the next: fewer than 8.
    static constexpr std::size_t kCarried = 8;

    std::int32_t readBufferedInt32();
    Length readLongLength();
    void readLongText(char* into, const Length& length);
    Length readLength(bool afterWideMarker, std::uint64_t valueStart);
    /// Makes the next `count` (at most 8) bytes buffered; throws ArchiveEnd naming
    /// `valueStart` if the archive ends first.
    const char* take(std::size_t count, std::uint64_t valueStart);
    /// Fetches more bytes after those still buffered (fewer than kCarried); false at the end.
    bool refill();
    /// Reads the `bytes` bytes at `at` into the other buffer meanwhile, if worth it.
    void readAhead(std::uint64_t at, std::size_t bytes);
    /// Where buffer `which` keeps the bytes it fetches.
    char* fetchArea(int which) const { return m_Buffers[which].get() + kCarried; }

    ByteSource& m_Source;
    std::uint64_t m_Size;
    std::array<std::unique_ptr<char[]>, 2> m_Buffers;
    int m_Current = 0;
    std::uint64_t m_BufferOffset = 0; // offset of m_Base
    const char* m_Base;
    const char* m_Pos;
    const char* m_End;
    bool m_ReadInTurn;                      // no thread to read ahead is wanted, or could start
    std::unique_ptr<ReadAhead> m_ReadAhead; // last: it may be reading into a buffer
};
