#pragma once

#include "NavigationHistory.h"
#include "SearchHost.h"
#include "VELMORDoc.h"

#include <string>

/// The main window as a panel sees it: a document of its own, the history over it and the
/// last message for the status bar.
class FakeSearchHost : public SearchHost
{
public:
    CVELMORDoc doc;
    NavigationHistory history{doc};
    std::string message;

    CVELMORDoc& Document() override { return doc; }
    NavigationHistory& History() override { return history; }
    void ShowSearchMessage(const std::string& utf8) override { message = utf8; }
};
