#include "VELMORView.h"

#include "LoadFailurePage.h"
#include "PageCanvas.h"
#include "PageFailureNote.h"
#include "PageSheets.h"
#include "VELMORDoc.h"

#include <QAction>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

constexpr QSize kInitialExtent(600, 100);

// The page is laid out in screen pixels; on paper each of them is one 96th of an inch.
constexpr double kPagePixelsPerInch = 96.0;

// How often a drag beyond the viewport scrolls it, in milliseconds.
constexpr int kAutoScrollInterval = 30;

} // namespace

CVELMORView::CVELMORView(CVELMORDoc& doc, QWidget* parent) : QAbstractScrollArea(parent), m_Doc(doc)
{
    viewport()->setAutoFillBackground(true);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, kPageBackground);
    viewport()->setPalette(palette);
    viewport()->setBackgroundRole(QPalette::Base);

    auto* print = new QAction(tr("打印"), this);
    print->setShortcut(QKeySequence::Print);
    print->setShortcutContext(Qt::WindowShortcut);
    connect(print, &QAction::triggered, this, &CVELMORView::OnFilePrint);
    addAction(print);

    m_AutoScroll.setInterval(kAutoScrollInterval);
    connect(&m_AutoScroll, &QTimer::timeout, this, &CVELMORView::AutoScroll);

    m_Doc.AddView(this);
}

CVELMORView::~CVELMORView()
{
    m_Doc.RemoveView(this);
}

void CVELMORView::SetInitialScrollSizes()
{
    m_TotalSize = kInitialExtent;
    SetScrollSizes(m_TotalSize);
}

void CVELMORView::SetScrollSizes(const QSize& total)
{
    m_ScrollTotal = total;
    UpdateScrollBars();
}

void CVELMORView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    QScrollBar* bars[] = {horizontalScrollBar(), verticalScrollBar()};
    const int totals[] = {m_ScrollTotal.width(), m_ScrollTotal.height()};
    const int clients[] = {client.width(), client.height()};
    for (int i = 0; i < 2; ++i) {
        bars[i]->setRange(0, std::max(0, totals[i] - clients[i]));
        bars[i]->setPageStep(clients[i]);
        // A line is a hundredth of the extent, as the classic scroll view steps.
        bars[i]->setSingleStep(std::max(1, totals[i] / 100));
    }
}

void CVELMORView::ShowBusinessPage()
{
    m_SpecialPage = kBusinessPageWord;
    m_Selection.reset();
    viewport()->update();
}

void CVELMORView::OnUpdate(CView*, long, void*)
{
    // A page opened by any route starts with nothing selected, even the page shown.
    m_Selection.reset();
    viewport()->update();
}

PageRequest CVELMORView::Request(const QSize& client, const std::optional<QRect>& exposed) const
{
    PageRequest request{m_Doc.m_CurrentName, m_SpecialPage,
                        PageSize{client.width(), client.height()}, m_TotalSize.height()};
    if (exposed)
        request.visible = PageRect{exposed->x(), exposed->y(), exposed->width(), exposed->height()};
    return request;
}

PageLayout CVELMORView::Compose(PageCanvas& canvas, const QSize& client,
                                const std::optional<QRect>& exposed) const
{
    return ComposePage(m_Doc, Request(client, exposed), canvas);
}

bool CVELMORView::PaintStartPageDrawnAhead(QPainter& painter, const QSize& client,
                                           const std::optional<QRect>& exposed)
{
    const PageRequest request = Request(client, exposed);
    if (!m_StartPageAhead.pending() || !RequestsStartPage(request) || m_Selection)
        return false;
    // Only the first paint of the start page copies the drawing; later ones compose the page.
    std::optional<StartPageAhead> drawn = m_StartPageAhead.take();
    const std::optional<PageLayout> page = drawn ? drawn->paint(painter, request) : std::nullopt;
    if (!page)
        return false;
    Apply(*page);
    m_ShownPage = ShownPage{std::string(kStartPageName)};
    return true;
}

