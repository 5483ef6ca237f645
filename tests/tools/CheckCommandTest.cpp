// check, run as a process on database files and pictures written by the test.

#include "TestDatabase.h"
#include "TestPictures.h"
#include "ToolProcess.h"

#include <QImage>

#include <filesystem>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

class CheckCommandTest : public ToolTest
{
protected:
    void writePicture(const std::string& name, int width, int height)
    {
        std::filesystem::create_directories(std::filesystem::path(path(name)).parent_path());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        ASSERT_TRUE(image.save(QString::fromStdString(path(name)), "PNG"));
    }

    const std::string m_Water = gbkOf("水");
    const std::string m_Salt = gbkOf("氯化钠");
    const std::string m_Vitriol = gbkOf("五水硫酸铜");
};

TEST_F(CheckCommandTest, AGoodDatabasePassesFromAnyWorkingDirectory)
{
    writePicture("db/structures/water.png", 40, 30);
    writeFile("db/cmc.kdb",
              databaseBytes({
                  reagent(m_Water, {{Field::CasNumber, "7732-18-5"},
                                    {Field::Formula, "H<sub>2</sub>O"},
                                    {Field::MolecularWeight, "18.02"},
                                    {Field::StructureImage, "structures/water.png"}}),
                  reagent(m_Vitriol, {{Field::CasNumber, "7758-99-8"},
                                      {Field::Formula, "CuSO<sub>4</sub>.5H<sub>2</sub>O"},
                                      {Field::MolecularWeight, "249.69"}}),
                  reagent(m_Salt, {{Field::Formula, "NaCl"}, {Field::MolecularWeight, "58.4"}}),
              }));
    // The picture path is relative to the database's directory, not to the working one.
    const ToolRun run = runTool({"check", path("db/cmc.kdb")}, path("."));
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "检查了 3 条记录：0 个错误，0 个警告。\n");
}

TEST_F(CheckCommandTest, TakesPicturePathsAsTheProgramDoes)
{
    // Backslashes separate folders, and a long thin picture small in memory is fine; a
    // header without the data behind it is not.
    writePicture("db/structures/water.png", 9000, 60);
    writeFile("db/structures/header.bmp", BmpHeaderOnly(300, 220));
    writeFile(
        "db/cmc.kdb",
        databaseBytes({reagent(m_Water, {{Field::StructureImage, "structures\\water.png"}}),
                       reagent(m_Salt, {{Field::StructureImage, "structures\\header.bmp"}})}));
    const ToolRun run = runTool({"check", path("db/cmc.kdb")});
    EXPECT_EQ(linesOf(run.out),
              (std::vector<std::string>{
                  "错误：第 2 条记录“氯化钠”：结构式图片“structures\\header.bmp”：图片无法解码。",
                  "检查了 2 条记录：1 个错误，0 个警告。"}));
}

TEST_F(CheckCommandTest, ListsEachFindingWithRecordNumberAndName)
{
    writeFile("big.bmp", BmpHeaderOnly(4097, 4096));
    writeFile("broken.png", "\x89PNG\r\n\x1a\n not really");
    writeFile("cmc.kdb", databaseBytes({
                             reagent(m_Water, {{Field::CasNumber, "7732-18-4"}}),
                             reagent(m_Salt, {{Field::CasNumber, "7647145"}}),
                             reagent(m_Water, {{Field::StructureImage, "missing.png"}}),
                             reagent("", {{Field::StructureImage, "broken.png"}}),
                             reagent(m_Vitriol, {{Field::Formula, "CuSO4.5H2O"},
                                                 {Field::MolecularWeight, "159.61"},
                                                 {Field::StructureImage, "big.bmp"}}),
                             reagent(gbkOf("聚乙烯"),
                                     {{Field::Formula, "(C2H4)n"}, {Field::MolecularWeight, "28"}}),
                         }));
    const ToolRun run = runTool({"check", path("cmc.kdb")});
    EXPECT_EQ(run.exitCode, 1);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 10u) << run.out;
    EXPECT_THAT(lines[0],
                HasSubstr("错误：第 1 条记录“水”：CAS 号“7732-18-4”的校验位不对，应为 5"));
    EXPECT_THAT(lines[1], HasSubstr("第 2 条记录“氯化钠”：CAS 号“7647145”格式不对"));
    EXPECT_THAT(lines[2], HasSubstr("第 3 条记录“水”：中文名称与第 1 条记录相同"));
    EXPECT_THAT(lines[3], HasSubstr("第 3 条记录“水”：结构式图片“missing.png”：图片文件不存在"));
    EXPECT_THAT(lines[4], HasSubstr("第 4 条记录“”：中文名称是空的"));
    EXPECT_THAT(lines[5], HasSubstr("第 4 条记录“”：结构式图片“broken.png”："));
    EXPECT_THAT(run.out, HasSubstr("分子量“159.61”与化学式“CuSO4.5H2O”算出的 249.68 不符"));
    EXPECT_THAT(run.out,
                HasSubstr("结构式图片“big.bmp”：图片太大（4097×4096 像素），解码后超过了 64 MiB"));
    EXPECT_THAT(run.out, HasSubstr("警告：第 6 条记录“聚乙烯”：无法从化学式“(C2H4)n”算出分子量"));
    EXPECT_EQ(lines.back(), "检查了 6 条记录：8 个错误，1 个警告。");
}

TEST_F(CheckCommandTest, FileLevelFaults)
{
    const std::string good = databaseBytes({reagent(m_Water), reagent(m_Salt)});

    writeFile("trailing.kdb", good + "rest");
    ToolRun run = runTool({"check", path("trailing.kdb")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.out, HasSubstr("最后一条记录之后还有 4 字节"));

    writeFile("truncated.kdb", good.substr(0, good.size() - 1));
    run = runTool({"check", path("truncated.kdb")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.err, HasSubstr("truncated.kdb"));
    EXPECT_THAT(run.out, HasSubstr("不完整"));
    EXPECT_THAT(run.out, HasSubstr("检查了 1 条记录"));

    run = runTool({"check", path("missing.kdb")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr("missing.kdb"));
}

TEST_F(CheckCommandTest, CountAboveTheLimitIsAnErrorButOtherCommandsReadTheFirst50000)
{
    ASSERT_EQ(runTool({"synth", "--count", "50001", "-o", path("big.kdb")}).exitCode, 0);

    const ToolRun info = runTool({"info", path("big.kdb")});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(linesOf(info.out)[0], "records: 50000");
    EXPECT_THAT(info.err, HasSubstr("50001"));

    const ToolRun check = runTool({"check", path("big.kdb")});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_THAT(linesOf(check.out)[0], HasSubstr("声明了 50001 条记录"));
    EXPECT_THAT(check.out, Not(HasSubstr("最后一条记录之后")));
}

} // namespace
