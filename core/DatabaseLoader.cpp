#include "ArchiveReader.h"
#include "DatabaseFile.h"
#include "FormulaMarkers.h"
#include "Gbk.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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

/// The database file, read in order.
class FileSource : public ByteSource
{
public:
    FileSource(int fd, std::string_view fileName) : m_Fd(fd), m_FileName(fileName) {}

    std::size_t read(char* into, std::size_t max) override
    {
        for (;;) {
            const ssize_t n = ::read(m_Fd, into, max);
            if (n >= 0)
                return static_cast<std::size_t>(n);
            if (errno != EINTR)
                throw unreadable(m_FileName, reasonOf(errno));
        }
    }

private:
    int m_Fd;
    std::string_view m_FileName;
};

} // namespace

/// Parses a database file into the store, record by record and field by field in file order,
/// copying each text into its field's column as it is read.
class DatabaseLoader
{
public:
    static LoadSummary load(CVELMORDoc& doc, ByteSource& source, std::uint64_t size,
                            std::string_view fileName)
    {
        doc.m_RecordCount = 0;
        doc.m_Columns.clear();
        ArchiveReader reader(source, size);
        LoadSummary summary;
        summary.fileSize = size;
        Progress progress;
        try {
            summary.announced = reader.readInt32();
            const std::int32_t toRead = std::clamp(summary.announced, 0, CVELMORDoc::kCapacity);
            for (; progress.complete < toRead; ++progress.complete)
                readRecord(doc.m_Columns, reader, progress);
        } catch (const ArchiveEnd& end) {
            finish(doc, progress);
            throw truncated(fileName, summary.fileSize, reader.offset() < 4, progress.complete,
                            end.offset);
        } catch (const std::bad_alloc&) {
            // Everything read goes, so that the program has memory to say so.
            doc.m_Columns.clear(true);
            finish(doc, Progress{});
            throw DatabaseError(DatabaseError::Kind::OutOfMemory,
                                "无法读取数据库文件" + quoted(fileName) + "：内存不足，读到第 " +
                                    std::to_string(progress.complete + 1) +
                                    " 条记录时无法再分配内存。");
        } catch (...) {
            doc.m_Columns.clear(true);
            finish(doc, Progress{});
            throw;
        }
        finish(doc, progress);
        summary.loaded = progress.complete;
        summary.bytesRead = reader.offset();
        return summary;
    }

private:
    struct Progress
    {
        std::int32_t complete = 0; ///< records read whole
        int begunTexts = 0;        ///< texts begun of the record after them
    };

    static constexpr int kFormulaText = textIndex(Field::Formula);
    static_assert(ArchiveReader::kPadding <= GrowingBytes::kPadding);
    static_assert(kMarkerPadding <= ArchiveReader::kPadding);

    static void readRecord(FieldColumns& columns, ArchiveReader& reader, Progress& progress)
    {
        const int record = progress.complete;
        columns.beginRecord(record);
        const std::int32_t first = reader.readInt32();
        const std::int32_t second = reader.readInt32();
        columns.setLeadInts(record, first, second);
        int t = readBufferedTexts(columns, reader, record);
        progress.begunTexts = t;
        for (; t < kTextFieldCount; ++t) {
            const ArchiveReader::Length length = reader.readLength();
            if (length.utf16) {
                std::string wide(static_cast<std::size_t>(length.bytes), '\0');
                reader.readText(wide.data(), length);
                const std::string text = gbk::fromUtf16Le(wide);
                char* at = columns.appendText(t, record, text.size(), reader.remaining());
                progress.begunTexts = t + 1;
                std::copy(text.begin(), text.end(), at);
            } else {
                const auto bytes = static_cast<std::size_t>(length.bytes);
                char* at = columns.appendText(t, record, bytes, reader.remaining() - bytes);
                progress.begunTexts = t + 1;
                reader.readText(at, length);
            }
            if (t == kFormulaText)
                removeFormulaMarkers(columns, record);
        }
        progress.begunTexts = 0; // whole now
    }

