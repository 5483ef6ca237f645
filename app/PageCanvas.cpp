#include "PageCanvas.h"

#include "CPicture.h"
#include "Gbk.h"

#include <QPainter>

#include <map>

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
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("宋体")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setPixelSize(pixelSize);
    return font;
}

// The page's fonts are given as cell heights (ascent plus descent); Qt sizes fonts by their
// em. The largest pixel size whose cell fits is the match; it is found once per font.
int pixelSizeFor(const CellFont& cell)
{
    static std::map<std::pair<int, bool>, int> found;
    const auto key = std::make_pair(cell.cellHeight, cell.bold);
    if (const auto it = found.find(key); it != found.end())
        return it->second;
    int size = cell.cellHeight;
    while (size > 1 && QFontMetrics(arial(size, cell.bold)).height() > cell.cellHeight)
        --size;
    found.emplace(key, size);
    return size;
}

} // namespace

QFont PageCanvas::pageFont(PageFont font)
{
    const CellFont& cell = kCellFonts[static_cast<int>(font)];
    return arial(pixelSizeFor(cell), cell.bold);
}

PageCanvas::PageCanvas(const QDir& pictureDirectory)
    : m_PictureDirectory(pictureDirectory), m_Fonts{pageFont(PageFont::Title),
                                                    pageFont(PageFont::Text),
                                                    pageFont(PageFont::Subscript)},
      m_Metrics{QFontMetrics(m_Fonts[0]), QFontMetrics(m_Fonts[1]), QFontMetrics(m_Fonts[2])}
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

QString PageCanvas::pictureFile(std::string_view path) const
{
    // Databases made on Windows separate folders with backslashes.
    QString name = fromCp936(path);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return m_PictureDirectory.filePath(name);
}

PageSize PageCanvas::pictureSize(std::string_view path)
{
    // The layout needs only the size, which the picture's header gives; the picture is decoded
    // when it is painted.
    const QSize size = CPicture::ReadImageSize(pictureFile(path));
    return {size.width(), size.height()};
}

void PageCanvas::paint(QPainter& painter, const PageLayout& page)
{
    painter.setPen(Qt::black);
    int selected = -1;
    for (const PageItem& item : page.items) {
        if (const auto* text = std::get_if<PageText>(&item)) {
            const int index = static_cast<int>(text->font);
            if (index != selected) {
                painter.setFont(m_Fonts[index]);
                selected = index;
            }
            // QPainter places text by its baseline; the page places it by its top-left.
            painter.drawText(text->x, text->y + m_Metrics[index].ascent(), fromCp936(text->text));
        } else if (const auto* picture = std::get_if<PagePicture>(&item)) {
            CPicture image;
            if (image.Load(pictureFile(picture->path))) {
                image.Render(painter, QRect(picture->x, picture->y, picture->size.width,
                                            picture->size.height));
            }
        }
    }
}
