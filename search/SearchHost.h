#pragma once

#include <string>

class CVELMORDoc;
class NavigationHistory;

/// What a search panel needs of the main window: the document of its active view, the
/// navigation history and the status bar's message pane.
class SearchHost
{
public:
    virtual ~SearchHost() = default;
    virtual CVELMORDoc& Document() = 0;
    virtual NavigationHistory& History() = 0;
    /// Puts `utf8` into the status bar's message pane; a host without one shows nothing.
    virtual void ShowSearchMessage(const std::string& utf8) { (void)utf8; }
};
