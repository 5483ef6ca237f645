#include "ControlId.h"
#include "DockBar.h"
#include "DockContext.h"
#include "DockLayout.h"
#include "DockedFrame.h"

#include "TemporaryProfile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The frame as a program makes it at every start: bars 1 to 3 in a row on the left, 4 on
// the top, 5 at the bottom.
struct ProgramFrame : DockedFrame
{
    ProgramFrame()
    {
        bars[0] = Dock(AFX_IDW_DOCKBAR_LEFT, 1);
        bars[1] = Dock(AFX_IDW_DOCKBAR_LEFT, 2, bars[0]);
        bars[2] = Dock(AFX_IDW_DOCKBAR_LEFT, 3, bars[1]);
        bars[3] = Dock(AFX_IDW_DOCKBAR_TOP, 4);
        bars[4] = Dock(AFX_IDW_DOCKBAR_BOTTOM, 5);
    }
    void Save()
    {
        CEdgeSizingBar::StoreAllBarSizes(*site, QStringLiteral("Bars"));
        site->SaveBarState(QStringLiteral("Bars"));
    }
    bool Load()
    {
        CEdgeSizingBar::RestoreAllBarSizes(*site, QStringLiteral("Bars"));
        return site->LoadBarState(QStringLiteral("Bars"));
    }
    std::string Layout() const { return DockLayoutOf(*site, *view); }

    CEdgeSizingBar* bars[5];
};

// Drags edge `code` of `bar` by `by` pixels along its axis.
void DragEdge(CEdgeSizingBar* bar, unsigned code, int by)
{
    const QPoint edge = bar->EdgeRect(code).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, edge);
    const bool xAxis = code == HTLEFT || code == HTRIGHT;
    bar->UpdateEdgeDrag(bar->mapToGlobal(edge) + (xAxis ? QPoint(by, 0) : QPoint(0, by)));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, edge);
}

} // namespace

TEST(BarStateTest, AQuitAndARestartGiveBackTheLayoutTheUserLeft)
{
    TemporaryProfile profile(QStringLiteral("bar state"));
    ProgramFrame before;
    before.Settle();
    EXPECT_FALSE(before.Load());
    // The user's changes: lengths shared anew, a bar floated out of its row, another floated
    // and docked in a row of its own, one docked into the top row and floated from there, one
    // hidden, the left rows made wider.
    DragEdge(before.bars[0], HTBOTTOM, 70);
    before.Settle();
    before.site->FloatControlBar(before.bars[1], QPoint(350, 250));
    before.site->FloatControlBar(before.bars[2], QPoint(420, 120));
    before.site->DockControlBar(before.bars[2], AFX_IDW_DOCKBAR_LEFT);
    before.site->DockControlBar(before.bars[4], AFX_IDW_DOCKBAR_TOP, before.bars[3]);
    before.Settle();
    before.site->FloatControlBar(before.bars[4], QPoint(500, 300));
    before.site->ShowControlBar(before.bars[3], false, false);
    before.Settle();
    DragEdge(before.bars[0], HTRIGHT, 45);
    before.Settle();
    ASSERT_NE(before.Layout().find("side e81c: |1p2|3|\n"), std::string::npos);
    ASSERT_NE(before.Layout().find("side e81b: |4p5|\n"), std::string::npos);
    before.Save();

    // The program starts again: its frame made as always, then the layout loaded.
    ProgramFrame after;
    EXPECT_TRUE(after.Load());
    after.Settle();
    EXPECT_EQ(after.Layout(), before.Layout());

    // The hidden bar comes back at its length, and the floated bars dock back into the places
    // they left in their rows.
    for (ProgramFrame* frame : {&before, &after}) {
        frame->site->ShowControlBar(frame->bars[3], true, false);
        frame->bars[1]->GetDockContext()->ToggleDocking();
        frame->bars[4]->GetDockContext()->ToggleDocking();
        frame->Settle();
    }
    EXPECT_EQ(after.Layout(), before.Layout());
    EXPECT_NE(after.Layout().find("side e81c: |12|3|\n"), std::string::npos);
    EXPECT_NE(after.Layout().find("side e81b: |45|\n"), std::string::npos);
    // A docked bar floats where it floated last.
    for (ProgramFrame* frame : {&before, &after}) {
        frame->bars[2]->GetDockContext()->ToggleDocking();
        frame->Settle();
    }
    EXPECT_EQ(after.Layout(), before.Layout());
}

