#include "Messages.h"

#include <cerrno>
#include <cstring>
#include <iostream>

std::string quoted(std::string_view text)
{
    return "“" + std::string(text) + "”";
}

void printMessage(std::string_view message)
{
    std::cerr << "velmor-kdb: " << message << '\n' << std::flush;
}

std::string systemReason(int error)
{
    switch (error) {
    case ENOENT:
        return "文件或目录不存在";
    case ENOTDIR:
        return "路径中有一部分不是目录";
    case EACCES:
    case EPERM:
        return "没有权限";
    case EISDIR:
        return "这是一个目录";
    case ENOSPC:
        return "磁盘空间不足";
    case EDQUOT:
        return "超出了磁盘配额";
    case EROFS:
        return "文件系统是只读的";
    case EIO:
        return "输入输出错误";
    default:
        return "系统错误 " + std::to_string(error) + "（" + std::strerror(error) + "）";
    }
}
