#include "MappedMemory.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>
#include <utility>

namespace {

std::size_t pageSize()
{
    static const auto size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

std::size_t wholePages(std::size_t bytes)
{
    const std::size_t page = pageSize();
    return (bytes + page - 1) / page * page;
}

void* mapZeros(std::size_t bytes)
{
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    return p;
}

constexpr std::size_t kHugePage = 2 * 1024 * 1024;

/// Room from which a buffer takes huge pages: one that has outgrown a quarter megabyte is one
/// of a file's large columns.
constexpr std::size_t kHugeRoomFrom = kHugePage / 4;

/// A buffer expected to be large takes huge pages from its first byte only when it may come
/// to hold this much: not when the file is too short for it.
constexpr std::size_t kHugeFirstRoomFrom = 4 * kHugePage;

std::size_t wholeHugePages(std::size_t bytes)
{
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
}

/// Maps `bytes` bytes of zeros (a whole number of huge pages) starting on a huge page's
/// boundary, and asks the kernel to back them with huge pages.
char* mapHugePageZeros(std::size_t bytes)
{
    char* const mapped = static_cast<char*>(mapZeros(bytes + kHugePage));
    const auto offset = reinterpret_cast<std::uintptr_t>(mapped) % kHugePage;
    char* const start = offset == 0 ? mapped : mapped + (kHugePage - offset);
    if (start != mapped)
        ::munmap(mapped, static_cast<std::size_t>(start - mapped));
    // What lies before the boundary went above; the rest of the extra huge page lies after.
    ::munmap(start + bytes, kHugePage - static_cast<std::size_t>(start - mapped));
#ifdef MADV_HUGEPAGE
    ::madvise(start, bytes, MADV_HUGEPAGE);
#endif
    return start;
}

} // namespace

void BringInPages(void* start, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    const std::size_t page = pageSize();
    const auto from = reinterpret_cast<std::uintptr_t>(start) / page * page;
    const auto to = reinterpret_cast<std::uintptr_t>(start) + bytes;
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), wholePages(to - from), MADV_POPULATE_WRITE);
#else
    (void)start;
    (void)bytes;
#endif
}

void GiveBackPages(void* start, std::size_t bytes)
{
    const std::size_t page = pageSize();
    const auto from = wholePages(reinterpret_cast<std::uintptr_t>(start));
    const auto to = (reinterpret_cast<std::uintptr_t>(start) + bytes) / page * page;
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

ZeroPages::ZeroPages(std::size_t bytes)
    : m_Bytes(bytes >= kHugePage ? wholeHugePages(bytes) : wholePages(bytes)),
      m_Data(bytes >= kHugePage ? mapHugePageZeros(m_Bytes) : mapZeros(m_Bytes))
{
}

ZeroPages::~ZeroPages()
{
    ::munmap(m_Data, m_Bytes);
}

GrowingBytes::GrowingBytes(GrowingBytes&& other) noexcept
    : m_Data(std::exchange(other.m_Data, nullptr)), m_Size(std::exchange(other.m_Size, 0)),
      m_Ready(std::exchange(other.m_Ready, 0)), m_Capacity(std::exchange(other.m_Capacity, 0)),
      m_ExpectLarge(other.m_ExpectLarge)
{
}

GrowingBytes& GrowingBytes::operator=(GrowingBytes&& other) noexcept
{
    if (this != &other) {
        clear();
        m_Data = std::exchange(other.m_Data, nullptr);
        m_Size = std::exchange(other.m_Size, 0);
        m_Ready = std::exchange(other.m_Ready, 0);
        m_Capacity = std::exchange(other.m_Capacity, 0);
        m_ExpectLarge = other.m_ExpectLarge;
    }
    return *this;
}

GrowingBytes::~GrowingBytes()
{
    clear();
}

void GrowingBytes::clear()
{
    if (m_Data)
        ::munmap(m_Data, m_Capacity);
    m_Data = nullptr;
    m_Size = 0;
    m_Ready = 0;
    m_Capacity = 0;
}

void GrowingBytes::trim()
{
    const std::size_t kept = wholePages(m_Size);
    if (kept < m_Capacity)
        ::madvise(m_Data + kept, m_Capacity - kept, MADV_DONTNEED);
    m_Ready = std::min(m_Ready, kept);
}

void GrowingBytes::makeReady(std::size_t needed, std::size_t spareLimit)
{
    if (m_Capacity < needed)
        reserve(needed, spareLimit);
    // A quarter megabyte at a time: few calls, and little brought in that is not written.
    constexpr std::size_t kAhead = 256 * 1024;
    const std::size_t ready = std::min(m_Capacity, wholePages(needed) + kAhead);
    // Room of a quarter megabyte or more lies on huge pages (see reserve()).
    if (m_Capacity < kHugeRoomFrom)
        BringInPages(m_Data + m_Ready, ready - m_Ready);
    m_Ready = ready;
}

void GrowingBytes::reserve(std::size_t needed, std::size_t spareLimit)
{
    // Doubling keeps the number of moves small; the limit keeps the room taken in step with
    // what can still arrive. Whole pages, because the kernel maps no less.
    constexpr std::size_t kFirstCapacity = 64 * 1024;
    const std::size_t wanted = std::max({needed, 2 * m_Capacity, kFirstCapacity});
    const std::size_t limit = spareLimit > SIZE_MAX - needed ? SIZE_MAX : needed + spareLimit;
    std::size_t capacity = wholePages(std::min(wanted, limit));
    const bool startsLarge = m_Capacity == 0 && m_ExpectLarge && limit >= kHugeFirstRoomFrom;
    if (capacity < kHugeRoomFrom && !startsLarge) {
        void* p =
            m_Data ? ::mremap(m_Data, m_Capacity, capacity, MREMAP_MAYMOVE) : mapZeros(capacity);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
        m_Data = static_cast<char*>(p);
        m_Capacity = capacity;
        return;
    }
    // Large room, and the first room of a buffer that starts large, comes in huge pages, on
    // their boundaries: on some systems each small page brought in costs microseconds, which
    // made up most of the time of loading a large file.
    // The bytes held in small pages are copied over once; huge pages then move whole as the
    // buffer grows. What a last huge page holds beyond the bytes is given back by trim(), to
    // the kernel's accounts at once and to its free memory when it needs it. (Where the
    // kernel has no huge pages, small ones come in as before.)
    capacity = wholeHugePages(capacity);
    char* const room = mapHugePageZeros(capacity);
    if (m_Capacity >= kHugeRoomFrom) {
        if (::mremap(m_Data, m_Capacity, capacity, MREMAP_MAYMOVE | MREMAP_FIXED, room) ==
            MAP_FAILED) {
            ::munmap(room, capacity);
            throw std::bad_alloc();
        }
    } else if (m_Data) {
        std::memcpy(room, m_Data, m_Size);
        ::munmap(m_Data, m_Capacity);
        m_Ready = 0;
    }
    m_Data = room;
    m_Capacity = capacity;
}
