// render, run as a process: the program's own page painting, offscreen, into a PNG file.

#include "TestDatabase.h"
#include "ToolProcess.h"

#include <QImage>

#include <filesystem>

namespace {

class RenderCommandTest : public ToolTest
{
protected:
    void SetUp() override
    {
        m_Acid = gbkOf("硫酸");
        m_Long = std::string(70 * 30, 'x');
        writeFile("db/cmc.kdb",
                  databaseBytes({reagent(m_Acid, {{Field::StructureImage, "pictures/acid.png"},
                                                  {Field::Remarks, m_Long}})}));
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        std::filesystem::create_directories(path("db/pictures"));
        ASSERT_TRUE(red.save(QString::fromStdString(path("db/pictures/acid.png"))));
    }

    QImage rendered(const std::string& name) const
    {
        return QImage(QString::fromStdString(path(name)));
    }

    std::string m_Acid;
    std::string m_Long;
};

int countRed(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(Qt::red);
    }
    return count;
}

} // namespace

TEST_F(RenderCommandTest, ALongPageIsPaintedWholeWithItsPictureFromTheDatabaseDirectory)
{
    // Run elsewhere: the picture path is relative to the database file, not to the tool.
    const ToolRun run =
        runTool({"render", path("db/cmc.kdb"), "硫酸", "-o", path("acid.png")}, "/");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage page = rendered("acid.png");
    EXPECT_EQ(page.width(), 800);
    EXPECT_GT(page.height(), 30 * 26) << "the page grows to its scroll extent";
    EXPECT_EQ(countRed(page), 40 * 30);
}

TEST_F(RenderCommandTest, StartPageAndClientSize)
{
    ToolRun run = runTool({"render", path("db/cmc.kdb"), "firstpage", "-o", path("start.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(rendered("start.png").size(), QSize(800, 600));

    run = runTool({"render", path("db/cmc.kdb"), "firstpage", "-o", path("wide.png"), "--width",
                   "1024", "--height", "700"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(rendered("wide.png").size(), QSize(1024, 700));
}

TEST_F(RenderCommandTest, FailuresLeaveNoImage)
{
    EXPECT_EQ(runTool({"render", path("none.kdb"), "firstpage", "-o", path("a.png")}).exitCode, 1);
    EXPECT_EQ(runTool({"render", path("db/cmc.kdb"), "firstpage"}).exitCode, 2);
    EXPECT_EQ(
        runTool({"render", path("db/cmc.kdb"), "firstpage", "-o", path("b.png"), "--width", "0"})
            .exitCode,
        2);
    EXPECT_EQ(
        runTool({"render", path("db/cmc.kdb"), "\xF0\x9F\x98\x80", "-o", path("c.png")}).exitCode,
        2);
    EXPECT_EQ(fileNames(), std::vector<std::string>{"db"});
}
