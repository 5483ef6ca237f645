#include "DockedFrame.h"
#include "MiniDockFrameWnd.h"

#include "TemporaryProfile.h"

#include <QScreen>

#include <gtest/gtest.h>

TEST(EdgeSizingBarProfileTest, SizesGoToTheBarsSectionAndComeBackRaisedToTheMinimums)
{
    TemporaryProfile profile(QStringLiteral("bar sizes"));

    DockedFrame frame;
    CEdgeSizingBar* bar = frame.Dock(AFX_IDW_DOCKBAR_LEFT, 123);
    CEdgeSizingBar* other = frame.Dock(AFX_IDW_DOCKBAR_TOP, 124);
    frame.Settle();
    bar->m_sizeHorzDocked = QSize(301, 41);
    bar->m_sizeVertDocked = QSize(142, 402);
    bar->m_sizeFloating = QSize(250, 160);
    CEdgeSizingBar::StoreAllBarSizes(*frame.site, QStringLiteral("Bars"));

    QSettings settings;
    settings.beginGroup(QStringLiteral("Bars-SCBar-123"));
    EXPECT_EQ(settings.childKeys(), QStringList({"sizeFloatCX", "sizeFloatCY", "sizeHorzCX",
                                                 "sizeHorzCY", "sizeVertCX", "sizeVertCY"}));
    EXPECT_EQ(settings.value("sizeHorzCX").toInt(), 301);
    EXPECT_EQ(settings.value("sizeHorzCY").toInt(), 41);
    EXPECT_EQ(settings.value("sizeVertCX").toInt(), 142);
    EXPECT_EQ(settings.value("sizeVertCY").toInt(), 402);
    EXPECT_EQ(settings.value("sizeFloatCX").toInt(), 250);
    EXPECT_EQ(settings.value("sizeFloatCY").toInt(), 160);
    // Values below the minimums come back as the minimums; a missing key keeps the size.
    settings.setValue("sizeHorzCX", 5);
    settings.setValue("sizeVertCY", 7);
    settings.setValue("sizeFloatCX", 1);
    settings.remove("sizeFloatCY");
    settings.endGroup();
    settings.sync();
    EXPECT_TRUE(settings.contains("Bars-SCBar-124/sizeVertCY"));

    bar->m_sizeHorzDocked = bar->m_sizeVertDocked = QSize(99, 99);
    bar->m_sizeFloating = QSize(88, 88);
    CEdgeSizingBar::RestoreAllBarSizes(*frame.site, QStringLiteral("Bars"));
    EXPECT_EQ(bar->m_sizeHorzDocked, QSize(33, 41));
    EXPECT_EQ(bar->m_sizeVertDocked, QSize(142, 32));
    EXPECT_EQ(bar->m_sizeFloating, QSize(37, 88));
    EXPECT_EQ(other->m_sizeVertDocked, QSize(120, 100));
}

TEST(EdgeSizingBarProfileTest, RestoredSizesAreBoundedByTheFrame)
{
    TemporaryProfile profile(QStringLiteral("bounded bar sizes"));
    {
        QSettings settings;
        settings.beginGroup(QStringLiteral("Bars-SCBar-125"));
        for (const char* key :
             {"sizeHorzCX", "sizeHorzCY", "sizeVertCX", "sizeVertCY", "sizeFloatCX", "sizeFloatCY"})
            settings.setValue(key, 5000);
    }

    DockedFrame frame;
    CEdgeSizingBar* bar = frame.Dock(AFX_IDW_DOCKBAR_TOP, 125);
    frame.Settle();
    bar->RestoreSizes(QStringLiteral("Bars"));
    // A row's whole length, and a thickness that leaves the view 2 pixels.
    EXPECT_EQ(bar->m_sizeHorzDocked, QSize(802, 598));
    EXPECT_EQ(bar->m_sizeVertDocked, QSize(798, 598));
    const QSize screen = frame.frame.screen()->availableGeometry().size();
    EXPECT_EQ(bar->m_sizeFloating +
                  QSize(2 * CMiniDockFrameWnd::kBorder,
                        2 * CMiniDockFrameWnd::kBorder + CMiniDockFrameWnd::kCaption),
              screen);
    frame.site->RecalcLayout();
    EXPECT_EQ(frame.view->height(), 2);

    // A frame smaller than the minimums leaves the minimums.
    frame.frame.resize(20, 20);
    bar->RestoreSizes(QStringLiteral("Bars"));
    EXPECT_EQ(bar->m_sizeHorzDocked, QSize(33, 32));
}
