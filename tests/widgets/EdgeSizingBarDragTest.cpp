#include "DockBar.h"
#include "DockContext.h"
#include "DockedFrame.h"
#include "DragMarker.h"
#include "MiniDockFrameWnd.h"
#include "SystemParameters.h"

#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct DragFrame : DockedFrame
{
    DragFrame()
    {
        a = Dock(AFX_IDW_DOCKBAR_LEFT, 1, nullptr, QSize(120, 100),
                 CEdgeSizingBar::SIZING_SHOW_EDGES);
        b = Dock(AFX_IDW_DOCKBAR_LEFT, 2, a, QSize(120, 100), CEdgeSizingBar::SIZING_SHOW_EDGES);
        c = Dock(AFX_IDW_DOCKBAR_LEFT, 3, b, QSize(120, 100), CEdgeSizingBar::SIZING_SHOW_EDGES);
        Settle();
    }
    // A point on the middle of edge `code` of `bar`, in the bar's coordinates.
    static QPoint OnEdge(const CEdgeSizingBar* bar, unsigned code)
    {
        return bar->EdgeRect(code).center();
    }
    QPoint Screen(const CEdgeSizingBar* bar, QPoint point) const { return bar->mapToGlobal(point); }

    CEdgeSizingBar* a;
    CEdgeSizingBar* b;
    CEdgeSizingBar* c;
};

// A double click delivered straight to `widget`, leaving the application's button state alone.
void DoubleClick(QWidget* widget, QPoint point, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, point, widget->mapToGlobal(point), button,
                      button, {});
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(EdgeSizingBarDragTest, AnEdgeBetweenTwoBarsMovesNoBarBelowItsMinimum)
{
    DragFrame frame;
    const QPoint grab = DragFrame::OnEdge(frame.a, HTBOTTOM);
    ASSERT_EQ(frame.a->NcHitTest(grab), HTBOTTOM);
    QTest::mousePress(frame.a, Qt::LeftButton, {}, grab);
    ASSERT_TRUE(frame.a->IsDragging());
    const int start = frame.Screen(frame.a, grab).y();
    // The bars after the edge can give up their length above their minimums, those before it
    // theirs.
    const int excessB = frame.b->height() - 32, excessC = frame.c->height() - 32;
    EXPECT_EQ(frame.a->DragHigh(), start + excessB + excessC);
    EXPECT_EQ(frame.a->DragLow(), start - (frame.a->height() - 32));

    frame.a->UpdateEdgeDrag(frame.Screen(frame.a, grab) + QPoint(0, 5000));
    QTest::mouseRelease(frame.a, Qt::LeftButton, {}, grab);
    EXPECT_FALSE(frame.a->IsDragging());
    frame.Settle();
    EXPECT_EQ(frame.b->height(), 32);
    EXPECT_EQ(frame.c->height(), 32);
    EXPECT_EQ(frame.c->geometry().bottom() + 1, 598);

    // Back up past the top: the first bar stops at its minimum and the second takes it all.
    const QPoint up = DragFrame::OnEdge(frame.b, HTTOP);
    QTest::mousePress(frame.b, Qt::LeftButton, {}, up);
    frame.b->UpdateEdgeDrag(frame.Screen(frame.b, up) - QPoint(0, 5000));
    QTest::mouseRelease(frame.b, Qt::LeftButton, {}, QPoint(1, 1));
    frame.Settle();
    EXPECT_EQ(frame.a->height(), 32);
    EXPECT_EQ(frame.c->height(), 32);
    EXPECT_EQ(frame.b->geometry().bottom() + 1, frame.c->geometry().top() + 2);
}

TEST(EdgeSizingBarDragTest, TheInnerEdgeLeavesTheView2PixelsAndTheRowItsWidestMinimum)
{
    DragFrame frame;
    frame.b->m_sizeMinVertDocked.setWidth(80);
    const QPoint grab = DragFrame::OnEdge(frame.b, HTRIGHT);
    ASSERT_EQ(frame.b->NcHitTest(grab), HTRIGHT);
    QTest::mousePress(frame.b, Qt::LeftButton, {}, grab);
    frame.b->UpdateEdgeDrag(frame.Screen(frame.b, grab) + QPoint(5000, 0));
    QTest::mouseRelease(frame.b, Qt::LeftButton, {}, QPoint(1, 1));
    frame.Settle();
    EXPECT_EQ(frame.view->width(), 2);
    for (const CEdgeSizingBar* bar : {frame.a, frame.b, frame.c})
        EXPECT_EQ(bar->width(), 798);

    QTest::mousePress(frame.b, Qt::LeftButton, {}, DragFrame::OnEdge(frame.b, HTRIGHT));
    frame.b->UpdateEdgeDrag(QPoint(-5000, 0));
    QTest::mouseRelease(frame.b, Qt::LeftButton, {}, QPoint(1, 1));
    frame.Settle();
    for (const CEdgeSizingBar* bar : {frame.a, frame.b, frame.c})
        EXPECT_EQ(bar->width(), 80);
    EXPECT_EQ(frame.view->geometry(), QRect(80, 0, 720, 600));
}

