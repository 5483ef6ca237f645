#include "MiniDockFrameWnd.h"

#include "ControlBar.h"
#include "DockBar.h"
#include "DockContext.h"
#include "DockSite.h"
#include "EdgeCursor.h"
#include "PaintPrimitives.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {
// How far along a side a press still counts as the neighbouring corner.
constexpr int kCorner = 16;
} // namespace

CMiniDockFrameWnd::CMiniDockFrameWnd(CDockSite& site)
    : QWidget(&site.Frame(), Qt::Tool | Qt::FramelessWindowHint), m_Site(site),
      m_pDockBar(new CDockBar(this, AFX_IDW_DOCKBAR_FLOAT)), m_pCursor(new EdgeCursor(*this))
{
    setMouseTracking(true);
    m_pDockBar->show();
}

CControlBar* CMiniDockFrameWnd::Bar() const
{
    for (const DockEntry& entry : m_pDockBar->Entries()) {
        if (entry.Bar())
            return entry.Bar();
    }
    return nullptr;
}

void CMiniDockFrameWnd::ModifyMiniStyle(std::uint32_t remove, std::uint32_t add)
{
    m_dwMiniStyle = (m_dwMiniStyle & ~remove) | add;
}

void CMiniDockFrameWnd::RecalcLayout()
{
    m_bLayoutPending = false;
    CControlBar* bar = Bar();
    if (!bar) {
        hide();
        return;
    }
    bar->RecalcDelayShow(nullptr);
    if (!bar->IsVisible()) {
        hide();
        return;
    }
    const QSize size = (bar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
                           ? bar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH)
                           : bar->CalcFixedLayout(false, true);
    setWindowTitle(m_pDockBar->windowTitle());
    m_pDockBar->setGeometry(QRect(QPoint(kBorder, kBorder + kCaption), size));
    bar->SetWindowPos(QRect(QPoint(0, 0), size));
    resize(size + QSize(2 * kBorder, 2 * kBorder + kCaption));
    show();
    update();
}

void CMiniDockFrameWnd::KeepCaptionOnScreen()
{
    // The caption is the one handle that moves the frame: its full height and a stretch of its
    // length stay on the screen nearest to it.
    const QRect caption(pos() + QPoint(kBorder, kBorder), QSize(width() - 2 * kBorder, kCaption));
    const QScreen* nearest = nullptr;
    int distance = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QPoint centre = caption.center();
        const int away = std::max({area.left() - centre.x(), centre.x() - area.right(), 0}) +
                         std::max({area.top() - centre.y(), centre.y() - area.bottom(), 0});
        if (!nearest || away < distance) {
            nearest = screen;
            distance = away;
        }
    }
    if (!nearest)
        return;
    const QRect area = nearest->availableGeometry();
    const int reach = std::min(kCaptionReach, caption.width());
    const int left =
        std::clamp(caption.left(), area.left() + reach - caption.width(), area.right() + 1 - reach);
    const int top = std::clamp(caption.top(), area.top(), area.bottom() + 1 - kCaption);
    move(pos() + QPoint(left - caption.left(), top - caption.top()));
}

void CMiniDockFrameWnd::DelayRecalcLayout()
{
    m_bLayoutPending = true;
    m_Site.RequestIdle();
}

unsigned CMiniDockFrameWnd::HitTest(QPoint point) const
{
    if (!rect().contains(point))
        return HTNOWHERE;
    const bool left = point.x() < kBorder, right = point.x() >= width() - kBorder;
    const bool top = point.y() < kBorder, bottom = point.y() >= height() - kBorder;
    if (!left && !right && !top && !bottom)
        return point.y() < kBorder + kCaption ? HTCAPTION : HTCLIENT;
    if (!(m_dwMiniStyle & MFS_4THICKFRAME)) {
        const bool nearLeft = point.x() < kCorner, nearRight = point.x() >= width() - kCorner;
        const bool nearTop = point.y() < kCorner, nearBottom = point.y() >= height() - kCorner;
        if ((left || top) && nearLeft && nearTop)
            return HTTOPLEFT;
        if ((right || top) && nearRight && nearTop)
            return HTTOPRIGHT;
        if ((left || bottom) && nearLeft && nearBottom)
            return HTBOTTOMLEFT;
        if ((right || bottom) && nearRight && nearBottom)
            return HTBOTTOMRIGHT;
    }
    if (left)
        return HTLEFT;
    if (right)
        return HTRIGHT;
    return top ? HTTOP : HTBOTTOM;
}

void CMiniDockFrameWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect();
    painter.fillRect(frame, SystemColour(SysColour::BtnFace));
    Draw3dRect(painter, frame, SystemColour(SysColour::Light3d),
               SystemColour(SysColour::DkShadow3d));
    Draw3dRect(painter, frame.adjusted(1, 1, -1, -1), SystemColour(SysColour::BtnHighlight),
               SystemColour(SysColour::BtnShadow));
    const QRect caption(kBorder, kBorder, width() - 2 * kBorder, kCaption - 1);
    painter.fillRect(caption, SystemColour(SysColour::Highlight));
    QFont font = painter.font();
    font.setPixelSize(kCaption - 5);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(SystemColour(SysColour::HighlightText));
    painter.drawText(caption.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     windowTitle());
}

void CMiniDockFrameWnd::mousePressEvent(QMouseEvent* event)
{
    CControlBar* bar = Bar();
    CDockContext* context = bar ? bar->GetDockContext() : nullptr;
    const unsigned hit = HitTest(event->position().toPoint());
    if (!context || event->button() != Qt::LeftButton || hit == HTCLIENT || hit == HTNOWHERE) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (hit == HTCAPTION)
        context->StartDrag(event->globalPosition().toPoint());
    else
        context->StartResize(hit, event->globalPosition().toPoint());
}

void CMiniDockFrameWnd::mouseMoveEvent(QMouseEvent* event)
{
    m_pCursor->Show(HitTest(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void CMiniDockFrameWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    CControlBar* bar = Bar();
    if (event->button() == Qt::LeftButton && bar && bar->GetDockContext() &&
        HitTest(event->position().toPoint()) == HTCAPTION)
        bar->GetDockContext()->ToggleDocking();
    else
        QWidget::mouseDoubleClickEvent(event);
}
