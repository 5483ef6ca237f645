// build, run as a process on CSV files written by the test.

#include "DatabaseFile.h"
#include "TestDatabase.h"
#include "ToolProcess.h"
#include "VELMORDoc.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class BuildCommandTest : public ToolTest
{
protected:
    /// Builds `csv` into out.kdb and loads the result.
    ToolRun build(const std::string& csv)
    {
        writeFile("in.csv", csv);
        const ToolRun run = runTool({"build", path("in.csv"), "-o", path("out.kdb")});
        if (run.exitCode == 0)
            LoadDatabaseFile(m_Doc, path("out.kdb"));
        return run;
    }

    /// Expects the build to fail with a message naming each of `parts`, leaving out.kdb as
    /// it was and no other file behind.
    void expectRefused(const std::string& csv, const std::vector<std::string>& parts)
    {
        writeFile("out.kdb", "old database");
        const ToolRun run = build(csv);
        EXPECT_EQ(run.exitCode, 1) << csv;
        EXPECT_THAT(run.err, HasSubstr("in.csv")) << csv;
        for (const std::string& part : parts)
            EXPECT_THAT(run.err, HasSubstr(part)) << csv;
        EXPECT_EQ(readFile("out.kdb"), "old database");
        EXPECT_THAT(fileNames(), ElementsAre("in.csv", "out.kdb"));
    }

    CVELMORDoc m_Doc;
};

TEST_F(BuildCommandTest, ColumnsInAnyOrderWithQuotedFields)
{
    const ToolRun run = build("\xEF\xBB\xBF"
                              "Formula,ChineseName,LeadInt2,Use\r\n"
                              "H<sub>2</sub>O,水,-12,\"溶剂, \"\"万能\"\"\r\n第二行\"\r\n"
                              "\n"
                              "NaCl,氯化钠,,\r\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(m_Doc.RecordCount(), 2);
    const ReagentRecord& water = m_Doc.Record(0);
    EXPECT_EQ(water.ChineseName, gbkOf("水"));
    EXPECT_EQ(water.Formula, "H2O");
    EXPECT_EQ(water.LeadInt1, 0);
    EXPECT_EQ(water.LeadInt2, -12);
    EXPECT_EQ(water.Use, gbkOf("溶剂, \"万能\"\r\n第二行"));
    EXPECT_EQ(water.CasNumber, "");
    EXPECT_EQ(m_Doc.Record(1).ChineseName, gbkOf("氯化钠"));
    EXPECT_EQ(m_Doc.Record(1).Use, "");
    EXPECT_THAT(fileNames(), ElementsAre("in.csv", "out.kdb"));
}

TEST_F(BuildCommandTest, OtherColumnsAreIgnoredAndListed)
{
    const ToolRun run = build("SMILES,ChineseName,Notes\nO,水,x\n");
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_THAT(run.err, HasSubstr("SMILES、Notes"));
    EXPECT_EQ(m_Doc.RecordCount(), 1);
    EXPECT_EQ(run.out, "");
}

TEST_F(BuildCommandTest, ReadsStandardInput)
{
    const ToolRun run = runTool({"build", "-", "-o", path("out.kdb")}, {}, "ChineseName\n水\n");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    LoadDatabaseFile(m_Doc, path("out.kdb"));
    EXPECT_EQ(m_Doc.Record(0).ChineseName, gbkOf("水"));
}

TEST_F(BuildCommandTest, TextOutsideCodePage936StopsTheBuild)
{
    // Row 3 as a spreadsheet counts it; it starts on line 4 because row 2 has a line break.
    expectRefused("ChineseName,Alias\n\"水\n\",x\n氯化钠,盐\xF0\x9F\xA7\x82\n",
                  {"第 3 行", "文件第 4 行", "Alias", "🧂", "U+1F9C2"});
    expectRefused("ChineseName\n\xC3\x28\n", {"第 2 行", "ChineseName", "0xC3", "UTF-8"});
}

TEST_F(BuildCommandTest, BrokenCsvIsRefused)
{
    expectRefused("ChineseName,Alias\n\"水,x\n", {"第 2 行", "引号"});
    expectRefused("ChineseName,Alias\n\"水\"x,y\n", {"第 2 行", "引号"});
    expectRefused("ChineseName,Alias\n水\"x,y\n", {"第 2 行", "引号"});
    expectRefused("ChineseName,Alias\n水,x,y\n", {"第 2 行", "3 个字段", "2 列"});
    expectRefused("ChineseName,LeadInt1\n水,12x\n", {"第 2 行", "LeadInt1", "12x"});
    expectRefused("ChineseName,LeadInt1\n水,4294967296\n", {"LeadInt1", "4294967296"});
    expectRefused("ChineseName,Alias,ChineseName\n", {"ChineseName", "不止一次"});
    expectRefused("", {"空"});
}

TEST_F(BuildCommandTest, MoreRowsThanTheProgramHoldsAreRefused)
{
    std::string csv = "ChineseName\n";
    for (int i = 0; i <= CVELMORDoc::kCapacity; ++i)
        csv += std::to_string(i) + "\n";
    expectRefused(csv, {"50000"});
}

TEST_F(BuildCommandTest, MissingInputOrUnwritableOutputExitsWithOne)
{
    const ToolRun missing = runTool({"build", path("none.csv"), "-o", path("out.kdb")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_THAT(missing.err, HasSubstr("none.csv"));

    writeFile("in.csv", "ChineseName\n水\n");
    const ToolRun noDirectory =
        runTool({"build", path("in.csv"), "-o", path("no/such/dir/out.kdb")});
    EXPECT_EQ(noDirectory.exitCode, 1);
    EXPECT_THAT(noDirectory.err, HasSubstr("no/such/dir"));

    std::filesystem::create_directory(path("taken"));
    const ToolRun ontoDirectory = runTool({"build", path("in.csv"), "-o", path("taken")});
    EXPECT_EQ(ontoDirectory.exitCode, 1);
    EXPECT_THAT(ontoDirectory.err, HasSubstr("taken"));
    EXPECT_THAT(fileNames(), ElementsAre("in.csv", "taken"));

    EXPECT_EQ(runTool({"build", path("in.csv")}).exitCode, 2);
}

} // namespace
