// The pixels of painted pages: the start page's lines, a reagent page's labels in their order,
// pictures that cannot be loaded, and the business-cooperation page after a failed load.

#include "VELMORView.h"

#include "PageCanvas.h"
#include "TestDatabase.h"
#include "TestPictures.h"
#include "VELMORDoc.h"

#include <QFile>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <tuple>

namespace {

constexpr QSize kClient(800, 600);

/// A white page on which the test draws text as the page places it: top-left at (x, y).
class ReferencePage
{
public:
    explicit ReferencePage(QSize size) : m_Image(size, QImage::Format_RGB32)
    {
        m_Image.fill(Qt::white);
    }

    void Text(PageFont font, int x, int y, const QString& text)
    {
        QPainter painter(&m_Image);
        painter.setPen(Qt::black);
        const QFont f = PageCanvas::pageFont(font);
        painter.setFont(f);
        painter.drawText(x, y + QFontMetrics(f).ascent(), text);
    }

    const QImage& Image() const { return m_Image; }

private:
    QImage m_Image;
};

int Width(PageFont font, const QString& text)
{
    return QFontMetrics(PageCanvas::pageFont(font)).horizontalAdvance(text);
}

int Height(PageFont font)
{
    return QFontMetrics(PageCanvas::pageFont(font)).height();
}

class PagePaint : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    CVELMORDoc doc;
    CVELMORView view{doc};

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        view.SetPictureDirectory(QDir(dir.path()));
        view.SetInitialScrollSizes();
    }

    void WritePicture(const QString& name, QSize size)
    {
        QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path());
        QImage red(size, QImage::Format_RGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(dir.filePath(name)));
    }

    QImage Render(const std::string& name)
    {
        doc.SetCurrentName(name);
        return view.RenderPage(kClient);
    }
};

int CountRed(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(Qt::red);
    return count;
}

} // namespace

TEST_F(PagePaint, TheStartPageDrawsItsTwelveLinesInTheirFontsAndPlaces)
{
    const std::vector<std::tuple<PageFont, int, QString>> lines = {
        {PageFont::Title, 3, "软件介绍 "},
        {PageFont::Text, 8,
         "本软件收集试剂词条近2万条，包括试剂名称、别  名、CAS号、化学式、分子量、纯度、存"},
        {PageFont::Text, 12,
         "储方法、闪点、熔点、沸点、比旋光度、蒸汽压、溶解性、毒性、外观、用途、生产商家等信息。"
         "可"},
        {PageFont::Text, 12,
         "根据名称、CAS号、化学式、用途进行检索。是实验室工作者必不可少的工具书与好帮手。"},
        {PageFont::Title, 3, "商家加入"},
        {PageFont::Text, 8,
         "本软件热诚征集试剂生产厂商合作，有意向的商家请将贵公司的试剂产品名称、物性数据、"},
        {PageFont::Text, 12,
         "联系方式及产品报价表单发送至 vendors@velmor.example，我们审核通过后将更新软件版本，"
         "在相应的试"},
        {PageFont::Text, 12,
         "剂中，'商家'一栏显示贵公司名称及联系方式。以便用户在查询试剂的同时能找到其对应的生产厂"},
        {PageFont::Text, 12, "商。给用户以采购平台，给商家以推广机会。"},
        {PageFont::Title, 8, "合作咨询电话：555-0100"},
        {PageFont::Title, 8, "业务QQ：10000"},
        {PageFont::Title, 8, "软件现有词条不断增加，请您随时关注更新最新版本。"},
    };
    // Every line is placed with the width and height of the title line in the title font.
    const int tw = Width(PageFont::Title, QStringLiteral("软件介绍 "));
    const int th = Height(PageFont::Title);
    ReferencePage expected(kClient);
    int y = 15;
    for (const auto& [font, divisor, text] : lines) {
        expected.Text(font, (15 + kClient.width() - 15) / divisor - tw / 2, y, text);
        y += th + 10;
    }
    EXPECT_EQ(Render("firstpage"), expected.Image());
}