TEST(EdgeSizingBarDragTest, WithoutLiveResizeAMarkerMovesAndTheLayoutChangesAtTheEnd)
{
    DragFrame frame;
    frame.a->SetLiveResize(false);
    const QImage before = frame.frame.grab().toImage();
    const int widthBefore = frame.a->width();
    const QPoint grab = DragFrame::OnEdge(frame.a, HTRIGHT);
    QTest::mousePress(frame.a, Qt::LeftButton, {}, grab);

    // The marker covers the dock bar's height on the inner edge, inverted through a halftone.
    ASSERT_EQ(InvertedRects(frame.frame).size(), 1);
    const QRect marker = InvertedRects(frame.frame).front();
    EXPECT_EQ(marker.top(), 1);
    EXPECT_EQ(marker.bottom(), 600 - 2);
    const QImage shown = frame.frame.grab().toImage();
    int inverted = 0;
    for (int y = marker.top(); y <= marker.bottom(); ++y) {
        for (int x = marker.left(); x <= marker.right(); ++x) {
            const QRgb was = before.pixel(x, y), now = shown.pixel(x, y);
            if (was == now)
                continue;
            ++inverted;
            EXPECT_EQ(now & 0xFFFFFF, ~was & 0xFFFFFF);
        }
    }
    EXPECT_GT(inverted, marker.width() * marker.height() / 3);

    frame.a->UpdateEdgeDrag(frame.Screen(frame.a, grab) + QPoint(40, 0));
    frame.Settle();
    ASSERT_EQ(InvertedRects(frame.frame).size(), 1);
    EXPECT_EQ(InvertedRects(frame.frame).front(), marker.translated(40, 0));
    EXPECT_EQ(frame.a->width(), widthBefore);

    // Erased, the marker leaves the screen as it was; the sizes apply at the next layout.
    QTest::mouseRelease(frame.a, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_TRUE(InvertedRects(frame.frame).isEmpty());
    EXPECT_EQ(frame.frame.grab().toImage(), before);
    frame.Settle();
    EXPECT_EQ(frame.a->width(), widthBefore + 40);
}

TEST(EdgeSizingBarDragTest, WithLiveResizeTheLayoutFollowsTheMouse)
{
    DragFrame frame;
    ASSERT_TRUE(frame.a->IsLiveResize());
    const int widthBefore = frame.a->width();
    const QPoint grab = DragFrame::OnEdge(frame.a, HTRIGHT);
    QTest::mousePress(frame.a, Qt::LeftButton, {}, grab);
    EXPECT_TRUE(InvertedRects(frame.frame).isEmpty());
    frame.a->UpdateEdgeDrag(frame.Screen(frame.a, grab) + QPoint(25, 0));
    frame.Settle();
    EXPECT_EQ(frame.a->width(), widthBefore + 25);
    EXPECT_EQ(frame.view->x(), widthBefore + 25);
    QTest::mouseRelease(frame.a, Qt::LeftButton, {}, QPoint(1, 1));

    // The bars follow the desktop's setting when it changes.
    SetDragFullWindows(false);
    EXPECT_FALSE(frame.b->IsLiveResize());
    SetDragFullWindows(true);
    EXPECT_TRUE(frame.b->IsLiveResize());
}

TEST(EdgeSizingBarDragTest, AFloatedBarLeavesItsPlaceholderStretchesAndTogglesBack)
{
    DragFrame frame;
    CDockBar* left = frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT);
    frame.b->m_sizeFloating = QSize(150, 120);
    frame.site->FloatControlBar(frame.b, QPoint(300, 200));
    frame.Settle();
    ASSERT_TRUE(frame.b->IsFloating());
    EXPECT_TRUE(frame.b->IsFloatingBar());
    EXPECT_EQ(frame.b->NcHitTest(QPoint(1, 1)), HTCLIENT);
    EXPECT_EQ(left->FindPlaceholder(2), 2);
    EXPECT_EQ(frame.c->geometry().top(), frame.a->geometry().bottom() - 1);
    EXPECT_EQ(frame.c->geometry().bottom() + 1, 598);

    auto* mini = qobject_cast<CMiniDockFrameWnd*>(frame.b->window());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(frame.b->size(), QSize(150, 120));
    // The bar's first frame calculation lets the floating frame size from its corners.
    EXPECT_FALSE(mini->GetMiniStyle() & MFS_4THICKFRAME);
    EXPECT_EQ(mini->HitTest(QPoint(1, 1)), HTTOPLEFT);

    CDockContext& context = *frame.b->GetDockContext();
    const auto stretch = [&](unsigned code, QPoint from, QPoint to) {
        context.StartResize(code, from);
        context.Stretch(to);
        context.EndResize();
    };
    QRect outer = mini->geometry();
    stretch(HTTOPLEFT, outer.topLeft(), outer.topLeft() - QPoint(30, 20));
    EXPECT_EQ(frame.b->size(), QSize(180, 140));
    EXPECT_EQ(mini->geometry().bottomRight(), outer.bottomRight());
    EXPECT_EQ(mini->geometry().topLeft(), outer.topLeft() - QPoint(30, 20));

    // Pushed far inward from each corner, the bar stops at 37 x 32 and the opposite corner
    // stays put.
    for (unsigned code : {HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT}) {
        outer = mini->geometry();
        const QPoint centre = outer.center();
        const QPoint corner(code == HTTOPLEFT || code == HTBOTTOMLEFT ? outer.left()
                                                                      : outer.right(),
                            code == HTTOPLEFT || code == HTTOPRIGHT ? outer.top() : outer.bottom());
        stretch(code, corner, centre + (centre - corner) * 3);
        EXPECT_EQ(frame.b->size(), QSize(37, 32)) << code;
        EXPECT_EQ(frame.b->m_sizeFloating, QSize(37, 32));
        const QRect now = mini->geometry();
        if (code == HTTOPLEFT) {
            EXPECT_EQ(now.bottomRight(), outer.bottomRight());
        } else if (code == HTBOTTOMRIGHT) {
            EXPECT_EQ(now.topLeft(), outer.topLeft());
        }
        stretch(code, corner, corner + (corner - centre) / 2);
        EXPECT_GT(frame.b->width(), 37);
    }
    // A side stretches one length only.
    const QSize sized = frame.b->size();
    outer = mini->geometry();
    stretch(HTRIGHT, QPoint(outer.right(), outer.center().y()),
            QPoint(outer.right() + 10, outer.center().y()));
    EXPECT_EQ(frame.b->size(), sized + QSize(10, 0));

    // A double click on the floating frame's caption docks it back where its placeholder is.
    const QPoint floatedAt = mini->pos();
    DoubleClick(mini, QPoint(30, CMiniDockFrameWnd::kBorder + 4));
    frame.Settle();
    EXPECT_EQ(frame.b->GetDockBar(), left);
    EXPECT_EQ(left->FindBar(frame.b), 2);
    EXPECT_EQ(left->FindPlaceholder(2), -1);
    EXPECT_EQ(frame.b->geometry().top(), frame.a->geometry().bottom() - 1);
    // And a double click on the docked bar floats it again where it floated last.
    DoubleClick(frame.b, QPoint(3, 3));
    frame.Settle();
    EXPECT_TRUE(frame.b->IsFloating());
    EXPECT_EQ(frame.b->window()->pos(), floatedAt);
}

