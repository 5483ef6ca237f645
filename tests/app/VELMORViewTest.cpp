#include "VELMORView.h"

#include "PageCanvas.h"
#include "ShownView.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

namespace {

class ViewTest : public ShownView
{
protected:
    const std::string acid = gbkOf("硫酸");
    const std::string water = gbkOf("水");
    const std::string longRemarks = std::string(70 * 30, 'r'); // 31 lines

    void SetUp() override
    {
        WriteRedPicture(QStringLiteral("acid.png"), {40, 30});
        Show({reagent(acid, {{Field::EnglishName, "Sulfuric acid"},
                             {Field::StructureImage, "acid.png"},
                             {Field::Remarks, longRemarks}}),
              reagent(water, {{Field::EnglishName, "Water"}})});
    }
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

TEST_F(ViewTest, ScrollExtentGrowsForALongPageAndFallsBackForAShortOne)
{
    EXPECT_EQ(view.TotalSize(), QSize(600, 100));
    Select(acid);
    Grab();
    const int height = view.TotalSize().height();
    EXPECT_GT(height, 900);
    EXPECT_EQ(view.TotalSize().width(), 600);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), height - view.viewport()->height());

    view.verticalScrollBar()->setValue(200);
    Grab();
    EXPECT_EQ(view.TotalSize().height(), height) << "scrolling keeps the extent";

    Select(water);
    Grab();
    EXPECT_EQ(view.TotalSize(), QSize(600, 100));
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
}

TEST_F(ViewTest, AScrolledViewShowsThePageAtItsOffsetWithThePictureBesideItsLabel)
{
    Open(acid);
    const int offset = 37;
    view.verticalScrollBar()->setValue(offset);
    const QImage shown = Grab();
    const QSize client = view.viewport()->size();

    // The same page drawn whole, cut at the offset.
    EXPECT_EQ(shown, view.RenderPage(client).copy(QRect(QPoint(0, offset), client)));

    // The picture where the layout places it, beside "结构式：", moved up by the offset.
    PageCanvas canvas{QDir(dir.path())};
    const PageLayout page =
        ComposePage(doc, {acid, "", {client.width(), client.height()}, 100}, canvas);
    const PagePicture* picture = nullptr;
    int labelY = -1;
    for (const PageItem& item : page.items) {
        if (const auto* p = std::get_if<PagePicture>(&item))
            picture = p;
        if (const auto* t = std::get_if<PageText>(&item); t && t->text == gbkOf("结构式："))
            labelY = t->y;
    }
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->y, labelY);
    QRect red;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixelColor(x, y) == QColor(Qt::red))
                red |= QRect(x, y, 1, 1);
    EXPECT_EQ(red, QRect(picture->x, picture->y - offset, 40, 30));
}

TEST_F(ViewTest, BusinessCooperationShowsTheStartPageForOnePaintOnly)
{
    Select("firstpage");
    const QImage startPage = Grab();
    Select(water);
    const QImage waterPage = Grab();
    ASSERT_NE(startPage, waterPage);

    view.ShowBusinessPage();
    EXPECT_EQ(view.SpecialPage(), "shangjia");
    EXPECT_EQ(Grab(), startPage);
    EXPECT_EQ(view.SpecialPage(), "");
    EXPECT_EQ(doc.m_CurrentName, water);
    EXPECT_EQ(Grab(), waterPage) << "the next paint shows the current reagent again";
}

TEST_F(ViewTest, RenderedPageIsWholeAndShowsThePicture)
{
    Select(acid);
    const QImage page = view.RenderPage({800, 600});
    EXPECT_EQ(page.size(), QSize(800, view.TotalSize().height()));
    EXPECT_EQ(countRed(page), 40 * 30);

    // The last line ends 30 pixels above the bottom, far below the client height.
    const QImage lastLines = page.copy(0, page.height() - 70, page.width(), 40);
    QImage blank(lastLines.size(), lastLines.format());
    blank.fill(Qt::white);
    EXPECT_NE(lastLines, blank);

    view.SetPictureDirectory(QDir(dir.filePath("elsewhere")));
    EXPECT_EQ(countRed(view.RenderPage({800, 600})), 0) << "a missing picture paints nothing";
}

TEST(ViewRender, APageWiderThanItsImageKeepsEverythingThatFallsOnTheImage)
{
    // A formula of 40,000 letters runs far past the image's right edge: only what lies on the
    // image is composed, and the image is what the whole composition would paint.
    CVELMORDoc doc;
    const std::string name = gbkOf("长式");
    std::string formula;
    for (int i = 0; i < 20000; ++i)
        formula += i % 7 ? "CH" : "C2";
    loadRecords(doc, {reagent(name, {{Field::Formula, formula}, {Field::Remarks, "remark"}})});
    ASSERT_TRUE(doc.FindRecordByName(name));
    doc.SetCurrentName(name);
    CVELMORView view(doc);
    view.SetInitialScrollSizes();
    const QImage rendered = view.RenderPage({800, 600});

    PageCanvas canvas{QDir()};
    const PageLayout whole = ComposePage(doc, {name, "", {800, 600}, 100}, canvas);
    QImage expected(rendered.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    canvas.paint(painter, whole);
    painter.end();
    EXPECT_EQ(rendered, expected);
}

TEST_F(ViewTest, PrintingALongPageFillsSeveralSheetsAndChangesNothing)
{
    Select(acid);
    Grab();
    const QSize extent = view.TotalSize();
    view.ShowBusinessPage();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A5));
    view.PrintPage(printer);

    QFile pdf(dir.filePath("page.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString bytes = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(bytes.count(QRegularExpression("/Type\\s*/Page\\b")), 1)
        << "the business request waiting for its paint is printed as the start page";
    EXPECT_EQ(view.SpecialPage(), "shangjia");

    Grab();
    QPrinter second(QPrinter::HighResolution);
    second.setOutputFormat(QPrinter::PdfFormat);
    second.setOutputFileName(dir.filePath("long.pdf"));
    second.setPageSize(QPageSize(QPageSize::A5));
    view.PrintPage(second);
    QFile longPdf(dir.filePath("long.pdf"));
    ASSERT_TRUE(longPdf.open(QIODevice::ReadOnly));
    EXPECT_GE(QString::fromLatin1(longPdf.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")),
              2);

    EXPECT_EQ(view.TotalSize(), extent);
    EXPECT_EQ(doc.RecordCount(), 2);
    EXPECT_EQ(doc.Record(0).Remarks, longRemarks);
}

TEST(PageCanvasTest, FontsHaveThePageCellHeights)
{
    for (const auto& [font, cell, bold] :
         {std::tuple{PageFont::Title, 20, true}, std::tuple{PageFont::Text, 16, false},
          std::tuple{PageFont::Subscript, 10, false}}) {
        const QFont f = PageCanvas::pageFont(font);
        EXPECT_EQ(QFontInfo(f).family(), "Liberation Sans");
        EXPECT_EQ(QFontMetrics(f).height(), cell);
        EXPECT_EQ(f.bold(), bold);
    }
}
