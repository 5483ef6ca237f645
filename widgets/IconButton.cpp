#include "IconButton.h"

#include "CommandEvent.h"
#include "OwnerMenu.h"
#include "PaintPrimitives.h"
#include "ResourcePath.h"
#include "SystemColours.h"
#include "UrlOpener.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int kMaxTipWidth = 400;
constexpr int kMaxOpenTargetBytes = 259;
constexpr int kCaptionFlags =
    Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;

// The mask is opaque wherever the image's colour differs from the transparent colour; the
// image keeps only those pixels.
bool ApplyMask(QImage* image, QImage* mask, QRgb transparent)
{
    QImage argb = image->convertToFormat(QImage::Format_ARGB32);
    QImage shape(argb.size(), QImage::Format_ARGB32);
    if (argb.isNull() || shape.isNull())
        return false;
    for (int y = 0; y < argb.height(); ++y) {
        auto* pixels = reinterpret_cast<QRgb*>(argb.scanLine(y));
        auto* shapeLine = reinterpret_cast<QRgb*>(shape.scanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const bool clear = (pixels[x] & 0x00ffffffu) == (transparent & 0x00ffffffu);
            shapeLine[x] = clear ? 0u : 0xffffffffu;
            if (clear)
                pixels[x] = 0;
        }
    }
    *image = argb;
    *mask = shape;
    return true;
}

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

// The tip is broken into lines no wider than the tool tip's maximum width.
QString WrapTip(const QString& text, const QFont& font)
{
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(kMaxTipWidth);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (paragraph.isEmpty())
            lines << QString();
    }
    return lines.join(QLatin1Char('\n'));
}

QString CapToBytes(const QString& text, int maxBytes)
{
    QString capped;
    int bytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const int width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        bytes += static_cast<int>(character.toUtf8().size());
        if (bytes > maxBytes)
            break;
        capped += character;
        i += width - 1;
    }
    return capped;
}

} // namespace

CIconButton::CIconButton(QWidget* parent) : QAbstractButton(parent), m_Opener(&DesktopUrlOpener())
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    ResetColours(false);
    // Connected first, so the button has acted before anyone else hears of the click.
    connect(this, &QAbstractButton::clicked, this, &CIconButton::OnClicked);
}

CIconButton::~CIconButton() = default;

void CIconButton::PreSubclassWindow(quint32 style)
{
    m_nTypeStyle = style & kTypeMask;
    if (m_nTypeStyle & kCheckBoxBit)
        m_bIsCheckBox = true;
    if (m_nTypeStyle == kDefPushButton) {
        m_bIsDefault = true;
        m_nTypeStyle = kPushButton;
    }
    Q_ASSERT(m_nTypeStyle != kOwnerDraw);
    update();
}

void CIconButton::SetButtonStyle(quint32 style)
{
    const quint32 type = style & kTypeMask;
    if (type == kDefPushButton)
        m_bIsDefault = true;
    else if (type == kPushButton)
        m_bIsDefault = false;
    update();
}

quint32 CIconButton::DialogCode() const
{
    return kDlgcButton | (m_bIsDefault ? kDlgcDefPushButton : kDlgcUndefPushButton);
}

quint32 CIconButton::SetIcons(int inId, int outId)
{
    const QImage in = inId != 0 ? QImage(ResourcePath(u"icon", inId)) : QImage();
    if (outId == kGreyCopyId)
        return SetIcons(in, OutImage::GreyCopy);
    const QImage out = outId != 0 ? QImage(ResourcePath(u"icon", outId)) : QImage();
    return SetIcons(in, out);
}

quint32 CIconButton::SetIcons(const QImage& in, const QImage& out)
{
    ReleaseImages();
    if (in.isNull()) {
        Repaint(true);
        return kOk;
    }
    m_Icons[0].image = QPixmap::fromImage(in);
    if (m_Icons[0].image.isNull()) {
        ReleaseImages();
        return kInvalidResource;
    }
    if (!out.isNull()) {
        m_Icons[1].image = QPixmap::fromImage(out);
        if (m_Icons[1].image.isNull()) {
            ReleaseImages();
            return kInvalidResource;
        }
    }
    Repaint(true);
    return kOk;
}

quint32 CIconButton::SetIcons(const QImage& in, OutImage out)
{
    if (out == OutImage::GreyCopy && !in.isNull()) {
        const QImage grey = GreyscaleCopy(in);
        if (grey.isNull()) {
            ReleaseImages();
            return kInvalidResource;
        }
        return SetIcons(in, grey);
    }
    return SetIcons(in, QImage());
}

