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
/// copying each text into its column as it is read.
class DatabaseLoader
{
public:
    static LoadSummary load(CVELMORDoc& doc, ByteSource& source, std::uint64_t size,
                            std::string_view fileName, FileReading reading = FileReading::Ahead)
    {
        FieldColumns& columns = doc.m_Columns;
        doc.m_RecordCount = 0;
        columns.clear();
        ArchiveReader reader(source, size, reading == FileReading::Ahead);
        LoadSummary summary;
        summary.fileSize = size;
        // The record after the last one read whole is always begun, so that whatever of it
        // was read can be dropped.
        std::int32_t complete = 0;
        columns.beginRecord(complete);
        try {
            summary.announced = reader.readInt32();
            // A file that loads nothing only because its count is negative is not an empty
            // database: no file the database is written to starts so.
            if (summary.announced < 0)
                throw DatabaseError(DatabaseError::Kind::Damaged,
                                    "数据库文件" + quoted(fileName) + "已损坏：开头的记录数是 " +
                                        std::to_string(summary.announced) + "，记录数不能为负。");
            const std::int32_t toRead = std::min(summary.announced, CVELMORDoc::kCapacity);
            columns.expect(toRead);
            while (complete < toRead) {
                readRecord(columns, reader, complete);
                columns.beginRecord(++complete);
            }
        } catch (const ArchiveEnd& end) {
            finish(doc, complete);
            throw truncated(fileName, summary.fileSize, reader.offset() < 4, complete, end.offset);
        } catch (const std::bad_alloc&) {
            // Everything read goes, so that the program has memory to say so.
            forgetAll(doc);
            throw DatabaseError(DatabaseError::Kind::OutOfMemory,
                                "无法读取数据库文件" + quoted(fileName) + "：内存不足，读到第 " +
                                    std::to_string(complete + 1) + " 条记录时无法再分配内存。");
        } catch (...) {
            forgetAll(doc);
            throw;
        }
        finish(doc, complete);
        summary.loaded = complete;
        summary.bytesRead = reader.offset();
        return summary;
    }

private:
    static constexpr int kFormulaText = textIndex(Field::Formula);
    static constexpr int kOthers = FieldColumns::kOthers;
    static_assert(ArchiveReader::kPadding <= GrowingBytes::kPadding);
    static_assert(kMarkerPadding <= ArchiveReader::kPadding);
    // Runs of other texts are copied as the file has them: its one-byte lengths are the column's.
    static_assert(FieldColumns::kLongLength == 0xFF);

    /// Reads the integers and texts of `record`, which has been begun.
    static void readRecord(FieldColumns& columns, ArchiveReader& reader, int record)
    {
        const std::int32_t first = reader.readInt32();
        const std::int32_t second = reader.readInt32();
        columns.setLeadInts(record, first, second);
        for (int t = readBufferedTexts(columns, reader); t < kTextFieldCount; ++t)
            readText(columns, reader, t);
    }

    /// Reads text `t` of a record, whatever its length and encoding.
    static void readText(FieldColumns& columns, ArchiveReader& reader, int t)
    {
        const int column = FieldColumns::kColumnOf[t];
        const std::size_t from = columns.columnSize(column);
        const ArchiveReader::Length length = reader.readLength();
        if (length.utf16) {
            std::string wide(static_cast<std::size_t>(length.bytes), '\0');
            reader.readText(wide.data(), length);
            const std::string text = gbk::fromUtf16Le(wide);
            std::copy(text.begin(), text.end(),
                      append(columns, column, text.size(), reader.remaining()));
        } else {
            const auto bytes = static_cast<std::size_t>(length.bytes);
            reader.readText(append(columns, column, bytes, reader.remaining() - bytes), length);
        }
        if (t == kFormulaText)
            columns.shrinkColumn(column,
                                 from + RemoveFormulaMarkers(columns.columnData(column) + from,
                                                             columns.columnSize(column) - from));
    }

