#pragma once

class NavigationHistory;

/// What the navigation toolbar needs of the main window that owns it.
class ToolbarHost
{
public:
    virtual ~ToolbarHost() = default;
    /// The history of pages visited, reached through the active view's document.
    virtual NavigationHistory& History() = 0;
    /// Shows or hides the search sidebar at once.
    virtual void ShowSidebar(bool show) = 0;
    /// Whether the owner handles command `id` that the bar passes on.
    virtual bool HandlesCommand(int id) const = 0;
    /// A command of the bar that the bar does not handle itself.
    virtual void OnCommand(int id) = 0;
    /// "上一步" or "下一步" showed another page of the history.
    virtual void OnHistoryMoved() {}
};
