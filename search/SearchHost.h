#pragma once

#include <QString>

class CVELMORDoc;
class NavigationHistory;

/// What a search panel needs of the main window: the document of its active view, the
/// navigation history, and the status bar for a short word to the user.
class SearchHost
{
public:
    virtual ~SearchHost() = default;
    virtual CVELMORDoc& Document() = 0;
    virtual NavigationHistory& History() = 0;
    virtual void ShowStatusMessage(const QString& text) = 0;
};
