#pragma once

#include "ReagentRecord.h"

#include <cstdint>
#include <future>
#include <optional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

class ArchiveWriter;
class CVELMORDoc;

/// The database file's name, opened in the working directory.
inline constexpr const char* kDatabaseFileName = "cmc.kdb";

/// A database file that could not be loaded. `what()` is a message for the user, in Chinese
/// (UTF-8), naming the file and the problem.
class DatabaseError : public std::runtime_error
{
public:
    enum class Kind
    {
        Missing,     ///< no such file
        Unreadable,  ///< exists but cannot be opened or read
        Truncated,   ///< ends before the count or a record is complete
        Damaged,     ///< announces a negative number of records
        OutOfMemory, ///< its records do not fit in the memory the program can have
    };

    DatabaseError(Kind kind, const std::string& message) : std::runtime_error(message), m_Kind(kind)
    {
    }
    Kind kind() const { return m_Kind; }

private:
    Kind m_Kind;
};

/// What a successful load found.
struct LoadSummary
{
    std::int32_t announced = 0;  ///< the count at the head of the file
    std::int32_t loaded = 0;     ///< records now in the store
    std::uint64_t bytesRead = 0; ///< offset just past the last record read
    std::uint64_t fileSize = 0;

    /// A message for the user when the file announced more records than the store holds.
    std::optional<std::string> notice(std::string_view fileName) const;
};

/// Loads the database file "cmc.kdb" from the working directory into `doc`.
LoadSummary LoadDatabase(CVELMORDoc& doc);

/// Begins loading "cmc.kdb" into `doc` on a thread of its own, so that the caller can build
/// its windows meanwhile. get() on the result waits for the load, then returns its summary or
/// throws what it threw; `doc` must not be used before. Where no thread can be started, the
/// load happens in get().
std::future<LoadSummary> StartLoadingDatabase(CVELMORDoc& doc);

/// How a large file is read: ahead on a second thread while the records read are parsed, or in
/// turn with the parsing, for a load that runs beside other work.
enum class FileReading
{
    Ahead,
    InTurn,
};

/// Loads the database file at `path`. On DatabaseError the records read completely stay in
/// `doc` and its count says how many they are.
LoadSummary LoadDatabaseFile(CVELMORDoc& doc, const std::string& path,
                             FileReading reading = FileReading::Ahead);

/// Loads a database held in memory; `fileName` names it in messages.
LoadSummary LoadDatabaseBytes(CVELMORDoc& doc, std::span<const char> bytes,
                              std::string_view fileName);

/// Writes one record in the database format.
void WriteRecord(ArchiveWriter& writer, const ReagentRecord& record);

/// Writes a whole database: the count, then the records. Formula markers are written as the
/// record holds them.
void WriteDatabase(std::ostream& out, std::span<const ReagentRecord> records);