TEST_F(PagePaint, TheNineteenLabelsStandInTheirOrderAndEndAtTheValueColumn)
{
    WritePicture(QStringLiteral("red.png"), {40, 30});
    const std::vector<std::pair<Field, QString>> rows = {
        {Field::EnglishName, "英文名称："},
        {Field::Alias, "别名："},
        {Field::CasNumber, "CAS号："},
        {Field::Formula, "化学式："},
        {Field::StructureImage, "结构式："},
        {Field::MolecularWeight, "分子量："},
        {Field::Purity, "纯度："},
        {Field::Storage, "储存方法："},
        {Field::FlashPoint, "闪点："},
        {Field::BoilingPoint, "沸点："},
        {Field::MeltingPoint, "熔点："},
        {Field::SpecificRotation, "比旋光度："},
        {Field::VapourPressure, "蒸汽压："},
        {Field::Solubility, "溶解性："},
        {Field::Toxicity, "毒性："},
        {Field::Appearance, "外观："},
        {Field::Use, "用途："},
        {Field::Vendor, "商家："},
        {Field::Remarks, "备注："},
    };
    const std::string name = gbkOf("乙醇");
    ReagentRecord record = reagent(name);
    for (const auto& [field, label] : rows)
        fieldText(record, field) = "abc";
    record.Formula = "NaCl";
    record.StructureImage = "red.png";
    loadRecords(doc, {record});
    const QImage page = Render(name);

    const int valueX = 15 + Width(PageFont::Text, QStringLiteral("五个字哦："));
    const int lh = Height(PageFont::Text);
    int y = 45;
    for (const auto& [field, label] : rows) {
        SCOPED_TRACE(label.toStdString());
        ReferencePage expected(page.size());
        expected.Text(PageFont::Text, valueX - Width(PageFont::Text, label), y, label);
        // The label column alone: the values begin at its right edge.
        const QRect column(0, y, valueX - 2, lh);
        EXPECT_EQ(page.copy(column), expected.Image().copy(column));
        y += field == Field::StructureImage ? lh + 30 : lh + 10;
    }
    EXPECT_EQ(CountRed(page), 40 * 30);
}

TEST(PageFonts, EachIsTheLargestSizeWhoseCellFitsItsCellHeight)
{
    for (const auto& [font, cell, bold] :
         {std::tuple{PageFont::Title, 20, true}, std::tuple{PageFont::Text, 16, false},
          std::tuple{PageFont::Subscript, 10, false}}) {
        QFont f = PageCanvas::pageFont(font);
        EXPECT_EQ(f.bold(), bold);
        EXPECT_LE(QFontMetrics(f).height(), cell) << f.pixelSize();
        f.setPixelSize(f.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(f).height(), cell) << f.pixelSize();
    }
}

TEST(PageFonts, TheTitlesChineseAndLatinBothComeFromBoldFaces)
{
    // The start page's headings, its three bold lines and every page title: a regular Chinese
    // face made bold by smearing thins out at higher device pixel ratios beside the Latin bold.
    QTextLayout layout(QStringLiteral("合作咨询电话：555-0100 QQ"),
                       PageCanvas::pageFont(PageFont::Title));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    EXPECT_GE(runs.size(), 2);
    for (const QGlyphRun& run : runs)
        EXPECT_TRUE(run.rawFont().styleName().contains(QStringLiteral("Bold"), Qt::CaseInsensitive))
            << run.rawFont().familyName().toStdString() << " "
            << run.rawFont().styleName().toStdString();
}

TEST_F(PagePaint, APictureThatCannotBeLoadedTakesNoRoom)
{
    QFile file(dir.filePath(QStringLiteral("broken.bmp")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(BmpHeaderOnly(300, 220)));
    file.close();

    const std::string broken = gbkOf("坏图"), missing = gbkOf("无图");
    loadRecords(doc, {reagent(broken, {{Field::StructureImage, "broken.bmp"},
                                       {Field::MolecularWeight, "46.07"}}),
                      reagent(missing, {{Field::StructureImage, "missing.bmp"},
                                        {Field::MolecularWeight, "46.07"}})});
    const QImage brokenPage = Render(broken);
    const QImage missingPage = Render(missing);
    // Only the titles differ: the label after the picture follows one line below its label.
    const int below = 45;
    EXPECT_EQ(brokenPage.copy(0, below, kClient.width(), kClient.height() - below),
              missingPage.copy(0, below, kClient.width(), kClient.height() - below));
    const int lh = Height(PageFont::Text);
    const QString label = QStringLiteral("分子量：");
    ReferencePage expected(kClient);
    const int valueX = 15 + Width(PageFont::Text, QStringLiteral("五个字哦："));
    expected.Text(PageFont::Text, valueX - Width(PageFont::Text, label), below + lh, label);
    const QRect labelBand(0, below + lh, valueX - 2, lh);
    EXPECT_EQ(brokenPage.copy(labelBand), expected.Image().copy(labelBand));
}

TEST_F(PagePaint, PicturePathsWithBackslashesNameFolders)
{
    WritePicture(QStringLiteral("structures/red.png"), {20, 10});
    const std::string name = gbkOf("乙醇");
    loadRecords(doc, {reagent(name, {{Field::StructureImage, "structures\\red.png"}})});
    EXPECT_EQ(CountRed(Render(name)), 20 * 10);
}

TEST_F(PagePaint, TheBusinessCommandShowsTheStartPageOnceAfterAFailedLoad)
{
    view.resize(kClient);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto grab = [&] { return view.viewport()->grab().toImage(); };
    doc.SetCurrentName("firstpage");
    const QImage startPage = grab();

    doc.SetCurrentName("");
    view.ShowLoadFailure(QStringLiteral("找不到数据库文件“cmc.kdb”。"));
    const QImage failure = grab();
    ASSERT_NE(failure, startPage);

    view.ShowBusinessPage();
    EXPECT_EQ(grab(), startPage);
    EXPECT_EQ(view.SpecialPage(), "");
    EXPECT_EQ(grab(), failure) << "one paint only";
}
