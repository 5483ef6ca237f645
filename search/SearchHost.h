#pragma once

class CVELMORDoc;
class NavigationHistory;

/// What a search panel needs of the main window: the document of its active view and the
/// navigation history.
class SearchHost
{
public:
    virtual ~SearchHost() = default;
    virtual CVELMORDoc& Document() = 0;
    virtual NavigationHistory& History() = 0;
};
