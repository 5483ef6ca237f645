// Saving where the user left each bar of a frame, and putting the bars back there.
#include "DockSite.h"

#include "ControlBar.h"
#include "ControlId.h"
#include "DockBar.h"
#include "DockContext.h"
#include "MiniDockFrameWnd.h"
#include "Profile.h"

#include <QWidget>

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kDockedSides[] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                AFX_IDW_DOCKBAR_RIGHT};

// Where one bar stands. A docked bar's row and place are those of its entry in its dock bar; a
// floating bar's those of the placeholder that keeps its place on the side it was docked on
// last (-1 without one). The floating position of a docked bar is where it floats when its
// docking is toggled.
struct BarState
{
    int side = 0; // a dock bar id, or 0 for a bar the frame lays out itself
    int row = -1;
    int place = -1;
    int lastSide = 0;
    QPoint floating;
    bool visible = true;
};

// An entry of a dock bar with the row and the place the profile gives it.
struct PlacedEntry
{
    int row;
    int place;
    DockEntry entry;
};

QString SectionOf(const QString& profileName, const CControlBar& bar)
{
    return BarSection(profileName, QStringLiteral("Bar"), ControlId(&bar));
}

// The row and the place in it of entry `index` of `dock`.
std::pair<int, int> RowAndPlace(const CDockBar& dock, int index)
{
    int row = 0, place = 0;
    for (int i = 1; i < index; ++i) {
        if (dock.Entries()[i].IsRowBreak()) {
            ++row;
            place = 0;
        } else {
            ++place;
        }
    }
    return {row, place};
}

BarState StateOf(const CControlBar& bar, const CDockSite& site)
{
    BarState state;
    state.visible = bar.IsVisible();
    if (const CDockContext* context = bar.GetDockContext()) {
        state.lastSide = context->m_uMRUDockID;
        state.floating = context->m_ptMRUFloatPos;
    }
    const CDockBar* dock = bar.GetDockBar();
    if (!dock)
        return state;
    state.side = ControlId(dock);
    int index = dock->FindBar(&bar);
    if (dock->IsFloatingDockBar()) {
        state.floating = dock->window()->pos();
        dock = site.DockBarOf(state.lastSide);
        index = dock ? dock->FindPlaceholder(ControlId(&bar)) : -1;
    }
    if (dock && index >= 0)
        std::tie(state.row, state.place) = RowAndPlace(*dock, index);
    return state;
}

std::optional<BarState> ReadState(const QString& section)
{
    BarState state;
    state.side = GetProfileInt(section, QStringLiteral("side"), -1);
    if (state.side < 0)
        return std::nullopt;
    state.row = GetProfileInt(section, QStringLiteral("row"), -1);
    state.place = GetProfileInt(section, QStringLiteral("place"), -1);
    state.lastSide = GetProfileInt(section, QStringLiteral("lastSide"), 0);
    state.floating = QPoint(GetProfileInt(section, QStringLiteral("floatX"), 0),
                            GetProfileInt(section, QStringLiteral("floatY"), 0));
    state.visible = GetProfileInt(section, QStringLiteral("visible"), 1) != 0;
    return state;
}

void WriteState(ProfileWriter& profile, const QString& section, const BarState& state)
{
    profile.WriteInt(section, QStringLiteral("side"), state.side);
    profile.WriteInt(section, QStringLiteral("row"), state.row);
    profile.WriteInt(section, QStringLiteral("place"), state.place);
    profile.WriteInt(section, QStringLiteral("lastSide"), state.lastSide);
    profile.WriteInt(section, QStringLiteral("floatX"), state.floating.x());
    profile.WriteInt(section, QStringLiteral("floatY"), state.floating.y());
    profile.WriteInt(section, QStringLiteral("visible"), state.visible ? 1 : 0);
}

// Bars whose state the profile keeps: every bar but the dock bars, known by its control id.
bool KeepsState(const CControlBar* bar)
{
    return !qobject_cast<const CDockBar*>(bar) && ControlId(bar) != 0;
}

} // namespace

void CDockSite::SaveBarState(const QString& profileName) const
{
    ProfileWriter profile;
    for (const CControlBar* bar : m_listControlBars) {
        if (KeepsState(bar))
            WriteState(profile, SectionOf(profileName, *bar), StateOf(*bar, *this));
    }
}

bool CDockSite::LoadBarState(const QString& profileName)
{
    std::vector<std::pair<CControlBar*, BarState>> saved;
    for (CControlBar* bar : m_listControlBars) {
        if (!KeepsState(bar))
            continue;
        std::optional<BarState> state = ReadState(SectionOf(profileName, *bar));
        if (!state)
            continue;
        // The profile may have been edited: a side the frame has no dock bar for is none.
        if (!DockBarOf(state->lastSide))
            state->lastSide = 0;
        saved.emplace_back(bar, *state);
    }
    const bool found = !saved.empty();
    // A bar the frame lays out itself keeps its place; only its visibility comes back.
    std::erase_if(saved, [this](const auto& entry) {
        const auto& [bar, state] = entry;
        if (state.side != 0 && bar->GetDockContext() &&
            (state.side == AFX_IDW_DOCKBAR_FLOAT || DockBarOf(state.side)))
            return false;
        bar->DelayShow(state.visible);
        return true;
    });

    // Out of every dock bar, placeholders and all; then the floating ones float again.
    for (const auto& [bar, state] : saved) {
        if (state.side != AFX_IDW_DOCKBAR_FLOAT || !bar->IsFloating())
            TakeOutOfDockBars(bar, false);
        else
            RemovePlaceholders(ControlId(bar));
    }
    for (const auto& [bar, state] : saved) {
        if (state.side == AFX_IDW_DOCKBAR_FLOAT)
            FloatControlBar(bar, state.floating);
        else
            bar->GetDockContext()->m_ptMRUFloatPos = state.floating;
        bar->GetDockContext()->m_uMRUDockID = state.lastSide;
    }

    // Each side's rows again, in order, with the bars and the placeholders in their places
    // (entries that claim one place keep the order of the frame's list).
    for (int side : kDockedSides) {
        CDockBar* dock = DockBarOf(side);
        if (!dock)
            continue;
        std::vector<PlacedEntry> placed;
        for (const auto& [bar, state] : saved) {
            if (state.side == side)
                placed.push_back({state.row, state.place, DockEntry::Of(bar)});
            else if (state.side == AFX_IDW_DOCKBAR_FLOAT && state.lastSide == side &&
                     state.row >= 0)
                placed.push_back({state.row, state.place, DockEntry::Placeholder(ControlId(bar))});
        }
        std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
            return std::tie(a.row, a.place) < std::tie(b.row, b.place);
        });
        std::vector<DockEntry> row;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            row.push_back(placed[i].entry);
            if (i + 1 == placed.size() || placed[i + 1].row != placed[i].row) {
                dock->AppendRow(row);
                row.clear();
            }
        }
    }
    DeleteEmptyMiniFrames();

    for (const auto& [bar, state] : saved) {
        bar->DelayShow(state.visible);
        if (bar->IsFloating())
            qobject_cast<CMiniDockFrameWnd*>(bar->GetDockBar()->window())->RecalcLayout();
    }
    RecalcLayout();
    return found;
}
