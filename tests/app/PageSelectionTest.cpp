// Selecting the page's text with the mouse and keys, its highlight by pixels, copying, and the
// page's own keys.

#include "VELMORView.h"

#include "PageCanvas.h"
#include "ShownView.h"
#include "TestDatabase.h"
#include "VELMORDoc.h"

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

int Width(PageFont font, const QString& text)
{
    return QFontMetrics(PageCanvas::pageFont(font)).horizontalAdvance(text);
}

int LineHeight()
{
    return QFontMetrics(PageCanvas::pageFont(PageFont::Text)).height();
}

class Selection : public ShownView
{
protected:
    const std::string ethanol = gbkOf("乙醇");
    const std::string water = gbkOf("水");
    const std::string remarks = std::string(70 * 60, 'r'); // 61 lines, longer than the view
    // The value column, and the top of the English name's and the CAS number's lines.
    const int valueX = 15 + Width(PageFont::Text, QStringLiteral("五个字哦："));
    const int englishY = 45;
    const int casY = 45 + LineHeight() + 10;

    void SetUp() override
    {
        Show({reagent(ethanol, {{Field::EnglishName, "Ethanol"},
                                {Field::CasNumber, "64-17-5"},
                                {Field::Remarks, remarks}}),
              reagent(water, {{Field::EnglishName, "Water"}})});
        Open(ethanol);
    }

    QWidget* Viewport() { return view.viewport(); }

    /// The viewport point of page point (x, y).
    QPoint At(int x, int y) const
    {
        return QPoint(x, y) -
               QPoint(view.horizontalScrollBar()->value(), view.verticalScrollBar()->value());
    }

    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(Viewport(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(Viewport(), (from + to) / 2);
        QTest::mouseMove(Viewport(), to);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, modifiers, to);
    }

    void DoubleClick(QPoint at)
    {
        QTest::mouseClick(Viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, at);
    }

    QString Clipboard() { return QApplication::clipboard()->text(); }
};

} // namespace

TEST_F(Selection, ADragAcrossTheCasNumberAndCtrlCCopyIt)
{
    const int end = valueX + Width(PageFont::Text, QStringLiteral("64-17-5"));
    Drag(At(valueX + 1, casY + 5), At(end + 20, casY + 6));
    EXPECT_EQ(view.SelectedText(), "64-17-5");
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), QStringLiteral("64-17-5"));
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), QStringLiteral("64-17-5"));
    if (QApplication::clipboard()->supportsSelection()) {
        EXPECT_EQ(QApplication::clipboard()->text(QClipboard::Selection),
                  QStringLiteral("64-17-5"));
    }

    // From the title down into the value, labels as drawn, line by line.
    Drag(At(15, 20), At(valueX + Width(PageFont::Text, QStringLiteral("64")), casY + 5));
    EXPECT_EQ(view.SelectedText(), "乙醇\n英文名称：Ethanol\nCAS号：64");
    Drag(At(valueX + Width(PageFont::Text, QStringLiteral("64")), casY + 5), At(15, 20));
    EXPECT_EQ(view.SelectedText(), "乙醇\n英文名称：Ethanol\nCAS号：64") << "backwards";
}

TEST_F(Selection, SelectedGlyphsAreDrawnOnTheHighlightAndNothingElseChanges)
{
    const QImage before = Grab();
    DoubleClick(At(valueX + 3, casY + 3));
    ASSERT_EQ(view.SelectedText(), "64-17-5");
    const QImage after = Grab();
    ASSERT_EQ(after.size(), before.size());

    const QColor highlight = Viewport()->palette().color(QPalette::Highlight);
    const QColor glyphs = Viewport()->palette().color(QPalette::HighlightedText);
    const QRect line(valueX, casY, Width(PageFont::Text, QStringLiteral("64-17-5")), LineHeight());
    int onHighlight = 0, inGlyphColour = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const QColor was = before.pixelColor(x, y), is = after.pixelColor(x, y);
            if (!line.contains(x, y)) {
                ASSERT_EQ(is, was) << x << "," << y;
                continue;
            }
            if (was == QColor(Qt::white)) {
                EXPECT_EQ(is, highlight) << x << "," << y;
                ++onHighlight;
            } else if (was == QColor(Qt::black)) {
                EXPECT_EQ(is, glyphs) << x << "," << y;
                ++inGlyphColour;
            }
        }
    }
    EXPECT_GT(onHighlight, line.width() * line.height() / 2);
    EXPECT_GT(inGlyphColour, 10);

    // A click without a drag clears the selection and its highlight.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(600, 300));
    EXPECT_EQ(view.SelectedText(), "");
    EXPECT_EQ(Grab(), before);
}