void CVELMORView::Apply(const PageLayout& page)
{
    if (page.startPage)
        m_SpecialPage.clear();
    if (page.extentHeight) {
        m_TotalSize.setHeight(*page.extentHeight);
        SetScrollSizes(m_TotalSize);
    }
}

void CVELMORView::OnDraw(QPainter& painter)
{
    DrawPage(painter, viewport()->size());
}

void CVELMORView::DrawPage(QPainter& painter, const QSize& client,
                           const std::optional<QRect>& exposed)
{
    if (PaintStartPageDrawnAhead(painter, client, exposed))
        return;
    PageCanvas canvas(m_PictureDirectory);
    const PageLayout page = Compose(canvas, client, exposed);
    Apply(page);
    canvas.paint(painter, page);
    m_ShownPage = ShownPage{page.startPage ? std::string(kStartPageName) : m_Doc.m_CurrentName};
    PaintSelection(painter, canvas, client, exposed);
}

QImage CVELMORView::RenderPage(const QSize& client)
{
    PageCanvas canvas(m_PictureDirectory);
    // Only what can fall on the image is composed: the page never grows wider than its
    // extent, and no image is taller than the largest one.
    const QSize largest(kMaxImageSide, kMaxImageSide);
    const int width = client.expandedTo(m_TotalSize).boundedTo(largest).width();
    const PageLayout page = Compose(canvas, client, QRect(0, 0, width, kMaxImageSide));
    Apply(page);
    QImage image(client.expandedTo(m_TotalSize).boundedTo(largest), QImage::Format_RGB32);
    image.fill(kPageBackground);
    QPainter painter(&image);
    canvas.paint(painter, page);
    return image;
}

void CVELMORView::PrintPage(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const double scale = printer.resolution() / kPagePixelsPerInch;
    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize sheet(static_cast<int>(paper.width() / scale),
                      static_cast<int>(paper.height() / scale));

    PageCanvas canvas(m_PictureDirectory);
    // Every sheet is as wide as the first: what lies right of it is never printed.
    const PageLayout page = Compose(canvas, sheet, QRect(0, 0, sheet.width(), INT_MAX));
    const std::vector<int> starts = SheetStarts(page, canvas, sheet.height());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (i > 0)
            printer.newPage();
        const int end = i + 1 < starts.size() ? starts[i + 1] : starts[i] + sheet.height();
        painter.save();
        painter.scale(scale, scale);
        painter.setClipRect(0, 0, sheet.width(), end - starts[i]);
        painter.translate(0, -starts[i]);
        canvas.paint(painter, page);
        painter.restore();
    }
    painter.end();
}

void CVELMORView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(tr("打印"));
    if (dialog.exec() == QDialog::Accepted)
        PrintPage(printer);
}

void CVELMORView::paintEvent(QPaintEvent* event)
{
    // Run once this paint, the last of the window's first, is over.
    if (m_AfterFirstPaint)
        QTimer::singleShot(0, this, std::exchange(m_AfterFirstPaint, {}));
    QPainter painter(viewport());
    // A business-cooperation request shows the start page for one paint in this state too.
    if (!m_LoadFailure.isEmpty() && m_SpecialPage.empty()) {
        // Drawn where it is, as it always was, whatever the scroll bars say.
        PageCanvas canvas = LoadFailureCanvas();
        canvas.paint(painter, ComposeLoadFailurePage(m_LoadFailure, viewport()->size(), canvas));
        m_ShownPage = ShownPage{std::string(), true};
        PaintSelection(painter, canvas, viewport()->size(), event->rect());
        return;
    }
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    PaintOrNote(painter, viewport()->rect(), [&] {
        painter.translate(-scroll);
        // Only what the paint uncovers is drawn, so a long page costs no more than a short one.
        DrawPage(painter, viewport()->size(), event->rect().translated(scroll));
    });
}

void CVELMORView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CVELMORView::scrollContentsBy(int, int)
{
    // The whole page is composed on every paint, so the whole viewport is repainted.
    viewport()->update();
}
