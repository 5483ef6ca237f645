#include "ReadAhead.h"

#include "ArchiveReader.h"

#include <climits>
#include <system_error>
#include <thread>
#include <utility>

namespace {

void relax()
{
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

} // namespace

ReadAhead::ReadAhead(ByteSource& source) : m_Source(source)
{
    // The thread only calls the source: a small stack does, and keeps the address space a
    // load takes close to the bytes it reads.
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, PTHREAD_STACK_MIN + 64 * 1024);
    const int error = pthread_create(&m_Thread, &attributes, &ReadAhead::run, this);
    pthread_attr_destroy(&attributes);
    if (error != 0)
        throw std::system_error(error, std::generic_category(), "pthread_create");
}

ReadAhead::~ReadAhead()
{
    if (m_Pending)
        awaitChange(Requested);
    m_Phase.store(Stopping, std::memory_order_release);
    pthread_join(m_Thread, nullptr);
}

void ReadAhead::start(char* into, std::size_t max)
{
    m_Into = into;
    m_Max = max;
    m_Pending = true;
    m_Phase.store(Requested, std::memory_order_release);
}

std::size_t ReadAhead::wait()
{
    awaitChange(Requested);
    m_Pending = false;
    m_Phase.store(Idle, std::memory_order_relaxed);
    if (m_Error)
        std::rethrow_exception(std::exchange(m_Error, nullptr));
    return m_Read;
}

int ReadAhead::awaitChange(int phase) const
{
    // A short spin covers the usual wait; beyond it, the other side is not running (a busy
    // machine), and yielding lets it run.
    for (int spins = 0;; ++spins) {
        const int now = m_Phase.load(std::memory_order_acquire);
        if (now != phase)
            return now;
        if (spins < 4096)
            relax();
        else
            std::this_thread::yield();
    }
}

void* ReadAhead::run(void* self)
{
    static_cast<ReadAhead*>(self)->serve();
    return nullptr;
}

void ReadAhead::serve()
{
    for (;;) {
        if (awaitChange(Idle) == Stopping)
            return;
        try {
            m_Read = m_Source.read(m_Into, m_Max);
        } catch (...) {
            m_Error = std::current_exception();
        }
        m_Phase.store(Done, std::memory_order_release);
        if (awaitChange(Done) == Stopping)
            return;
    }
}
