#include "DockSite.h"
#include "ControlBar.h"
#include "ControlId.h"
#include "DockBar.h"
#include "DockContext.h"
#include "MiniDockFrameWnd.h"
#include "MouseInput.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A bar of a fixed size that counts the layouts asking for it.
class FixedBar : public CControlBar
{
public:
    FixedBar(QWidget* parent, int id, QSize size, std::uint32_t style = CBRS_ALIGN_TOP)
        : CControlBar(parent), m_Size(size)
    {
        SetControlId(this, id);
        SetBarStyle(style);
        EnableDocking(CBRS_ALIGN_ANY);
        show();
    }
    QSize CalcFixedLayout(bool stretch, bool horz) override
    {
        ++queries;
        return stretch ? CControlBar::CalcFixedLayout(stretch, horz) : m_Size;
    }
    QSize sizeHint() const override { return m_Size; }

    int queries = 0;

private:
    QSize m_Size;
};

struct Frame
{
    Frame()
    {
        frame.resize(600, 400);
        site = new CDockSite(frame);
        view = new QWidget(&frame);
        site->SetViewPane(view);
    }
    void Settle()
    {
        frame.show();
        QApplication::processEvents();
    }

    QWidget frame;
    CDockSite* site;
    QWidget* view;
};

// A frame docking on every side, with a 100 x 40 bar (id 4) docked at the top.
struct TopBarFrame : Frame
{
    TopBarFrame()
    {
        site->EnableDocking(CBRS_ALIGN_ANY);
        bar = new FixedBar(&frame, 4, QSize(100, 40));
        site->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
        Settle();
    }
    /// Starts the bar's docking drag at `grab` (bar coordinates) and moves it to `to` (screen
    /// coordinates).
    CDockContext& DragTo(QPoint to, QPoint grab = QPoint(5, 5)) const
    {
        CDockContext& context = *bar->GetDockContext();
        context.StartDrag(bar->mapToGlobal(grab));
        context.Move(to);
        return context;
    }

    FixedBar* bar;
};

// Whether the whole height of a floating frame's caption, and at least 40 pixels of its
// length, lie on the screen.
bool CaptionOnScreen(const QWidget* mini)
{
    const int border = CMiniDockFrameWnd::kBorder;
    const QRect caption(mini->pos() + QPoint(border, border),
                        QSize(mini->width() - 2 * border, CMiniDockFrameWnd::kCaption));
    const QRect shown = caption & QGuiApplication::primaryScreen()->availableGeometry();
    return shown.height() == caption.height() && shown.width() >= 40;
}

} // namespace

TEST(DockSiteTest, AFrameWithoutDockingLaysItsBarsOutAlongTheirSides)
{
    // As a frame lays out a side bar that no dock bar holds: as wide as it asks, as tall as
    // the room left.
    Frame frame;
    auto* top = new FixedBar(&frame.frame, 1, QSize(50, 30), CBRS_ALIGN_TOP);
    auto* side = new FixedBar(&frame.frame, 2, QSize(330, 260), CBRS_ALIGN_LEFT);
    frame.site->AddControlBar(top);
    frame.site->AddControlBar(side);
    frame.Settle();
    EXPECT_EQ(top->geometry(), QRect(0, 0, 600, 30));
    EXPECT_EQ(side->geometry(), QRect(0, 30, 330, 370));
    EXPECT_EQ(frame.view->geometry(), QRect(330, 30, 270, 370));
    EXPECT_EQ(ControlId(frame.view), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT), nullptr);

    frame.site->ShowControlBar(side, false, false);
    EXPECT_TRUE(side->isHidden());
    EXPECT_EQ(frame.view->geometry(), QRect(0, 30, 600, 370));
}

TEST(DockSiteTest, ABarThatDoesNotFitStartsANewRowAndRowsOverlapBy2Pixels)
{
    Frame frame;
    frame.site->EnableDocking(CBRS_ALIGN_ANY);
    FixedBar* bars[3];
    for (int i = 0; i < 3; ++i) {
        bars[i] = new FixedBar(&frame.frame, 10 + i, QSize(250, 30));
        frame.site->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP, i ? bars[i - 1] : nullptr);
    }
    frame.Settle();
    CDockBar& top = *frame.site->DockBarOf(AFX_IDW_DOCKBAR_TOP);
    // Rows start 2 pixels early and bars overlap by 2: two bars end at 496, a third would pass
    // 602.
    EXPECT_EQ(bars[0]->geometry(), QRect(-2, 0, 250, 30));
    EXPECT_EQ(bars[1]->geometry(), QRect(246, 0, 250, 30));
    EXPECT_EQ(bars[2]->geometry(), QRect(-2, 28, 250, 30));
    EXPECT_EQ(top.Entries().size(), 6u);
    EXPECT_TRUE(top.Entries()[3].IsRowBreak());
    EXPECT_EQ(top.geometry(), QRect(0, 0, 600, 58));
    EXPECT_EQ(frame.view->geometry(), QRect(0, 58, 600, 342));

    // A query tells the view's room without moving anything.
    frame.frame.resize(1000, 400);
    frame.view->setGeometry(1, 2, 3, 4);
    EXPECT_EQ(frame.site->RepositionBars(true), QRect(0, 58, 1000, 342));
    EXPECT_EQ(frame.view->geometry(), QRect(1, 2, 3, 4));
    EXPECT_EQ(bars[2]->geometry(), QRect(-2, 28, 250, 30));
}

