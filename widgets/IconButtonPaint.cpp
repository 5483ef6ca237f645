#include "IconButton.h"

#include "PaintPrimitives.h"
#include "SystemColours.h"

#include <QPainter>

#include <algorithm>

// The button's painting: where the image and the caption go, the face, the edges and the
// focus rectangle for each state.

namespace {

constexpr int kCaptionFlags =
    Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;

// The embossed grey look of a disabled image: drawn on white, whatever is not white forms the
// silhouette.
void DrawDisabledImage(QPainter& painter, QPoint at, const QImage& image)
{
    QImage scratch(image.size(), QImage::Format_ARGB32);
    scratch.setDevicePixelRatio(image.devicePixelRatio());
    scratch.fill(Qt::white);
    {
        QPainter scratchPainter(&scratch);
        scratchPainter.drawImage(0, 0, image);
    }
    QImage silhouette = SilhouetteOf(scratch, {qRgb(255, 255, 255)});
    silhouette.setDevicePixelRatio(image.devicePixelRatio());
    DrawEmbossed(painter, at, silhouette, SystemColour(SysColour::BtnHighlight),
                 SystemColour(SysColour::BtnShadow));
}

} // namespace

int CIconButton::ImageIndex() const
{
    const bool useIn = m_bIsCheckBox ? m_bIsPressed : (m_bIsPressed || m_bMouseOnButton);
    if (useIn)
        return 0;
    const bool hasOut =
        !m_Icons[0].image.isNull() ? !m_Icons[1].image.isNull() : !m_Bitmaps[1].image.isNull();
    return hasOut ? 1 : 0;
}

QSize CIconButton::ImageSize() const
{
    const int index = ImageIndex();
    // An icon drawn for a dense screen takes the room of its own size.
    if (!m_Icons[0].image.isNull())
        return m_Icons[index].image.deviceIndependentSize().toSize();
    if (!m_Bitmaps[0].image.isNull())
        return m_Bitmaps[index].image.size();
    return {};
}

QRect CIconButton::PlaceImage(bool hasCaption, const QRect& item, QRect* caption, bool pressed,
                              QSize size) const
{
    const int w = size.width();
    const int h = size.height();
    const int itemWidth = item.width();
    const int itemHeight = item.height();
    int left = item.left();
    int top = item.top();
    switch (m_byAlign) {
    case kAlignHoriz:
        if (hasCaption) {
            left += 3;
            caption->setLeft(caption->left() + w + 3);
        } else {
            left += (itemWidth - w) / 2;
        }
        top += (itemHeight - h) / 2;
        break;
    case kAlignVert:
        left += (itemWidth - w) / 2;
        if (hasCaption) {
            top = 3;
            caption->setTop(caption->top() + h);
        } else {
            top += (itemHeight - h) / 2;
        }
        break;
    case kAlignHorizRight:
        if (hasCaption) {
            const int captionWidth = caption->width();
            caption->setRight(captionWidth - w - 3 - 1);
            caption->setLeft(3);
            left = rect().width() - w - 3;
            top += (itemHeight - h) / 2;
        } else {
            left += (itemWidth - w) / 2;
        }
        break;
    }
    QRect image(left, top, w, h);
    if (pressed && !m_bIsCheckBox)
        image.translate(1, 1);
    return image;
}

CIconButton::FaceLayout CIconButton::LayoutFace(bool pressed) const
{
    FaceLayout layout;
    const QRect item = rect();
    const QString caption = text();
    layout.captionRect = item;
    if (!m_Icons[0].image.isNull() || !m_Bitmaps[0].image.isNull())
        layout.image =
            PlaceImage(!caption.isEmpty(), item, &layout.captionRect, pressed, ImageSize());
    if (!caption.isEmpty()) {
        if (pressed && !m_bIsCheckBox)
            layout.captionRect.translate(1, 1);
        const QRect measured = fontMetrics().boundingRect(
            QRect(0, 0, std::max(layout.captionRect.width(), 1), 0x3fff), kCaptionFlags, caption);
        layout.captionBlock = QRect(layout.captionRect.topLeft(), measured.size());
        layout.captionBlock.translate((layout.captionRect.width() - measured.width()) / 2,
                                      (layout.captionRect.height() - measured.height()) / 2);
    }
    return layout;
}

void CIconButton::DrawFace(QPainter& painter, const QRect& rect)
{
    QColor colour = m_crColours[kColourBkOut];
    if (m_bMouseOnButton || m_bIsPressed)
        colour = m_crColours[kColourBkIn];
    else if (m_bIsFocused)
        colour = m_crColours[kColourBkFocus];
    painter.fillRect(rect, colour);
}

void CIconButton::DrawEdgeFrame(QPainter& painter, const QRect& rect)
{
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    if (m_bIsPressed)
        Draw3dRect(painter, rect, shadow, highlight);
    else
        Draw3dRect(painter, rect, highlight, shadow);
}

