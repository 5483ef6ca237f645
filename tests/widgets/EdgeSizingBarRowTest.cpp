#include "ControlId.h"
#include "DockBar.h"
#include "DockedFrame.h"
#include "WindowPosBatch.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kEdges = CEdgeSizingBar::SIZING_EDGE_ALL;

// The entries of a dock bar as text: "|" a row break, "p<id>" a placeholder, a bar its id.
std::string RowsOf(const CDockBar& dock)
{
    std::string text;
    for (const DockEntry& entry : dock.Entries()) {
        if (entry.IsRowBreak())
            text += "|";
        else if (entry.IsPlaceholder())
            text += "p" + std::to_string(entry.PlaceholderId());
        else
            text += std::to_string(ControlId(entry.Bar()));
    }
    return text;
}

struct LeftRow : DockedFrame
{
    LeftRow()
    {
        a = Dock(AFX_IDW_DOCKBAR_LEFT, 1);
        b = Dock(AFX_IDW_DOCKBAR_LEFT, 2, a);
        c = Dock(AFX_IDW_DOCKBAR_LEFT, 3, b);
        Settle();
    }
    void SetLengths(int la, int lb, int lc)
    {
        a->m_sizeVertDocked.setHeight(la);
        b->m_sizeVertDocked.setHeight(lb);
        c->m_sizeVertDocked.setHeight(lc);
    }
    CDockBar& Left() const { return *site->DockBarOf(AFX_IDW_DOCKBAR_LEFT); }

    CEdgeSizingBar* a;
    CEdgeSizingBar* b;
    CEdgeSizingBar* c;
};

} // namespace

TEST(EdgeSizingBarRowTest, BarsOfARowFillItsLengthOverlappingBy2Pixels)
{
    LeftRow row;
    EXPECT_EQ(RowsOf(row.Left()), "|123|");
    // The row runs from 2 pixels above the dock bar over the frame's height less 2.
    EXPECT_EQ(row.a->geometry().top(), -2);
    EXPECT_EQ(row.b->geometry().top(), row.a->geometry().bottom() - 1);
    EXPECT_EQ(row.c->geometry().top(), row.b->geometry().bottom() - 1);
    EXPECT_EQ(row.c->geometry().bottom() + 1, 600 - 2);
    EXPECT_EQ(row.a->width(), 120);
    EXPECT_EQ(row.Left().width(), 120);
    EXPECT_EQ(row.view->geometry(), QRect(120, 0, 680, 600));
    for (const CEdgeSizingBar* bar : {row.a, row.b, row.c})
        EXPECT_FALSE(bar->HoldsLength());
}

TEST(EdgeSizingBarRowTest, SurplusIsDealtOutAPixelAtATimeAndAHeldBarWaitsAPass)
{
    LeftRow row;
    row.SetLengths(100, 100, 100);
    EXPECT_TRUE(row.a->ShareRowLength(3 * 98 + 7, false));
    EXPECT_EQ(row.a->m_sizeVertDocked.height(), 103);
    EXPECT_EQ(row.b->m_sizeVertDocked.height(), 102);
    EXPECT_EQ(row.c->m_sizeVertDocked.height(), 102);

    // A bar just shown keeps its length while the others share the surplus.
    row.SetLengths(100, 100, 100);
    row.b->hide();
    row.b->show();
    EXPECT_TRUE(row.b->HoldsLength());
    EXPECT_TRUE(row.a->ShareRowLength(3 * 98 + 7, false));
    EXPECT_EQ(row.a->m_sizeVertDocked.height(), 104);
    EXPECT_EQ(row.b->m_sizeVertDocked.height(), 100);
    EXPECT_EQ(row.c->m_sizeVertDocked.height(), 103);
    EXPECT_FALSE(row.b->HoldsLength());
    // Sharing also gives every bar the row's widest width.
    row.b->m_sizeVertDocked.setWidth(150);
    row.a->ShareRowLength(3 * 98 + 7, false);
    EXPECT_EQ(row.a->m_sizeVertDocked.width(), 150);
    EXPECT_EQ(row.c->m_sizeVertDocked.width(), 150);
}

TEST(EdgeSizingBarRowTest, AShortageStopsAtTheMinimumsThenTakesFromTheHeldBar)
{
    LeftRow row;
    row.SetLengths(100, 100, 100);
    row.a->hide();
    row.a->show();
    // 144 pixels short; the two free bars have 136 above their minimum length of 32.
    EXPECT_TRUE(row.a->ShareRowLength(3 * 98 - 144, false));
    EXPECT_EQ(row.b->m_sizeVertDocked.height(), 32);
    EXPECT_EQ(row.c->m_sizeVertDocked.height(), 32);
    EXPECT_EQ(row.a->m_sizeVertDocked.height(), 92);
    EXPECT_FALSE(row.a->HoldsLength());
}

