// Painting a long page: only what a paint uncovers is drawn, and a paint that fails leaves a
// note on the page instead of ending the program.

#include "PageFailureNote.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"
#include "VELMORView.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <new>
#include <optional>

namespace {

int countDark(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).lightness() < 128;
    }
    return count;
}

} // namespace

TEST(PagePainting, AnExposedStripIsPaintedAsTheWholePageWouldPaintIt)
{
    CVELMORDoc doc;
    const std::string name = gbkOf("硫酸");
    std::string remarks;
    for (int i = 0; remarks.size() < 20000; ++i)
        remarks += "remark " + std::to_string(i) + "; ";
    std::string formula;
    for (int i = 0; i < 5000; ++i)
        formula += "H2O";
    loadRecords(doc, {reagent(name, {{Field::Formula, formula}, {Field::Remarks, remarks}})});
    doc.SetCurrentName(name);
    CVELMORView view(doc);
    view.SetInitialScrollSizes();
    const QSize client(800, 600);

    // The page on a white image of `height`, all of it or only what `exposed` uncovers.
    const auto paint = [&](int height, const std::optional<QRect>& exposed) {
        QImage image(800, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        view.DrawPage(painter, client, exposed);
        painter.end();
        return image;
    };

    // The whole page, then the strip from y = 3000 to 3100 alone, both in page coordinates.
    const QImage whole = paint(4000, std::nullopt);
    const QRect strip(0, 3000, 800, 100);
    const QImage part = paint(4000, strip);
    EXPECT_GT(countDark(whole, strip), 200);
    EXPECT_EQ(part.copy(strip), whole.copy(strip));
    EXPECT_EQ(countDark(part, QRect(0, 0, 800, 2990)), 0) << "nothing outside the strip";

    // The formula's line, exposed at the top: the same pixels as the whole page's.
    const QRect top(0, 40, 800, 40);
    const QImage formulaPart = paint(100, top);
    EXPECT_GT(countDark(whole, top), 200);
    EXPECT_EQ(formulaPart.copy(top), whole.copy(top));
}

TEST(PagePainting, AFailingPaintLeavesAOneLineNoteAndTheProgramGoesOn)
{
    QImage image(400, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        EXPECT_NO_THROW(PaintOrNote(painter, image.rect(), [&] {
            painter.fillRect(image.rect(), Qt::blue);
            throw std::bad_alloc();
        }));
    }
    EXPECT_EQ(image.pixelColor(399, 99), QColor(Qt::white)) << "the half-painted page is covered";
    EXPECT_GT(countDark(image, QRect(15, 15, 385, 20)), 30) << "the note's line";
    EXPECT_EQ(countDark(image, QRect(0, 40, 400, 60)), 0) << "one line only";
    EXPECT_EQ(DescribeFailure(std::make_exception_ptr(std::bad_alloc())),
              QStringLiteral("内存不足"));

    {
        QPainter painter(&image);
        EXPECT_NO_THROW(PaintOrNote(painter, image.rect(), [] { throw 42; }));
        PaintOrNote(painter, image.rect(), [&] { painter.fillRect(image.rect(), Qt::blue); });
    }
    EXPECT_EQ(image.pixelColor(399, 99), QColor(Qt::blue)) << "a paint that works is left alone";
}