quint32 CIconButton::SetBitmapImages(const QImage& in, QRgb transparentIn, const QImage& out,
                                     QRgb transparentOut)
{
    ReleaseImages();
    if (in.isNull()) {
        Repaint(true);
        return kOk;
    }
    const std::array<std::pair<const QImage*, QRgb>, 2> sources{
        {{&in, transparentIn}, {&out, transparentOut}}};
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const QImage& source = *sources[i].first;
        if (i == 1 && source.isNull())
            break;
        BitmapImage& target = m_Bitmaps[i];
        target.image = source;
        target.transparent = sources[i].second;
        if (target.image.isNull() || target.image.width() <= 0 || target.image.height() <= 0) {
            ReleaseImages();
            return kInvalidResource;
        }
        if (!ApplyMask(&target.image, &target.mask, target.transparent)) {
            ReleaseImages();
            return kFailedMask;
        }
    }
    Repaint(true);
    return kOk;
}

quint32 CIconButton::SetBitmapImages(int inId, QRgb transparentIn, int outId, QRgb transparentOut)
{
    const QImage in = inId != 0 ? QImage(ResourcePath(u"bitmap", inId)) : QImage();
    const QImage out = outId != 0 ? QImage(ResourcePath(u"bitmap", outId)) : QImage();
    return SetBitmapImages(in, transparentIn, out, transparentOut);
}

