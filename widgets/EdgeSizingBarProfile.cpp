// Storing and restoring a sizing bar's sizes in the application's profile.
#include "EdgeSizingBar.h"

#include "ControlId.h"
#include "DockSite.h"
#include "Profile.h"

#include <array>

namespace {

// Keys in the order of the sizes they hold: horizontal, vertical, floating; cx before cy.
constexpr std::array<const char*, 6> kKeys = {"sizeHorzCX", "sizeHorzCY",  "sizeVertCX",
                                              "sizeVertCY", "sizeFloatCX", "sizeFloatCY"};
// The section name is made in a buffer of 256 characters.
constexpr int kSectionLength = 255;

QString SectionOf(const QString& profileName, int id)
{
    return QStringLiteral("%1-SCBar-%2").arg(profileName).arg(id).left(kSectionLength);
}

} // namespace

void CEdgeSizingBar::RestoreSizes(const QString& profileName)
{
    Q_ASSERT(parentWidget());
    const QString section = SectionOf(profileName, ControlId(this));
    const std::array<QSize*, 3> sizes = {&m_sizeHorzDocked, &m_sizeVertDocked, &m_sizeFloating};
    const std::array<QSize, 3> minimums = {m_sizeMinHorzDocked, m_sizeMinVertDocked,
                                           m_sizeMinFloating};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        QSize& size = *sizes[i];
        size.setWidth(
            std::max(minimums[i].width(), GetProfileInt(section, kKeys[2 * i], size.width())));
        size.setHeight(std::max(minimums[i].height(),
                                GetProfileInt(section, kKeys[2 * i + 1], size.height())));
    }
}

void CEdgeSizingBar::StoreSizes(const QString& profileName)
{
    const QString section = SectionOf(profileName, ControlId(this));
    const std::array<QSize, 3> sizes = {m_sizeHorzDocked, m_sizeVertDocked, m_sizeFloating};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        WriteProfileInt(section, kKeys[2 * i], sizes[i].width());
        WriteProfileInt(section, kKeys[2 * i + 1], sizes[i].height());
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
