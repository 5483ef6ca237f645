#include "DockSite.h"

#include "ControlBar.h"
#include "ControlId.h"
#include "DockBar.h"
#include "DockContext.h"
#include "MiniDockFrameWnd.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {

struct SideOfStyle
{
    std::uint32_t align;
    int id;
};

// The order in which docking makes the dock bars, which is also the order of their layout:
// the top and bottom ones take the frame's whole width, the side ones what is left between.
constexpr SideOfStyle kSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

enum class Side
{
    Top,
    Bottom,
    Left,
    Right,
};

Side SideOfDockBar(int id)
{
    switch (id) {
    case AFX_IDW_DOCKBAR_TOP:
        return Side::Top;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return Side::Bottom;
    case AFX_IDW_DOCKBAR_LEFT:
        return Side::Left;
    default:
        return Side::Right;
    }
}

// A bar without an alignment stands at the left, as the frame's own bars do.
Side SideOfAlignment(std::uint32_t style)
{
    if (style & CBRS_ALIGN_TOP)
        return Side::Top;
    if (style & CBRS_ALIGN_BOTTOM)
        return Side::Bottom;
    if (style & CBRS_ALIGN_RIGHT)
        return Side::Right;
    return Side::Left;
}

// Cuts the strip that a bar of `size` takes along `side` off `rect` and returns it: top and
// bottom strips are as wide as the rectangle, side strips as tall. A strip never takes more
// than is left, so that nothing overlaps and nothing gets a negative size: what a bar cannot
// show is cut off.
QRect TakeStrip(QRect& rect, Side side, QSize size)
{
    size = size.boundedTo(rect.size());
    QRect strip;
    switch (side) {
    case Side::Top:
        strip = QRect(rect.topLeft(), QSize(rect.width(), size.height()));
        rect.setTop(rect.top() + size.height());
        break;
    case Side::Bottom:
        strip = QRect(rect.left(), rect.bottom() + 1 - size.height(), rect.width(), size.height());
        rect.setBottom(rect.bottom() - size.height());
        break;
    case Side::Left:
        strip = QRect(rect.topLeft(), QSize(size.width(), rect.height()));
        rect.setLeft(rect.left() + size.width());
        break;
    case Side::Right:
        strip = QRect(rect.right() + 1 - size.width(), rect.top(), size.width(), rect.height());
        rect.setRight(rect.right() - size.width());
        break;
    }
    return strip;
}

// Whether any of `widget` shows in its window: its rectangle cut by its parents' and by the
// masks on the way.
bool IsSeen(const QWidget& widget)
{
    if (!widget.isVisible())
        return false;
    QRegion region(widget.rect());
    for (const QWidget* at = &widget; !region.isEmpty(); at = at->parentWidget()) {
        if (!at->mask().isEmpty())
            region &= at->mask();
        if (at->isWindow())
            break;
        region.translate(at->pos());
        region &= at->parentWidget()->rect();
    }
    return !region.isEmpty();
}

} // namespace

CDockSite::CDockSite(QWidget& frame) : QObject(&frame), m_Frame(frame)
{
    qApp->installEventFilter(this);
}

CDockSite::~CDockSite() = default;

CDockSite* CDockSite::Of(const QWidget* frame)
{
    return frame ? frame->findChild<CDockSite*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void CDockSite::SetViewPane(QWidget* view)
{
    m_pViewPane = view;
    SetControlId(view, AFX_IDW_PANE_FIRST);
}

void CDockSite::AddControlBar(CControlBar* bar)
{
    bar->SetDockSite(this);
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), bar) !=
        m_listControlBars.end())
        return;
    m_listControlBars.push_back(bar);
    connect(bar, &QObject::destroyed, this, [this, bar] { std::erase(m_listControlBars, bar); });
}

void CDockSite::EnableDocking(std::uint32_t dockStyle)
{
    for (const SideOfStyle& side : kSides) {
        if (!(dockStyle & side.align) || DockBarOf(side.id))
            continue;
        auto* dock = new CDockBar(&m_Frame, side.id);
        dock->SetBarStyle(side.align);
        dock->show();
        AddControlBar(dock);
    }
    RecalcLayout();
}

CDockBar* CDockSite::DockBarOf(int side) const
{
    for (CControlBar* bar : m_listControlBars) {
        if (auto* dock = qobject_cast<CDockBar*>(bar); dock && ControlId(dock) == side)
            return dock;
    }
    return nullptr;
}

void CDockSite::RemovePlaceholders(int id)
{
    for (CControlBar* other : m_listControlBars) {
        if (auto* dock = qobject_cast<CDockBar*>(other))
            dock->RemovePlaceholder(id);
    }
}

void CDockSite::TakeOutOfDockBars(CControlBar* bar, bool leavePlaceholder)
{
    RemovePlaceholders(ControlId(bar));
    if (CDockBar* current = bar->GetDockBar())
        current->RemoveControlBar(bar, leavePlaceholder && !current->IsFloatingDockBar());
}

void CDockSite::DockControlBar(CControlBar* bar, int side, CControlBar* after)
{
    CDockBar* dock = DockBarOf(side);
    Q_ASSERT(dock);
    TakeOutOfDockBars(bar, false);
    dock->DockControlBar(bar, after);
    AddControlBar(bar);
    DeleteEmptyMiniFrames();
    DelayRecalcLayout();
}

