#include "NotePage.h"

#include "Gbk.h"

#include <memory>

namespace {

bool inLatinWord(char c)
{
    return c > ' ' && static_cast<unsigned char>(c) < 0x80;
}

/// The bytes of the first line of `text` that fit `width`: whole characters, at least one of
/// them, and the line ended after its last space rather than inside a Latin word.
std::size_t fittingLength(std::string_view text, int width, PageMeasurer& measurer)
{
    const std::vector<std::size_t> starts = gbk::characterStarts(text);
    // The prefix widths grow with the prefix: the longest that fits is found by halving.
    std::size_t low = 1;
    std::size_t high = starts.size() - 1;
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (measurer.textExtent(PageFont::Text, text.substr(0, starts[mid])).width <= width)
            low = mid;
        else
            high = mid - 1;
    }
    const std::size_t length = starts[low];
    if (length < text.size() && inLatinWord(text[length - 1]) && inLatinWord(text[length])) {
        const std::size_t space = text.substr(0, length).rfind(' ');
        if (space != std::string_view::npos && space > 0)
            return space + 1;
    }
    return length;
}

} // namespace

PageLayout ComposeNotePage(std::string_view heading, std::string_view body, const NoteFrame& frame,
                           PageMeasurer& measurer)
{
    PageLayout page;
    const std::string& title =
        *page.ownTexts.emplace_back(std::make_shared<const std::string>(heading));
    const std::string& text =
        *page.ownTexts.emplace_back(std::make_shared<const std::string>(body));
    page.lines.push_back(PageLine{0, 0, frame.top, false});
    page.items.emplace_back(PageText{PageFont::Title, frame.left, frame.top, title});

    int y = frame.bodyTop;
    std::string_view rest = text;
    for (bool more = true; more;) {
        const std::size_t end = rest.find('\n');
        std::string_view paragraph = rest.substr(0, end);
        more = end != std::string_view::npos;
        rest.remove_prefix(more ? end + 1 : rest.size());
        // An empty paragraph is an empty line.
        bool continues = false;
        do {
            const std::size_t length =
                paragraph.empty() ? 0 : fittingLength(paragraph, frame.width, measurer);
            page.lines.push_back(PageLine{page.items.size(), page.items.size(), y, continues});
            page.items.emplace_back(
                PageText{PageFont::Text, frame.left, y, paragraph.substr(0, length)});
            paragraph.remove_prefix(length);
            y += frame.lineStep;
            continues = true;
        } while (!paragraph.empty());
    }
    page.bottom = y;
    return page;
}
