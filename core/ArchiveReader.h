#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

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

    /// One string as the archive holds it.
    struct String
    {
        std::string_view bytes; ///< a view into the archive's bytes
        bool utf16;             ///< UTF-16 little-endian text rather than code page 936
    };

    std::int32_t readInt32();

    String readString()
    {
        // Most texts are shorter than 255 bytes: one prefix byte, then the bytes.
        if (m_Pos < m_End) {
            const auto b = static_cast<unsigned char>(*m_Pos);
            if (b < 0xFF && static_cast<std::uint64_t>(m_End - m_Pos - 1) >= b) {
                const std::string_view text(m_Pos + 1, b);
                m_Pos += 1 + b;
                return {text, false};
            }
        }
        return readLongString();
    }

    /// Offset of the next byte to be read.
    std::uint64_t offset() const { return static_cast<std::uint64_t>(m_Pos - m_Begin); }

private:
    struct Length
    {
        std::uint64_t value;
        bool wide; ///< counted in UTF-16 code units
    };

    String readLongString();
    /// Reads a length prefix; after the UTF-16 marker the length counts code units.
    Length readLength(bool afterWideMarker, std::uint64_t valueStart);
    /// The next `size` bytes; throws ArchiveEnd (naming `valueStart`) if fewer are left.
    const char* take(std::uint64_t size, std::uint64_t valueStart);

    const char* m_Begin;
    const char* m_Pos;
    const char* m_End;
};