TEST_F(Selection, DoubleClickShiftClickAndCtrlA)
{
    DoubleClick(At(valueX + 3, englishY + 3));
    EXPECT_EQ(view.SelectedText(), "Ethanol");
    DoubleClick(At(15, 20));
    EXPECT_EQ(view.SelectedText(), "乙醇") << "the title";

    // Shift+click moves the end and keeps the start.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(valueX, englishY + 3));
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      At(valueX + Width(PageFont::Text, QStringLiteral("64-")), casY + 3));
    EXPECT_EQ(view.SelectedText(), "Ethanol\nCAS号：64-");
    QTest::mouseClick(Viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      At(valueX + Width(PageFont::Text, QStringLiteral("Eth")), englishY + 3));
    EXPECT_EQ(view.SelectedText(), "Eth");

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.SelectedText(), view.PageText(view.viewport()->size()));
    EXPECT_TRUE(view.SelectedText().starts_with("乙醇\n英文名称：Ethanol\nCAS号：64-17-5\n"));
}

TEST_F(Selection, OpeningAnotherPageByAnyRouteClearsTheSelection)
{
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    ASSERT_FALSE(view.SelectedText().empty());
    Open(water);
    EXPECT_EQ(view.SelectedText(), "");
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    Open(water); // the page shown, opened again
    EXPECT_EQ(view.SelectedText(), "");

    // The business command's start page is selectable while it is shown; the next paint shows
    // the reagent again, without the selection.
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    view.ShowBusinessPage();
    EXPECT_EQ(view.SelectedText(), "");
    Grab();
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(view.SelectedText().starts_with("软件介绍 \n"));
    Grab();
    EXPECT_EQ(view.SelectedText(), "");
}

TEST_F(Selection, ADragBelowTheViewScrollsThePageAndKeepsSelecting)
{
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const QPoint start = At(valueX, casY + 3);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(Viewport(), QPoint(300, Viewport()->height() + 30));
    const std::size_t first = view.SelectedText().size();
    QTest::qWait(200);
    EXPECT_GT(bar->value(), 0);
    EXPECT_GT(view.SelectedText().size(), first);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(300, Viewport()->height() + 30));
    const int stopped = bar->value();
    QTest::qWait(100);
    EXPECT_EQ(bar->value(), stopped) << "the release ends the scrolling";

    // Above the view the page goes back up.
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(Viewport(), QPoint(300, -30));
    QTest::qWait(200);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, QPoint(300, -30));
    EXPECT_LT(bar->value(), stopped);
}

TEST_F(Selection, HomeEndAndSpaceMoveThroughTheLongPage)
{
    QScrollBar* bar = view.verticalScrollBar();
    ASSERT_GT(bar->maximum(), bar->pageStep());
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0);

    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_EQ(bar->value(), bar->pageStep());
    QTest::keyClick(&view, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(bar->value(), 0);
    // The arrows and page keys work as they did.
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->singleStep());
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(bar->value(), bar->singleStep() + bar->pageStep());
}

TEST_F(Selection, ThePageOfAFailedLoadIsSelectableAndKeepsItsLook)
{
    view.ShowLoadFailure(QStringLiteral("找不到数据库文件“cmc.kdb”。"));
    const QImage page = Grab();
    int red = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < page.width(); ++x)
            red += page.pixelColor(x, y) == QColor(0x99, 0, 0);
    EXPECT_GT(red, 50) << "the title in dark red";

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(view.SelectedText().starts_with(
        "试剂数据库未能加载\n找不到数据库文件“cmc.kdb”。\n\n请把完好的试剂数据库文件"))
        << view.SelectedText();
    DoubleClick(QPoint(60, 50));
    EXPECT_EQ(view.SelectedText(), "试剂数据库未能加载");
    EXPECT_NE(Grab(), page) << "the selection shows";
}

TEST_F(Selection, TheSelectionStaysWhenTheWindowIsResized)
{
    DoubleClick(At(valueX + 3, casY + 3));
    view.resize(1000, 500);
    const QImage wider = Grab();
    EXPECT_EQ(view.SelectedText(), "64-17-5");
    EXPECT_EQ(wider.pixelColor(valueX + 1, casY + 1),
              Viewport()->palette().color(QPalette::Highlight));
}

TEST_F(Selection, ADragRepaintsEveryLineItChanges)
{
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(valueX + 1, casY + 5));
    // Down over several lines, then back up over some of them.
    for (const int y : {casY + 40, casY + 150, casY + 70, englishY + 5}) {
        QTest::mouseMove(Viewport(), At(300, y));
        QApplication::processEvents();
    }
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At(300, englishY + 5));
    QApplication::processEvents();
    ASSERT_EQ(view.SelectedText(), "\nCAS号：") << "from the end of \"Ethanol\" to the CAS number";

    // What the screen shows after the partial repaints is the page painted whole.
    const QPoint corner = Viewport()->mapTo(&view, QPoint(0, 0));
    const QImage shown = view.screen()
                             ->grabWindow(view.winId(), corner.x(), corner.y(), Viewport()->width(),
                                          Viewport()->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, Grab().convertToFormat(QImage::Format_RGB32));
}
