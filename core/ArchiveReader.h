#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

/// Thrown when the archive ends before the value being read is complete.
struct ArchiveEnd
{
    std::uint64_t offset; ///< where the incomplete value starts
};

/// Reads the archive encoding of integers and strings sequentially from bytes in memory.
/// Every length is checked against the bytes left before anything is copied or allocated, so
/// a corrupt length prefix cannot ask for gigabytes.
class ArchiveReader
{
public:
    explicit ArchiveReader(std::span<const char> bytes)
        : m_Begin(bytes.data()), m_Pos(bytes.data()), m_End(bytes.data() + bytes.size())
    {
    }

    std::int32_t readInt32();

    /// Reads one archive string and appends its code page 936 bytes to `out`.
    void appendString(std::string& out);

    /// Offset of the next byte to be read.
    std::uint64_t offset() const { return static_cast<std::uint64_t>(m_Pos - m_Begin); }

private:
    struct Length
    {
        std::uint64_t value;
        bool wide; ///< counted in UTF-16 code units
    };

    /// Reads a length prefix; after the UTF-16 marker the length counts code units.
    Length readLength(bool afterWideMarker, std::uint64_t valueStart);
    /// The next `size` bytes; throws ArchiveEnd (naming `valueStart`) if fewer are left.
    const char* take(std::uint64_t size, std::uint64_t valueStart);

    const char* m_Begin;
    const char* m_Pos;
    const char* m_End;
};
