#include "EdgeSizingBar.h"

#include "ControlId.h"
#include "PaintPrimitives.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QCloseEvent>
#include <QEvent>
#include <QPainter>

CEdgeSizingBar::CEdgeSizingBar()
{
    hide();
}

bool CEdgeSizingBar::Create(const QString& windowName, QWidget* parent, int id, std::uint32_t style)
{
    Q_ASSERT(parent);
    Q_ASSERT(!((style & CBRS_SIZE_FIXED) && (style & CBRS_SIZE_DYNAMIC)));
    if (!parent)
        return false;
    m_dwBarStyle = style & CBRS_ALL;
    setParent(parent);
    setWindowTitle(windowName);
    SetControlId(this, id);
    setAutoFillBackground(false);
    // Linux desktops show window contents while a window is dragged.
    m_bLiveResize = true;
    if (m_dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    else if (m_dwBarStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_nDockSide = ControlId(parent);
    RecalcNonClient();
    setVisible(style & WS_VISIBLE);
    return true;
}

bool CEdgeSizingBar::Create(const QString& windowName, QWidget* parent, QSize defaultSize, bool,
                            int id, std::uint32_t style)
{
    m_sizeHorzDocked = m_sizeVertDocked = m_sizeFloating = defaultSize;
    return Create(windowName, parent, id, style);
}

bool CEdgeSizingBar::IsDockedHorz() const
{
    return m_nDockSide == AFX_IDW_DOCKBAR_TOP || m_nDockSide == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CEdgeSizingBar::IsDockedVert() const
{
    return m_nDockSide == AFX_IDW_DOCKBAR_LEFT || m_nDockSide == AFX_IDW_DOCKBAR_RIGHT;
}

bool CEdgeSizingBar::IsFloatingBar() const
{
    return !IsDockedHorz() && !IsDockedVert();
}

QSize CEdgeSizingBar::CalcFixedLayout(bool stretch, bool horz)
{
    if (stretch)
        return horz ? QSize(32767, m_sizeHorzDocked.height())
                    : QSize(m_sizeVertDocked.width(), 32767);
    m_bFrameResizing = false;
    const QSize& size = horz ? m_sizeHorzDocked : m_sizeVertDocked;
    const QSize& minimum = horz ? m_sizeMinHorzDocked : m_sizeMinVertDocked;
    return size.expandedTo(minimum);
}

QSize CEdgeSizingBar::sizeHint() const
{
    // The frame lays the bar out directly: a side bar as wide as its vertical size, a top or
    // bottom bar as tall as its horizontal one; the other extent follows the frame.
    const bool horz = !(m_dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT));
    const QSize size = const_cast<CEdgeSizingBar*>(this)->CalcFixedLayout(true, horz);
    return horz ? QSize(m_sizeHorzDocked.width(), size.height())
                : QSize(size.width(), m_sizeVertDocked.height());
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
    for (unsigned code : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM}) {
        if (EdgeRect(code).contains(point))
            return code;
    }
    return HTCLIENT;
}

void CEdgeSizingBar::RecalcNonClient()
{
    m_dwSizingStyle &= ~SIZING_EDGE_ALL;
    QRect client(QPoint(0, 0), size());
    ComputeClientRect(client, m_nDockSide);
    m_rcClient = client;
    setContentsMargins(client.left(), client.top(), width() - client.right() - 1,
                       height() - client.bottom() - 1);
    if (m_dwSizingStyle & SIZING_FIT_CHILD) {
        const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        Q_ASSERT(children.size() <= 1);
        if (!children.isEmpty())
            children.front()->setGeometry(client);
    }
    update();
}

void CEdgeSizingBar::PaintGripper(QPainter&, const QRect&) {}

void CEdgeSizingBar::DrawBorders(QPainter& painter, QRect& rect) const
{
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    if (m_dwBarStyle & CBRS_BORDER_LEFT) {
        painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), shadow);
        rect.setLeft(rect.left() + 2);
    }
    if (m_dwBarStyle & CBRS_BORDER_TOP) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), shadow);
        rect.setTop(rect.top() + 2);
    }
    if (m_dwBarStyle & CBRS_BORDER_RIGHT) {
        painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), shadow);
        rect.setRight(rect.right() - 2);
    }
    if (m_dwBarStyle & CBRS_BORDER_BOTTOM) {
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), shadow);
        rect.setBottom(rect.bottom() - 2);
    }
}

void CEdgeSizingBar::paintEvent(QPaintEvent*)
{
    // The client area belongs to the child; this paints what lies around it.
    QPainter painter(this);
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(m_rcClient)));
    QRect rect = this->rect();
    painter.fillRect(rect, SystemColour(SysColour::BtnFace));
    DrawBorders(painter, rect);
    if (m_dwSizingStyle & SIZING_SHOW_EDGES) {
        for (unsigned code : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM}) {
            const QRect edge = EdgeRect(code);
            if (!edge.isEmpty())
                Draw3dRect(painter, edge, SystemColour(SysColour::BtnHighlight),
                           SystemColour(SysColour::BtnShadow));
        }
    }
    PaintGripper(painter, m_rcClient);
}

bool CEdgeSizingBar::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange) {
        // Where the bar stands is the control id of its parent.
        m_nDockSide = ControlId(parentWidget());
        RecalcNonClient();
    }
    return QWidget::event(event);
}

void CEdgeSizingBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcNonClient();
}

void CEdgeSizingBar::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!IsFloatingBar())
        m_bHoldLength = true;
}

void CEdgeSizingBar::closeEvent(QCloseEvent* event)
{
    // A stray close request from a child (Escape in an edit field) must not close the bar.
    event->ignore();
}