void CIconButton::DrawRaisedEdge(QPainter& painter, const QRect& rect)
{
    // Corners in the classic sense: right and bottom lie just outside the rectangle.
    const int l = rect.left(), t = rect.top(), r = rect.left() + rect.width(),
              b = rect.top() + rect.height();
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    LineTo(painter, {l, b - 1}, {l, t}, highlight);
    LineTo(painter, {l, t}, {r, t}, highlight);
    const QColor light = SystemColour(SysColour::Light3d);
    LineTo(painter, {l + 1, b - 1}, {l + 1, t + 1}, light);
    LineTo(painter, {l + 1, t + 1}, {r, t + 1}, light);
    const QColor darkShadow = SystemColour(SysColour::DkShadow3d);
    LineTo(painter, {l, b - 1}, {r - 1, b - 1}, darkShadow);
    LineTo(painter, {r - 1, b - 1}, {r - 1, t - 1}, darkShadow);
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    LineTo(painter, {l + 1, b - 2}, {r - 2, b - 2}, shadow);
    LineTo(painter, {r - 2, b - 2}, {r - 2, t}, shadow);
}

void CIconButton::PaintBackgroundCopy(QPainter& painter)
{
    QWidget* parent = parentWidget();
    if (parent == nullptr) {
        DrawFace(painter, rect());
        return;
    }
    if (m_Background.isNull()) {
        m_Background = QPixmap(size());
        m_Background.fill(Qt::transparent);
        // Only the parent's own painting: the buttons on it are not part of the background.
        parent->render(&m_Background, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    }
    painter.drawPixmap(0, 0, m_Background);
}

void CIconButton::DrawIcon(QPainter& painter, const QRect& imageRect)
{
    const QPixmap& icon = m_Icons[ImageIndex()].image;
    if (m_bIsDisabled)
        DrawDisabledImage(painter, imageRect.topLeft(), icon.toImage());
    else
        painter.drawPixmap(imageRect.topLeft(), icon);
}

void CIconButton::DrawBitmap(QPainter& painter, const QRect& imageRect)
{
    const BitmapImage& bitmap = m_Bitmaps[ImageIndex()];
    if (m_bIsDisabled && m_bShowDisabledBitmap)
        DrawDisabledImage(painter, imageRect.topLeft(), bitmap.image);
    else
        painter.drawImage(imageRect.topLeft(), bitmap.image);
}

void CIconButton::DrawCaption(QPainter& painter, const QRect& block)
{
    const QString caption = text();
    const int flags = kCaptionFlags | Qt::TextDontClip;
    // A caption as wide as the room beside its image ends on the button's last pixel, where the
    // edge that hovering raises is drawn: the glyphs stop inside the edge.
    const int edge = m_bIsFlat ? 1 : 2;
    painter.save();
    painter.setClipRect(rect().adjusted(edge, edge, -edge, -edge));
    if (m_bIsDisabled) {
        painter.setPen(SystemColour(SysColour::BtnHighlight));
        painter.drawText(block.translated(1, 1), flags, caption);
        painter.setPen(SystemColour(SysColour::BtnShadow));
    } else {
        const bool in = m_bMouseOnButton || m_bIsPressed;
        painter.setPen(m_crColours[in ? kColourFgIn : kColourFgOut]);
    }
    painter.drawText(block, flags, caption);
    painter.restore();
}

void CIconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    m_bIsPressed = m_bIsCheckBox ? (isDown() || m_nCheck != 0) : (isDown() || m_bMenuDisplayed);
    m_bIsFocused = hasFocus();
    m_bIsDisabled = !isEnabled();

    QRect work = rect();
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        FrameRect(painter, work, Qt::black);
        work.adjust(1, 1, -1, -1);
    }

    if (m_bDrawTransparent)
        PaintBackgroundCopy(painter);
    else
        DrawFace(painter, work);

    if (m_bIsPressed) {
        if (!m_bIsFlat)
            FrameRect(painter, work, SystemColour(SysColour::BtnShadow));
        else if (m_bDrawBorder)
            DrawEdgeFrame(painter, work);
    } else if (!m_bIsFlat) {
        DrawRaisedEdge(painter, work);
    } else if (m_bMouseOnButton && m_bDrawBorder) {
        DrawEdgeFrame(painter, work);
    }

    const FaceLayout layout = LayoutFace(m_bIsPressed);
    if (!m_Icons[0].image.isNull())
        DrawIcon(painter, layout.image);
    else if (!m_Bitmaps[0].image.isNull())
        DrawBitmap(painter, layout.image);
    if (!text().isEmpty())
        DrawCaption(painter, layout.captionBlock);

    if ((!m_bIsFlat || m_bDrawFlatFocus) && m_bIsFocused) {
        painter.setPen(QPen(m_crColours[kColourFgOut], 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(work.adjusted(3, 3, -4, -4));
    }
}
