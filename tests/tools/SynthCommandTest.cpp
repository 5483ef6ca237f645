// synth, and the round trip synth -> dump csv -> build at the program's full size.

#include "CasNumber.h"
#include "DatabaseFile.h"
#include "FormulaWeight.h"
#include "ToolProcess.h"
#include "VELMORDoc.h"

using ::testing::HasSubstr;

namespace {

using SynthCommandTest = ToolTest;

TEST_F(SynthCommandTest, SameSeedSameFileOtherSeedOtherFile)
{
    ASSERT_EQ(runTool({"synth", "--count", "300", "-o", path("a.kdb")}).exitCode, 0);
    ASSERT_EQ(runTool({"synth", "--count", "300", "--seed", "1", "-o", path("b.kdb")}).exitCode, 0);
    ASSERT_EQ(runTool({"synth", "--count", "300", "--seed", "2", "-o", path("c.kdb")}).exitCode, 0);
    EXPECT_EQ(readFile("a.kdb"), readFile("b.kdb"));
    EXPECT_NE(readFile("a.kdb"), readFile("c.kdb"));

    CVELMORDoc doc;
    const LoadSummary summary = LoadDatabaseFile(doc, path("a.kdb"));
    EXPECT_EQ(summary.loaded, 300);
    EXPECT_EQ(summary.bytesRead, summary.fileSize);
    for (int i = 0; i < doc.RecordCount(); ++i) {
        EXPECT_EQ(CheckCasNumber(doc.Record(i).CasNumber).kind, CasVerdict::Kind::Valid);
        EXPECT_TRUE(FormulaWeight(doc.Record(i).Formula)) << doc.Record(i).Formula;
    }
}

TEST_F(SynthCommandTest, WrongCountsAreUsageErrors)
{
    for (const std::vector<std::string>& args : {
             std::vector<std::string>{"synth", "-o", path("x.kdb")},
             {"synth", "--count", "-1", "-o", path("x.kdb")},
             {"synth", "--count", "ten", "-o", path("x.kdb")},
             {"synth", "--count", "1000001", "-o", path("x.kdb")},
             {"synth", "--count", "10"},
         }) {
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_THAT(run.err, HasSubstr("用法"));
    }
    EXPECT_TRUE(fileNames().empty());
}

TEST_F(SynthCommandTest, FullSizeDatabaseSurvivesDumpAndBuild)
{
    ASSERT_EQ(runTool({"synth", "--count", "50000", "-o", path("synth.kdb")}).exitCode, 0);
    const ToolRun csv = runTool({"dump", path("synth.kdb"), "--format", "csv"});
    ASSERT_EQ(csv.exitCode, 0);
    writeFile("synth.csv", csv.out);
    const ToolRun build = runTool({"build", path("synth.csv"), "-o", path("rebuilt.kdb")});
    ASSERT_EQ(build.exitCode, 0) << build.err;

    const ToolRun original = runTool({"dump", path("synth.kdb")});
    const ToolRun rebuilt = runTool({"dump", path("rebuilt.kdb")});
    EXPECT_EQ(linesOf(rebuilt.out).size(), 50000u);
    EXPECT_TRUE(original.out == rebuilt.out);
}

} // namespace