TEST(EdgeSizingBarRowTest, ARowTooLongIsBrokenAndALoneBarShrinksToItsMinimum)
{
    LeftRow row;
    for (CEdgeSizingBar* bar : {row.a, row.b, row.c})
        bar->m_sizeMinVertDocked.setHeight(200);
    // 2 + 198 + 198 fit in 400, the third bar does not: it starts the next row.
    EXPECT_TRUE(row.a->ShareRowLength(400, false));
    EXPECT_EQ(RowsOf(row.Left()), "|12|3|");

    DockedFrame frame;
    CEdgeSizingBar* lone = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 7);
    lone->m_sizeMinVertDocked.setHeight(400);
    lone->m_sizeVertDocked.setHeight(500);
    EXPECT_TRUE(lone->ShareRowLength(300, false));
    EXPECT_EQ(lone->m_sizeVertDocked.height(), 400);
    EXPECT_EQ(RowsOf(*frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT)), "|7|");
}

TEST(EdgeSizingBarRowTest, ABarAfterAnOrdinaryBarThatFillsTheRowGoesToTheNextRow)
{
    DockedFrame frame;
    auto* plain = new CControlBar(&frame.frame);
    SetControlId(plain, 9);
    plain->setFixedSize(60, 500);
    plain->show();
    frame.site->DockControlBar(plain, AFX_IDW_DOCKBAR_LEFT);
    CEdgeSizingBar* bar = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 5, plain);
    EXPECT_FALSE(bar->ShareRowLength(400, false));
    EXPECT_EQ(RowsOf(*frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT)), "|9|5|");
}

TEST(EdgeSizingBarRowTest, EdgesFaceTheInteriorAndTheNeighboursOnEverySide)
{
    DockedFrame frame;
    CEdgeSizingBar* top1 = frame.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    CEdgeSizingBar* top2 = frame.Dock(AFX_IDW_DOCKBAR_TOP, 2, top1);
    CEdgeSizingBar* bottom = frame.Dock(AFX_IDW_DOCKBAR_BOTTOM, 3);
    CEdgeSizingBar* left1 = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 4);
    CEdgeSizingBar* left2 = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 5, left1);
    CEdgeSizingBar* left3 = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 6, left2);
    CEdgeSizingBar* right = frame.Dock(AFX_IDW_DOCKBAR_RIGHT, 7);
    frame.Settle();
    using B = CEdgeSizingBar;
    EXPECT_EQ(top1->GetSizingStyle() & kEdges, B::SIZING_EDGE_BOTTOM | B::SIZING_EDGE_RIGHT);
    EXPECT_EQ(top2->GetSizingStyle() & kEdges, B::SIZING_EDGE_BOTTOM | B::SIZING_EDGE_LEFT);
    EXPECT_EQ(bottom->GetSizingStyle() & kEdges, B::SIZING_EDGE_TOP);
    EXPECT_EQ(left1->GetSizingStyle() & kEdges, B::SIZING_EDGE_RIGHT | B::SIZING_EDGE_BOTTOM);
    EXPECT_EQ(left2->GetSizingStyle() & kEdges, kEdges & ~B::SIZING_EDGE_LEFT);
    EXPECT_EQ(left3->GetSizingStyle() & kEdges, B::SIZING_EDGE_RIGHT | B::SIZING_EDGE_TOP);
    EXPECT_EQ(right->GetSizingStyle() & kEdges, B::SIZING_EDGE_LEFT);

    // The hit codes follow: the inner edge of the left bars, the edge between them.
    EXPECT_EQ(left2->NcHitTest(QPoint(left2->width() - 2, 40)), HTRIGHT);
    EXPECT_EQ(left2->NcHitTest(QPoint(40, 1)), HTTOP);
    EXPECT_EQ(left2->NcHitTest(QPoint(40, left2->height() - 2)), HTBOTTOM);
    EXPECT_EQ(left2->NcHitTest(QPoint(1, 40)), HTCLIENT);
    EXPECT_EQ(top1->NcHitTest(QPoint(40, top1->height() - 2)), HTBOTTOM);
    // The top and bottom rows take the frame's width; the side rows what is left between.
    EXPECT_EQ(frame.site->DockBarOf(AFX_IDW_DOCKBAR_TOP)->geometry(), QRect(0, 0, 800, 100));
    EXPECT_EQ(frame.site->DockBarOf(AFX_IDW_DOCKBAR_LEFT)->geometry(), QRect(0, 100, 120, 400));
    EXPECT_EQ(frame.view->geometry(), QRect(120, 100, 560, 400));
}

