// Storing and restoring a sizing bar's sizes in the application's profile.
#include "EdgeSizingBar.h"

#include "ControlId.h"
#include "DockSite.h"
#include "MiniDockFrameWnd.h"
#include "Profile.h"

#include <QScreen>

#include <algorithm>
#include <array>

namespace {

// Keys in the order of the sizes they hold: horizontal, vertical, floating; cx before cy.
constexpr std::array<const char*, 6> kKeys = {"sizeHorzCX", "sizeHorzCY",  "sizeVertCX",
                                              "sizeVertCY", "sizeFloatCX", "sizeFloatCY"};
QString SectionOf(const QString& profileName, int id)
{
    return BarSection(profileName, QStringLiteral("SCBar"), id);
}

// The largest sizes a bar takes back from the profile, horizontal, vertical and floating: docked
// no longer than a row of `frame` and no thicker than leaves its view the 2 pixels an edge drag
// leaves it; floating, in a floating frame that fits on the frame's screen.
std::array<QSize, 3> LargestSizes(const QWidget& frame)
{
    const QSize room = frame.size();
    const QSize screen = frame.screen()->availableGeometry().size() -
                         QSize(2 * CMiniDockFrameWnd::kBorder,
                               2 * CMiniDockFrameWnd::kBorder + CMiniDockFrameWnd::kCaption);
    return {QSize(room.width() + 2, room.height() - 2), QSize(room.width() - 2, room.height() - 2),
            screen};
}

// `value` within [least, most]; the least wins where the two cross.
int Bounded(int value, int least, int most)
{
    return std::max(least, std::min(most, value));
}

} // namespace

void CEdgeSizingBar::RestoreSizes(const QString& profileName)
{
    Q_ASSERT(parentWidget());
    const QString section = SectionOf(profileName, ControlId(this));
    const std::array<QSize*, 3> sizes = {&m_sizeHorzDocked, &m_sizeVertDocked, &m_sizeFloating};
    const std::array<QSize, 3> minimums = {m_sizeMinHorzDocked, m_sizeMinVertDocked,
                                           m_sizeMinFloating};
    const std::array<QSize, 3> largest =
        LargestSizes(GetDockSite() ? GetDockSite()->Frame() : *parentWidget());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        QSize& size = *sizes[i];
        size.setWidth(Bounded(GetProfileInt(section, kKeys[2 * i], size.width()),
                              minimums[i].width(), largest[i].width()));
        size.setHeight(Bounded(GetProfileInt(section, kKeys[2 * i + 1], size.height()),
                               minimums[i].height(), largest[i].height()));
    }
}

void CEdgeSizingBar::StoreSizes(const QString& profileName)
{
    const QString section = SectionOf(profileName, ControlId(this));
    const std::array<QSize, 3> sizes = {m_sizeHorzDocked, m_sizeVertDocked, m_sizeFloating};
    ProfileWriter profile;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        profile.WriteInt(section, kKeys[2 * i], sizes[i].width());
        profile.WriteInt(section, kKeys[2 * i + 1], sizes[i].height());
    }
}

void CEdgeSizingBar::RestoreAllBarSizes(const CDockSite& frame, const QString& profileName)
{
    for (CControlBar* bar : frame.ControlBars()) {
        Q_ASSERT(bar);
        if (auto* sizing = qobject_cast<CEdgeSizingBar*>(bar))
            sizing->RestoreSizes(profileName);
    }
}

void CEdgeSizingBar::StoreAllBarSizes(const CDockSite& frame, const QString& profileName)
{
    for (CControlBar* bar : frame.ControlBars()) {
        Q_ASSERT(bar);
        if (auto* sizing = qobject_cast<CEdgeSizingBar*>(bar))
            sizing->StoreSizes(profileName);
    }
}
