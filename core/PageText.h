#pragma once

#include "PageLayout.h"

#include <compare>
#include <cstddef>
#include <string>
#include <vector>

/// A place in the text of a composed page: before byte `offset` of the text of item `item`,
/// always on the first byte of a character. Places are ordered as the page reads: line by line,
/// top to bottom, left to right. {number of items, 0} is the end of the page, after its last
/// line.
struct TextPosition
{
    std::size_t item = 0;
    std::size_t offset = 0;

    auto operator<=>(const TextPosition&) const = default;
};

/// The text from `begin` up to `end`, which does not come before it.
struct TextRange
{
    TextPosition begin;
    TextPosition end;

    bool empty() const { return !(begin < end); }
    bool operator==(const TextRange&) const = default;
};

/// The part of one text item that a range covers, as the page shows it: as wide as those
/// characters and as tall as the item's line.
struct TextHighlight
{
    std::size_t item = 0;
    PageRect rect;
};

/// The range between `a` and `b`, whichever comes first.
TextRange RangeBetween(TextPosition a, TextPosition b);

/// The whole text of `page`, from its first character to the end of its last line.
TextRange WholePage(const PageLayout& page);

/// The place of `page` nearest to the point (x, y): on the line under y (the gap below a line
/// belongs to it), before the first character whose middle is right of x. Above the first line
/// it is the start of the page, below the last line the end of the page.
///
/// `page` is a whole page (composed without a visible part); positions and measurements are
/// the ones it was composed with.
TextPosition PositionAt(const PageLayout& page, PageMeasurer& measurer, int x, int y);

/// The value under the point (x, y): the text right of a field's label over every line it
/// wraps onto, the title, or one line of the start page or a note. Empty above the first and
/// below the last line.
TextRange ValueAt(const PageLayout& page, PageMeasurer& measurer, int x, int y);

/// The text of `range`, in UTF-8: the items of each line side by side as they are drawn, and a
/// line break after each line that the range goes on past. Pictures have no text.
std::string TextOf(const PageLayout& page, TextRange range);

/// The text of the whole page: TextOf(page, WholePage(page)).
std::string WholePageText(const PageLayout& page);

/// Rows of a page: from `top`, `height` pixels down.
struct PageRows
{
    int top = 0;
    int height = 0;

    bool operator==(const PageRows&) const = default;
};

/// The rows from the top of the line that holds `a` to the bottom of the line that holds `b`,
/// in either order: where a selection that changes only between them looks different.
PageRows RowsBetween(const PageLayout& page, PageMeasurer& measurer, TextPosition a,
                     TextPosition b);

/// The parts of the text items of `range` that cross `visible`, top to bottom.
std::vector<TextHighlight> HighlightsOf(const PageLayout& page, PageMeasurer& measurer,
                                        TextRange range, const PageRect& visible);
