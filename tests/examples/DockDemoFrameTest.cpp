#include "DockDemoFrame.h"
#include "DockLayout.h"
#include "GripperBar.h"

#include "TemporaryProfile.h"

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

// The demonstration as it starts: made, shown, its floating bar placed.
struct Demo
{
    Demo()
    {
        frame.show();
        frame.PlaceFloatingBar();
        QApplication::processEvents();
    }
    CDockSite& Site() const { return *CDockSite::Of(&frame); }
    CGripperBar* Bar(int id) const
    {
        for (CControlBar* bar : Site().ControlBars()) {
            if (ControlId(bar) == id)
                return qobject_cast<CGripperBar*>(bar);
        }
        return nullptr;
    }
    std::string Layout() const
    {
        const auto* view = frame.findChild<QPlainTextEdit*>(QString(), Qt::FindDirectChildrenOnly);
        const QRect at = frame.geometry();
        return DockLayoutOf(Site(), *view) + QStringLiteral("\nframe %1,%2 %3x%4")
                                                 .arg(at.x())
                                                 .arg(at.y())
                                                 .arg(at.width())
                                                 .arg(at.height())
                                                 .toStdString();
    }

    DockDemoFrame frame;
};

} // namespace

TEST(DockDemoFrameTest, ClosedAndStartedAgainItShowsTheLayoutItWasLeftIn)
{
    TemporaryProfile settings(QStringLiteral("dock demo"));
    std::string left;
    {
        Demo demo;
        // At the first start the floating bar floats near the frame's middle.
        ASSERT_TRUE(demo.Bar(231)->IsFloating());
        EXPECT_EQ(demo.Bar(231)->window()->pos(), demo.frame.mapToGlobal(QPoint(560, 330)));
        demo.frame.setGeometry(40, 30, 900, 640);
        demo.Site().DockControlBar(demo.Bar(231), AFX_IDW_DOCKBAR_RIGHT);
        demo.Site().FloatControlBar(demo.Bar(202), demo.frame.mapToGlobal(QPoint(300, 200)));
        demo.Site().DockControlBar(demo.Bar(221), AFX_IDW_DOCKBAR_TOP, demo.Bar(211));
        demo.Site().ShowControlBar(demo.Bar(212), false, false);
        demo.Bar(201)->m_sizeVertDocked.setWidth(260);
        demo.Site().RecalcLayout();
        QApplication::processEvents();
        left = demo.Layout();
        ASSERT_NE(left.find("side e81d: |231|\n"), std::string::npos);
        demo.frame.close();
    }
    Demo demo;
    EXPECT_EQ(demo.Layout(), left);
}

TEST(DockDemoFrameTest, TheViewsMenuBringsAClosedBarBack)
{
    TemporaryProfile settings(QStringLiteral("dock demo menu"));
    Demo demo;
    demo.Site().ShowControlBar(demo.Bar(212), false, false);
    QMenu menu;
    demo.frame.AddBarActions(menu);
    QStringList titles;
    for (const QAction* action : menu.actions())
        titles << action->text() + (action->isChecked() ? "+" : "-");
    EXPECT_EQ(titles, QStringList({"左1+", "左2+", "左3+", "上1+", "上2-", "下+", "浮动+"}));
    menu.actions()[4]->trigger();
    EXPECT_FALSE(demo.Bar(212)->isHidden());
    menu.actions()[0]->trigger();
    EXPECT_TRUE(demo.Bar(201)->isHidden());
}
