#include "DockContext.h"

#include "ControlBar.h"
#include "ControlId.h"
#include "DockBar.h"
#include "DockSite.h"
#include "MiniDockFrameWnd.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <iterator>

namespace {

// How far into the frame from a side the pointer still docks there.
constexpr int kDockZone = 24;

// The hollow rectangle that shows where a dragged bar would go.
class DragOutline : public QWidget
{
public:
    DragOutline()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void Place(const QRect& screenRect)
    {
        setGeometry(screenRect);
        const QRect all(QPoint(0, 0), screenRect.size());
        setMask(QRegion(all).subtracted(QRegion(all.adjusted(3, 3, -3, -3))));
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

// The order in which a drag looks for a side to dock on.
constexpr int kSidesInDragOrder[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM,
                                     AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

constexpr std::uint32_t AlignOfSide(int side)
{
    switch (side) {
    case AFX_IDW_DOCKBAR_TOP:
        return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT;
    default:
        return CBRS_ALIGN_RIGHT;
    }
}

bool IsLeftCode(unsigned code)
{
    return code == HTLEFT || code == HTTOPLEFT || code == HTBOTTOMLEFT;
}

bool IsTopCode(unsigned code)
{
    return code == HTTOP || code == HTTOPLEFT || code == HTTOPRIGHT;
}

} // namespace

CDockContext::CDockContext(CControlBar& bar) : m_Bar(bar) {}

CDockContext::~CDockContext()
{
    EndTracking();
}

QWidget* CDockContext::FloatingFrame() const
{
    return m_Bar.IsFloating() ? m_Bar.GetDockBar()->window() : nullptr;
}

void CDockContext::BeginTracking(Tracking tracking, QWidget* grabber)
{
    m_Tracking = tracking;
    qApp->installEventFilter(this);
    // Losing the mouse cancels a drag as Escape does. (The capture watches the events before
    // this context's filter takes the mouse's.)
    m_Capture.Grab(*grabber,
                   [this] { m_Tracking == Tracking::Drag ? EndDrag(true) : EndResize(); });
}

void CDockContext::EndTracking()
{
    if (m_Tracking == Tracking::None)
        return;
    m_Tracking = Tracking::None;
    qApp->removeEventFilter(this);
    m_Capture.Release();
    m_pOutline.reset();
}

void CDockContext::StartDrag(QPoint screenPoint)
{
    if (!m_Bar.GetDockSite() || m_Tracking != Tracking::None)
        return;
    QWidget* floating = FloatingFrame();
    const QRect start =
        floating ? floating->geometry() : QRect(m_Bar.mapToGlobal(QPoint(0, 0)), m_Bar.size());
    m_ptStart = screenPoint;
    m_ptGrabOffset = screenPoint - start.topLeft();
    m_bMoved = false;
    m_rectOutline = start;
    m_nTargetSide = floating ? 0 : ControlId(m_Bar.GetDockBar());
    m_pOutline = std::make_unique<DragOutline>();
    static_cast<DragOutline*>(m_pOutline.get())->Place(m_rectOutline);
    BeginTracking(Tracking::Drag, &m_Bar);
}

bool CDockContext::CanDockOn(int side) const
{
    return m_Bar.GetDockSite()->DockBarOf(side) && (m_Bar.GetDockStyle() & AlignOfSide(side));
}

int CDockContext::SideUnder(QPoint screenPoint) const
{
    const CDockSite* site = m_Bar.GetDockSite();
    const QWidget& frame = site->Frame();
    const QRect frameRect(frame.mapToGlobal(QPoint(0, 0)), frame.size());
    for (int side : kSidesInDragOrder) {
        if (!CanDockOn(side))
            continue;
        const CDockBar* dock = site->DockBarOf(side);
        // An empty dock bar has no thickness: the zone reaches into the frame all the same.
        QRect zone(dock->mapToGlobal(QPoint(0, 0)), dock->size());
        switch (side) {
        case AFX_IDW_DOCKBAR_TOP:
            zone.setBottom(zone.top() + zone.height() + kDockZone);
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            zone.setTop(zone.bottom() - zone.height() - kDockZone);
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            zone.setRight(zone.left() + zone.width() + kDockZone);
            break;
        default:
            zone.setLeft(zone.right() - zone.width() - kDockZone);
            break;
        }
        if (zone.intersected(frameRect).contains(screenPoint))
            return side;
    }
    return 0;
}

void CDockContext::Move(QPoint screenPoint)
{
    if (m_Tracking != Tracking::Drag)
        return;
    if ((screenPoint - m_ptStart).manhattanLength() >= QApplication::startDragDistance())
        m_bMoved = true;
    m_nTargetSide = SideUnder(screenPoint);
    QSize size;
    if (m_nTargetSide) {
        const bool horz =
            m_nTargetSide == AFX_IDW_DOCKBAR_TOP || m_nTargetSide == AFX_IDW_DOCKBAR_BOTTOM;
        size = m_Bar.CalcFixedLayout(false, horz);
    } else {
        size = (m_Bar.GetBarStyle() & CBRS_SIZE_DYNAMIC)
                   ? m_Bar.CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH)
                   : m_Bar.CalcFixedLayout(false, true);
        size += QSize(2 * CMiniDockFrameWnd::kBorder,
                      2 * CMiniDockFrameWnd::kBorder + CMiniDockFrameWnd::kCaption);
    }
    // The grab point keeps its place in the outline as far as the outline reaches.
    const QPoint offset(std::min(m_ptGrabOffset.x(), size.width() - 1),
                        std::min(m_ptGrabOffset.y(), size.height() - 1));
    m_rectOutline = QRect(screenPoint - offset, size);
    if (m_pOutline)
        static_cast<DragOutline*>(m_pOutline.get())->Place(m_rectOutline);
}

void CDockContext::EndDrag(bool cancel)
{
    if (m_Tracking != Tracking::Drag)
        return;
    const bool moved = m_bMoved;
    const int side = m_nTargetSide;
    const QRect outline = m_rectOutline;
    EndTracking();
    // A press that did not move leaves the bar where it is.
    if (cancel || !moved)
        return;
    CDockSite* site = m_Bar.GetDockSite();
    if (QWidget* floating = FloatingFrame())
        m_ptMRUFloatPos = floating->pos();
    if (side) {
        site->DockControlBarAt(&m_Bar, side, outline.topLeft() + m_ptGrabOffset);
        m_uMRUDockID = side;
    } else {
        site->FloatControlBar(&m_Bar, outline.topLeft());
    }
}

void CDockContext::StartResize(unsigned hitCode, QPoint screenPoint)
{
    QWidget* floating = FloatingFrame();
    if (!floating || m_Tracking != Tracking::None)
        return;
    m_nHitTest = hitCode;
    m_ptLast = screenPoint;
    BeginTracking(Tracking::Resize, floating);
}

void CDockContext::Stretch(QPoint screenPoint)
{
    auto* frame = qobject_cast<CMiniDockFrameWnd*>(FloatingFrame());
    if (m_Tracking != Tracking::Resize || !frame)
        return;
    m_ptLast = screenPoint;
    const QRect rcFrame = frame->geometry();
    const QRect rcBar(m_Bar.mapToGlobal(QPoint(0, 0)), m_Bar.size());
    m_rectFrameDragHorz = rcFrame;
    const bool dynamic = m_Bar.GetBarStyle() & CBRS_SIZE_DYNAMIC;
    QSize size;
    if (!dynamic) {
        size = m_Bar.CalcFixedLayout(false, true);
    } else if (IsCornerCode(m_nHitTest)) {
        // The bar works a corner out from the pointer itself.
        size = m_Bar.CalcDynamicLayout(0, LM_HORZ);
    } else if (m_nHitTest == HTLEFT || m_nHitTest == HTRIGHT) {
        const int grow = m_nHitTest == HTLEFT ? rcFrame.left() - screenPoint.x()
                                              : screenPoint.x() - rcFrame.right();
        size = m_Bar.CalcDynamicLayout(rcBar.width() + grow, LM_HORZ);
    } else {
        const int grow = m_nHitTest == HTTOP ? rcFrame.top() - screenPoint.y()
                                             : screenPoint.y() - rcFrame.bottom();
        size = m_Bar.CalcDynamicLayout(rcBar.height() + grow, LM_HORZ | LM_LENGTHY);
    }
    const QSize frameSize = size + (rcFrame.size() - rcBar.size());
    QPoint topLeft = rcFrame.topLeft();
    // Sides and corners on the left or top move the frame so that its other side stays put.
    if (IsLeftCode(m_nHitTest))
        topLeft.setX(IsCornerCode(m_nHitTest) ? m_rectFrameDragHorz.left()
                                              : rcFrame.right() + 1 - frameSize.width());
    if (IsTopCode(m_nHitTest))
        topLeft.setY(IsCornerCode(m_nHitTest) ? m_rectFrameDragHorz.top()
                                              : rcFrame.bottom() + 1 - frameSize.height());
    frame->RecalcLayout();
    frame->move(topLeft);
}

void CDockContext::EndResize()
{
    if (m_Tracking != Tracking::Resize)
        return;
    EndTracking();
    m_nHitTest = HTNOWHERE;
    if (auto* frame = qobject_cast<CMiniDockFrameWnd*>(FloatingFrame()))
        frame->KeepCaptionOnScreen();
}

void CDockContext::ToggleDocking()
{
    CDockSite* site = m_Bar.GetDockSite();
    if (!site)
        return;
    if (QWidget* floating = FloatingFrame()) {
        m_ptMRUFloatPos = floating->pos();
        // A bar that was never docked docks on the first side a drag would find for it.
        if (!m_uMRUDockID) {
            const auto* side =
                std::find_if(std::begin(kSidesInDragOrder), std::end(kSidesInDragOrder),
                             [this](int side) { return CanDockOn(side); });
            m_uMRUDockID = side == std::end(kSidesInDragOrder) ? 0 : *side;
        }
        if (m_uMRUDockID && !site->DockControlBarAtPlaceholder(&m_Bar, m_uMRUDockID))
            site->DockControlBar(&m_Bar, m_uMRUDockID);
        return;
    }
    const QPoint where =
        m_ptMRUFloatPos.isNull() ? m_Bar.mapToGlobal(QPoint(0, 0)) : m_ptMRUFloatPos;
    site->FloatControlBar(&m_Bar, where);
}

bool CDockContext::eventFilter(QObject* watched, QEvent* event)
{
    const bool drag = m_Tracking == Tracking::Drag;
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint point = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        drag ? Move(point) : Stretch(point);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            drag ? EndDrag(false) : EndResize();
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
            drag ? EndDrag(true) : EndResize();
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            drag ? EndDrag(true) : EndResize();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
