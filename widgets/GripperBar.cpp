#include "GripperBar.h"

#include "DockSite.h"
#include "NotifyEvent.h"
#include "PaintPrimitives.h"
#include "SystemColours.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

void BarCloseButton::Paint(QPainter& painter) const
{
    const QRect rect = GetRect();
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    if (m_bPushed)
        Draw3dRect(painter, rect, shadow, highlight);
    else if (m_bHot)
        Draw3dRect(painter, rect, highlight, shadow);
    // The close cross, about 8 pixels across, drawn with lines where the symbol font's "r"
    // would stand.
    painter.save();
    painter.setPen(QPen(SystemColour(SysColour::BtnText), 1));
    const QPoint corner = m_ptOrigin + QPoint(3, 3);
    painter.drawLine(corner + QPoint(0, 0), corner + QPoint(6, 6));
    painter.drawLine(corner + QPoint(1, 0), corner + QPoint(6, 5));
    painter.drawLine(corner + QPoint(6, 0), corner + QPoint(0, 6));
    painter.drawLine(corner + QPoint(5, 0), corner + QPoint(0, 5));
    painter.restore();
}

CGripperBar::CGripperBar()
{
    m_nGripperBand = 12;
    m_hWndNotifyTarget = nullptr;
    SetSizingStyle(GetSizingStyle() | SIZING_FIT_CHILD);
}

bool CGripperBar::Create(const QString& windowName, QWidget* parent, int id, std::uint32_t style)
{
    Q_ASSERT(parent);
    m_hWndNotifyTarget = parent;
    return CEdgeSizingBar::Create(windowName, parent, id, style);
}

bool CGripperBar::Create(const QString& windowName, QWidget* parent, QSize defaultSize,
                         bool hasGripper, int id, std::uint32_t style)
{
    Q_ASSERT(parent);
    m_hWndNotifyTarget = parent;
    return CEdgeSizingBar::Create(windowName, parent, defaultSize, hasGripper, id, style);
}

bool CGripperBar::ShowsGripper() const
{
    return !IsFloatingBar();
}

void CGripperBar::ComputeClientRect(QRect& rect, int dockSide)
{
    const QRect window = rect;
    CEdgeSizingBar::ComputeClientRect(rect, dockSide);
    if (!ShowsGripper())
        return;
    QPoint button;
    if (IsDockedHorz()) {
        rect.setLeft(rect.left() + m_nGripperBand);
        button = QPoint(rect.left() - 14, rect.top());
    } else {
        rect.setTop(rect.top() + m_nGripperBand);
        button = QPoint(rect.left() + rect.width() - 12, rect.top() - 14);
    }
    m_btnClose.MoveTo(button - window.topLeft());
}

unsigned CGripperBar::NcHitTest(QPoint point) const
{
    const unsigned code = CEdgeSizingBar::NcHitTest(point);
    if (code == HTCLIENT && ShowsGripper() && m_btnClose.GetRect().contains(point))
        return HTCLOSE;
    return code;
}

void CGripperBar::PaintGripper(QPainter& painter, const QRect& clientRect)
{
    if (!ShowsGripper())
        return;
    QRect line = clientRect.adjusted(1, 1, -1, -1);
    const QRect button = m_btnClose.GetRect();
    QPoint step;
    if (IsDockedHorz()) {
        line = QRect(line.left() - m_nGripperBand, button.bottom() + 1 + 3, 3,
                     line.bottom() + 1 - (button.bottom() + 1 + 3));
        step = QPoint(3, 0);
    } else {
        line = QRect(line.left(), line.top() - m_nGripperBand, button.left() - 3 - line.left(), 3);
        step = QPoint(0, 3);
    }
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    Draw3dRect(painter, line, highlight, shadow);
    Draw3dRect(painter, line.translated(step), highlight, shadow);
    m_btnClose.Paint(painter);
}

bool CGripperBar::event(QEvent* event)
{
    if (event->type() == NotifyEvent::EventType()) {
        // Every child's notification goes to the target, none back to the child.
        if (m_hWndNotifyTarget)
            QCoreApplication::sendEvent(m_hWndNotifyTarget, event);
        event->accept();
        return true;
    }
    return CEdgeSizingBar::event(event);
}

void CGripperBar::OnUpdateCmdUI()
{
    if (!ShowsGripper())
        return;
    // The button is polled, not tracked: no grab, no hover events.
    const bool over = NcHitTest(mapFromGlobal(QCursor::pos())) == HTCLOSE;
    const bool down = QGuiApplication::mouseButtons() & Qt::LeftButton;
    const bool pushed = over && down;
    const bool hot = over && !down;
    if (pushed != m_btnClose.m_bPushed || hot != m_btnClose.m_bHot) {
        m_btnClose.m_bPushed = pushed;
        m_btnClose.m_bHot = hot;
        repaint();
    }
}

void CGripperBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bClosePressed = NcHitTest(event->position().toPoint()) == HTCLOSE;
    CEdgeSizingBar::mousePressEvent(event);
}

void CGripperBar::mouseReleaseEvent(QMouseEvent* event)
{
    // A click on the close button hides the bar through its frame: the press and the release
    // both on it, so that the release ending an edge drag there only ends the drag.
    if (event->button() == Qt::LeftButton) {
        const bool close = m_bClosePressed && NcHitTest(event->position().toPoint()) == HTCLOSE;
        m_bClosePressed = false;
        if (close && GetDockSite())
            GetDockSite()->ShowControlBar(this, false, false);
    }
    CEdgeSizingBar::mouseReleaseEvent(event);
}

void CGripperBar::changeEvent(QEvent* event)
{
    CEdgeSizingBar::changeEvent(event);
    // A new caption repaints the frame around the client area at once.
    if (event->type() == QEvent::WindowTitleChange)
        repaint();
}
