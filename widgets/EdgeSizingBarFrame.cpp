// The sizing bar's frame around its client area: its size, its edges, hit-testing and painting.
#include "EdgeSizingBar.h"

#include "DockBar.h"
#include "MiniDockFrameWnd.h"
#include "PaintPrimitives.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QLayoutItem>
#include <QPainter>

namespace {
// The order in which edges are hit-tested and painted.
constexpr unsigned kEdgeCodes[] = {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM};
} // namespace

void CEdgeSizingBar::RecalcNonClient()
{
    // A floating frame that could only be sized from its sides learns its corners too.
    if (IsFloatingBar() && IsFloating()) {
        auto* mini = qobject_cast<CMiniDockFrameWnd*>(GetDockBar()->parentWidget());
        if (mini && (mini->GetMiniStyle() & MFS_4THICKFRAME)) {
            mini->ModifyMiniStyle(MFS_4THICKFRAME, 0);
            GetDockBar()->ModifyWindowStyle(0, WS_CLIPCHILDREN);
        }
    }

    // Edges between neighbours of a row: each bar but the first has one at its start, each
    // but the last one at its end.
    m_dwSizingStyle &= ~SIZING_EDGE_ALL;
    if (!IsFloatingBar() && GetDockBar()) {
        SizingBarArray bars;
        const int index = GetRowSizingBars(bars);
        const bool horz = IsDockedHorz();
        if (index > 0)
            m_dwSizingStyle |= horz ? SIZING_EDGE_LEFT : SIZING_EDGE_TOP;
        if (index >= 0 && index < int(bars.size()) - 1)
            m_dwSizingStyle |= horz ? SIZING_EDGE_RIGHT : SIZING_EDGE_BOTTOM;
    }

    QRect client(QPoint(0, 0), size());
    ComputeClientRect(client, m_nDockSide);
    // A bar smaller than its frame has an empty client area, never a negative one.
    client.setSize(client.size().expandedTo(QSize(0, 0)));
    m_rcClient = client;
    setContentsMargins(client.left(), client.top(), width() - client.right() - 1,
                       height() - client.bottom() - 1);
    if (m_dwSizingStyle & SIZING_FIT_CHILD) {
        const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        Q_ASSERT(children.size() <= 1);
        if (!children.isEmpty())
            FitChild(*children.front());
    }
    update();
}

void CEdgeSizingBar::FitChild(QWidget& child) const
{
    // Squeezed below its minimum a child may never settle (a scroll area lays its scroll bars
    // out again and again): it keeps its minimum size, the size a layout would leave it, and
    // shows only what the client area holds, so that the edges around stay the bar's.
    const QSize size = m_rcClient.size().expandedTo(QWidgetItem(&child).minimumSize());
    child.setGeometry(QRect(m_rcClient.topLeft(), size));
    if (size == m_rcClient.size())
        child.clearMask();
    else if (m_rcClient.isEmpty())
        child.setMask(QRegion(-1, -1, 1, 1)); // an empty mask would be no mask: show nothing
    else
        child.setMask(QRegion(QRect(QPoint(0, 0), m_rcClient.size())));
}

void CEdgeSizingBar::ComputeClientRect(QRect& rect, int dockSide)
{
    rect.adjust(3, 5, -3, -3);
    if (dockSide != AFX_IDW_DOCKBAR_FLOAT)
        rect.adjust(2, 0, -2, -2);
    switch (dockSide) {
    case AFX_IDW_DOCKBAR_TOP:
        m_dwSizingStyle |= SIZING_EDGE_BOTTOM;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        m_dwSizingStyle |= SIZING_EDGE_TOP;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        m_dwSizingStyle |= SIZING_EDGE_RIGHT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        m_dwSizingStyle |= SIZING_EDGE_LEFT;
        break;
    default:
        break;
    }
    if (m_dwSizingStyle & SIZING_SHOW_EDGES) {
        rect.adjust((m_dwSizingStyle & SIZING_EDGE_LEFT) ? m_cxSizingEdge : 0,
                    (m_dwSizingStyle & SIZING_EDGE_TOP) ? m_cxSizingEdge : 0,
                    (m_dwSizingStyle & SIZING_EDGE_RIGHT) ? -m_cxSizingEdge : 0,
                    (m_dwSizingStyle & SIZING_EDGE_BOTTOM) ? -m_cxSizingEdge : 0);
    }
}

