// The page's text: selecting it with the mouse, painting the selection and copying.

#include "VELMORView.h"

#include "Gbk.h"
#include "LoadFailurePage.h"
#include "PageCanvas.h"
#include "VELMORDoc.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace {

// The most a drag beyond the viewport scrolls at one step, in pixels.
constexpr int kMaxAutoScrollStep = 60;

void PutOnClipboard(const std::string& utf8)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(utf8));
}

} // namespace

PageCanvas CVELMORView::ShownCanvas() const
{
    return m_ShownPage && m_ShownPage->loadFailure ? LoadFailureCanvas()
                                                   : PageCanvas(m_PictureDirectory);
}

CVELMORView::TextSelection* CVELMORView::TextPage(PageCanvas& canvas, int width)
{
    if (!m_ShownPage)
        return nullptr;
    if (m_Selection && m_Selection->page == *m_ShownPage && m_Selection->width == width)
        return &*m_Selection;
    PageLayout layout;
    if (m_ShownPage->loadFailure) {
        layout = ComposeLoadFailurePage(m_LoadFailure, QSize(width, viewport()->height()), canvas);
    } else {
        const PageRequest request{m_ShownPage->name, "", PageSize{width, viewport()->height()},
                                  m_TotalSize.height()};
        layout = ComposePage(m_Doc, request, canvas);
    }
    // A record page composed again for another width has the same items, so the ends stay
    // good; a note page breaks its lines anew.
    if (m_Selection && m_Selection->page == *m_ShownPage && !m_ShownPage->loadFailure) {
        m_Selection->layout = std::move(layout);
        m_Selection->width = width;
    } else {
        m_Selection = TextSelection{*m_ShownPage, width, std::move(layout), {}, {}};
    }
    return &*m_Selection;
}

void CVELMORView::PaintSelection(QPainter& painter, PageCanvas& canvas, const QSize& client,
                                 const std::optional<QRect>& exposed)
{
    if (!m_Selection || m_Selection->range().empty())
        return;
    const TextSelection* text = TextPage(canvas, client.width());
    const PageRect visible =
        exposed ? PageRect{exposed->x(), exposed->y(), exposed->width(), exposed->height()}
                : PageRect{0, 0, INT_MAX, INT_MAX};
    const std::vector<TextHighlight> parts =
        HighlightsOf(text->layout, canvas, text->range(), visible);
    const QPalette& palette = viewport()->palette();
    canvas.paintHighlights(painter, text->layout, parts, palette.color(QPalette::Highlight),
                           palette.color(QPalette::HighlightedText));
}