    /// Reads the texts of `record` that lie whole in the reader's buffer with a one-byte
    /// length, which is nearly all of them, straight from the buffer; returns how many it read.
    /// The rest are left to the general path.
    static int readBufferedTexts(FieldColumns& columns, ArchiveReader& reader, int record)
    {
        const std::string_view window = reader.buffered();
        const char* const begin = window.data();
        const char* const end = begin + window.size();
        const std::uint64_t left = reader.remaining();
        const char* p = begin;
        int t = 0;
        for (; t < kTextFieldCount && p != end; ++t) {
            const auto bytes = static_cast<unsigned char>(*p);
            if (bytes == 0xFF || bytes >= end - p)
                break;
            const char* text = p + 1;
            p = text + bytes;
            char* at =
                columns.appendText(t, record, bytes, left - static_cast<std::uint64_t>(p - begin));
            if (t == kFormulaText)
                columns.shrinkColumn(t, columns.startOf(t, record) +
                                            CopyWithoutFormulaMarkers(at, text, bytes));
            else
                copyShortText(at, text, bytes);
        }
        reader.consume(static_cast<std::size_t>(p - begin));
        return t;
    }

    /// Copies a text of fewer than 255 bytes in fixed-size moves, which may run up to
    /// kPadding - 1 bytes past its end in both places: for texts this short, a general copy
    /// costs more in starting up than in copying.
    static void copyShortText(char* to, const char* from, std::size_t bytes)
    {
        constexpr std::size_t step = ArchiveReader::kPadding;
        std::size_t done = 0;
        do {
            std::memcpy(to + done, from + done, step);
            done += step;
        } while (done < bytes);
    }

    /// Deletes the markers from the formula of `record`, the last text of its column.
    static void removeFormulaMarkers(FieldColumns& columns, int record)
    {
        const std::size_t from = columns.startOf(kFormulaText, record);
        char* data = columns.columnData(kFormulaText);
        columns.shrinkColumn(
            kFormulaText,
            from + RemoveFormulaMarkers(data + from, columns.columnSize(kFormulaText) - from));
    }

    static DatabaseError truncated(std::string_view fileName, std::uint64_t fileSize, bool inCount,
                                   std::int32_t complete, std::uint64_t at)
    {
        if (inCount)
            return DatabaseError(DatabaseError::Kind::Truncated,
                                 "数据库文件" + quoted(fileName) + "不完整：文件只有 " +
                                     std::to_string(fileSize) + " 字节，连开头的记录数都不完整。");
        return DatabaseError(DatabaseError::Kind::Truncated,
                             "数据库文件" + quoted(fileName) + "不完整：第 " +
                                 std::to_string(complete + 1) + " 条记录在第 " +
                                 std::to_string(at) + " 字节处中断（文件共 " +
                                 std::to_string(fileSize) + " 字节）。已读入前 " +
                                 std::to_string(complete) + " 条完整的记录。");
    }

    /// Keeps the records read whole and drops the texts begun of the next one.
    static void finish(CVELMORDoc& doc, const Progress& progress)
    {
        doc.m_Columns.seal(progress.complete, progress.begunTexts);
        doc.m_RecordCount = progress.complete;
    }
};

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

std::future<LoadSummary> StartLoadingDatabase(CVELMORDoc& doc)
{
    const auto load = [&doc] { return LoadDatabase(doc); };
    try {
        return std::async(std::launch::async, load);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, load);
    }
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
    FileSource source(fd, path);
    return DatabaseLoader::load(doc, source, static_cast<std::uint64_t>(st.st_size), path);
}

LoadSummary LoadDatabaseBytes(CVELMORDoc& doc, std::span<const char> bytes,
                              std::string_view fileName)
{
    MemorySource source(bytes);
    return DatabaseLoader::load(doc, source, bytes.size(), fileName);
}
