#pragma once

#include "CPicture.h"
#include "PageLayout.h"
#include "PageMeasurer.h"
#include "PageText.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QImage>

#include <array>
#include <map>
#include <string>
#include <vector>

class QPainter;

/// The page's fonts for one paint: measures text and pictures for the page layout, then paints
/// the composed page with QPainter in black.
class PageCanvas : public PageMeasurer
{
public:
    /// Relative picture paths resolve against `pictureDirectory`.
    explicit PageCanvas(const QDir& pictureDirectory);
    /// A canvas that draws the page's three fonts as `fonts`, each in its colour of `colours`
    /// (black on the record page).
    PageCanvas(const std::array<QFont, 3>& fonts, const std::array<QColor, 3>& colours);

    PageSize textExtent(PageFont font, std::string_view text) override;
    int textHeight(PageFont font) override;
    PageSize pictureSize(std::string_view path) override;

    /// Paints every item of `page`; the painter's origin is the page's top-left corner.
    void paint(QPainter& painter, const PageLayout& page);

    /// Paints the parts of the texts of `page` in `highlights` as selected: each rectangle
    /// filled with `background`, and the item's text drawn again in `foreground` clipped to
    /// it, so that every glyph stays where it is.
    void paintHighlights(QPainter& painter, const PageLayout& page,
                         const std::vector<TextHighlight>& highlights, const QColor& background,
                         const QColor& foreground);

    /// The picture of `path` at its natural size, on a transparent image; a null image when
    /// it cannot be loaded.
    QImage pictureImage(std::string_view path);

    /// The page font for `font`: "Arial" at the pixel size whose ascent plus descent is the
    /// font's cell height (20 bold, 16, 10).
    static QFont pageFont(PageFont font);

private:
    const QFontMetrics& metrics(PageFont font) { return m_Metrics[static_cast<int>(font)]; }
    /// Draws `text` in the painter's font, which must be its own.
    void drawText(QPainter& painter, const PageText& text);
    /// The picture of `path`, loaded when first asked for: measured and painted from one load.
    const CPicture& loadedPicture(std::string_view path);

    QDir m_PictureDirectory;
    std::array<QFont, 3> m_Fonts;
    std::array<QFontMetrics, 3> m_Metrics;
    std::array<QColor, 3> m_Colours;
    std::map<std::string, CPicture, std::less<>> m_Pictures;
};
