#include "DockBar.h"

#include "ControlId.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QHash>
#include <QPainter>

#include <algorithm>

CDockBar::CDockBar(QWidget* parent, int id) : CControlBar(parent), m_nId(id)
{
    SetControlId(this, id);
    m_arrBars.push_back(DockEntry::RowBreak());
}

bool CDockBar::IsHorzDockBar() const
{
    return m_nId == AFX_IDW_DOCKBAR_TOP || m_nId == AFX_IDW_DOCKBAR_BOTTOM;
}

int CDockBar::FindBar(const CControlBar* bar) const
{
    for (std::size_t i = 0; i < m_arrBars.size(); ++i) {
        if (bar && m_arrBars[i].Bar() == bar)
            return int(i);
    }
    return -1;
}

int CDockBar::FindPlaceholder(int id) const
{
    for (std::size_t i = 0; i < m_arrBars.size(); ++i) {
        if (m_arrBars[i].IsPlaceholder() && m_arrBars[i].PlaceholderId() == id)
            return int(i);
    }
    return -1;
}

void CDockBar::InsertRowBreak(int index)
{
    m_arrBars.insert(m_arrBars.begin() + index, DockEntry::RowBreak());
}

namespace {

// Makes `bar` a child of `dock`, visible as it was (or was about to be).
void Adopt(CDockBar* dock, CControlBar* bar)
{
    if (bar->parentWidget() == dock)
        return;
    const bool visible = bar->IsVisible();
    bar->setParent(dock);
    bar->setVisible(visible);
    bar->DelayShow(visible);
}

} // namespace

void CDockBar::DockControlBar(CControlBar* bar, CControlBar* after)
{
    const int at = FindBar(after);
    if (after && at >= 0) {
        m_arrBars.insert(m_arrBars.begin() + at + 1, DockEntry::Of(bar));
    } else {
        m_arrBars.push_back(DockEntry::Of(bar));
        m_arrBars.push_back(DockEntry::RowBreak());
    }
    // A floating frame's caption shows the name of the bar it holds.
    if (IsFloatingDockBar())
        setWindowTitle(bar->windowTitle());
    Adopt(this, bar);
}

void CDockBar::DockControlBarAt(CControlBar* bar, QPoint point)
{
    const bool horz = IsHorzDockBar();
    const int across = horz ? point.y() : point.x();
    const int along = horz ? point.x() : point.y();
    bool beforeAllRows = true;
    int rowStart = 1;
    for (int i = 1; i < int(m_arrBars.size()); ++i) {
        if (!m_arrBars[i].IsRowBreak())
            continue;
        QRect rowRect;
        for (int j = rowStart; j < i; ++j) {
            if (CControlBar* other = m_arrBars[j].Bar(); other && other->IsVisible())
                rowRect |= other->geometry();
        }
        const int rowLow = horz ? rowRect.top() : rowRect.left();
        const int rowHigh = horz ? rowRect.bottom() : rowRect.right();
        if (!rowRect.isEmpty() && across >= rowLow && across <= rowHigh) {
            int insertAt = i;
            for (int j = rowStart; j < i; ++j) {
                CControlBar* other = m_arrBars[j].Bar();
                if (!other || !other->IsVisible())
                    continue;
                const QPoint centre = other->geometry().center();
                if ((horz ? centre.x() : centre.y()) > along) {
                    insertAt = j;
                    break;
                }
            }
            m_arrBars.insert(m_arrBars.begin() + insertAt, DockEntry::Of(bar));
            Adopt(this, bar);
            return;
        }
        if (!rowRect.isEmpty() && across > rowHigh)
            beforeAllRows = false;
        rowStart = i + 1;
    }
    if (beforeAllRows && VisibleBarCount() > 0)
        m_arrBars.insert(m_arrBars.begin() + 1, {DockEntry::Of(bar), DockEntry::RowBreak()});
    else
        DockControlBar(bar, nullptr);
    Adopt(this, bar);
}

