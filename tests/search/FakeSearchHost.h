#pragma once

#include "NavigationHistory.h"
#include "SearchHost.h"
#include "VELMORDoc.h"

/// The main window as a panel sees it: a document of its own and the history over it.
class FakeSearchHost : public SearchHost
{
public:
    CVELMORDoc doc;
    NavigationHistory history{doc};

    CVELMORDoc& Document() override { return doc; }
    NavigationHistory& History() override { return history; }
};
