#include "ArchiveWriter.h"
#include "DatabaseFile.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <gtest/gtest.h>

#include <limits>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

LoadSummary loadBytes(CVELMORDoc& doc, const std::string& bytes)
{
    return LoadDatabaseBytes(doc, bytes, "cmc.kdb");
}

std::string countOnly(std::int32_t count)
{
    std::ostringstream out;
    ArchiveWriter(out).writeInt32(count);
    return out.str();
}

/// A fresh directory, made the working directory for the test's lifetime.
class InTempDir : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Old = fs::current_path();
        m_Dir = fs::temp_directory_path() /
                ("velmor-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
        fs::current_path(m_Dir);
    }
    void TearDown() override
    {
        fs::current_path(m_Old);
        fs::remove_all(m_Dir);
    }

private:
    fs::path m_Old;
    fs::path m_Dir;
};

} // namespace

TEST(DatabaseLoader, LoadsEveryFieldInFileOrder)
{
    ReagentRecord full;
    full.LeadInt1 = -7;
    full.LeadInt2 = 123456;
    std::vector<std::string> texts;
    for (int t = 0; t < kTextFieldCount; ++t)
        texts.push_back(std::string(kFieldNames[t + 2]) + "-value");
    for (int t = 0; t < kTextFieldCount; ++t)
        fieldText(full, textField(t)) = texts[t];

    CVELMORDoc doc;
    const LoadSummary summary = loadBytes(doc, databaseBytes({full, reagent("B")}));
    EXPECT_EQ(summary.announced, 2);
    EXPECT_EQ(summary.loaded, 2);
    ASSERT_EQ(doc.RecordCount(), 2);
    const ReagentRecord& r = doc.Record(0);
    EXPECT_EQ(r.LeadInt1, -7);
    EXPECT_EQ(r.LeadInt2, 123456);
    for (int t = 0; t < kTextFieldCount; ++t)
        EXPECT_EQ(fieldText(r, textField(t)), texts[t]) << kFieldNames[t + 2];
    EXPECT_EQ(fieldByName("Spare3"), Field::Spare3);
    EXPECT_EQ(fieldText(doc.Record(1), *fieldByName("ChineseName")), "B");
    EXPECT_EQ(doc.Record(1).Spare3, "");
}

TEST(DatabaseLoader, EmptyRecordIsThirtyOneBytesAndZeroCountLoadsNothing)
{
    EXPECT_EQ(databaseBytes({ReagentRecord{}}).size(), 4u + 31u);

    CVELMORDoc doc;
    EXPECT_EQ(loadBytes(doc, countOnly(0)).loaded, 0);
    EXPECT_EQ(doc.RecordCount(), 0);
}

TEST(DatabaseLoader, ANegativeCountIsADamagedFileThatLoadsNothing)
{
    for (const std::int32_t count : {-1, -5, std::numeric_limits<std::int32_t>::min()}) {
        SCOPED_TRACE(count);
        CVELMORDoc doc;
        loadRecords(doc, {reagent("kept from before")});
        try {
            loadBytes(doc, countOnly(count) + databaseBytes({reagent("A")}));
            FAIL();
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.kind(), DatabaseError::Kind::Damaged);
            EXPECT_EQ(std::string(e.what()), "数据库文件“cmc.kdb”已损坏：开头的记录数是 " +
                                                 std::to_string(count) + "，记录数不能为负。");
        }
        EXPECT_EQ(doc.RecordCount(), 0);
    }
}

TEST(DatabaseLoader, BytesAfterTheLastRecordAreNeverRead)
{
    CVELMORDoc doc;
    const std::string bytes = databaseBytes({reagent("A")});
    const LoadSummary summary = loadBytes(doc, bytes + "\xFF\xFF\xFF\xFF\xFF trailing junk");
    EXPECT_EQ(doc.RecordCount(), 1);
    EXPECT_EQ(summary.bytesRead, bytes.size());
}

