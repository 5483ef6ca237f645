#include "MappedMemory.h"

#include <algorithm>
#include <cstdint>
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
#ifdef MADV_NOHUGEPAGE
    // Where the kernel gives huge pages to every large mapping, not to these (see reserve()).
    ::madvise(p, bytes, MADV_NOHUGEPAGE);
#endif
    return p;
}

} // namespace

void GiveBackPages(void* start, std::size_t bytes)
{
    const std::size_t page = pageSize();
    const auto from = wholePages(reinterpret_cast<std::uintptr_t>(start));
    const auto to = (reinterpret_cast<std::uintptr_t>(start) + bytes) / page * page;
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

ZeroPages::ZeroPages(std::size_t bytes) : m_Bytes(wholePages(bytes)), m_Data(mapZeros(m_Bytes)) {}

ZeroPages::~ZeroPages()
{
    ::munmap(m_Data, m_Bytes);
}

GrowingBytes::GrowingBytes(GrowingBytes&& other) noexcept
    : m_Data(std::exchange(other.m_Data, nullptr)), m_Size(std::exchange(other.m_Size, 0)),
      m_Capacity(std::exchange(other.m_Capacity, 0)),
      m_ExpectLarge(other.m_ExpectLarge)
{
}

GrowingBytes& GrowingBytes::operator=(GrowingBytes&& other) noexcept
{
    if (this != &other) {
        clear();
        m_Data = std::exchange(other.m_Data, nullptr);
        m_Size = std::exchange(other.m_Size, 0);
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
    m_Capacity = 0;
}

void GrowingBytes::trim()
{
    const std::size_t kept = wholePages(m_Size);
    if (kept < m_Capacity)
        ::madvise(m_Data + kept, m_Capacity - kept, MADV_DONTNEED);
}

void GrowingBytes::reserve(std::size_t needed, std::size_t spareLimit)
{
    // Doubling keeps the number of moves small; the limit keeps the room taken in step with
    // what can still arrive. Whole pages, because the kernel maps no less. Small pages, not
    // huge ones: in a virtual machine a huge page the kernel had set aside can come back
    // unbacked by the host, and its first write then took milliseconds, so that one start in
    // ten loaded 20,000 records in 20 ms to 60 ms instead of 6 ms.
    // A large column's first room is two megabytes of address space, of which only what is
    // written costs memory: it then moves a few times only, and every move of pages in use
    // interrupts the process's other threads to flush their address translations.
    // Pages come in at their first write, not ahead in batches: a batch brought in holds the
    // process's address space locked while the kernel fills it, and the window, built beside
    // the load, waited for every mapping it made in that time (some 2 ms of the start).
    const std::size_t firstCapacity = m_ExpectLarge ? 2 * 1024 * 1024 : 64 * 1024;
    const std::size_t wanted = std::max({needed, 2 * m_Capacity, firstCapacity});
    const std::size_t limit = spareLimit > SIZE_MAX - needed ? SIZE_MAX : needed + spareLimit;
    const std::size_t capacity = wholePages(std::min(wanted, limit));
    void* p = m_Data ? ::mremap(m_Data, m_Capacity, capacity, MREMAP_MAYMOVE) : mapZeros(capacity);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    m_Data = static_cast<char*>(p);
    m_Capacity = capacity;
}