QPoint CVELMORView::PagePoint(const QPoint& point) const
{
    // The page of a failed load is drawn where it is, whatever the scroll bars say.
    if (m_ShownPage && m_ShownPage->loadFailure)
        return point;
    return point + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

TextPosition CVELMORView::TextPositionAt(PageCanvas& canvas, const TextSelection& text,
                                         const QPoint& point) const
{
    const QPoint onPage = PagePoint(point);
    return PositionAt(text.layout, canvas, onPage.x(), onPage.y());
}

std::string CVELMORView::SelectedText()
{
    return m_Selection ? TextOf(m_Selection->layout, m_Selection->range()) : std::string();
}

void CVELMORView::SelectAll()
{
    PageCanvas canvas = ShownCanvas();
    TextSelection* text = TextPage(canvas, viewport()->width());
    if (!text)
        return;
    const TextRange whole = WholePage(text->layout);
    text->anchor = whole.begin;
    text->focus = whole.end;
    OfferPrimarySelection();
    viewport()->update();
}

void CVELMORView::CopySelection()
{
    const std::string text = SelectedText();
    if (!text.empty())
        PutOnClipboard(text);
}

void CVELMORView::CopyPageText()
{
    PageCanvas canvas = ShownCanvas();
    if (const TextSelection* text = TextPage(canvas, viewport()->width()))
        PutOnClipboard(WholePageText(text->layout));
}

std::string CVELMORView::PageText(const QSize& client, bool* found)
{
    PageCanvas canvas(m_PictureDirectory);
    const PageRequest request{m_Doc.m_CurrentName, "", PageSize{client.width(), client.height()},
                              m_TotalSize.height()};
    const PageLayout page = ComposePage(m_Doc, request, canvas);
    if (found)
        *found = page.startPage || page.record;
    return WholePageText(page);
}

std::optional<ReagentRecord> CVELMORView::ShownRecord()
{
    PageCanvas canvas = ShownCanvas();
    const TextSelection* text = TextPage(canvas, viewport()->width());
    if (!text || !text->layout.record)
        return std::nullopt;
    return m_Doc.Record(*text->layout.record);
}

void CVELMORView::CopyReagentName()
{
    if (const std::optional<ReagentRecord> record = ShownRecord())
        PutOnClipboard(gbk::toUtf8(record->ChineseName));
}

void CVELMORView::CopyCasNumber()
{
    const std::optional<ReagentRecord> record = ShownRecord();
    if (record && IsFieldShown(Field::CasNumber, record->CasNumber))
        PutOnClipboard(gbk::toUtf8(record->CasNumber));
}

const PagePicture* CVELMORView::ShownPicture()
{
    PageCanvas canvas = ShownCanvas();
    const TextSelection* text = TextPage(canvas, viewport()->width());
    if (!text)
        return nullptr;
    for (const PageItem& item : text->layout.items) {
        if (const auto* picture = std::get_if<PagePicture>(&item))
            return picture;
    }
    return nullptr;
}

void CVELMORView::CopyStructurePicture()
{
    const PagePicture* picture = ShownPicture();
    if (!picture)
        return;
    const QImage image = PageCanvas(m_PictureDirectory).pictureImage(picture->path);
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

void CVELMORView::OfferPrimarySelection()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const std::string text = SelectedText();
    if (clipboard->supportsSelection() && !text.empty())
        clipboard->setText(QString::fromStdString(text), QClipboard::Selection);
}

void CVELMORView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    PageCanvas canvas = ShownCanvas();
    TextSelection* text = TextPage(canvas, viewport()->width());
    if (!text)
        return;
    text->focus = TextPositionAt(canvas, *text, event->position().toPoint());
    // Shift+click moves the end of the selection and keeps where it began.
    if (!(event->modifiers() & Qt::ShiftModifier))
        text->anchor = text->focus;
    m_Dragging = true;
    m_DragPoint = event->position().toPoint();
    viewport()->update();
}

void CVELMORView::ExtendSelectionTo(const QPoint& point)
{
    PageCanvas canvas = ShownCanvas();
    TextSelection* text = TextPage(canvas, viewport()->width());
    if (!text)
        return;
    const TextPosition focus = TextPositionAt(canvas, *text, point);
    if (focus == text->focus)
        return;
    // Only the lines between the old end and the new one look different.
    const PageRows rows = RowsBetween(text->layout, canvas, text->focus, focus);
    text->focus = focus;
    viewport()->update(
        QRect(0, rows.top - PagePoint(QPoint(0, 0)).y(), viewport()->width(), rows.height));
}

void CVELMORView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_Dragging) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    m_DragPoint = event->position().toPoint();
    ExtendSelectionTo(m_DragPoint);
    const bool outside = m_DragPoint.y() < 0 || m_DragPoint.y() >= viewport()->height();
    if (outside && !m_AutoScroll.isActive())
        m_AutoScroll.start();
    else if (!outside)
        m_AutoScroll.stop();
}

void CVELMORView::AutoScroll()
{
    // The further beyond the edge the pointer is, the faster the page goes.
    const int y = m_DragPoint.y();
    const int beyond = y < 0 ? y : y - (viewport()->height() - 1);
    const int step = std::clamp(beyond, -kMaxAutoScrollStep, kMaxAutoScrollStep);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + step);
    ExtendSelectionTo(m_DragPoint);
}

void CVELMORView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_Dragging) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_Dragging = false;
    m_AutoScroll.stop();
    OfferPrimarySelection();
}

void CVELMORView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    PageCanvas canvas = ShownCanvas();
    TextSelection* text = TextPage(canvas, viewport()->width());
    if (!text)
        return;
    const QPoint onPage = PagePoint(event->position().toPoint());
    const TextRange value = ValueAt(text->layout, canvas, onPage.x(), onPage.y());
    text->anchor = value.begin;
    text->focus = value.end;
    // The value stays selected until the next press, not what the pointer passes over.
    m_Dragging = false;
    OfferPrimarySelection();
    viewport()->update();
}
