#include "PageCanvas.h"

#include "Gbk.h"
#include "PicturePath.h"

#include <QPainter>

#include <cmath>
#include <map>
#include <utility>

namespace {

struct CellFont
{
    int cellHeight;
    bool bold;
};

constexpr std::array<CellFont, 3> kCellFonts = {{{20, true}, {16, false}, {10, false}}};

QString fromCp936(std::string_view text)
{
    const std::string utf8 = gbk::toUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont arial(int pixelSize, bool bold)
{
    QFont font;
    // Text the Latin face lacks comes from the Chinese system face, as Windows links "宋体" to
    // "Arial"; naming it also spares a search of every installed font for each Chinese string.
    // Both are named by the faces that stand in for them: by their own names, Qt tries each
    // name and each stand-in in turn, loading a font engine for each, as it looks for a glyph.
    font.setFamilies({QFont::substitute(QStringLiteral("Arial")),
                      QFont::substitute(QStringLiteral("宋体"))});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setPixelSize(pixelSize);
    return font;
}

// The page's fonts are given as cell heights (ascent plus descent); Qt sizes fonts by their
// em. The largest pixel size whose cell fits is the match. The three are found once, by
// whichever thread asks first: the start page may be drawn on another.
//
// Qt's cell of a size is its ascent plus its descent, each rounded, and a scalable face's
// ascent and descent grow in step with its size: measured at one size, a face foretells its
// cell at every other, without a font engine of its own for each size tried (each costs a
// fontconfig match). Where a foretold ascent or descent lies near a half pixel, the rounding
// could go either way, and that size is measured. A face is measured at nine tenths of its
// cell, where a Latin face's em usually lies: that is then most often the size chosen, and the
// engine made for measuring is the one the page draws with.
int pixelSizeFor(PageFont font)
{
    static const std::array<int, 3> sizes = [] {
        std::array<int, 3> found{};
        std::map<bool, std::pair<qreal, qreal>> perPixel; // ascent and descent, by weight
        for (std::size_t i = 0; i < kCellFonts.size(); ++i) {
            const CellFont& cell = kCellFonts[i];
            const auto [it, fresh] = perPixel.try_emplace(cell.bold);
            if (fresh) {
                const int measuredSize = qRound(cell.cellHeight * 0.9);
                const QFontMetricsF measured(arial(measuredSize, cell.bold));
                it->second = {measured.ascent() / measuredSize, measured.descent() / measuredSize};
            }
            const auto [ascent, descent] = it->second;
            const auto fits = [&](int size) {
                const auto nearHalf = [](qreal v) {
                    return std::abs(v - std::floor(v) - 0.5) < 0.05;
                };
                if (nearHalf(size * ascent) || nearHalf(size * descent))
                    return QFontMetrics(arial(size, cell.bold)).height() <= cell.cellHeight;
                return qRound(size * ascent) + qRound(size * descent) <= cell.cellHeight;
            };
            int size = cell.cellHeight;
            while (size > 1 && !fits(size))
                --size;
            found[i] = size;
        }
        return found;
    }();
    return sizes[static_cast<int>(font)];
}

} // namespace

QFont PageCanvas::pageFont(PageFont font)
{
    return arial(pixelSizeFor(font), kCellFonts[static_cast<int>(font)].bold);
}

PageCanvas::PageCanvas(const QDir& pictureDirectory)
    : PageCanvas(
          {pageFont(PageFont::Title), pageFont(PageFont::Text), pageFont(PageFont::Subscript)},
          {Qt::black, Qt::black, Qt::black})
{
    m_PictureDirectory = pictureDirectory;
}

PageCanvas::PageCanvas(const std::array<QFont, 3>& fonts, const std::array<QColor, 3>& colours)
    : m_Fonts(fonts), m_Metrics{QFontMetrics(m_Fonts[0]), QFontMetrics(m_Fonts[1]),
                                QFontMetrics(m_Fonts[2])},
      m_Colours(colours)
{
}

PageSize PageCanvas::textExtent(PageFont font, std::string_view text)
{
    const QFontMetrics& fm = metrics(font);
    return {fm.horizontalAdvance(fromCp936(text)), fm.height()};
}

int PageCanvas::textHeight(PageFont font)
{
    return metrics(font).height();
}

const CPicture& PageCanvas::loadedPicture(std::string_view path)
{
    auto it = m_Pictures.find(path);
    if (it == m_Pictures.end()) {
        it = m_Pictures.emplace(std::string(path), CPicture()).first;
        it->second.Load(
            QString::fromStdString(PictureFilePath(m_PictureDirectory.path().toStdString(), path)));
    }
    return it->second;
}

PageSize PageCanvas::pictureSize(std::string_view path)
{
    // Decoded, not only its header read: a picture whose data does not decode measures 0 x 0.
    const QSize size = loadedPicture(path).GetImageSize();
    return {size.width(), size.height()};
}

void PageCanvas::paint(QPainter& painter, const PageLayout& page)
{
    int selected = -1;
    for (const PageItem& item : page.items) {
        if (const auto* text = std::get_if<PageText>(&item)) {
            const int index = static_cast<int>(text->font);
            if (index != selected) {
                painter.setFont(m_Fonts[index]);
                painter.setPen(m_Colours[index]);
                selected = index;
            }
            drawText(painter, *text);
        } else if (const auto* picture = std::get_if<PagePicture>(&item)) {
            loadedPicture(picture->path)
                .Render(painter,
                        QRect(picture->x, picture->y, picture->size.width, picture->size.height));
        }
    }
}

void PageCanvas::drawText(QPainter& painter, const PageText& text)
{
    // QPainter places text by its baseline; the page places it by its top-left.
    painter.drawText(text.x, text.y + metrics(text.font).ascent(), fromCp936(text.text));
}

void PageCanvas::paintHighlights(QPainter& painter, const PageLayout& page,
                                 const std::vector<TextHighlight>& highlights,
                                 const QColor& background, const QColor& foreground)
{
    for (const TextHighlight& part : highlights) {
        const QRect rect(part.rect.x, part.rect.y, part.rect.width, part.rect.height);
        const auto& text = std::get<PageText>(page.items[part.item]);
        painter.fillRect(rect, background);
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
        painter.setPen(foreground);
        painter.setFont(m_Fonts[static_cast<int>(text.font)]);
        drawText(painter, text);
        painter.restore();
    }
}

QImage PageCanvas::pictureImage(std::string_view path)
{
    const CPicture& picture = loadedPicture(path);
    QImage image(picture.GetImageSize(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter painter(&image);
    picture.Render(painter);
    return image;
}
