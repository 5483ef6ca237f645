#include "ReadAhead.h"

#include "ArchiveReader.h"

#include <climits>
#include <system_error>
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
    if (m_Pending && !withdraw())
        awaitChange(Reading, kShortSpin);
    setPhase(Stopping);
    pthread_join(m_Thread, nullptr);
}

void ReadAhead::start(char* into, std::size_t max)
{
    m_Into = into;
    m_Max = max;
    m_Pending = true;
    setPhase(Requested);
}

std::size_t ReadAhead::wait()
{
    m_Pending = false;
    // A thread that has not begun the read yet (a busy machine has not run it) is not waited
    // for: the read is done here and now, as without a thread.
    if (withdraw())
        return m_Source.read(m_Into, m_Max);
    awaitChange(Reading, kShortSpin);
    m_Phase.store(Idle, std::memory_order_relaxed);
    if (m_Error)
        std::rethrow_exception(std::exchange(m_Error, nullptr));
    return m_Read;
}

bool ReadAhead::withdraw()
{
    int requested = Requested;
    return m_Phase.compare_exchange_strong(requested, Idle, std::memory_order_acquire);
}

int ReadAhead::awaitChange(int phase, int spins) const
{
    for (; spins > 0; --spins) {
        const int now = m_Phase.load(std::memory_order_acquire);
        if (now != phase)
            return now;
        relax();
    }
    // Beyond the spin, sleep: on a busy machine the processor is better left to others.
    m_Phase.wait(phase, std::memory_order_acquire);
    return m_Phase.load(std::memory_order_acquire);
}

void ReadAhead::setPhase(int phase)
{
    m_Phase.store(phase, std::memory_order_release);
    m_Phase.notify_one();
}

void* ReadAhead::run(void* self)
{
    static_cast<ReadAhead*>(self)->serve();
    return nullptr;
}

void ReadAhead::serve()
{
    int phase = Idle;
    for (;;) {
        // Between requests the parser works through a buffer, some tens of microseconds: the
        // thread spins that long, as a thread that slept would wake too late to be of use.
        phase = awaitChange(phase, phase == Done ? kLongSpin : kShortSpin);
        // A request seen may be taken back, and the thread told to stop, before it is taken:
        // the failed exchange leaves the phase that replaced it in `phase`, a stop included.
        if (phase == Requested &&
            m_Phase.compare_exchange_strong(phase, Reading, std::memory_order_acquire)) {
            try {
                m_Read = m_Source.read(m_Into, m_Max);
            } catch (...) {
                m_Error = std::current_exception();
            }
            setPhase(Done);
            phase = Done;
        } else if (phase == Stopping) {
            return;
        }
    }
}
