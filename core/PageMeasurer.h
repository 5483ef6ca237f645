#pragma once

#include <string_view>

/// The three fonts of the record page.
enum class PageFont
{
    Title,     ///< "Arial", cell height 20, bold
    Text,      ///< "Arial", cell height 16
    Subscript, ///< "Arial", cell height 10
};

/// A width and a height in pixels.
struct PageSize
{
    int width = 0;
    int height = 0;

    bool operator==(const PageSize&) const = default;
};

/// What the page layout needs from the surface it is drawn on: text measured in the page's
/// fonts, and the natural size of a picture file.
class PageMeasurer
{
public:
    virtual ~PageMeasurer() = default;

    /// Width and height of `text` (code page 936 bytes) in `font`.
    virtual PageSize textExtent(PageFont font, std::string_view text) = 0;

    /// The text height of `font`: its ascent plus its descent.
    virtual int textHeight(PageFont font) = 0;

    /// Loads the picture file named by `path` (code page 936 bytes) and returns its size in
    /// pixels, or (0, 0) when it cannot be loaded.
    virtual PageSize pictureSize(std::string_view path) = 0;
};