void CDockSite::DockControlBarAt(CControlBar* bar, int side, QPoint screenPoint)
{
    CDockBar* dock = DockBarOf(side);
    Q_ASSERT(dock);
    TakeOutOfDockBars(bar, false);
    dock->DockControlBarAt(bar, dock->mapFromGlobal(screenPoint));
    AddControlBar(bar);
    DeleteEmptyMiniFrames();
    DelayRecalcLayout();
}

bool CDockSite::DockControlBarAtPlaceholder(CControlBar* bar, int side)
{
    CDockBar* dock = DockBarOf(side);
    if (!dock || dock->FindPlaceholder(ControlId(bar)) < 0)
        return false;
    if (CDockBar* current = bar->GetDockBar())
        current->RemoveControlBar(bar, false);
    dock->ReplacePlaceholder(bar);
    DeleteEmptyMiniFrames();
    DelayRecalcLayout();
    return true;
}

void CDockSite::FloatControlBar(CControlBar* bar, QPoint screenPoint)
{
    CDockContext* context = bar->GetDockContext();
    CMiniDockFrameWnd* mini = nullptr;
    if (bar->IsFloating()) {
        mini = qobject_cast<CMiniDockFrameWnd*>(bar->GetDockBar()->window());
        mini->move(screenPoint);
    } else {
        if (context && bar->GetDockBar())
            context->m_uMRUDockID = ControlId(bar->GetDockBar());
        TakeOutOfDockBars(bar, true);
        mini = new CMiniDockFrameWnd(*this);
        m_MiniFrames.push_back(mini);
        mini->DockBar().DockControlBar(bar, nullptr);
        AddControlBar(bar);
        mini->RecalcLayout();
        mini->move(screenPoint);
        mini->setVisible(bar->IsVisible());
        DelayRecalcLayout();
    }
    mini->KeepCaptionOnScreen();
    if (context)
        context->m_ptMRUFloatPos = mini->pos();
}

void CDockSite::ShowControlBar(CControlBar* bar, bool show, bool delay)
{
    bar->DelayShow(show);
    auto* mini =
        bar->IsFloating() ? qobject_cast<CMiniDockFrameWnd*>(bar->GetDockBar()->window()) : nullptr;
    if (mini && delay)
        mini->DelayRecalcLayout();
    else if (mini)
        mini->RecalcLayout();
    else if (delay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CDockSite::RecalcLayout()
{
    m_bLayoutPending = false;
    RepositionBars(false);
    KeepFocusWhereSeen();
}

void CDockSite::KeepFocusWhereSeen()
{
    // Keys must not go to a window the layout left no room: the focus moves on to the next
    // one that shows, as it would from a window that was hidden. Before the frame shows
    // nothing does, and the focus waits where it was put.
    QWidget* focus = m_Frame.window()->focusWidget();
    if (!m_Frame.isVisible() || !focus || !m_Frame.isAncestorOf(focus) || IsSeen(*focus))
        return;
    for (QWidget* next = focus->nextInFocusChain(); next != focus;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
            next->window() == focus->window() && IsSeen(*next)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    focus->clearFocus();
}

void CDockSite::DelayRecalcLayout()
{
    m_bLayoutPending = true;
    RequestIdle();
}

QRect CDockSite::RepositionBars(bool query)
{
    QRect rect = m_Frame.rect();
    const std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* bar : bars) {
        QRect placed;
        if (auto* dock = qobject_cast<CDockBar*>(bar)) {
            dock->m_rectLayout = rect;
            const QSize size = dock->LayoutBars(rect.size(), query);
            dock->m_rectLayout = QRect();
            placed = TakeStrip(rect, SideOfDockBar(ControlId(dock)), size);
        } else {
            // Docked and floating bars are their dock bars' business.
            if (bar->parentWidget() != &m_Frame)
                continue;
            if (!query)
                bar->RecalcDelayShow(nullptr);
            if (!bar->IsVisible())
                continue;
            const Side side = SideOfAlignment(bar->GetBarStyle());
            const bool horz = side == Side::Top || side == Side::Bottom;
            placed = TakeStrip(rect, side, bar->CalcFixedLayout(true, horz));
        }
        if (!query)
            bar->SetWindowPos(placed);
    }
    if (!query && m_pViewPane)
        m_pViewPane->setGeometry(rect);
    return rect;
}

void CDockSite::OnIdle()
{
    m_bIdleScheduled = false;
    if (m_bLayoutPending)
        RecalcLayout();
    for (const QPointer<CMiniDockFrameWnd>& mini : m_MiniFrames) {
        if (mini && mini->IsLayoutPending())
            mini->RecalcLayout();
    }
    const std::vector<CControlBar*> bars = m_listControlBars;
    for (CControlBar* bar : bars)
        bar->OnUpdateCmdUI();
}

void CDockSite::RequestIdle()
{
    if (m_bIdleScheduled)
        return;
    m_bIdleScheduled = true;
    QMetaObject::invokeMethod(this, &CDockSite::OnIdle, Qt::QueuedConnection);
}

void CDockSite::DeleteEmptyMiniFrames()
{
    std::erase_if(m_MiniFrames, [](const QPointer<CMiniDockFrameWnd>& mini) {
        if (mini && !mini->IsEmpty())
            return false;
        if (mini)
            mini->deleteLater();
        return true;
    });
}

bool CDockSite::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
        if (watched == &m_Frame)
            RecalcLayout();
        break;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Enter:
    case QEvent::Leave:
        RequestIdle();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
