// How a docked sizing bar answers the layout queries and shares its row with its neighbours.
#include "EdgeSizingBar.h"
#include "EdgeSizingBarLengths.h"

#include "DockBar.h"
#include "DockContext.h"
#include "DockSite.h"
#include "WindowPosBatch.h"

#include <algorithm>

QSize CEdgeSizingBar::CalcFixedLayout(bool stretch, bool horz)
{
    // Laid out by the frame itself, outside any dock bar: the frame cuts the length down.
    if (stretch)
        return horz ? QSize(32767, m_sizeHorzDocked.height())
                    : QSize(m_sizeVertDocked.width(), 32767);

    CDockBar* dock = GetDockBar();
    if (dock && !dock->IsFloatingDockBar()) {
        // Shows and hides that wait are carried out first, so that the row's visibility holds.
        int first = 0, last = 0;
        GetRowBounds(first, last);
        SizingBarArray waiting;
        for (int i = first; i <= last; ++i) {
            auto* bar = qobject_cast<CEdgeSizingBar*>(dock->Entries()[i].Bar());
            if (bar && bar->HasDelayedShowOrHide())
                waiting.push_back(bar);
        }
        if (!waiting.empty()) {
            if (dock->m_bLayoutQuery) {
                for (CEdgeSizingBar* bar : waiting)
                    bar->RecalcDelayShow(nullptr);
            } else {
                WindowPosBatch batch(int(waiting.size()));
                for (CEdgeSizingBar* bar : waiting)
                    bar->RecalcDelayShow(&batch);
            }
        }

        QRect room = dock->m_rectLayout;
        if (room.isEmpty())
            room = GetDockSite() ? GetDockSite()->Frame().rect() : dock->parentWidget()->rect();
        const int total = horz ? room.width() + 2 : room.height() - 2;
        if (IsVisible() && !IsFloatingBar() && m_bFrameResizing) {
            SizingBarArray bars;
            if (GetRowSizingBars(bars) == 0 && ShareRowLength(total, horz))
                AlignRow();
        }
    }
    m_bFrameResizing = false;
    const QSize& size = horz ? m_sizeHorzDocked : m_sizeVertDocked;
    const QSize& minimum = horz ? m_sizeMinHorzDocked : m_sizeMinVertDocked;
    return size.expandedTo(minimum);
}

