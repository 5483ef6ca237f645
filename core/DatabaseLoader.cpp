#include "ArchiveReader.h"
#include "DatabaseFile.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string quoted(std::string_view fileName)
{
    return "“" + std::string(fileName) + "”";
}

std::string reasonOf(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return "没有读取权限";
    case EISDIR:
        return "这是一个目录，不是文件";
    case EIO:
        return "读取时发生输入输出错误";
    case ELOOP:
        return "符号链接层数过多";
    case EMFILE:
    case ENFILE:
        return "打开的文件过多";
    default:
        return "系统错误 " + std::to_string(error);
    }
}

DatabaseError unreadable(std::string_view fileName, const std::string& reason)
{
    return DatabaseError(DatabaseError::Kind::Unreadable,
                         "无法读取数据库文件" + quoted(fileName) + "：" + reason + "。");
}

/// The bytes of a whole file, read sequentially.
struct FileBytes
{
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};

FileBytes readAll(int fd, std::uint64_t size, std::string_view fileName)
{
    FileBytes bytes{std::make_unique_for_overwrite<char[]>(size), 0};
    while (bytes.size < size) {
        const ssize_t n = ::read(fd, bytes.data.get() + bytes.size, size - bytes.size);
        if (n == 0)
            break; // the file shrank while being read: what is there is all there is
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw unreadable(fileName, reasonOf(errno));
        }
        bytes.size += static_cast<std::size_t>(n);
    }
    return bytes;
}

/// Deletes every "<sub>", then every "</sub>", from the text starting at `from`. Each pass
/// looks at the text as it was before that pass, so deleting one marker never forms another
/// that is then deleted too.
void removeFormulaMarkers(std::string& text, std::size_t from)
{
    for (std::string_view marker : {std::string_view("<sub>"), std::string_view("</sub>")}) {
        std::size_t found = text.find(marker, from);
        if (found == std::string::npos)
            continue;
        std::size_t write = found;
        while (found != std::string::npos) {
            const std::size_t keep = found + marker.size();
            found = text.find(marker, keep);
            const std::size_t end = found == std::string::npos ? text.size() : found;
            std::copy(text.begin() + keep, text.begin() + end, text.begin() + write);
            write += end - keep;
        }
        text.resize(write);
    }
}

LoadSummary load(CVELMORDoc& doc, std::span<const char> bytes, std::string_view fileName)
{
    ArchiveReader reader(bytes);
    FieldColumns columns;
    std::vector<std::int32_t> leadInts;
    LoadSummary summary;
    summary.fileSize = bytes.size();

    std::int32_t complete = 0;
    try {
        summary.announced = reader.readInt32();
        const std::int32_t toRead = std::clamp(summary.announced, 0, CVELMORDoc::kCapacity);
        leadInts.reserve(2 * static_cast<std::size_t>(toRead));
        for (; complete < toRead; ++complete) {
            leadInts.push_back(reader.readInt32());
            leadInts.push_back(reader.readInt32());
            for (int t = 0; t < kTextFieldCount; ++t) {
                const Field field = textField(t);
                std::string& bytes = columns.bytes(field);
                const std::size_t start = bytes.size();
                columns.beginText(field);
                reader.appendString(bytes);
                if (field == Field::Formula)
                    removeFormulaMarkers(bytes, start);
            }
        }
    } catch (const ArchiveEnd& end) {
        leadInts.resize(2 * static_cast<std::size_t>(complete));
        doc.Fill(std::move(columns), leadInts, complete);
        if (reader.offset() < 4)
            throw DatabaseError(DatabaseError::Kind::Truncated,
                                "数据库文件" + quoted(fileName) + "不完整：文件只有 " +
                                    std::to_string(summary.fileSize) +
                                    " 字节，连开头的记录数都不完整。");
        throw DatabaseError(DatabaseError::Kind::Truncated,
                            "数据库文件" + quoted(fileName) + "不完整：第 " +
                                std::to_string(complete + 1) + " 条记录在第 " +
                                std::to_string(end.offset) + " 字节处中断（文件共 " +
                                std::to_string(summary.fileSize) + " 字节）。已读入前 " +
                                std::to_string(complete) + " 条完整的记录。");
    }
    doc.Fill(std::move(columns), leadInts, complete);
    summary.loaded = complete;
    summary.bytesRead = reader.offset();
    return summary;
}

} // namespace

std::optional<std::string> LoadSummary::notice(std::string_view fileName) const
{
    if (announced <= loaded)
        return std::nullopt;
    return "数据库文件" + quoted(fileName) + "声明了 " + std::to_string(announced) +
           " 条记录，超过了本程序能容纳的 " + std::to_string(CVELMORDoc::kCapacity) +
           " 条；只读入了前 " + std::to_string(loaded) + " 条，其余的没有读入。";
}

LoadSummary LoadDatabase(CVELMORDoc& doc)
{
    return LoadDatabaseFile(doc, kDatabaseFileName);
}

LoadSummary LoadDatabaseFile(CVELMORDoc& doc, const std::string& path)
{
    // Non-blocking open: a FIFO named like the database must not hang the program. (Reading a
    // regular file is not affected by the flag.)
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw DatabaseError(DatabaseError::Kind::Missing,
                                "找不到数据库文件" + quoted(path) + "。");
        throw unreadable(path, reasonOf(errno));
    }
    const std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* p) {
        ::close(*p);
        delete p;
    });
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        throw unreadable(path, reasonOf(errno));
    if (S_ISDIR(st.st_mode))
        throw unreadable(path, reasonOf(EISDIR));
    if (!S_ISREG(st.st_mode))
        throw unreadable(path, "这不是一个普通文件");
    const FileBytes bytes = readAll(fd, static_cast<std::uint64_t>(st.st_size), path);
    return load(doc, std::span<const char>(bytes.data.get(), bytes.size), path);
}

LoadSummary LoadDatabaseBytes(CVELMORDoc& doc, std::span<const char> bytes,
                              std::string_view fileName)
{
    return load(doc, bytes, fileName);
}
