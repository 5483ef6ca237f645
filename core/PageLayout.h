#pragma once

#include "PageMeasurer.h"
#include "ReagentRecord.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class CVELMORDoc;

/// The current name that selects the start page.
inline constexpr std::string_view kStartPageName = "firstpage";

/// The view's special-page word that asks for the start page for one paint.
inline constexpr std::string_view kBusinessPageWord = "shangjia";

/// Text drawn with its top-left corner at (x, y).
struct PageText
{
    PageFont font = PageFont::Text;
    int x = 0;
    int y = 0;
    /// Code page 936 bytes, in the record store, the page's fixed texts or the layout's own.
    std::string_view text;

    bool operator==(const PageText&) const = default;
};

/// The picture file `path` painted into the rectangle at (x, y) of its natural size.
struct PagePicture
{
    int x = 0;
    int y = 0;
    PageSize size;
    std::string_view path; ///< code page 936 bytes, in the record store

    bool operator==(const PagePicture&) const = default;
};

using PageItem = std::variant<PageText, PagePicture>;

/// One line of the page, in reading order: the items drawn on it, left to right, are those
/// from `begin` up to the next line's `begin` (or the end of the items).
struct PageLine
{
    std::size_t begin = 0; ///< index in the items of the line's first item
    /// Index of the first item of the line's value: the one after its label, or `begin`
    /// where the line has no label (the title, a line of the start page, a note).
    std::size_t value = 0;
    int top = 0; ///< the y of the line
    /// The line carries on the value of the line above it, which wrapped.
    bool continues = false;

    bool operator==(const PageLine&) const = default;
};

/// A rectangle of the page: left, top, width, height.
struct PageRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

/// What the page depends on besides the record store.
struct PageRequest
{
    std::string_view currentName; ///< the document's current name
    std::string_view specialPage; ///< the view's special-page word
    PageSize client;              ///< the view's client area
    int extentHeight = 0;         ///< the height of the view's scroll extent before this page
    /// The part of the page to be painted; items wholly outside it are left out. The whole
    /// page when not given.
    std::optional<PageRect> visible = std::nullopt;
};

/// One composed page: what to draw, in page coordinates, and what it changes in the view.
struct PageLayout
{
    std::vector<PageItem> items;
    /// The lines the items stand on, top to bottom. Every line is listed; where `visible` left
    /// a line's items out, the line holds none.
    std::vector<PageLine> lines;
    /// Texts composed for this page (the title, a note), which items point into: copies of
    /// the items are valid while the layout lives.
    std::vector<std::shared_ptr<const std::string>> ownTexts;
    /// The start page was composed; a business-cooperation request is used up.
    bool startPage = false;
    /// The index of the record whose page this is; none for the start page and a note.
    std::optional<int> record;
    /// The new height of the scroll extent, when the page sets it.
    std::optional<int> extentHeight;
    /// The y just below the last line.
    int bottom = 0;
};

/// Whether a field holding `value` is shown on a reagent page: the vendor always, any other
/// field when its text is longer than two bytes.
bool IsFieldShown(Field field, std::string_view value);

/// True when `request` selects the start page: the current name "firstpage", or a
/// business-cooperation request.
bool RequestsStartPage(const PageRequest& request);

/// Composes the start page for `request`, whatever the record store holds: it reads no record.
PageLayout ComposeStartPage(const PageRequest& request, PageMeasurer& measurer);

/// Composes the page that `request` selects: the start page, the page of the record whose
/// Chinese name is the current name, or a short note when no record bears that name.
PageLayout ComposePage(const CVELMORDoc& doc, const PageRequest& request, PageMeasurer& measurer);
