#pragma once

#include <cstddef>

/// Memory taken straight from the kernel in whole pages. Pages read before they are written
/// are shared zero pages, so a large table nobody has written costs no memory.
class ZeroPages
{
public:
    /// Maps `bytes` bytes of zeros; throws std::bad_alloc when the system refuses.
    explicit ZeroPages(std::size_t bytes);
    ZeroPages(const ZeroPages&) = delete;
    ZeroPages& operator=(const ZeroPages&) = delete;
    ~ZeroPages();

    void* data() const { return m_Data; }
    /// The bytes mapped: `bytes` rounded up to whole pages.
    std::size_t size() const { return m_Bytes; }

private:
    std::size_t m_Bytes;
    void* m_Data;
};

/// A byte buffer that grows in place: its pages come from the kernel and move with mremap, so
/// growing copies nothing and room not yet written costs no memory.
class GrowingBytes
{
public:
    GrowingBytes() = default;
    GrowingBytes(GrowingBytes&& other) noexcept;
    GrowingBytes& operator=(GrowingBytes&& other) noexcept;
    ~GrowingBytes();

    char* data() { return m_Data; }
    const char* data() const { return m_Data; }
    std::size_t size() const { return m_Size; }

    /// Room that always follows the bytes held, so that a short text can be filled with one
    /// fixed-size copy that may write past its end.
    static constexpr std::size_t kPadding = 32;

    /// Whether the buffer, while it has no room, is to come to hold megabytes: it is a column
    /// of a large load, whose first room is then two megabytes of address space, so that it
    /// moves a few times only as it grows.
    void expectLarge(bool large) { m_ExpectLarge = large; }

    /// Adds `bytes` bytes at the end and returns where they start, for the caller to fill;
    /// kPadding more bytes after them may be overwritten. When the buffer must grow, it takes
    /// at most `spareLimit` bytes of room beyond what it then holds and its padding. Throws
    /// std::bad_alloc when the system refuses.
    char* extend(std::size_t bytes, std::size_t spareLimit)
    {
        if (m_Capacity - m_Size < bytes + kPadding)
            reserve(m_Size + bytes + kPadding, spareLimit);
        char* at = m_Data + m_Size;
        m_Size += bytes;
        return at;
    }

    /// Keeps the first `size` bytes (no more than it holds).
    void shrink(std::size_t size) { m_Size = size < m_Size ? size : m_Size; }

    /// Empties the buffer but keeps its room, whose pages are already in memory, for filling
    /// again.
    void empty() { m_Size = 0; }

    /// Gives back the pages of the room beyond what the buffer holds.
    void trim();

    /// Gives all pages back.
    void clear();

private:
    void reserve(std::size_t needed, std::size_t spareLimit);

    char* m_Data = nullptr;
    std::size_t m_Size = 0;
    std::size_t m_Capacity = 0;
    bool m_ExpectLarge = false;
};

/// Gives back the whole pages within the `bytes` bytes at `start`; they read as zeros again.
void GiveBackPages(void* start, std::size_t bytes);