TEST(BarStateTest, EachBarKeepsItsSideRowPlaceFloatingPositionAndVisibility)
{
    TemporaryProfile profile(QStringLiteral("bar state"));
    ProgramFrame frame;
    frame.site->FloatControlBar(frame.bars[2], QPoint(300, 200));
    frame.site->DockControlBar(frame.bars[1], AFX_IDW_DOCKBAR_LEFT);
    frame.site->ShowControlBar(frame.bars[3], false, false);
    frame.Settle();
    frame.Save();

    QSettings settings;
    const auto value = [&](int id, const char* key) {
        return settings.value(QStringLiteral("Bars-Bar-%1/%2").arg(id).arg(key)).toInt();
    };
    EXPECT_EQ(value(2, "side"), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(value(2, "row"), 1);
    EXPECT_EQ(value(2, "place"), 0);
    EXPECT_EQ(value(1, "row"), 0);
    EXPECT_EQ(value(3, "side"), AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_EQ(value(3, "lastSide"), AFX_IDW_DOCKBAR_LEFT);
    EXPECT_EQ(value(3, "row"), 0); // its placeholder stands behind bar 1
    EXPECT_EQ(value(3, "place"), 1);
    EXPECT_EQ(QPoint(value(3, "floatX"), value(3, "floatY")), frame.bars[2]->window()->pos());
    EXPECT_EQ(value(4, "visible"), 0);
    EXPECT_EQ(value(5, "visible"), 1);
    EXPECT_EQ(value(5, "side"), AFX_IDW_DOCKBAR_BOTTOM);
    // Only bars have a state; the dock bars are the frame's own.
    EXPECT_FALSE(
        settings.childGroups().contains(QStringLiteral("Bars-Bar-%1").arg(AFX_IDW_DOCKBAR_LEFT)));
}

TEST(BarStateTest, AnEditedProfileLosesNoBarAndBreaksNothing)
{
    TemporaryProfile profile(QStringLiteral("edited bar state"));
    {
        QSettings settings;
        const auto write = [&](int id, const char* key, int value) {
            settings.setValue(QStringLiteral("Bars-Bar-%1/%2").arg(id).arg(key), value);
        };
        // Two bars on one place of the top row, one on a side that does not exist, one
        // floating that was "docked last" on no side at all.
        for (int id : {1, 2}) {
            write(id, "side", AFX_IDW_DOCKBAR_TOP);
            write(id, "row", -5);
            write(id, "place", 0);
        }
        write(3, "side", 12345);
        write(4, "side", AFX_IDW_DOCKBAR_FLOAT);
        write(4, "lastSide", 777);
        write(4, "row", 0);
        write(4, "floatX", -99999);
        write(4, "floatY", 99999);
    }
    ProgramFrame frame;
    EXPECT_TRUE(frame.Load());
    frame.Settle();
    const std::string layout = frame.Layout();
    EXPECT_NE(layout.find("side e81b: |12|\n"), std::string::npos) << layout;
    EXPECT_NE(layout.find("side e81c: |3|\n"), std::string::npos) << layout;
    // Every bar stands in the dock bar it is the child of, and shows.
    for (const CEdgeSizingBar* bar : frame.bars) {
        ASSERT_NE(bar->GetDockBar(), nullptr);
        EXPECT_GE(bar->GetDockBar()->FindBar(bar), 0) << ControlId(bar);
        EXPECT_FALSE(bar->isHidden()) << ControlId(bar);
    }
    EXPECT_TRUE(frame.bars[3]->IsFloating());
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(
        frame.bars[3]->window()->geometry()));
    // Docking the floating bar back finds it a side instead of one that is not there.
    frame.bars[3]->GetDockContext()->ToggleDocking();
    frame.Settle();
    EXPECT_FALSE(frame.bars[3]->IsFloating());
}
