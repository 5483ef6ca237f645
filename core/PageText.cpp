#include "PageText.h"

#include "Gbk.h"

#include <algorithm>

namespace {

const PageText* textAt(const PageLayout& page, std::size_t item)
{
    return item < page.items.size() ? std::get_if<PageText>(&page.items[item]) : nullptr;
}

std::size_t sizeOf(const PageLayout& page, std::size_t item)
{
    const PageText* text = textAt(page, item);
    return text ? text->text.size() : 0;
}

/// One past the last item of line `line`.
std::size_t lineEnd(const PageLayout& page, std::size_t line)
{
    return line + 1 < page.lines.size() ? page.lines[line + 1].begin : page.items.size();
}

/// Where line `line` begins and where it ends, before the break that follows it.
TextPosition lineStart(const PageLayout& page, std::size_t line)
{
    return {page.lines[line].begin, 0};
}

TextPosition lineFinish(const PageLayout& page, std::size_t line)
{
    const std::size_t begin = page.lines[line].begin;
    const std::size_t end = lineEnd(page, line);
    if (end == begin)
        return {begin, 0};
    return {end - 1, sizeOf(page, end - 1)};
}

/// The line that holds item `item`: the last one that begins at or before it, as lines that
/// hold no item begin where the next one does.
std::size_t lineOfItem(const PageLayout& page, std::size_t item)
{
    const auto after =
        std::upper_bound(page.lines.begin(), page.lines.end(), item,
                         [](std::size_t i, const PageLine& line) { return i < line.begin; });
    return static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - page.lines.begin() - 1, 0));
}

/// The height of line `line`: the text height of the font its first text is drawn in.
int lineHeight(const PageLayout& page, PageMeasurer& measurer, std::size_t line)
{
    for (std::size_t i = page.lines[line].begin; i < lineEnd(page, line); ++i) {
        if (const PageText* text = textAt(page, i))
            return measurer.textHeight(text->font);
    }
    return 0;
}

/// The line under y, or none above the first line and below the last.
std::optional<std::size_t> lineAtY(const PageLayout& page, PageMeasurer& measurer, int y)
{
    const auto after = std::upper_bound(page.lines.begin(), page.lines.end(), y,
                                        [](int at, const PageLine& line) { return at < line.top; });
    if (after == page.lines.begin())
        return std::nullopt;
    const std::size_t line = static_cast<std::size_t>(after - page.lines.begin()) - 1;
    if (line + 1 == page.lines.size() &&
        y >= page.lines[line].top + lineHeight(page, measurer, line))
        return std::nullopt;
    return line;
}

/// A place at the end of an item's text that is not the end of its line is written as the
/// start of the next item, so that one place on the page has one form.
TextPosition normalised(const PageLayout& page, TextPosition at)
{
    if (at.item >= page.items.size())
        return {page.items.size(), 0};
    const std::size_t end = lineEnd(page, lineOfItem(page, at.item));
    while (at.offset == sizeOf(page, at.item) && at.item + 1 < end)
        at = {at.item + 1, 0};
    return at;
}

int prefixWidth(PageMeasurer& measurer, const PageText& text, std::size_t bytes)
{
    return bytes == 0 ? 0 : measurer.textExtent(text.font, text.text.substr(0, bytes)).width;
}

/// The offset in `text` before the first character whose middle is right of `x` (relative to
/// the item's left edge): a binary search, as the middles grow from left to right.
std::size_t offsetAt(PageMeasurer& measurer, const PageText& text, int x)
{
    const std::vector<std::size_t> starts = gbk::characterStarts(text.text);
    std::size_t low = 0;
    std::size_t high = starts.size() - 1;
    while (low < high) {
        const std::size_t mid = (low + high) / 2;
        const int middle2 =
            prefixWidth(measurer, text, starts[mid]) + prefixWidth(measurer, text, starts[mid + 1]);
        if (2 * x < middle2)
            high = mid;
        else
            low = mid + 1;
    }
    return starts[low];
}

TextPosition positionInLine(const PageLayout& page, PageMeasurer& measurer, std::size_t line, int x)
{
    for (std::size_t i = page.lines[line].begin; i < lineEnd(page, line); ++i) {
        const PageText* text = textAt(page, i);
        if (!text)
            continue;
        if (x < text->x)
            return {i, 0};
        if (x < text->x + measurer.textExtent(text->font, text->text).width)
            return normalised(page, {i, offsetAt(measurer, *text, x - text->x)});
    }
    return lineFinish(page, line);
}

