#include "ArchiveReader.h"
#include "DatabaseFile.h"
#include "Gbk.h"
#include "VELMORDoc.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
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

/// Deletes every `marker` from the text starting at `from`, looking at the text as it was:
/// bytes that come together only once a marker is gone are kept.
template <std::size_t N>
void removeAll(std::string& text, std::size_t from, const char (&marker)[N])
{
    constexpr std::size_t length = N - 1;
    char* const begin = text.data();
    const std::size_t size = text.size();
    std::size_t write = from;
    for (std::size_t read = from; read < size;) {
        if (begin[read] == '<' && size - read >= length &&
            std::memcmp(begin + read, marker, length) == 0) {
            read += length;
            continue;
        }
        begin[write++] = begin[read++];
    }
    text.resize(write);
}

/// Deletes every "<sub>", then every "</sub>", from a formula starting at `from`.
void removeFormulaMarkers(std::string& text, std::size_t from)
{
    removeAll(text, from, "<sub>");
    removeAll(text, from, "</sub>");
}

} // namespace

/// Parses a whole database file into the store. The records' texts are views into the file's
/// bytes, which the store keeps; only the searched fields are copied, into their columns.
class DatabaseLoader
{
public:
    static LoadSummary load(CVELMORDoc& doc, FileBytes file, std::string_view fileName)
    {
        const std::int32_t oldCount = doc.m_RecordCount;
        doc.m_RecordCount = 0;
        doc.m_FileBytes = std::move(file.data);
        doc.m_ConvertedTexts.clear();
        doc.m_Columns = FieldColumns();

        ArchiveReader reader(std::span<const char>(doc.m_FileBytes.get(), file.size));
        LoadSummary summary;
        summary.fileSize = file.size;
        std::int32_t complete = 0;
        try {
            summary.announced = reader.readInt32();
            const std::int32_t toRead = std::clamp(summary.announced, 0, CVELMORDoc::kCapacity);
            doc.m_Columns.reserve(static_cast<std::size_t>(toRead));
            for (; complete < toRead; ++complete) {
                if (complete == kSampleRecords)
                    doc.m_Columns.reserveLike(kSampleRecords, static_cast<std::size_t>(toRead));
                readRecord(doc, reader, doc.m_Records[complete]);
            }
        } catch (const ArchiveEnd& end) {
            finish(doc, complete, oldCount);
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
        } catch (...) {
            finish(doc, 0, CVELMORDoc::kCapacity);
            throw;
        }
        finish(doc, complete, oldCount);
        summary.loaded = complete;
        summary.bytesRead = reader.offset();
        return summary;
    }

private:
    /// After this many records the columns are sized for the rest, saving most regrowth.
    static constexpr std::int32_t kSampleRecords = 512;

    static constexpr std::array<int, kTextFieldCount> kColumnSlots = [] {
        std::array<int, kTextFieldCount> slots{};
        for (int t = 0; t < kTextFieldCount; ++t)
            slots[t] = FieldColumns::slotOf(textField(t));
        return slots;
    }();

    static void readRecord(CVELMORDoc& doc, ArchiveReader& reader, ReagentRecord& record)
    {
        record.LeadInt1 = reader.readInt32();
        record.LeadInt2 = reader.readInt32();
        for (int t = 0; t < kTextFieldCount; ++t) {
            const Field field = textField(t);
            const ArchiveReader::String s = reader.readString();
            std::string_view text = s.bytes;
            if (s.utf16)
                text = doc.m_ConvertedTexts.emplace_back(gbk::fromUtf16Le(s.bytes));
            fieldText(record, field) = text;
            const int slot = kColumnSlots[t];
            if (slot < 0)
                continue;
            std::string& column = doc.m_Columns.bytes(slot);
            const std::size_t start = column.size();
            doc.m_Columns.beginText(slot);
            column.append(text);
            if (field == Field::Formula)
                removeFormulaMarkers(column, start);
        }
    }

    /// Keeps `complete` records. The formulas now point at their cleaned column text; slots
    /// past the count, including a record cut short, are emptied so that no view outlives the
    /// bytes it pointed into.
    static void finish(CVELMORDoc& doc, std::int32_t complete, std::int32_t oldCount)
    {
        doc.m_Columns.seal(static_cast<std::size_t>(complete));
        for (int i = 0; i < complete; ++i)
            doc.m_Records[i].Formula = doc.m_Columns.text(Field::Formula, i);
        const int stale = std::min(std::max(oldCount, complete + 1), CVELMORDoc::kCapacity);
        for (int i = complete; i < stale; ++i)
            doc.m_Records[i] = ReagentRecord{};
        doc.m_RecordCount = complete;
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
    return DatabaseLoader::load(doc, readAll(fd, static_cast<std::uint64_t>(st.st_size), path),
                                path);
}

LoadSummary LoadDatabaseBytes(CVELMORDoc& doc, std::span<const char> bytes,
                              std::string_view fileName)
{
    FileBytes copy{std::make_unique_for_overwrite<char[]>(bytes.size()), bytes.size()};
    std::copy(bytes.begin(), bytes.end(), copy.data.get());
    return DatabaseLoader::load(doc, std::move(copy), fileName);
}