TEST(EdgeSizingBarDragTest, TheFloatingFrameCaptionFollowsTheBarsName)
{
    DragFrame frame;
    frame.site->FloatControlBar(frame.c, QPoint(100, 100));
    frame.Settle();
    EXPECT_EQ(frame.c->window()->windowTitle(), QStringLiteral("bar 3"));
    frame.c->setWindowTitle(QStringLiteral("输出"));
    EXPECT_EQ(frame.c->GetDockBar()->windowTitle(), QStringLiteral("输出"));
    frame.Settle();
    EXPECT_EQ(frame.c->window()->windowTitle(), QStringLiteral("输出"));
}

TEST(EdgeSizingBarDragTest, OnlyALeftDoubleClickInTheClientAreaTogglesDocking)
{
    DragFrame frame;
    CDockBar* left = frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT);
    // The edges are the frame around the client area: a double click there is two presses.
    for (unsigned code : {HTTOP, HTRIGHT, HTBOTTOM}) {
        const QPoint edge = DragFrame::OnEdge(frame.b, code);
        ASSERT_EQ(frame.b->NcHitTest(edge), code);
        DoubleClick(frame.b, edge);
        QTest::mouseRelease(frame.b, Qt::LeftButton, {}, edge);
        frame.Settle();
        EXPECT_EQ(frame.b->GetDockBar(), left) << code;
    }
    // The bar's outermost pixel, between its painted edge and its neighbour's, is the edge's
    // too.
    ASSERT_EQ(frame.b->geometry().top(), frame.a->geometry().bottom() - 1);
    EXPECT_EQ(frame.b->NcHitTest(QPoint(40, 0)), HTTOP);
    EXPECT_EQ(frame.b->NcHitTest(QPoint(40, frame.b->height() - 1)), HTBOTTOM);
    EXPECT_EQ(frame.b->NcHitTest(QPoint(frame.b->width() - 1, 40)), HTRIGHT);
    DoubleClick(frame.b, QPoint(40, 0));
    QTest::mouseRelease(frame.b, Qt::LeftButton, {}, QPoint(40, 0));
    frame.Settle();
    EXPECT_EQ(frame.b->GetDockBar(), left);

    DoubleClick(frame.b, QPoint(3, 8), Qt::RightButton);
    frame.Settle();
    EXPECT_EQ(frame.b->GetDockBar(), left);
    DoubleClick(frame.b, QPoint(3, 8));
    frame.Settle();
    ASSERT_TRUE(frame.b->IsFloating());

    // The floating frame's caption answers the left button only.
    QWidget* mini = frame.b->window();
    const QPoint caption(30, CMiniDockFrameWnd::kBorder + 4);
    DoubleClick(mini, caption, Qt::RightButton);
    DoubleClick(mini, caption, Qt::MiddleButton);
    frame.Settle();
    EXPECT_TRUE(frame.b->IsFloating());
    DoubleClick(mini, caption);
    frame.Settle();
    EXPECT_EQ(frame.b->GetDockBar(), left);
}

