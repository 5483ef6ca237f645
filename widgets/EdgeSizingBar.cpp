#include "EdgeSizingBar.h"

#include "ControlId.h"
#include "DockBar.h"
#include "DockContext.h"
#include "EdgeCursor.h"
#include "SystemParameters.h"
#include "WindowStyles.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMouseEvent>

CEdgeSizingBar::CEdgeSizingBar() : m_pCursor(new EdgeCursor(*this))
{
    hide();
    // The cursor shows the sizing edges.
    setMouseTracking(true);
}

CEdgeSizingBar::~CEdgeSizingBar() = default;

bool CEdgeSizingBar::Create(const QString& windowName, QWidget* parent, int id, std::uint32_t style)
{
    Q_ASSERT(parent);
    Q_ASSERT(!((style & CBRS_SIZE_FIXED) && (style & CBRS_SIZE_DYNAMIC)));
    if (!parent)
        return false;
    SetBarStyle(style & CBRS_ALL);
    ModifyWindowStyle(~0u, (style & ~CBRS_ALL) | WS_CLIPCHILDREN);
    setParent(parent);
    setWindowTitle(windowName);
    SetControlId(this, id);
    setAutoFillBackground(false);
    m_bLiveResize = false;
    m_bLiveResize = DragFullWindows();
    // A frame that lays its bars out with box layouts keeps a side bar at its width and a top
    // or bottom bar at its height.
    if (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    else if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
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

QSize CEdgeSizingBar::sizeHint() const
{
    // The frame lays the bar out directly: a side bar as wide as its vertical size, a top or
    // bottom bar as tall as its horizontal one; the other extent follows the frame.
    const bool horz = !(m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT));
    const QSize size = const_cast<CEdgeSizingBar*>(this)->CalcFixedLayout(true, horz);
    return horz ? QSize(m_sizeHorzDocked.width(), size.height())
                : QSize(size.width(), m_sizeVertDocked.height());
}

void CEdgeSizingBar::setVisible(bool visible)
{
    // A docked bar that is shown keeps its length at the next sharing of its row.
    if (visible && isHidden()) {
        m_nDockSide = ControlId(parentWidget());
        if (!IsFloatingBar())
            m_bHoldLength = true;
    }
    CControlBar::setVisible(visible);
}

void CEdgeSizingBar::OnFrameChanged()
{
    m_nDockSide = ControlId(parentWidget());
    RecalcNonClient();
}

bool CEdgeSizingBar::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange) {
        // Where the bar stands is the control id of its parent.
        m_nDockSide = ControlId(parentWidget());
        RecalcNonClient();
    } else if (event->type() == SettingChangeEvent::EventType()) {
        m_bLiveResize = DragFullWindows();
    }
    return CControlBar::event(event);
}

void CEdgeSizingBar::moveEvent(QMoveEvent* event)
{
    CControlBar::moveEvent(event);
    m_nDockSide = ControlId(parentWidget());
    RecalcNonClient();
}

void CEdgeSizingBar::resizeEvent(QResizeEvent* event)
{
    CControlBar::resizeEvent(event);
    m_nDockSide = ControlId(parentWidget());
    RecalcNonClient();
}

void CEdgeSizingBar::closeEvent(QCloseEvent* event)
{
    // A stray close request from a child (Escape in an edit field) must not close the bar.
    event->ignore();
}

void CEdgeSizingBar::changeEvent(QEvent* event)
{
    CControlBar::changeEvent(event);
    // A floating frame's caption follows the bar's name.
    if (event->type() == QEvent::WindowTitleChange && IsFloatingBar() && IsFloating()) {
        GetDockBar()->setWindowTitle(windowTitle());
        DelayRecalcParentLayout();
    }
}

void CEdgeSizingBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint screen = event->globalPosition().toPoint();
    if (event->button() == Qt::RightButton) {
        if (m_bDragging)
            EndEdgeDrag();
        CControlBar::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        CControlBar::mousePressEvent(event);
        return;
    }
    const unsigned hit = NcHitTest(event->position().toPoint());
    if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        if (!m_bDragging && !IsFloatingBar())
            BeginEdgeDrag(hit, screen);
        return;
    }
    // The area around the client that is not an edge (the gripper's band) drags the bar.
    if (hit == HTCLIENT && GetDockBar() && GetDockContext())
        GetDockContext()->StartDrag(screen);
    else
        CControlBar::mousePressEvent(event);
}

void CEdgeSizingBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging)
        UpdateEdgeDrag(event->globalPosition().toPoint());
    else
        m_pCursor->Show(NcHitTest(event->position().toPoint()));
    CControlBar::mouseMoveEvent(event);
}

void CEdgeSizingBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_bDragging && event->button() == Qt::LeftButton)
        EndEdgeDrag();
    CControlBar::mouseReleaseEvent(event);
}

void CEdgeSizingBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Only a left double click in the client area toggles docking; the edges and the close
    // button are the frame around it, where a double click is a second press.
    if (event->button() == Qt::LeftButton && NcHitTest(event->position().toPoint()) == HTCLIENT &&
        GetDockBar() && GetDockContext())
        GetDockContext()->ToggleDocking();
    else
        CControlBar::mouseDoubleClickEvent(event);
}