/// The bytes of item `item` that `range` covers: [first, second).
std::pair<std::size_t, std::size_t> coveredBytes(const PageLayout& page, TextRange range,
                                                 std::size_t item)
{
    if (item < range.begin.item || item > range.end.item)
        return {0, 0};
    const std::size_t from = item == range.begin.item ? range.begin.offset : 0;
    const std::size_t to = item == range.end.item ? range.end.offset : sizeOf(page, item);
    return {from, std::max(from, to)};
}

} // namespace

TextRange RangeBetween(TextPosition a, TextPosition b)
{
    return a < b ? TextRange{a, b} : TextRange{b, a};
}

TextRange WholePage(const PageLayout& page)
{
    return {{0, 0}, {page.items.size(), 0}};
}

TextPosition PositionAt(const PageLayout& page, PageMeasurer& measurer, int x, int y)
{
    if (page.lines.empty() || y < page.lines.front().top)
        return WholePage(page).begin;
    const std::optional<std::size_t> line = lineAtY(page, measurer, y);
    if (!line)
        return WholePage(page).end;
    return positionInLine(page, measurer, *line, x);
}

TextRange ValueAt(const PageLayout& page, PageMeasurer& measurer, int x, int y)
{
    const std::optional<std::size_t> line =
        page.lines.empty() ? std::nullopt : lineAtY(page, measurer, y);
    if (!line) {
        const TextPosition at = PositionAt(page, measurer, x, y);
        return {at, at};
    }
    std::size_t first = *line;
    while (first > 0 && page.lines[first].continues)
        --first;
    std::size_t last = *line;
    while (last + 1 < page.lines.size() && page.lines[last + 1].continues)
        ++last;
    return {normalised(page, {page.lines[first].value, 0}), lineFinish(page, last)};
}

std::string TextOf(const PageLayout& page, TextRange range)
{
    std::string out; // code page 936
    if (range.empty() || page.lines.empty())
        return out;
    for (std::size_t line = lineOfItem(page, range.begin.item); line < page.lines.size(); ++line) {
        if (!(lineStart(page, line) < range.end))
            break;
        for (std::size_t i = page.lines[line].begin; i < lineEnd(page, line); ++i) {
            const auto [from, to] = coveredBytes(page, range, i);
            if (from < to)
                out += textAt(page, i)->text.substr(from, to - from);
        }
        const TextPosition next = {lineEnd(page, line), 0};
        if (range.begin <= lineFinish(page, line) && next <= range.end)
            out += '\n';
    }
    // Decoded in one piece as each item is decoded when drawn: an item splits no character
    // inside its line, so a lone lead byte can only end a line, and a line break is no second
    // byte for it to join.
    return gbk::toUtf8(out);
}

std::string WholePageText(const PageLayout& page)
{
    return TextOf(page, WholePage(page));
}

PageRows RowsBetween(const PageLayout& page, PageMeasurer& measurer, TextPosition a, TextPosition b)
{
    if (page.lines.empty())
        return {};
    // The end of the page lies on the last line.
    const std::size_t last = page.items.empty() ? 0 : page.items.size() - 1;
    const std::size_t lineOfA = lineOfItem(page, std::min(a.item, last));
    const std::size_t lineOfB = lineOfItem(page, std::min(b.item, last));
    const std::size_t first = std::min(lineOfA, lineOfB);
    const std::size_t second = std::max(lineOfA, lineOfB);
    const int top = page.lines[first].top;
    return {top, page.lines[second].top + lineHeight(page, measurer, second) - top};
}

std::vector<TextHighlight> HighlightsOf(const PageLayout& page, PageMeasurer& measurer,
                                        TextRange range, const PageRect& visible)
{
    std::vector<TextHighlight> highlights;
    if (range.empty() || page.lines.empty())
        return highlights;
    for (std::size_t line = lineOfItem(page, range.begin.item); line < page.lines.size(); ++line) {
        const int top = page.lines[line].top;
        if (!(lineStart(page, line) < range.end) || top >= visible.y + visible.height)
            break;
        const int height = lineHeight(page, measurer, line);
        if (top + height <= visible.y)
            continue;
        for (std::size_t i = page.lines[line].begin; i < lineEnd(page, line); ++i) {
            const auto [from, to] = coveredBytes(page, range, i);
            if (from >= to)
                continue;
            const PageText& text = *textAt(page, i);
            const int left = text.x + prefixWidth(measurer, text, from);
            const int right = text.x + prefixWidth(measurer, text, to);
            highlights.push_back({i, PageRect{left, top, right - left, height}});
        }
    }
    return highlights;
}
