#include "InputFile.h"

#include "Commands.h"
#include "Messages.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::string ReadInputFile(const std::string& path)
{
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const std::string name = standardInput ? "标准输入" : quoted(path);
    if (fd < 0)
        throw CommandError("无法打开" + name + "：" + systemReason(errno) + "。");
    std::string content;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            content.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            const int error = errno;
            if (!standardInput)
                ::close(fd);
            throw CommandError("无法读取" + name + "：" + systemReason(error) + "。");
        }
    }
    if (!standardInput)
        ::close(fd);
    return content;
}
