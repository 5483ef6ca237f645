#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

/// Where an archive's bytes come from.
class ByteSource
{
public:
    virtual ~ByteSource() = default;
    /// Reads up to `size` bytes; returns how many, 0 at the end. Throws on a read error.
    virtual std::size_t read(char* into, std::size_t size) = 0;
    /// Total number of bytes the source holds.
    virtual std::uint64_t size() const = 0;
};

/// A ByteSource over bytes in memory.
class MemorySource : public ByteSource
{
public:
    explicit MemorySource(std::span<const char> bytes) : m_Bytes(bytes) {}
    std::size_t read(char* into, std::size_t size) override;
    std::uint64_t size() const override { return m_Bytes.size(); }

private:
    std::span<const char> m_Bytes;
    std::size_t m_Pos = 0;
};

/// Thrown when the archive ends before the value being read is complete.
struct ArchiveEnd
{
    std::uint64_t offset; ///< where the incomplete value starts
};

/// Reads the archive encoding of integers and strings sequentially through a buffer.
class ArchiveReader
{
public:
    explicit ArchiveReader(ByteSource& source);

    std::int32_t readInt32();

    /// Reads one archive string and appends its code page 936 bytes to `out`.
    void appendString(std::string& out);

    /// Offset of the next byte to be read.
    std::uint64_t offset() const { return m_Offset; }

private:
    struct Length
    {
        std::uint64_t value;
        bool wide; ///< counted in UTF-16 code units
    };

    Length readLength();
    std::uint64_t readPlainLength();
    void readExact(char* into, std::size_t size, std::uint64_t valueStart);
    void appendBytes(std::string& out, std::uint64_t size, std::uint64_t valueStart);
    /// Throws ArchiveEnd unless `size` more bytes are in the source.
    void require(std::uint64_t size, std::uint64_t valueStart) const;

    ByteSource& m_Source;
    std::unique_ptr<char[]> m_Buffer;
    std::size_t m_Pos = 0;
    std::size_t m_Limit = 0;
    std::uint64_t m_Offset = 0;
};
