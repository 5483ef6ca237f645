// The loader against files that follow the format but are large: trailing bytes, fields that
// claim more than the file holds, and records that do not fit in the memory allowed.

#include "AddressSpaceLimit.h"
#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "DatabaseFile.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

/// A file in the temporary folder, removed with the object.
struct TempFile
{
    fs::path path = fs::temp_directory_path() /
                    ("velmor-limits-" + std::to_string(::getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".kdb");
    ~TempFile() { fs::remove(path); }
};

/// A database announcing `announced` records, holding `records` records whose Use is `use`.
void writeDatabase(const fs::path& path, std::int32_t announced, int records, std::string_view use)
{
    std::ofstream out(path, std::ios::binary);
    ArchiveWriter writer(out);
    writer.writeInt32(announced);
    for (int i = 0; i < records; ++i)
        WriteRecord(writer, reagent("r" + std::to_string(i), {{Field::Use, use}}));
}

} // namespace

TEST(LoaderLimits, TrailingSparseZerosAreNeitherReadNorKept)
{
    TempFile file;
    writeDatabase(file.path, 3, 3, "solvent");
    const auto recordBytes = fs::file_size(file.path);
    constexpr std::uint64_t kTrailing = 8ull << 30; // 8 GiB of zeros that take no disk
    fs::resize_file(file.path, recordBytes + kTrailing);

    CVELMORDoc doc;
    const std::uint64_t readBefore = ProcNumber("/proc/self/io", "rchar:");
    const std::uint64_t spaceBefore = ProcNumber("/proc/self/status", "VmSize:") * 1024;
    const std::uint64_t residentBefore = ProcNumber("/proc/self/status", "VmRSS:") * 1024;
    const LoadSummary summary = LoadDatabaseFile(doc, file.path.string());
    const std::uint64_t read = ProcNumber("/proc/self/io", "rchar:") - readBefore;

    EXPECT_EQ(summary.loaded, 3);
    EXPECT_EQ(summary.bytesRead, recordBytes);
    EXPECT_EQ(summary.fileSize, recordBytes + kTrailing);
    // The count includes reading /proc/self/io itself, a few hundred bytes.
    EXPECT_LE(read, recordBytes + ArchiveReader::kMostFetchedAhead + 4096)
        << "at most the read-ahead past";
    EXPECT_LT(ProcNumber("/proc/self/status", "VmSize:") * 1024 - spaceBefore, 8u << 20)
        << "memory for the records only";
    // Table pages come in as records are written; those of records that never came are given
    // back. (The address sanitizer's own memory makes the resident size say
    // nothing of the program's.)
    if (!kAddressSanitizer) {
        EXPECT_LT(ProcNumber("/proc/self/status", "VmRSS:") * 1024 - residentBefore, 512u << 10)
            << "resident memory for the records only";
    }
    EXPECT_EQ(doc.Record(2).ChineseName, "r2");
}

TEST(LoaderLimits, HugeFieldsEarlyAndAShortTailAreTruncatedNotOutOfMemory)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address sanitizer needs more address space than the limit allows";
    TempFile file;
    // 600 records of 100 KB each announce 50,000: a reservation guessed from the first records
    // would ask for gigabytes; the file holds 60 MB and then stops in a record.
    writeDatabase(file.path, 50000, 600, std::string(100 * 1024, 'u'));
    {
        std::ofstream tail(file.path, std::ios::binary | std::ios::app);
        tail << "\x01\x00\x00\x00\x02";
    }
    EXPECT_EXIT(
        {
            LimitAddressSpace(512u << 20);
            CVELMORDoc doc;
            try {
                LoadDatabaseFile(doc, file.path.string());
            } catch (const DatabaseError& e) {
                std::fprintf(stderr, "%s\n", e.what());
                std::_Exit(
                    e.kind() == DatabaseError::Kind::Truncated && doc.RecordCount() == 600 ? 0 : 1);
            }
            std::_Exit(2);
        },
        ::testing::ExitedWithCode(0), "第 601 条记录");
}

TEST(LoaderLimits, ALoadThatRunsOutOfMemoryIsReportedAndGivesItsMemoryBack)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the address sanitizer needs more address space than the limit allows";
    TempFile file;
    writeDatabase(file.path, 100, 100, std::string(1 << 20, 'u')); // 100 MB of records
    EXPECT_EXIT(
        {
            LimitAddressSpace(48u << 20);
            CVELMORDoc doc;
            try {
                LoadDatabaseFile(doc, file.path.string());
            } catch (const DatabaseError& e) {
                std::fprintf(stderr, "%s\n", e.what());
                // The store is empty again, and its memory can serve the program.
                const bool empty = doc.RecordCount() == 0 && doc.Record(0).ChineseName.empty();
                const std::string room(32u << 20, 'x');
                std::_Exit(e.kind() == DatabaseError::Kind::OutOfMemory && empty && room[7] == 'x'
                               ? 0
                               : 1);
            }
            std::_Exit(2);
        },
        ::testing::ExitedWithCode(0), "内存不足");
}