quint32 CIconButton::SetIconAlignment(int alignment, bool repaint)
{
    if (alignment < kAlignHoriz || alignment > kAlignHorizRight)
        return kInvalidAlign;
    m_byAlign = static_cast<quint8>(alignment);
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::SetFlatStyle(bool flat, bool repaint)
{
    m_bIsFlat = flat;
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::EnableBorder(bool enable, bool repaint)
{
    m_bDrawBorder = enable;
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::EnableFlatFocus(bool enable, bool repaint)
{
    m_bDrawFlatFocus = enable;
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::KeepHoverTracking(bool always)
{
    m_bAlwaysTrack = always;
    return kOk;
}

quint32 CIconButton::SetColourEntry(int index, const QColor& colour, bool repaint)
{
    if (index < 0 || index >= kColourCount)
        return kInvalidIndex;
    m_crColours[index] = colour;
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::GetColourEntry(int index, QColor* colour) const
{
    if (index < 0 || index >= kColourCount)
        return kInvalidIndex;
    *colour = m_crColours[index];
    return kOk;
}

quint32 CIconButton::ResetColours(bool repaint)
{
    const QColor face = SystemColour(SysColour::BtnFace);
    const QColor text = SystemColour(SysColour::BtnText);
    for (int i = 0; i < kColourCount; ++i)
        m_crColours[i] = i % 2 == 0 ? face : text;
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::ShiftColourEntry(int index, int offset, bool repaint)
{
    if (index < 0 || index >= kColourCount)
        return kInvalidIndex;
    if (offset < -255 || offset > 255)
        return kBadParam;
    const QColor colour = m_crColours[index];
    const int channels[3] = {colour.red(), colour.green(), colour.blue()};
    int shift = offset;
    for (int channel : channels) {
        if (offset > 0)
            shift = std::min(shift, std::min(offset, 255 - channel));
        else
            shift = std::max(shift, std::max(offset, -channel));
    }
    m_crColours[index] =
        QColor(channels[0] + shift, channels[1] + shift, channels[2] + shift, colour.alpha());
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::SetCheckState(int state, bool repaint)
{
    if (m_bIsCheckBox) {
        m_nCheck = state != 0 ? 1 : 0;
        Repaint(repaint);
    }
    return kOk;
}

quint32 CIconButton::SetHoverCursor(int cursorId, bool repaint)
{
    m_bHasCursor = false;
    unsetCursor();
    if (cursorId != 0) {
        const QPixmap pixmap(ResourcePath(u"cursor", cursorId));
        if (pixmap.isNull())
            return kInvalidResource;
        setCursor(QCursor(pixmap));
        m_bHasCursor = true;
    }
    Repaint(repaint);
    return kOk;
}

void CIconButton::SetTipText(const QString& text, bool activate)
{
    if (text.isEmpty())
        return;
    m_TipText = text;
    m_bTipActive = activate;
}

void CIconButton::ActivateTip(bool active)
{
    if (!m_TipText.isEmpty())
        m_bTipActive = active;
}

quint32 CIconButton::MakeTransparent(bool repaint)
{
    m_bDrawTransparent = true;
    m_Background = QPixmap();
    Repaint(repaint);
    return kOk;
}

quint32 CIconButton::SetOpenTarget(const QString& address)
{
    m_OpenTarget = CapToBytes(address, kMaxOpenTargetBytes);
    return kOk;
}

void CIconButton::SetUrlOpener(UrlOpener* opener)
{
    m_Opener = opener != nullptr ? opener : &DesktopUrlOpener();
}

void CIconButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (m_bIsCheckBox) {
        m_nCheck = m_nCheck == 0 ? 1 : 0;
        update();
    } else if (m_Menu) {
        ShowDropMenu();
    } else if (!m_OpenTarget.isEmpty()) {
        m_Opener->Open(m_OpenTarget);
    }
}

quint32 CIconButton::SetDropMenu(int menuId, QObject* commandWindow, int drawLook, int toolbarId,
                                 QSize iconSize, const QColor& toolbarBackground, bool repaint)
{
    m_Menu.reset();
    m_MenuCommandWindow = nullptr;
    m_bMenuDisplayed = false;
    if (menuId != 0) {
        COwnerMenu::SelectDrawLook(drawLook);
        m_Menu = std::make_unique<COwnerMenu>();
        if (!m_Menu->LoadMenu(menuId)) {
            m_Menu.reset();
            return kInvalidResource;
        }
        if (toolbarId != 0) {
            m_Menu->SetIconKeyColour(toolbarBackground);
            m_Menu->SetIconDimensions(iconSize.width(), iconSize.height());
            if (!m_Menu->AttachToolbarImages(toolbarId)) {
                m_Menu.reset();
                return kInvalidResource;
            }
        }
        m_MenuCommandWindow = commandWindow;
    }
    Repaint(repaint);
    return kOk;
}

void CIconButton::ShowDropMenu()
{
    COwnerMenu* popup = m_Menu->SubMenu(0);
    if (popup == nullptr)
        return;
    m_bMenuDisplayed = true;
    repaint();
    QAction* chosen = popup->exec(mapToGlobal(QPoint(0, height())));
    m_bMenuDisplayed = false;
    update();
    const int command = chosen != nullptr ? chosen->data().toInt() : 0;
    if (command != 0 && m_MenuCommandWindow != nullptr)
        QCoreApplication::postEvent(m_MenuCommandWindow, new CommandEvent(command));
}

void CIconButton::CancelHover()
{
    if (m_bIsFlat && m_bMouseOnButton) {
        m_bMouseOnButton = false;
        update();
    }
}

void CIconButton::ReleaseImages()
{
    m_Icons = {};
    m_Bitmaps = {};
}

void CIconButton::Repaint(bool repaint)
{
    if (repaint)
        update();
}

bool CIconButton::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        if (m_bTipActive && !m_TipText.isEmpty())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                               WrapTip(m_TipText, QToolTip::font()), this, rect());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractButton::event(event);
}

void CIconButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    // Pressing elsewhere and dragging in does not highlight.
    if ((event->buttons() & Qt::LeftButton) && !m_bMouseOnButton)
        return;
    if (!m_bIsFlat)
        return;
    const bool windowActive = m_bAlwaysTrack || QApplication::activeWindow() != nullptr;
    if (rect().contains(event->position().toPoint()) && windowActive) {
        if (!m_bMouseOnButton) {
            m_bMouseOnButton = true;
            update();
        }
    } else {
        CancelHover();
    }
}

void CIconButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    CancelHover();
}

void CIconButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    CancelHover();
}

void CIconButton::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::ActivationChange:
        if (!isActiveWindow())
            CancelHover();
        break;
    case QEvent::EnabledChange:
        // Qt itself moves the focus on when a focused widget is disabled.
        if (!isEnabled())
            CancelHover();
        break;
    case QEvent::PaletteChange:
        m_Background = QPixmap();
        break;
    default:
        break;
    }
}

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
    if (m_bIsDisabled) {
        painter.setPen(SystemColour(SysColour::BtnHighlight));
        painter.drawText(block.translated(1, 1), flags, caption);
        painter.setPen(SystemColour(SysColour::BtnShadow));
        painter.drawText(block, flags, caption);
        return;
    }
    const bool in = m_bMouseOnButton || m_bIsPressed;
    painter.setPen(m_crColours[in ? kColourFgIn : kColourFgOut]);
    painter.drawText(block, flags, caption);
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