    static char* append(FieldColumns& columns, int column, std::size_t bytes,
                        std::size_t spareLimit)
    {
        return column == kOthers ? columns.appendOtherText(bytes, spareLimit)
                                 : columns.append(column, bytes, spareLimit);
    }

    /// Reads the texts of a record that lie whole in the reader's buffer with a one-byte
    /// length, which is nearly all of them, straight from the buffer; returns how many it read.
    /// The rest are left to the general path. The other texts go to their column as the file
    /// has them, a run at a time.
    static int readBufferedTexts(FieldColumns& columns, ArchiveReader& reader)
    {
        const std::string_view window = reader.buffered();
        const char* const begin = window.data();
        const char* const end = begin + window.size();
        const std::uint64_t left = reader.remaining();
        const auto leftAfter = [&](const char* at) {
            return left - static_cast<std::uint64_t>(at - begin);
        };
        const char* p = begin;
        const char* run = p; // other texts not yet copied start here
        int t = 0;
        for (; t < kTextFieldCount && p != end; ++t) {
            const auto bytes = static_cast<unsigned char>(*p);
            if (bytes == 0xFF || bytes >= end - p)
                break;
            const char* text = p + 1;
            p = text + bytes;
            const int column = FieldColumns::kColumnOf[t];
            if (column == kOthers)
                continue;
            copyRun(columns, run, text - 1, leftAfter(p));
            run = p;
            char* at = columns.append(column, bytes, leftAfter(p));
            if (t == kFormulaText)
                columns.shrinkColumn(column, columns.columnSize(column) - bytes +
                                                 CopyWithoutFormulaMarkers(at, text, bytes));
            else
                copyInMoves(at, text, bytes);
        }
        copyRun(columns, run, p, leftAfter(p));
        reader.consume(static_cast<std::size_t>(p - begin));
        return t;
    }

    /// Copies the other texts from `from` to `to`, lengths and all, to the others' column.
    static void copyRun(FieldColumns& columns, const char* from, const char* to,
                        std::size_t spareLimit)
    {
        const auto bytes = static_cast<std::size_t>(to - from);
        if (bytes > 0)
            copyInMoves(columns.append(kOthers, bytes, spareLimit), from, bytes);
    }

    /// Copies `bytes` bytes in fixed-size moves, which may run up to kPadding - 1 bytes past
    /// their end in both places: for a record's short texts and runs of them, a general copy
    /// costs more in starting up than in copying.
    static void copyInMoves(char* to, const char* from, std::size_t bytes)
    {
        constexpr std::size_t step = ArchiveReader::kPadding;
        std::size_t done = 0;
        do {
            std::memcpy(to + done, from + done, step);
            done += step;
        } while (done < bytes);
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
                                 std::to_string(fileSize) + " 字节）。");
    }

    /// Keeps the records read whole and drops what was read of the next one.
    static void finish(CVELMORDoc& doc, std::int32_t complete)
    {
        doc.m_Columns.seal(complete);
        doc.m_RecordCount = complete;
    }

    /// Drops every record and gives their memory back.
    static void forgetAll(CVELMORDoc& doc)
    {
        doc.m_Columns.clear(true);
        doc.m_Columns.beginRecord(0);
        finish(doc, 0);
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
    // Beside the windows being built, a third thread reading ahead would only take the
    // processor from the two that matter.
    const auto load = [&doc] {
        return LoadDatabaseFile(doc, kDatabaseFileName, FileReading::InTurn);
    };
    try {
        return std::async(std::launch::async, load);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, load);
    }
}

LoadSummary LoadDatabaseFile(CVELMORDoc& doc, const std::string& path, FileReading reading)
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
    return DatabaseLoader::load(doc, source, static_cast<std::uint64_t>(st.st_size), path, reading);
}

LoadSummary LoadDatabaseBytes(CVELMORDoc& doc, std::span<const char> bytes,
                              std::string_view fileName)
{
    MemorySource source(bytes);
    return DatabaseLoader::load(doc, source, bytes.size(), fileName);
}
