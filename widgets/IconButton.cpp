#include "IconButton.h"

#include "CommandEvent.h"
#include "Gbk.h"
#include "OwnerMenu.h"
#include "PaintPrimitives.h"
#include "ResourcePath.h"
#include "SystemColours.h"
#include "UrlOpener.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <optional>
#include <string>

namespace {

constexpr int kMaxTipWidth = 400;
constexpr std::size_t kMaxOpenTargetBytes = 259;

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

// The address is kept as the program keeps its text, in code page 936: at most `maxBytes` of
// its bytes, never half a character. A character the code page lacks counts as the one byte
// of the '?' it would become.
QString CapToCodePageBytes(const QString& text, std::size_t maxBytes)
{
    QString capped;
    std::size_t bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, width);
        const std::optional<std::string> encoded = gbk::fromUtf8(character.toStdString());
        bytes += encoded ? encoded->size() : 1;
        if (bytes > maxBytes)
            break;
        capped += character;
        i += width;
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
        m_bTemplateDefault = true;
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
    m_OpenTarget = CapToCodePageBytes(address, kMaxOpenTargetBytes);
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
            // A button that repaints draws over its neighbours, so where template rectangles
            // overlap the hovered edge shows whole.
            raise();
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

void CIconButton::keyPressEvent(QKeyEvent* event)
{
    // Its dialog code makes the button a push button to its dialog, and a focused push button
    // is the dialog's default one: Enter presses it, as Space does.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() &&
        (DialogCode() & (kDlgcDefPushButton | kDlgcUndefPushButton))) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CIconButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    // The dialog moves its default to the push button that takes the focus...
    SetButtonStyle(kDefPushButton);
}

void CIconButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    // ...and gives it back to the template's default button when the focus leaves.
    SetButtonStyle(m_bTemplateDefault ? kDefPushButton : kPushButton);
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
