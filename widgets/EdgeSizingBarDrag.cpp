// Dragging a docked sizing bar's edge: within the row (between two bars) or across it
// (between the bars and the frame's interior), live or with a marker.
#include "EdgeSizingBar.h"
#include "EdgeSizingBarLengths.h"

#include "DockBar.h"
#include "DockSite.h"
#include "DragMarker.h"

#include <algorithm>
#include <cstdlib>

namespace {

// What a bar can give up above its minimum length (nothing when a stored size is below it).
int ExcessOf(CEdgeSizingBar& bar, bool horz)
{
    return std::max(0, LengthOf(bar, horz) - MinLengthOf(bar, horz));
}

bool OnXAxis(unsigned hitCode)
{
    return hitCode == HTLEFT || hitCode == HTRIGHT;
}

int CentreOn(const QRect& rect, bool xAxis)
{
    return xAxis ? rect.left() + rect.width() / 2 : rect.top() + rect.height() / 2;
}

} // namespace

bool CEdgeSizingBar::IsAcrossRowDrag() const
{
    return IsDockedHorz() ? !OnXAxis(m_nTrackedEdge) : OnXAxis(m_nTrackedEdge);
}

void CEdgeSizingBar::BeginEdgeDrag(unsigned hitCode, QPoint screenPoint)
{
    // Losing the mouse to another window ends the drag as the release would.
    m_Capture.Grab(*this, [this] { EndEdgeDrag(); });
    // No paint may be pending under the marker.
    if (!m_bLiveResize)
        repaint();
    m_nTrackedEdge = hitCode;
    m_bDragging = true;
    const bool xAxis = OnXAxis(hitCode);
    m_nDragPos = xAxis ? screenPoint.x() : screenPoint.y();
    const QRect edge = EdgeRect(hitCode).translated(mapToGlobal(QPoint(0, 0)));
    m_nDragGrabOffset = m_nDragPos - CentreOn(edge, xAxis);

    SizingBarArray bars;
    int index = GetRowSizingBars(bars);
    m_nDragLow = m_nDragHigh = m_nDragPos;
    const bool horz = IsDockedHorz();
    if (IsAcrossRowDrag()) {
        int minWidth = horz ? m_sizeMinHorzDocked.height() : m_sizeMinVertDocked.width();
        for (const CEdgeSizingBar* bar : bars)
            minWidth = std::max(minWidth, horz ? bar->m_sizeMinHorzDocked.height()
                                               : bar->m_sizeMinVertDocked.width());
        const int excess =
            std::max(0, (horz ? m_sizeHorzDocked.height() : m_sizeVertDocked.width()) - minWidth);
        // The view pane keeps 2 pixels.
        const QRect pane = GetDockSite()->RepositionBars(true);
        const int room = (horz ? pane.height() : pane.width()) - 2;
        if (hitCode == HTTOP || hitCode == HTLEFT) {
            m_nDragLow -= room;
            m_nDragHigh += excess;
        } else {
            m_nDragLow -= excess;
            m_nDragHigh += room;
        }
    } else {
        // The bars before the dragged edge give way to one side, the others to the other.
        if (hitCode == HTBOTTOM || hitCode == HTRIGHT)
            ++index;
        for (int i = 0; i < int(bars.size()); ++i) {
            if (i < index)
                m_nDragLow -= ExcessOf(*bars[i], horz);
            else
                m_nDragHigh += ExcessOf(*bars[i], horz);
        }
    }
    ToggleDragMarker();
}

void CEdgeSizingBar::UpdateEdgeDrag(QPoint screenPoint)
{
    Q_ASSERT(!IsFloatingBar());
    const bool xAxis = OnXAxis(m_nTrackedEdge);
    const int position =
        std::clamp(xAxis ? screenPoint.x() : screenPoint.y(), m_nDragLow, m_nDragHigh);
    const int delta = position - m_nDragPos;
    if (delta == 0)
        return;
    ToggleDragMarker();
    m_nDragPos = position;

    const bool horz = IsDockedHorz();
    QSize size = horz ? m_sizeHorzDocked : m_sizeVertDocked;
    switch (m_nTrackedEdge) {
    case HTLEFT:
        size.rwidth() -= delta;
        break;
    case HTRIGHT:
        size.rwidth() += delta;
        break;
    case HTTOP:
        size.rheight() -= delta;
        break;
    default:
        size.rheight() += delta;
        break;
    }
    SizingBarArray bars;
    const int index = GetRowSizingBars(bars);
    if (IsAcrossRowDrag()) {
        for (CEdgeSizingBar* bar : bars) {
            if (horz)
                bar->m_sizeHorzDocked.setHeight(size.height());
            else
                bar->m_sizeVertDocked.setWidth(size.width());
        }
    } else {
        // The bar on the side the edge moves away from grows; the bars beyond the edge on
        // the other side give up the same length, nearest first, down to their minimums.
        int growing = index;
        bool towardStart = m_nTrackedEdge == HTLEFT || m_nTrackedEdge == HTTOP;
        if (towardStart && delta > 0) {
            growing = index - 1;
            towardStart = false;
        } else if (!towardStart && delta < 0) {
            growing = index + 1;
            towardStart = true;
        }
        Q_ASSERT(growing >= 0 && growing < int(bars.size()));
        growing = std::clamp(growing, 0, int(bars.size()) - 1);
        int remaining = std::abs(delta);
        LengthOf(*bars[growing], horz) += remaining;
        const int step = towardStart ? -1 : 1;
        for (int i = growing + step; remaining > 0 && i >= 0 && i < int(bars.size()); i += step) {
            const int take = std::min(remaining, ExcessOf(*bars[i], horz));
            LengthOf(*bars[i], horz) -= take;
            remaining -= take;
        }
    }
    ToggleDragMarker();
    if (m_bLiveResize)
        DelayRecalcParentLayout();
}

void CEdgeSizingBar::EndEdgeDrag()
{
    ToggleDragMarker();
    m_bDragging = false;
    m_Capture.Release();
    DelayRecalcParentLayout();
}

void CEdgeSizingBar::ToggleDragMarker()
{
    Q_ASSERT(m_bDragging);
    if (m_bLiveResize)
        return;
    const bool xAxis = OnXAxis(m_nTrackedEdge);
    QRect rect = EdgeRect(m_nTrackedEdge).translated(mapToGlobal(QPoint(0, 0)));
    if (IsAcrossRowDrag()) {
        const QRect dock(GetDockBar()->mapToGlobal(QPoint(0, 0)), GetDockBar()->size());
        if (IsDockedHorz()) {
            rect.setLeft(dock.left() + 1);
            rect.setRight(dock.right() - 1);
        } else {
            rect.setTop(dock.top() + 1);
            rect.setBottom(dock.bottom() - 1);
        }
    }
    const int shift = (m_nDragPos - m_nDragGrabOffset) - CentreOn(rect, xAxis);
    rect.translate(xAxis ? shift : 0, xAxis ? 0 : shift);
    QWidget& frame = GetDockSite()->Frame();
    InvertHalftoneRect(frame, rect.translated(-frame.mapToGlobal(QPoint(0, 0))));
}
