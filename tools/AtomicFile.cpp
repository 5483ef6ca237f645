#include "AtomicFile.h"

#include "Messages.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

AtomicFile::Buffer::Buffer(int fd) : m_Fd(fd), m_Space(new char[kBufferSize])
{
    setp(m_Space.get(), m_Space.get() + kBufferSize);
}

bool AtomicFile::Buffer::writeOut(const char* data, std::size_t size)
{
    while (size > 0 && m_Error == 0) {
        const ssize_t n = ::write(m_Fd, data, size);
        if (n < 0) {
            if (errno != EINTR)
                m_Error = errno;
            continue;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return m_Error == 0;
}

int AtomicFile::Buffer::sync()
{
    const bool ok = writeOut(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(m_Space.get(), m_Space.get() + kBufferSize);
    return ok ? 0 : -1;
}

AtomicFile::Buffer::int_type AtomicFile::Buffer::overflow(int_type c)
{
    if (sync() != 0)
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize AtomicFile::Buffer::xsputn(const char* data, std::streamsize size)
{
    const auto room = epptr() - pptr();
    if (size <= room) {
        std::memcpy(pptr(), data, static_cast<std::size_t>(size));
        pbump(static_cast<int>(size));
        return size;
    }
    if (sync() != 0 || !writeOut(data, static_cast<std::size_t>(size)))
        return 0;
    return size;
}

AtomicFile::AtomicFile(std::string path) : m_Path(std::move(path)), m_Stream(nullptr)
{
    // The temporary file sits beside the target, so the rename never crosses file systems.
    const std::string pattern = directoryOf(m_Path) + "/." + fileNameOf(m_Path) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_Fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_Fd < 0)
        fail("无法在" + quoted(directoryOf(m_Path)) + "中创建临时文件", errno);
    m_TempPath = name.data();
    // mkostemp makes the file private; give it the mode a new file would get.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_Fd, 0666 & ~mask);
    m_Buffer = std::make_unique<Buffer>(m_Fd);
    m_Stream.rdbuf(m_Buffer.get());
}

AtomicFile::~AtomicFile()
{
    if (m_Fd >= 0)
        ::close(m_Fd);
    if (!m_Committed && !m_TempPath.empty())
        ::unlink(m_TempPath.c_str());
}

void AtomicFile::fail(const std::string& action, int error)
{
    throw FileError(action + "：" + systemReason(error) + "。");
}

void AtomicFile::commit()
{
    m_Stream.flush();
    if (m_Buffer->error() != 0 || !m_Stream)
        fail("写入" + quoted(m_Path) + "失败", m_Buffer->error() != 0 ? m_Buffer->error() : EIO);
    if (::fsync(m_Fd) != 0)
        fail("写入" + quoted(m_Path) + "失败", errno);
    const int fd = m_Fd;
    m_Fd = -1;
    if (::close(fd) != 0)
        fail("写入" + quoted(m_Path) + "失败", errno);
    if (::rename(m_TempPath.c_str(), m_Path.c_str()) != 0)
        fail("无法写成" + quoted(m_Path), errno);
    m_Committed = true;
}