QSize CEdgeSizingBar::CalcDynamicLayout(int length, std::uint32_t mode)
{
    if (mode & (LM_HORZDOCK | LM_VERTDOCK)) {
        // A length of -1: the whole frame is being laid out, so the row is shared anew.
        if (length == -1)
            m_bFrameResizing = true;
        return CControlBar::CalcDynamicLayout(length, mode);
    }
    if (mode & (LM_MRUWIDTH | LM_COMMIT))
        return m_sizeFloating;

    // The floating frame is being resized.
    const CDockContext* context = GetDockContext();
    const unsigned hit = context ? context->m_nHitTest : HTNOWHERE;
    if (IsFloatingBar() && IsFloating() && IsCornerCode(hit)) {
        const QPoint pt = context->m_ptLast;
        const QRect rcFrame = GetDockBar()->window()->geometry();
        const QSize bar = size();
        const int frameRight = rcFrame.left() + rcFrame.width();
        const int frameBottom = rcFrame.top() + rcFrame.height();
        QRect& dragRect = GetDockContext()->m_rectFrameDragHorz;
        if (hit == HTTOPLEFT || hit == HTBOTTOMLEFT) {
            m_sizeFloating.setWidth(rcFrame.left() + bar.width() - pt.x());
            dragRect.moveLeft(
                std::min(pt.x(), rcFrame.left() + bar.width() - m_sizeMinFloating.width()));
        }
        if (hit == HTTOPLEFT || hit == HTTOPRIGHT) {
            m_sizeFloating.setHeight(rcFrame.top() + bar.height() - pt.y());
            dragRect.moveTop(
                std::min(pt.y(), rcFrame.top() + bar.height() - m_sizeMinFloating.height()));
        }
        if (hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
            m_sizeFloating.setWidth(bar.width() + pt.x() - frameRight);
        if (hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
            m_sizeFloating.setHeight(bar.height() + pt.y() - frameBottom);
    } else if (mode & LM_LENGTHY) {
        m_sizeFloating.setHeight(length);
    } else {
        m_sizeFloating.setWidth(length);
    }
    m_sizeFloating = m_sizeFloating.expandedTo(m_sizeMinFloating);
    return m_sizeFloating;
}

void CEdgeSizingBar::GetRowBounds(int& first, int& last) const
{
    const std::vector<DockEntry>& entries = GetDockBar()->Entries();
    const int index = GetDockBar()->FindBar(this);
    Q_ASSERT(index >= 0);
    first = index;
    while (first > 0 && !entries[first - 1].IsRowBreak())
        --first;
    last = index;
    while (last + 1 < int(entries.size()) && !entries[last + 1].IsRowBreak())
        ++last;
}

int CEdgeSizingBar::CollectSizingBars(int first, int last, SizingBarArray& bars) const
{
    bars.clear();
    int thisIndex = -1;
    const std::vector<DockEntry>& entries = GetDockBar()->Entries();
    for (int i = first; i <= last; ++i) {
        CControlBar* bar = entries[i].Bar();
        if (!bar || !bar->IsVisible())
            continue;
        if (auto* sizing = qobject_cast<CEdgeSizingBar*>(bar)) {
            if (sizing == this)
                thisIndex = int(bars.size());
            bars.push_back(sizing);
        }
    }
    return thisIndex;
}

int CEdgeSizingBar::GetRowSizingBars(SizingBarArray& bars) const
{
    int first = 0, last = 0;
    GetRowBounds(first, last);
    return CollectSizingBars(first, last, bars);
}

bool CEdgeSizingBar::ShareRowLength(int totalLength, bool horz)
{
    Q_ASSERT(horz == IsDockedHorz());
    CDockBar* dock = GetDockBar();
    int first = 0, last = 0;
    GetRowBounds(first, last);

    int available = totalLength, actual = 0, minimum = 2, widest = 0;
    for (int i = first; i <= last; ++i) {
        CControlBar* bar = dock->Entries()[i].Bar();
        if (!bar || !bar->IsVisible())
            continue;
        auto* sizing = qobject_cast<CEdgeSizingBar*>(bar);
        const int minLength =
            (sizing ? MinLengthOf(*sizing, horz) : (horz ? bar->width() : bar->height())) - 2;
        minimum += minLength;
        if (minimum > totalLength) {
            if (dock->FindBar(this) > i) {
                // This bar goes to the next row.
                dock->InsertRowBreak(i + 1);
                return false;
            }
            if (bar == this) {
                // Alone and too long: the dock bar breaks the row after it.
                LengthOf(*this, horz) = MinLengthOf(*this, horz);
                return true;
            }
            dock->InsertRowBreak(i);
            last = i - 1;
            break;
        }
        if (sizing) {
            actual += LengthOf(*sizing, horz) - 2;
            widest = std::max(widest, horz ? sizing->m_sizeHorzDocked.height()
                                           : sizing->m_sizeVertDocked.width());
        } else {
            available -= minLength;
        }
    }

    SizingBarArray bars;
    CollectSizingBars(first, last, bars);
    int delta = available - actual;
    if (bars.size() == 1) {
        if (delta == 0)
            return true;
        m_bHoldLength = false;
        LengthOf(*this, horz) += delta;
        return true;
    }
    for (CEdgeSizingBar* bar : bars)
        (horz ? bar->m_sizeHorzDocked.rheight() : bar->m_sizeVertDocked.rwidth()) = widest;

    // One pixel at a time to each bar in turn from the row's start; held bars wait one pass.
    while (delta != 0) {
        const int before = delta;
        const bool anyHeld = std::any_of(
            bars.begin(), bars.end(), [](const CEdgeSizingBar* bar) { return bar->m_bHoldLength; });
        for (CEdgeSizingBar* bar : bars) {
            if (bar->m_bHoldLength ||
                (delta < 0 && LengthOf(*bar, horz) <= MinLengthOf(*bar, horz)))
                continue;
            const int step = delta > 0 ? 1 : -1;
            LengthOf(*bar, horz) += step;
            delta -= step;
            if (delta == 0)
                break;
        }
        if (delta == before || delta == 0) {
            for (CEdgeSizingBar* bar : bars)
                bar->m_bHoldLength = false;
            // Every bar is at its minimum and none was held: the shortage is given up.
            if (delta == before && !anyHeld)
                break;
        }
    }
    return true;
}

void CEdgeSizingBar::AlignRow()
{
    const bool horz = IsDockedHorz();
    CDockBar* dock = GetDockBar();
    int first = 0, last = 0;
    GetRowBounds(first, last);
    int position = horz ? -2 : 0;
    bool moved = false;
    for (int i = first; i <= last; ++i) {
        CControlBar* bar = dock->Entries()[i].Bar();
        if (!bar || !bar->IsVisible())
            continue;
        QRect rect = bar->geometry();
        if (auto* sizing = qobject_cast<CEdgeSizingBar*>(bar))
            rect.setSize(horz ? sizing->m_sizeHorzDocked : sizing->m_sizeVertDocked);
        if ((horz ? rect.left() : rect.top()) != position) {
            QPoint offset;
            if (!horz)
                offset = QPoint(0, position - rect.top() - 2);
            else if (m_nDockSide == AFX_IDW_DOCKBAR_TOP)
                offset = QPoint(position - rect.left(), -2);
            else
                offset = QPoint(position - rect.left(), 0);
            // A vertical row stands 2 pixels above its positions, so a bar already there
            // needs no move (and no new layout).
            if (!offset.isNull()) {
                rect.translate(offset);
                bar->SetWindowPos(rect);
                moved = true;
            }
        }
        position += (horz ? rect.width() : rect.height()) - 2;
    }
    if (moved)
        DelayRecalcParentLayout();
}
