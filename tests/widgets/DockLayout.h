#pragma once

#include "ControlId.h"
#include "DockBar.h"
#include "DockSite.h"

#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <string>

/// Everything the user sees of a frame's layout, as text: each dock bar's rows ("|" a row
/// break, "p<id>" a placeholder, a bar its id), each bar's parent and rectangle (or that it is
/// hidden), where the floating frames stand, and the view's rectangle.
inline std::string DockLayoutOf(const CDockSite& site, const QWidget& view)
{
    const auto rect = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QStringList lines;
    for (int side : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                     AFX_IDW_DOCKBAR_RIGHT}) {
        QString rows;
        for (const DockEntry& entry : site.DockBarOf(side)->Entries())
            rows += entry.IsRowBreak()      ? QStringLiteral("|")
                    : entry.IsPlaceholder() ? QStringLiteral("p%1").arg(entry.PlaceholderId())
                                            : QString::number(ControlId(entry.Bar()));
        lines << QStringLiteral("side %1: %2").arg(side, 0, 16).arg(rows);
    }
    std::vector<const CControlBar*> bars;
    for (const CControlBar* bar : site.ControlBars()) {
        if (!qobject_cast<const CDockBar*>(bar))
            bars.push_back(bar);
    }
    std::sort(bars.begin(), bars.end(), [](const CControlBar* a, const CControlBar* b) {
        return ControlId(a) < ControlId(b);
    });
    for (const CControlBar* bar : bars) {
        QString line = QStringLiteral("bar %1 ").arg(ControlId(bar));
        if (bar->isHidden())
            line += QStringLiteral("hidden");
        else
            line += QStringLiteral("in %1 at %2")
                        .arg(ControlId(bar->parentWidget()), 0, 16)
                        .arg(rect(bar->geometry()));
        if (bar->IsFloating())
            line += QStringLiteral(", floating at %1").arg(rect(bar->window()->geometry()));
        lines << line;
    }
    lines << QStringLiteral("view %1").arg(rect(view.geometry()));
    return lines.join('\n').toStdString();
}
