#include "SearchSidebar.h"

#include "CASSearchDialog.h"
#include "FindSearchDialog.h"
#include "GripperBar.h"
#include "NameSearchDialog.h"
#include "PanelTabCtrl.h"
#include "ShiSearcherDialog.h"
#include "Trace.h"
#include "UseSeacherDialog.h"
#include "WindowStyles.h"

namespace {
constexpr int kBarId = 123;
constexpr int kTabsId = 125;
constexpr QSize kBarSize(330, 260);
} // namespace

void AssembleSearchSidebar(QWidget& frame, CGripperBar& bar, CPanelTabCtrl& tabs, SearchHost& host)
{
    if (!bar.Create(QString(), &frame, kBarSize, true, kBarId,
                    WS_CHILD | WS_VISIBLE | WS_BORDER | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)) {
        Trace("Failed to create m_LeftCtrBar\n");
        // Without the bar's window nothing below can be made.
        return;
    }
    tabs.Create(WS_CHILD | WS_VISIBLE | CPanelTabCtrl::TABSTYLE_TOP, QRect(0, 0, 100, 100), &bar,
                kTabsId);
    // Only the first panel is seen at first: the others are made when first asked for, which
    // takes most of the sidebar's share out of the start.
    tabs.AddPanelPageOnDemand([&host] { return new CNameSearchDialog(host); }, 130,
                              QStringLiteral("名称检索"));
    tabs.AddPanelPageOnDemand([&host] { return new CCASSearchDialog(host); }, 131,
                              QStringLiteral("CAS检索"));
    tabs.AddPanelPageOnDemand([&host] { return new CUseSeacherDialog(host); }, 132,
                              QStringLiteral("用途检索"));
    tabs.AddPanelPageOnDemand([&host] { return new CShiSearcherDialog(host); }, 146,
                              QStringLiteral("化学式检索"));
    tabs.AddPanelPageOnDemand([&host] { return new CFindSearchDialog(host); }, 147,
                              QStringLiteral("综合检索"));
    tabs.ShowPage(0);
}