TEST(DatabaseLoader, FormulaMarkersAreRemovedFromTheFormulaOnly)
{
    CVELMORDoc doc;
    loadRecords(
        doc, {reagent("<sub>1</sub>", {{Field::Formula, "C<sub>6</sub>H<sub>12</sub>O<sub>6</sub>"},
                                       {Field::Remarks, "x<sub>2</sub>"}}),
              reagent("B", {{Field::Formula, "<sub></sub>"}}),
              // Each marker is deleted from the text as it stood: deleting the inner
              // "<sub>" forms a new one that stays.
              reagent("C", {{Field::Formula, "<su<sub>b>2</sub>"}})});
    EXPECT_EQ(doc.Record(0).Formula, "C6H12O6");
    EXPECT_EQ(doc.Record(0).Remarks, "x<sub>2</sub>");
    EXPECT_EQ(doc.Record(0).ChineseName, "<sub>1</sub>");
    EXPECT_EQ(doc.Record(1).Formula, "");
    EXPECT_EQ(doc.Record(2).Formula, "<sub>2");
}

TEST(DatabaseLoader, OnlyTheFormulaLosesItsMarkersWhetherItsTextIsShortOrLong)
{
    // Texts of 255 bytes or more have a three-byte length and take the loader's general path;
    // shorter ones are copied straight from the read buffer.
    for (const std::size_t padding : {std::size_t{10}, std::size_t{300}, std::size_t{70000}}) {
        SCOPED_TRACE(padding);
        const std::string tail(padding, 'x');
        const std::string marked = "H<sub>2</sub>O" + tail;
        ReagentRecord record = reagent("A", {});
        std::vector<std::string> texts;
        for (int t = 0; t < kTextFieldCount; ++t)
            texts.push_back(std::to_string(t) + marked);
        for (int t = 0; t < kTextFieldCount; ++t)
            fieldText(record, textField(t)) = texts[static_cast<std::size_t>(t)];
        CVELMORDoc doc;
        loadRecords(doc, {record});
        for (int t = 0; t < kTextFieldCount; ++t) {
            const Field field = textField(t);
            const std::string expected =
                field == Field::Formula ? std::to_string(t) + "H2O" + tail : texts[t];
            EXPECT_EQ(fieldText(doc.Record(0), field), expected) << kFieldNames[t + 2];
        }
    }
}

TEST(DatabaseLoader, DuplicateNamesAreKeptAndOnlyTheFirstIsFoundByName)
{
    CVELMORDoc doc;
    loadRecords(
        doc, {reagent("A", {{Field::Use, "1"}}), reagent("B"), reagent("A", {{Field::Use, "2"}})});
    ASSERT_EQ(doc.RecordCount(), 3);
    EXPECT_EQ(doc.Record(2).Use, "2");
    EXPECT_EQ(doc.FindRecordByName("A"), 0);
    EXPECT_EQ(doc.FindRecordByName("B"), 1);
    EXPECT_EQ(doc.FindRecordByName("A "), std::nullopt);
    EXPECT_EQ(doc.FindRecordByName("a"), std::nullopt);
    EXPECT_EQ(doc.FindRecordByName(""), std::nullopt);
}

TEST(DatabaseLoader, AnEmptyNameNeverFindsARecordEvenOneWithoutAName)
{
    // A name search without hits makes the empty name current: its page is the not-found note.
    CVELMORDoc doc;
    loadRecords(doc, {reagent("A"), reagent(""), reagent("B")});
    EXPECT_EQ(doc.FindRecordByName(""), std::nullopt);
    EXPECT_EQ(doc.FindRecordByName("B"), 2);
}

