#include "ControlBar.h"

#include "DockBar.h"
#include "DockContext.h"
#include "DockSite.h"
#include "MiniDockFrameWnd.h"
#include "SystemColours.h"
#include "WindowPosBatch.h"
#include "WindowStyles.h"

#include <QPainter>

CControlBar::CControlBar(QWidget* parent) : QWidget(parent) {}

CControlBar::~CControlBar() = default;

void CControlBar::SetBarStyle(std::uint32_t style)
{
    m_dwStyle = style & CBRS_ALL;
}

void CControlBar::ModifyWindowStyle(std::uint32_t remove, std::uint32_t add)
{
    m_dwWindowStyle = (m_dwWindowStyle & ~remove) | add;
}

QSize CControlBar::CalcFixedLayout(bool stretch, bool horz)
{
    QSize size = sizeHint().expandedTo(QSize(0, 0));
    if (stretch && horz)
        size.setWidth(32767);
    else if (stretch)
        size.setHeight(32767);
    return size;
}

void CControlBar::SetWindowPos(const QRect& rect)
{
    setGeometry(rect);
    OnFrameChanged();
}

QSize CControlBar::CalcDynamicLayout(int, std::uint32_t mode)
{
    return CalcFixedLayout(mode & LM_STRETCH, mode & LM_HORZ);
}

void CControlBar::EnableDocking(std::uint32_t dockStyle)
{
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
    if (!m_pDockContext)
        m_pDockContext = std::make_unique<CDockContext>(*this);
}

CDockBar* CControlBar::GetDockBar() const
{
    return qobject_cast<CDockBar*>(parentWidget());
}

bool CControlBar::IsFloating() const
{
    const CDockBar* dock = GetDockBar();
    return dock && dock->IsFloatingDockBar();
}

void CControlBar::DelayRecalcParentLayout()
{
    if (IsFloating()) {
        if (auto* mini = qobject_cast<CMiniDockFrameWnd*>(GetDockBar()->parentWidget()))
            mini->DelayRecalcLayout();
    } else if (m_pDockSite) {
        m_pDockSite->DelayRecalcLayout();
    }
}

void CControlBar::DelayShow(bool show)
{
    // A request that matches the window as it is cancels any other that waits.
    const bool shown = !isHidden();
    if (show == shown)
        m_Delayed = Delayed::None;
    else
        m_Delayed = show ? Delayed::Show : Delayed::Hide;
}

bool CControlBar::IsVisible() const
{
    if (m_Delayed == Delayed::Hide)
        return false;
    return m_Delayed == Delayed::Show || !isHidden();
}

void CControlBar::RecalcDelayShow(WindowPosBatch* batch)
{
    if (m_Delayed == Delayed::None)
        return;
    const bool show = m_Delayed == Delayed::Show;
    m_Delayed = Delayed::None;
    if (batch)
        batch->Defer(this, show);
    else
        setVisible(show);
}

void CControlBar::DrawBorders(QPainter& painter, QRect& rect) const
{
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    if (m_dwStyle & CBRS_BORDER_LEFT) {
        painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), shadow);
        rect.setLeft(rect.left() + 2);
    }
    if (m_dwStyle & CBRS_BORDER_TOP) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), shadow);
        rect.setTop(rect.top() + 2);
    }
    if (m_dwStyle & CBRS_BORDER_RIGHT) {
        painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), shadow);
        rect.setRight(rect.right() - 2);
    }
    if (m_dwStyle & CBRS_BORDER_BOTTOM) {
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), shadow);
        rect.setBottom(rect.bottom() - 2);
    }
}