TEST(DockSiteTest, DelayedLayoutsCoalesceIntoOneAndIdleTimeUpdatesEveryBar)
{
    Frame frame;
    frame.site->EnableDocking(CBRS_ALIGN_LEFT);
    auto* bar = new FixedBar(&frame.frame, 3, QSize(80, 100), CBRS_ALIGN_LEFT);
    frame.site->DockControlBar(bar, AFX_IDW_DOCKBAR_LEFT);
    frame.Settle();
    bar->queries = 0;
    for (int i = 0; i < 5; ++i)
        frame.site->DelayRecalcLayout();
    EXPECT_TRUE(frame.site->IsLayoutPending());
    EXPECT_EQ(bar->queries, 0);
    QApplication::processEvents();
    EXPECT_FALSE(frame.site->IsLayoutPending());
    EXPECT_EQ(bar->queries, 1);
}

TEST(DockSiteTest, TheDockingDragDocksUnderThePointerFloatsElsewhereAndEscapeCancels)
{
    TopBarFrame frame;
    FixedBar* bar = frame.bar;
    const QPoint origin = frame.frame.mapToGlobal(QPoint(0, 0));

    // Escape leaves the bar where it was.
    CDockContext& context = frame.DragTo(origin + QPoint(300, 200));
    EXPECT_EQ(context.TargetSide(), 0);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar, &escape);
    EXPECT_FALSE(context.IsDragging());
    EXPECT_EQ(ControlId(bar->GetDockBar()), AFX_IDW_DOCKBAR_TOP);

    // Near the left side it docks there; the outline has the bar's vertical size.
    frame.DragTo(origin + QPoint(10, 200));
    EXPECT_EQ(context.TargetSide(), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(context.OutlineRect().size(), QSize(100, 40));
    context.EndDrag(false);
    frame.Settle();
    EXPECT_EQ(ControlId(bar->GetDockBar()), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(frame.view->geometry().left(), 100);

    // In the middle of the frame it floats, in a frame around its size; its place is kept.
    frame.DragTo(origin + QPoint(300, 200)).EndDrag(false);
    frame.Settle();
    ASSERT_TRUE(bar->IsFloating());
    auto* mini = qobject_cast<CMiniDockFrameWnd*>(bar->window());
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(mini->pos(), origin + QPoint(295, 195));
    EXPECT_EQ(mini->size(), QSize(100 + 8, 40 + 8 + CMiniDockFrameWnd::kCaption));
    EXPECT_EQ(frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT)->FindPlaceholder(4), 1);
    EXPECT_EQ(frame.view->geometry().left(), 0);
    // Without a bar that clears it, the floating frame sizes from its sides only.
    EXPECT_EQ(mini->HitTest(QPoint(1, 1)), HTLEFT);
    EXPECT_EQ(mini->HitTest(QPoint(30, 8)), HTCAPTION);

    // Hiding a floating bar hides its frame.
    frame.site->ShowControlBar(bar, false, false);
    EXPECT_FALSE(mini->isVisible());
    frame.site->ShowControlBar(bar, true, false);
    EXPECT_TRUE(mini->isVisible());
}

TEST(DockSiteTest, AFrameSmallerThanItsBarsCutsThemAndOnlyWhatShowsTakesMouseAndKeys)
{
    Frame frame;
    frame.site->EnableDocking(CBRS_ALIGN_ANY);
    auto* view = new QLineEdit(&frame.frame);
    frame.site->SetViewPane(view);
    FixedBar* bars[4];
    const int sides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                         AFX_IDW_DOCKBAR_RIGHT};
    for (int i = 0; i < 4; ++i) {
        bars[i] = new FixedBar(&frame.frame, 20 + i, QSize(120, 80));
        bars[i]->setFocusPolicy(Qt::StrongFocus);
        frame.site->DockControlBar(bars[i], sides[i]);
    }
    // The focus given before the frame shows, when nothing shows yet, stays where it was put.
    bars[3]->setFocus();
    frame.site->RecalcLayout();
    frame.Settle();
    frame.frame.activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), bars[3]);
    view->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), view);

    // 150 x 100: the top row takes 80, the bottom one the 20 left, the sides and the view
    // nothing; no strip reaches past the frame or over another.
    frame.frame.resize(150, 100);
    QList<QRect> strips;
    for (int side : sides)
        strips << frame.site->DockBarOf(side)->geometry();
    strips << view->geometry();
    EXPECT_EQ(strips[0], QRect(0, 0, 150, 80));
    EXPECT_EQ(strips[1], QRect(0, 80, 150, 20));
    for (int i = 0; i < strips.size(); ++i) {
        EXPECT_GE(strips[i].width(), 0) << i;
        EXPECT_GE(strips[i].height(), 0) << i;
        EXPECT_TRUE(frame.frame.rect().contains(strips[i]) || strips[i].isEmpty()) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(strips[i].intersects(strips[j])) << i << " " << j;
    }
    // The bottom bar shows its top 20 pixels and takes the clicks there.
    EXPECT_EQ(frame.frame.childAt(QPoint(50, 90)), bars[1]);
    EXPECT_EQ(frame.frame.childAt(QPoint(50, 70)), bars[0]);

    // Typing goes to a window that shows, never to the view the layout left no room.
    EXPECT_NE(QApplication::focusWidget(), view);
    EXPECT_TRUE(QApplication::focusWidget() == bars[0] || QApplication::focusWidget() == bars[1]);
    QTest::keyClicks(nullptr, QStringLiteral("abc"));
    EXPECT_TRUE(view->text().isEmpty());

    frame.frame.resize(600, 400);
    EXPECT_EQ(view->geometry(), QRect(120, 80, 360, 240));
}