TEST(DatabaseLoader, TruncationAnywhereKeepsOnlyCompleteRecords)
{
    const std::string twelveBytes = "long enough!";
    const ReagentRecord first =
        reagent("first", {{Field::Formula, "H<sub>2</sub>O"}, {Field::Use, twelveBytes}});
    const std::string spare(300, 's'); // long enough to span several length-prefix bytes
    const std::string bytes = databaseBytes({first, reagent("second", {{Field::Spare3, spare}})});
    const std::size_t firstEnd = databaseBytes({first}).size();
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        CVELMORDoc doc;
        try {
            loadBytes(doc, bytes.substr(0, cut));
            FAIL() << "no error at cut " << cut;
        } catch (const DatabaseError& e) {
            EXPECT_EQ(e.kind(), DatabaseError::Kind::Truncated);
            EXPECT_NE(std::string(e.what()).find("cmc.kdb"), std::string::npos);
        }
        const int expected = cut >= firstEnd ? 1 : 0;
        ASSERT_EQ(doc.RecordCount(), expected) << "cut " << cut;
        if (expected == 1) {
            EXPECT_EQ(doc.Record(0).Formula, "H2O");
            EXPECT_EQ(doc.Record(0).Use, twelveBytes);
        }
        EXPECT_EQ(doc.Record(1).ChineseName, "");
    }
}

TEST(DatabaseLoader, TruncationMessageNamesRecordAndByte)
{
    CVELMORDoc doc;
    const std::string bytes = databaseBytes({reagent("A"), reagent("B")});
    try {
        loadBytes(doc, bytes.substr(0, bytes.size() - 3));
        FAIL();
    } catch (const DatabaseError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message, "数据库文件“cmc.kdb”不完整：第 2 条记录在第 " +
                               std::to_string(bytes.size() - 3) + " 字节处中断（文件共 " +
                               std::to_string(bytes.size() - 3) + " 字节）。");
    }
    try {
        loadBytes(doc, "\x01\x00");
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("记录数"), std::string::npos);
    }
}

TEST(DatabaseLoader, CountAboveCapacityLoadsTheFirst50000)
{
    std::ostringstream out;
    ArchiveWriter writer(out);
    writer.writeInt32(50002);
    for (int i = 0; i < 50001; ++i) // one record short: the 50001st is never read
        WriteRecord(writer, i == 49999 ? reagent("last") : ReagentRecord{});
    CVELMORDoc doc;
    const LoadSummary summary = loadBytes(doc, out.str());
    EXPECT_EQ(summary.announced, 50002);
    EXPECT_EQ(summary.loaded, 50000);
    EXPECT_EQ(doc.RecordCount(), 50000);
    EXPECT_EQ(doc.Record(49999).ChineseName, "last");
    const auto notice = summary.notice("cmc.kdb");
    ASSERT_TRUE(notice);
    EXPECT_NE(notice->find("50002"), std::string::npos);
}

TEST_F(InTempDir, LoadDatabaseReadsCmcKdbFromTheWorkingDirectory)
{
    {
        std::ofstream file("cmc.kdb", std::ios::binary);
        file << databaseBytes({reagent("A"), reagent("B")});
    }
    CVELMORDoc doc;
    EXPECT_EQ(LoadDatabase(doc).loaded, 2);
    EXPECT_EQ(doc.Record(1).ChineseName, "B");
}

TEST_F(InTempDir, MissingDirectoryAndFifoAreReportedWithoutHanging)
{
    CVELMORDoc doc;
    try {
        LoadDatabase(doc);
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::Missing);
        EXPECT_EQ(std::string(e.what()), "找不到数据库文件“cmc.kdb”。");
    }
    fs::create_directory("cmc.kdb");
    try {
        LoadDatabase(doc);
        FAIL();
    } catch (const DatabaseError& e) {
        EXPECT_EQ(e.kind(), DatabaseError::Kind::Unreadable);
    }
    fs::remove("cmc.kdb");
    ASSERT_EQ(::mkfifo("cmc.kdb", 0600), 0);
    EXPECT_THROW(LoadDatabase(doc), DatabaseError);
    EXPECT_EQ(doc.RecordCount(), 0);
}