QRect CEdgeSizingBar::EdgeRect(unsigned hitCode) const
{
    QRect rect(QPoint(0, 0), size());
    if (m_dwSizingStyle & SIZING_SHOW_EDGES)
        rect.adjust(1, 1, -1, -1);
    const int edge = m_cxSizingEdge;
    const bool horz = IsDockedHorz();
    switch (hitCode) {
    case HTLEFT:
        if (!(m_dwSizingStyle & SIZING_EDGE_LEFT))
            return {};
        rect.setWidth(edge);
        return horz ? rect.adjusted(0, edge, 0, -edge) : rect;
    case HTRIGHT:
        if (!(m_dwSizingStyle & SIZING_EDGE_RIGHT))
            return {};
        rect.setLeft(rect.left() + rect.width() - edge);
        return horz ? rect.adjusted(0, edge, 0, -edge) : rect;
    case HTTOP:
        if (!(m_dwSizingStyle & SIZING_EDGE_TOP))
            return {};
        rect.setHeight(edge);
        return horz ? rect : rect.adjusted(edge, 0, -edge, 0);
    case HTBOTTOM:
        if (!(m_dwSizingStyle & SIZING_EDGE_BOTTOM))
            return {};
        rect.setTop(rect.top() + rect.height() - edge);
        return horz ? rect : rect.adjusted(edge, 0, -edge, 0);
    default:
        Q_ASSERT(!"not an edge");
        return {};
    }
}

unsigned CEdgeSizingBar::NcHitTest(QPoint point) const
{
    // A floating bar leaves edge sizing to its frame.
    if (IsFloatingBar())
        return HTCLIENT;
    // The outermost pixel that shown edges leave unpainted takes the edge's code as well: it is
    // the line between two neighbours' edges, where the user aims to grab either.
    const int border = (m_dwSizingStyle & SIZING_SHOW_EDGES) ? 1 : 0;
    for (unsigned code : kEdgeCodes) {
        QRect edge = EdgeRect(code);
        if (edge.isEmpty())
            continue;
        if (code == HTLEFT)
            edge.setLeft(edge.left() - border);
        else if (code == HTTOP)
            edge.setTop(edge.top() - border);
        else if (code == HTRIGHT)
            edge.setRight(edge.right() + border);
        else
            edge.setBottom(edge.bottom() + border);
        if (edge.contains(point))
            return code;
    }
    return HTCLIENT;
}

void CEdgeSizingBar::PaintGripper(QPainter&, const QRect&) {}

void CEdgeSizingBar::paintEvent(QPaintEvent*)
{
    // The client area belongs to the child; only what lies around it is painted. (The window's
    // backing store already keeps this from flickering: an off-screen copy of the whole bar
    // cost a fresh image of its size at every paint.)
    QPainter painter(this);
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(m_rcClient)));
    QRect rect = this->rect();
    painter.fillRect(rect, SystemColour(SysColour::BtnFace));
    DrawBorders(painter, rect);
    if (m_dwSizingStyle & SIZING_SHOW_EDGES) {
        for (unsigned code : kEdgeCodes) {
            const QRect edge = EdgeRect(code);
            if (!edge.isEmpty())
                Draw3dRect(painter, edge, SystemColour(SysColour::BtnHighlight),
                           SystemColour(SysColour::BtnShadow));
        }
    }
    PaintGripper(painter, m_rcClient);
}
