#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <pthread.h>

class ByteSource;

/// Reads a source on a thread of its own, one request at a time, so that the caller can parse
/// one buffer while the next is being read. Reading a file costs about as much as parsing it;
/// done side by side, the two take little more than the longer of them.
///
/// Each side spins before it sleeps while it waits for the other, since a thread put to sleep
/// takes tens of microseconds to wake; and the parser takes back a request the thread has not
/// begun, so a thread that a busy machine does not run costs nothing.
class ReadAhead
{
public:
    /// Starts the thread; throws std::system_error when the system has no room for one.
    explicit ReadAhead(ByteSource& source);
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;
    /// Waits for a read under way, then ends the thread.
    ~ReadAhead();

    /// Begins reading up to `max` bytes into `into`; at most one request is under way.
    void start(char* into, std::size_t max);
    bool pending() const { return m_Pending; }
    /// Returns the bytes the request under way read, or rethrows what the source threw.
    std::size_t wait();

private:
    enum Phase : int
    {
        Idle,
        Requested, ///< waiting for the thread to take it
        Reading,   ///< taken by the thread
        Done,
        Stopping,
    };

    static void* run(void* self);
    void serve();
    /// Pause instructions spun before sleeping: a few microseconds, and a few hundred.
    static constexpr int kShortSpin = 2000;
    static constexpr int kLongSpin = 20000;

    /// Waits until the phase is no longer `phase`, spinning `spins` times before it sleeps,
    /// and returns the new phase.
    int awaitChange(int phase, int spins) const;
    void setPhase(int phase);
    /// Takes back a request the thread has not begun; false when it has.
    bool withdraw();

    ByteSource& m_Source;
    char* m_Into = nullptr;
    std::size_t m_Max = 0;
    std::size_t m_Read = 0;
    std::exception_ptr m_Error;
    bool m_Pending = false;
    std::atomic<int> m_Phase{Idle};
    pthread_t m_Thread;
};