void CDockBar::AppendRow(const std::vector<DockEntry>& row)
{
    if (row.empty())
        return;
    m_arrBars.insert(m_arrBars.end(), row.begin(), row.end());
    m_arrBars.push_back(DockEntry::RowBreak());
    for (const DockEntry& entry : row) {
        if (entry.Bar())
            Adopt(this, entry.Bar());
    }
}

bool CDockBar::ReplacePlaceholder(CControlBar* bar)
{
    const int at = FindPlaceholder(ControlId(bar));
    if (at < 0)
        return false;
    m_arrBars[at] = DockEntry::Of(bar);
    Adopt(this, bar);
    return true;
}

void CDockBar::RemoveControlBar(CControlBar* bar, bool leavePlaceholder)
{
    const int at = FindBar(bar);
    if (at < 0)
        return;
    if (leavePlaceholder)
        m_arrBars[at] = DockEntry::Placeholder(ControlId(bar));
    else
        m_arrBars.erase(m_arrBars.begin() + at);
    RemoveEmptyRows();
}

void CDockBar::RemovePlaceholder(int id)
{
    const int at = FindPlaceholder(id);
    if (at < 0)
        return;
    m_arrBars.erase(m_arrBars.begin() + at);
    RemoveEmptyRows();
}

void CDockBar::RemoveEmptyRows()
{
    for (std::size_t i = 1; i < m_arrBars.size();) {
        if (m_arrBars[i].IsRowBreak() && m_arrBars[i - 1].IsRowBreak())
            m_arrBars.erase(m_arrBars.begin() + i);
        else
            ++i;
    }
}

int CDockBar::VisibleBarCount() const
{
    return int(std::count_if(m_arrBars.begin(), m_arrBars.end(), [](const DockEntry& entry) {
        return entry.Bar() && entry.Bar()->IsVisible();
    }));
}

QSize CDockBar::MeasureBar(CControlBar* bar, bool horz)
{
    if (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
        return bar->CalcDynamicLayout(-1, horz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
    return bar->CalcFixedLayout(false, horz);
}

QSize CDockBar::LayoutBars(QSize available, bool query)
{
    const bool horz = IsHorzDockBar();
    m_bLayoutQuery = query;

    // Measuring first: a sizing bar's answer may share out its row anew and break it.
    QHash<CControlBar*, QSize> sizes;
    std::vector<CControlBar*> bars;
    for (const DockEntry& entry : m_arrBars) {
        if (entry.Bar())
            bars.push_back(entry.Bar());
    }
    for (CControlBar* bar : bars) {
        if (bar->IsVisible())
            sizes.insert(bar, MeasureBar(bar, horz));
        if (!query)
            bar->RecalcDelayShow(nullptr);
    }

    // Rows start 2 pixels before the dock bar's start and run as far as the sizing bars' share
    // of the row takes them.
    const int limit = horz ? available.width() + 2 : available.height() - 2;
    int along = -2, across = 0, rowThickness = 0;
    bool rowHasBars = false, anyRow = false;
    for (std::size_t i = 0; i < m_arrBars.size(); ++i) {
        CControlBar* bar = m_arrBars[i].Bar();
        if (m_arrBars[i].IsRowBreak()) {
            if (rowHasBars)
                across += rowThickness - 2;
            along = -2;
            rowThickness = 0;
            rowHasBars = false;
            continue;
        }
        if (!bar || !sizes.contains(bar))
            continue;
        const QSize size = sizes.value(bar);
        const int length = horz ? size.width() : size.height();
        if (rowHasBars && along + length > limit) {
            // The bar does not fit: it starts the next row.
            if (!query) {
                InsertRowBreak(int(i));
                ++i;
            }
            across += rowThickness - 2;
            along = -2;
            rowThickness = 0;
        }
        if (!query)
            bar->SetWindowPos(horz ? QRect(QPoint(along, across), size)
                                   : QRect(QPoint(across, along), size));
        along += length - 2;
        rowThickness = std::max(rowThickness, horz ? size.height() : size.width());
        rowHasBars = anyRow = true;
    }
    m_bLayoutQuery = false;
    const int thickness = anyRow ? across + 2 : 0;
    return horz ? QSize(available.width(), thickness) : QSize(thickness, available.height());
}

void CDockBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), SystemColour(SysColour::BtnFace));
}
