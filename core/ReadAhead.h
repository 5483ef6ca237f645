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
/// A request takes a few microseconds to read, so both sides wait by spinning rather than
/// sleeping: a thread put to sleep takes longer than that to wake.
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
    /// Waits for the request under way and returns the bytes read, or rethrows what the
    /// source threw.
    std::size_t wait();

private:
    enum Phase : int
    {
        Idle,
        Requested,
        Done,
        Stopping,
    };

    static void* run(void* self);
    void serve();
    /// Spins until the phase is no longer `phase`, and returns the new one.
    int awaitChange(int phase) const;

    ByteSource& m_Source;
    char* m_Into = nullptr;
    std::size_t m_Max = 0;
    std::size_t m_Read = 0;
    std::exception_ptr m_Error;
    bool m_Pending = false;
    std::atomic<int> m_Phase{Idle};
    pthread_t m_Thread;
};
