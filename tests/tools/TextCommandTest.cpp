// text, run as a process: the words of a page, as the window's "复制本页文字" copies them.

#include "TestDatabase.h"
#include "ToolProcess.h"

namespace {

class TextCommandTest : public ToolTest
{
protected:
    void SetUp() override
    {
        writeFile("cmc.kdb",
                  databaseBytes({reagent(gbkOf("五水硫酸铜"),
                                         {{Field::EnglishName, "Copper sulfate pentahydrate"},
                                          {Field::CasNumber, "7758-99-8"},
                                          {Field::Formula, "CuSO4.5H2O"},
                                          {Field::StructureImage, "none.png"},
                                          {Field::Purity, "x"},
                                          {Field::Remarks, std::string(75, 'r')}})}));
    }
};

} // namespace

TEST_F(TextCommandTest, PrintsThePageLineByLineInUtf8)
{
    const ToolRun run = runTool({"text", path("cmc.kdb"), "五水硫酸铜"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(linesOf(run.out), (std::vector<std::string>{
                                    "五水硫酸铜",
                                    "英文名称：Copper sulfate pentahydrate",
                                    "CAS号：7758-99-8",
                                    "化学式：CuSO4.5H2O",
                                    "结构式：",
                                    "商家：",
                                    "备注：" + std::string(70, 'r'),
                                    std::string(5, 'r'),
                                }));
    EXPECT_EQ(run.out.back(), '\n');
    // The width moves the title and the start page's lines, not their words.
    EXPECT_EQ(runTool({"text", path("cmc.kdb"), "五水硫酸铜", "--width", "300"}).out, run.out);
}

TEST_F(TextCommandTest, TheStartPageAndANameNotInTheFile)
{
    const ToolRun start = runTool({"text", path("cmc.kdb"), "firstpage"});
    EXPECT_EQ(start.exitCode, 0);
    ASSERT_EQ(linesOf(start.out).size(), 12u);
    EXPECT_EQ(linesOf(start.out)[4], "商家加入");

    const ToolRun missing = runTool({"text", path("cmc.kdb"), "乙醇"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "没有找到名为“乙醇”的试剂。\n");
}

TEST_F(TextCommandTest, WrongUseIsAUsageError)
{
    EXPECT_EQ(runTool({"text", path("cmc.kdb")}).exitCode, 2);
    EXPECT_EQ(runTool({"text", path("cmc.kdb"), "😀"}).exitCode, 2);
    EXPECT_EQ(runTool({"text", path("cmc.kdb"), "firstpage", "--width", "0"}).exitCode, 2);
    EXPECT_EQ(runTool({"text", path("none.kdb"), "firstpage"}).exitCode, 1);
}