TEST(DockSiteTest, LosingTheMouseCancelsTheDockingDragAndTheFloatingFramesStretch)
{
    TopBarFrame frame;
    FixedBar* bar = frame.bar;
    const QPoint origin = frame.frame.mapToGlobal(QPoint(0, 0));

    CDockContext& context = frame.DragTo(origin + QPoint(10, 200));
    ASSERT_EQ(context.TargetSide(), AFX_IDW_DOCKBAR_LEFT);
    QMenu menu;
    menu.addAction(QStringLiteral("复制"));
    menu.popup(origin + QPoint(300, 300));
    EXPECT_FALSE(context.IsDragging());
    menu.close();
    QApplication::processEvents();
    EXPECT_EQ(ControlId(bar->GetDockBar()), AFX_IDW_DOCKBAR_TOP);

    frame.site->FloatControlBar(bar, origin + QPoint(200, 200));
    QWidget* mini = bar->window();
    context.StartResize(HTRIGHT, mini->geometry().topRight());
    EXPECT_EQ(QWidget::mouseGrabber(), mini);
    frame.view->grabMouse();
    QTest::mouseMove(frame.view, QPoint(5, 5));
    EXPECT_EQ(context.m_nHitTest, HTNOWHERE);
    frame.view->releaseMouse();
}

TEST(DockSiteTest, ABarNeverDockedDocksOnTheFirstSideItsStyleAllowsWhenItsCaptionIsDoubleClicked)
{
    Frame frame;
    frame.site->EnableDocking(CBRS_ALIGN_ANY);
    auto* anywhere = new FixedBar(&frame.frame, 6, QSize(100, 40));
    auto* sides = new FixedBar(&frame.frame, 7, QSize(100, 40));
    sides->EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    const QPoint origin = frame.frame.mapToGlobal(QPoint(0, 0));
    for (FixedBar* bar : {anywhere, sides}) {
        frame.site->AddControlBar(bar);
        frame.site->FloatControlBar(bar, origin + QPoint(200, 150));
    }
    frame.Settle();
    const QPoint caption(30, CMiniDockFrameWnd::kBorder + 4);
    SendDoubleClick(anywhere->window(), caption);
    SendDoubleClick(sides->window(), caption);
    frame.Settle();
    EXPECT_EQ(ControlId(anywhere->GetDockBar()), AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(ControlId(sides->GetDockBar()), AFX_IDW_DOCKBAR_LEFT);

    // From then on it toggles between its floating place and its docked one.
    sides->GetDockContext()->ToggleDocking();
    frame.Settle();
    ASSERT_TRUE(sides->IsFloating());
    EXPECT_EQ(sides->window()->pos(), origin + QPoint(200, 150));
    sides->GetDockContext()->ToggleDocking();
    frame.Settle();
    EXPECT_EQ(ControlId(sides->GetDockBar()), AFX_IDW_DOCKBAR_LEFT);
}

TEST(DockSiteTest, AFloatingFramesCaptionStaysOnTheScreen)
{
    TopBarFrame frame;
    FixedBar* bar = frame.bar;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

    // Dragged out by a point low in the bar and dropped at the screen's top edge beside the
    // frame, the floating frame would hang above the screen.
    CDockContext& context =
        frame.DragTo(QPoint(screen.right() - 50, screen.top() + 2), QPoint(5, 35));
    ASSERT_EQ(context.TargetSide(), 0);
    context.EndDrag(false);
    ASSERT_TRUE(bar->IsFloating());
    EXPECT_TRUE(CaptionOnScreen(bar->window()));
    EXPECT_EQ(bar->window()->y(), screen.top() - CMiniDockFrameWnd::kBorder);
    EXPECT_EQ(context.m_ptMRUFloatPos, bar->window()->pos());

    for (const QPoint far : {QPoint(-5000, -5000), QPoint(5000, 5000), QPoint(-5000, 300)}) {
        frame.site->FloatControlBar(bar, far);
        EXPECT_TRUE(CaptionOnScreen(bar->window())) << far.x() << "," << far.y();
    }
    // Left of the screen, 40 pixels of the caption stay on it.
    EXPECT_EQ(bar->window()->x() + CMiniDockFrameWnd::kBorder + bar->width(), screen.left() + 40);
}
