#include "PageSheets.h"

#include <algorithm>

namespace {

struct Span
{
    int top;
    int bottom;
};

Span spanOf(const PageItem& item, PageMeasurer& measurer)
{
    if (const auto* text = std::get_if<PageText>(&item))
        return {text->y, text->y + measurer.textHeight(text->font)};
    const auto& picture = std::get<PagePicture>(item);
    return {picture.y, picture.y + picture.size.height};
}

} // namespace

std::vector<int> SheetStarts(const PageLayout& page, PageMeasurer& measurer, int sheetHeight)
{
    std::vector<Span> spans;
    int bottom = page.bottom;
    for (const PageItem& item : page.items) {
        spans.push_back(spanOf(item, measurer));
        bottom = std::max(bottom, spans.back().bottom);
    }
    std::vector<int> starts = {0};
    while (sheetHeight > 0 && starts.back() + sheetHeight < bottom) {
        const int start = starts.back();
        int end = start + sheetHeight;
        for (bool moved = true; moved;) {
            moved = false;
            for (const Span& span : spans) {
                if (span.top > start && span.top < end && span.bottom > end) {
                    end = span.top;
                    moved = true;
                }
            }
        }
        starts.push_back(end);
    }
    return starts;
}
