#include "StartPageAhead.h"

#include "PageCanvas.h"
#include "VectorState.h"

#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <future>
#include <system_error>
#include <utility>
#include <vector>

namespace {

/// Draws a Chinese character of the start page's title, as the page draws it, on `background`.
/// The first text drawn makes Qt build the table it blends Chinese text with (its faces ask
/// for gamma-corrected blending): some thousands of powers, which take a millisecond and a
/// half when the vector registers' upper halves are left in use and a tenth of that when they
/// are not. Hashing a string uses them, so the character is laid out first, then they are
/// cleared, and the glyphs drawn as laid out.
void DrawFirstText(qreal ratio, const QColor& background)
{
    QTextLayout layout(QStringLiteral("软"), PageCanvas::pageFont(PageFont::Title));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    QImage image(QSize(32, 32) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(background);
    QPainter painter(&image);
    ClearUpperVectorHalves();
    for (const QGlyphRun& run : runs)
        painter.drawGlyphRun(QPointF(0, 24), run);
}

} // namespace

StartPageAhead StartPageAhead::Draw(int width, qreal ratio, const QColor& background)
{
    PageCanvas canvas{QDir()};
    RecordedMeasures measures(canvas);
    PageLayout layout =
        ComposeStartPage(PageRequest{kStartPageName, {}, PageSize{width, 0}}, measures);
    measures.stopMeasuring();
    // Opaque, as the page is: copied onto a backing store of that format, as X11's usually is,
    // a band is moved rather than blended.
    QImage image(QSize(width, std::max(layout.bottom, 1)) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(background);
    QPainter painter(&image);
    canvas.paint(painter, layout);
    painter.end();
    return StartPageAhead(std::move(measures), std::move(layout), std::move(image), background);
}

std::optional<PageLayout> StartPageAhead::paint(QPainter& painter, const PageRequest& request)
{
    if (!RequestsStartPage(request) ||
        painter.device()->devicePixelRatio() != m_Image.devicePixelRatio())
        return std::nullopt;
    // The whole page: its lines are matched with the drawing's one by one.
    PageRequest whole = request;
    whole.visible.reset();
    PageLayout page = ComposeStartPage(whole, m_Measures);
    if (m_Measures.missed() || page.items.size() != m_Layout.items.size())
        return std::nullopt;
    // Each start line is one text; its band reaches from its top down to the next line's, the
    // first from the top of the page; the rest of the band is the background.
    const qreal ratio = m_Image.devicePixelRatio();
    const int imageWidth = static_cast<int>(m_Image.width() / ratio);
    const int imageHeight = static_cast<int>(m_Image.height() / ratio);
    std::vector<std::pair<int, int>> shifts; // per band: its top and how far it moves
    int above = INT_MIN;                     // the y of the line above
    for (std::size_t i = 0; i < page.items.size(); ++i) {
        const auto* now = std::get_if<PageText>(&page.items[i]);
        const auto* drawn = std::get_if<PageText>(&m_Layout.items[i]);
        if (!now || !drawn || now->y != drawn->y || now->font != drawn->font ||
            now->text != drawn->text || now->y <= above)
            return std::nullopt;
        above = now->y;
        shifts.emplace_back(i == 0 ? 0 : now->y, now->x - drawn->x);
    }
    for (std::size_t i = 0; i < shifts.size(); ++i) {
        const auto [top, shift] = shifts[i];
        const int bottom = i + 1 < shifts.size() ? shifts[i + 1].first : imageHeight;
        const QRect band(0, top, std::max(request.client.width, imageWidth), bottom - top);
        painter.fillRect(band, m_Background);
        painter.drawImage(QRectF(shift, top, imageWidth, bottom - top), m_Image,
                          QRectF(0, top * ratio, m_Image.width(), (bottom - top) * ratio));
    }
    return page;
}

StartPageDrawing::StartPageDrawing(int width, qreal ratio, const QColor& background,
                                   std::shared_future<LoadSummary> after)
{
    std::promise<StartPageAhead> drawn;
    std::future<StartPageAhead> future = drawn.get_future();
    // Kept until the thread ends, if it is not kept before: its end makes the wait for it end.
    std::promise<void> firstText;
    std::shared_future<void> firstTextDrawn = firstText.get_future().share();
    try {
        m_Thread = std::jthread([=, drawn = std::move(drawn),
                                 firstText = std::move(firstText)]() mutable {
            try {
                if (after.valid())
                    after.get();
                DrawFirstText(ratio, background);
                firstText.set_value();
                drawn.set_value(StartPageAhead::Draw(width, ratio, background));
            } catch (...) {
                drawn.set_exception(std::current_exception());
            }
        });
    } catch (const std::system_error&) {
        return;
    }
    m_Drawn = std::move(future);
    m_FirstText = std::move(firstTextDrawn);
}

void StartPageDrawing::awaitFirstText() const
{
    if (m_FirstText.valid())
        m_FirstText.wait();
}

std::optional<StartPageAhead> StartPageDrawing::take()
{
    try {
        return m_Drawn.get();
    } catch (...) {
        // The first paint draws the page itself, as every later one does.
        return std::nullopt;
    }
}