TEST(EdgeSizingBarRowTest, EdgesAlongTheRowAreShortenedAtTheirEndsAndEdgesAcrossItAreNot)
{
    // Docked in a row across the frame, a bar's left and right edges (between it and its
    // neighbours) give way at their ends to the top and bottom edges; docked down the frame,
    // the top and bottom edges give way to the left and right ones.
    DockedFrame frame;
    CEdgeSizingBar* top1 = frame.Dock(AFX_IDW_DOCKBAR_TOP, 1);
    frame.Dock(AFX_IDW_DOCKBAR_TOP, 2, top1);
    CEdgeSizingBar* left1 = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 4);
    CEdgeSizingBar* left2 = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 5, left1);
    frame.Dock(AFX_IDW_DOCKBAR_LEFT, 6, left2);
    frame.Settle();
    const auto inner = [](const CEdgeSizingBar* bar) {
        const int d = (bar->GetSizingStyle() & CEdgeSizingBar::SIZING_SHOW_EDGES) ? 1 : 0;
        return QRect(QPoint(0, 0), bar->size()).adjusted(d, d, -d, -d);
    };
    const int e = 5;

    const QRect t = inner(top1);
    EXPECT_EQ(top1->EdgeRect(HTRIGHT),
              QRect(t.right() + 1 - e, t.top() + e, e, t.height() - 2 * e));
    EXPECT_EQ(top1->EdgeRect(HTBOTTOM), QRect(t.left(), t.bottom() + 1 - e, t.width(), e));
    EXPECT_EQ(top1->EdgeRect(HTLEFT), QRect());

    const QRect l = inner(left2);
    EXPECT_EQ(left2->EdgeRect(HTTOP), QRect(l.left() + e, l.top(), l.width() - 2 * e, e));
    EXPECT_EQ(left2->EdgeRect(HTBOTTOM),
              QRect(l.left() + e, l.bottom() + 1 - e, l.width() - 2 * e, e));
    EXPECT_EQ(left2->EdgeRect(HTRIGHT), QRect(l.right() + 1 - e, l.top(), e, l.height()));
}

TEST(EdgeSizingBarRowTest, ADockedBarIsLaidOutNoSmallerThanItsMinimum)
{
    DockedFrame frame;
    CEdgeSizingBar* left = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 1);
    CEdgeSizingBar* top = frame.Dock(AFX_IDW_DOCKBAR_TOP, 2);
    left->m_sizeMinVertDocked = QSize(150, 260);
    left->m_sizeVertDocked = QSize(40, 30);
    top->m_sizeMinHorzDocked = QSize(300, 90);
    top->m_sizeHorzDocked = QSize(100, 20);
    frame.site->RecalcLayout();
    frame.Settle();
    EXPECT_GE(left->width(), 150);
    EXPECT_GE(left->height(), 260);
    EXPECT_GE(top->width(), 300);
    EXPECT_GE(top->height(), 90);
}

TEST(EdgeSizingBarRowTest, HidingABarLetsItsRowShareItsLengthAndShowingItGivesItBack)
{
    LeftRow row;
    const int lengthB = row.b->height();
    row.site->ShowControlBar(row.b, false, false);
    EXPECT_TRUE(row.b->isHidden());
    EXPECT_EQ(row.a->geometry().top(), -2);
    EXPECT_EQ(row.c->geometry().top(), row.a->geometry().bottom() - 1);
    EXPECT_EQ(row.c->geometry().bottom() + 1, 598);
    // Only the bars' own edges are left between them.
    EXPECT_FALSE(row.a->GetSizingStyle() & CEdgeSizingBar::SIZING_EDGE_TOP);
    EXPECT_TRUE(row.c->GetSizingStyle() & CEdgeSizingBar::SIZING_EDGE_TOP);

    // A delayed show waits for the layout, which carries it out in one batch; the bar comes
    // back at its length and the others make room.
    const int batches = WindowPosBatch::EndedBatches();
    row.site->ShowControlBar(row.b, true, true);
    EXPECT_TRUE(row.b->isHidden());
    EXPECT_TRUE(row.b->IsVisible());
    row.Settle();
    EXPECT_FALSE(row.b->isHidden());
    EXPECT_EQ(WindowPosBatch::EndedBatches(), batches + 1);
    EXPECT_EQ(row.b->height(), lengthB);
    EXPECT_EQ(row.c->geometry().bottom() + 1, 598);
    EXPECT_EQ(row.b->geometry().top(), row.a->geometry().bottom() - 1);
}
