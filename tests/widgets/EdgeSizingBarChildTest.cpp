#include "DockBar.h"
#include "DockedFrame.h"
#include "GripperBar.h"
#include "SystemColours.h"

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts the layout requests and resizes the application delivers.
class LayoutCounter : public QObject
{
public:
    LayoutCounter() { qApp->installEventFilter(this); }
    ~LayoutCounter() override { qApp->removeEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Resize)
            ++count;
        return false;
    }
};

// True when a round of the event loop delivers no more layout work within a few rounds: a
// child that never settles keeps posting more in every round.
bool ComesToRest()
{
    LayoutCounter counter;
    for (int round = 0; round < 4; ++round) {
        const int before = counter.count;
        QApplication::processEvents();
        if (counter.count == before)
            return true;
    }
    return false;
}

// Two gripper bars with text editors in the top row of an 800 x 600 frame.
struct EditorRow : DockedFrame
{
    EditorRow()
    {
        first = Dock<CGripperBar>(AFX_IDW_DOCKBAR_TOP, 1, nullptr, QSize(300, 120),
                                  CEdgeSizingBar::SIZING_SHOW_EDGES);
        second = Dock<CGripperBar>(AFX_IDW_DOCKBAR_TOP, 2, first, QSize(300, 120),
                                   CEdgeSizingBar::SIZING_SHOW_EDGES);
        for (CGripperBar* bar : {first, second})
            new QPlainTextEdit(QStringLiteral("上1（211）试剂"), bar);
        Settle();
    }
    static QPlainTextEdit* EditorOf(const CEdgeSizingBar* bar)
    {
        return bar->findChild<QPlainTextEdit*>(QString(), Qt::FindDirectChildrenOnly);
    }

    CGripperBar* first;
    CGripperBar* second;
};

} // namespace

TEST(EdgeSizingBarChildTest, AtItsMinimumABarCutsItsChildInsteadOfSqueezingIt)
{
    EditorRow row;
    const QPoint edge = row.first->EdgeRect(HTRIGHT).center();
    QTest::mousePress(row.first, Qt::LeftButton, {}, edge);
    row.first->UpdateEdgeDrag(row.first->mapToGlobal(edge) - QPoint(5000, 0));
    QTest::mouseRelease(row.first, Qt::LeftButton, {}, edge);
    row.Settle();
    ASSERT_EQ(row.first->width(), 33);
    ASSERT_TRUE(ComesToRest());

    // The client area is a few pixels wide; the editor keeps the size it needs and shows
    // only what the client area holds.
    const QRect client = row.first->ClientRect();
    QPlainTextEdit* editor = EditorRow::EditorOf(row.first);
    EXPECT_LT(client.width(), 10);
    EXPECT_EQ(editor->pos(), client.topLeft());
    EXPECT_EQ(editor->size(), client.size().expandedTo(editor->minimumSizeHint()));
    EXPECT_EQ(editor->mask(), QRegion(QRect(QPoint(0, 0), client.size())));
    // The edge stays the bar's: a press there is the bar's, and the bar paints it.
    const QPoint onEdge = row.first->EdgeRect(HTRIGHT).center();
    EXPECT_EQ(row.first->childAt(onEdge), nullptr);
    EXPECT_EQ(row.first->childAt(client.center()), editor->viewport());
    const QImage image = row.first->grab().toImage();
    EXPECT_EQ(image.pixel(row.first->EdgeRect(HTRIGHT).topLeft() + QPoint(0, 10)),
              SystemColour(SysColour::BtnHighlight).rgb());

    // Given room again, the editor fills the client area whole.
    QTest::mousePress(row.first, Qt::LeftButton, {}, onEdge);
    row.first->UpdateEdgeDrag(row.first->mapToGlobal(onEdge) + QPoint(200, 0));
    QTest::mouseRelease(row.first, Qt::LeftButton, {}, onEdge);
    row.Settle();
    EXPECT_EQ(editor->geometry(), row.first->ClientRect());
    EXPECT_TRUE(editor->mask().isEmpty());
}

TEST(EdgeSizingBarChildTest, NoFrameSizeStallsTheEventLoop)
{
    EditorRow row;
    for (const QSize size : {QSize(33, 600), QSize(60, 40), QSize(20, 20), QSize(1, 1)}) {
        row.frame.resize(size);
        ASSERT_TRUE(ComesToRest()) << size.width() << "x" << size.height();
        for (const CGripperBar* bar : {row.first, row.second}) {
            const QPlainTextEdit* editor = EditorRow::EditorOf(bar);
            EXPECT_GE(editor->width(), editor->minimumSizeHint().width());
            EXPECT_GE(editor->height(), editor->minimumSizeHint().height());
            EXPECT_GE(bar->ClientRect().width(), 0);
            EXPECT_GE(bar->ClientRect().height(), 0);
        }
    }
    // A bar with no client area left shows nothing of its child.
    row.first->m_sizeMinHorzDocked = QSize(20, 12);
    row.first->m_sizeHorzDocked = QSize(20, 12);
    row.first->SetWindowPos(QRect(0, 0, 20, 12));
    EXPECT_TRUE(row.first->ClientRect().isEmpty());
    EXPECT_EQ(row.first->childAt(row.first->ClientRect().topLeft()), nullptr);
    ASSERT_TRUE(ComesToRest());
}

TEST(EdgeSizingBarChildTest, OnlyTheEdgesShowTheSizingCursors)
{
    EditorRow row;
    QPlainTextEdit* editor = EditorRow::EditorOf(row.first);
    const auto cursorOver = [](QWidget* widget, QPoint point) {
        QTest::mouseMove(widget, point);
        return widget->cursor().shape();
    };
    EXPECT_EQ(cursorOver(row.first, row.first->EdgeRect(HTRIGHT).center()), Qt::SizeHorCursor);
    EXPECT_EQ(cursorOver(row.first, row.first->EdgeRect(HTBOTTOM).center()), Qt::SizeVerCursor);
    // Straight from the edge onto the editor's border, which has no cursor of its own.
    EXPECT_EQ(cursorOver(editor, QPoint(0, 20)), Qt::ArrowCursor);
    EXPECT_EQ(cursorOver(row.first, row.first->EdgeRect(HTRIGHT).center()), Qt::SizeHorCursor);
    // Out of the bar and back in over its editor.
    EXPECT_EQ(cursorOver(row.view, QPoint(20, 20)), Qt::ArrowCursor);
    EXPECT_EQ(cursorOver(editor, QPoint(editor->width() - 1, 20)), Qt::ArrowCursor);

    // The floating frame's sides likewise (beside the frame, where the pointer finds it).
    row.frame.resize(400, 600);
    row.site->FloatControlBar(row.first, QPoint(450, 100));
    row.Settle();
    QWidget* mini = row.first->window();
    EXPECT_EQ(cursorOver(mini, QPoint(1, mini->height() / 2)), Qt::SizeHorCursor);
    EXPECT_EQ(cursorOver(editor, QPoint(0, 20)), Qt::ArrowCursor);
}
