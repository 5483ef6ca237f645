#pragma once

#include <memory>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

/// A file that could not be written; `what()` names it and the problem, in Chinese.
class FileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// A new file that appears complete or not at all: it is written under a temporary name in
/// the target's directory and renamed over the target only by `commit()`. Until then the
/// target keeps whatever it held; a file not committed is removed.
class AtomicFile
{
public:
    /// Creates the temporary file; throws FileError.
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::ostream& stream() { return m_Stream; }

    /// Writes out everything, syncs it to the disk and renames it to the target; throws
    /// FileError.
    void commit();

private:
    /// Buffers output and writes it to a file descriptor; remembers the first error.
    class Buffer : public std::streambuf
    {
    public:
        explicit Buffer(int fd);
        int error() const { return m_Error; }

    protected:
        int_type overflow(int_type c) override;
        std::streamsize xsputn(const char* data, std::streamsize size) override;
        int sync() override;

    private:
        bool writeOut(const char* data, std::size_t size);

        int m_Fd;
        int m_Error = 0;
        std::unique_ptr<char[]> m_Space;
    };

    [[noreturn]] void fail(const std::string& action, int error);

    std::string m_Path;
    std::string m_TempPath;
    int m_Fd = -1;
    std::unique_ptr<Buffer> m_Buffer;
    std::ostream m_Stream;
    bool m_Committed = false;
};