TEST(EdgeSizingBarDragTest, LosingTheMouseToAnotherWindowEndsTheDrag)
{
    DragFrame frame;
    const auto startDrag = [&] {
        QTest::mousePress(frame.a, Qt::LeftButton, {}, DragFrame::OnEdge(frame.a, HTRIGHT));
        ASSERT_TRUE(frame.a->IsDragging());
        ASSERT_EQ(QWidget::mouseGrabber(), frame.a);
    };

    // A pop-up.
    startDrag();
    QMenu menu;
    menu.addAction(QStringLiteral("复制"));
    menu.popup(QPoint(300, 300));
    EXPECT_FALSE(frame.a->IsDragging());
    menu.close();

    // A modal dialog.
    startDrag();
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    EXPECT_FALSE(frame.a->IsDragging());
    dialog.close();

    // Another widget's grab, seen at the first event that follows.
    startDrag();
    frame.view->grabMouse();
    QTest::mouseMove(frame.view, QPoint(5, 5));
    EXPECT_FALSE(frame.a->IsDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), frame.view);
    frame.view->releaseMouse();

    // Another window taking the activation.
    frame.frame.activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(frame.frame.isActiveWindow());
    startDrag();
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    EXPECT_FALSE(frame.a->IsDragging());

    // Hidden in the middle of its drag.
    startDrag();
    frame.site->ShowControlBar(frame.a, false, false);
    EXPECT_FALSE(frame.a->IsDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mouseRelease(frame.a, Qt::LeftButton);
}

TEST(EdgeSizingBarDragTest, AFloatingFrameStretchedUpOffTheScreenComesBackUnderIt)
{
    DragFrame frame;
    frame.site->FloatControlBar(frame.b, QPoint(300, 200));
    QWidget* mini = frame.b->window();
    const int bottom = mini->geometry().bottom();
    CDockContext& context = *frame.b->GetDockContext();
    context.StartResize(HTTOP, QPoint(320, 200));
    context.Stretch(QPoint(320, -300));
    EXPECT_EQ(mini->y(), -300);
    context.EndResize();
    const int top = QGuiApplication::primaryScreen()->availableGeometry().top();
    EXPECT_EQ(mini->y() + CMiniDockFrameWnd::kBorder, top);
    EXPECT_EQ(mini->height(), bottom + 1 + 300);
}
