#pragma once

#include "PageLayout.h"

#include <string_view>

/// Where a note page stands: its heading at (left, top), its body from `bodyTop` down, in
/// lines no wider than `width`, `lineStep` pixels apart.
struct NoteFrame
{
    int left = 0;
    int top = 0;
    int bodyTop = 0;
    int width = 0;
    int lineStep = 0;
};

/// A page that speaks in place of the record page: `heading` in the title font, then `body` in
/// the text font, a line of it for each line break, each paragraph broken into lines that fit
/// the width between two characters (after a space where a Latin word would be split). Texts
/// are code page 936.
PageLayout ComposeNotePage(std::string_view heading, std::string_view body, const NoteFrame& frame,
                           PageMeasurer& measurer);
