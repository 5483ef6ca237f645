#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <memory>

class COwnerMenu;
class UrlOpener;

/// A push button that paints itself: an icon or a masked bitmap beside or above its caption,
/// in a flat style that raises a thin 3-D edge only while the pointer is over it. It can act as
/// a check box, carry a tool tip, a cursor of its own, a web address opened when clicked, and a
/// drop-down menu.
class CIconButton : public QAbstractButton
{
    Q_OBJECT

public:
    /// Results of the setters.
    enum Status : quint32
    {
        kOk = 0,
        kInvalidResource = 1, ///< a resource cannot be loaded or used
        kFailedMask = 2,      ///< a transparency mask cannot be made
        kInvalidIndex = 3,    ///< colour index out of range
        kInvalidAlign = 4,    ///< alignment out of range
        kBadParam = 5,        ///< offset out of range
    };

    /// Image placement relative to the caption.
    enum Alignment : quint8
    {
        kAlignHoriz = 0,      ///< image left of the caption
        kAlignVert = 1,       ///< image above the caption
        kAlignHorizRight = 2, ///< image right of the caption
    };

    /// Entries of the colour table.
    enum ColourIndex
    {
        kColourBkIn = 0,    ///< background while hovered or pressed
        kColourFgIn = 1,    ///< text while hovered or pressed
        kColourBkOut = 2,   ///< background otherwise
        kColourFgOut = 3,   ///< text otherwise
        kColourBkFocus = 4, ///< background while focused
        kColourFgFocus = 5, ///< text while focused (kept, not drawn)
        kColourCount = 6,
    };

    /// Which out image goes with an in image.
    enum class OutImage
    {
        None,
        GreyCopy, ///< a grey copy of the in image
    };

    /// Button style bits as a dialog template gives them.
    static constexpr quint32 kTypeMask = 0x0F;
    static constexpr quint32 kPushButton = 0x00;
    static constexpr quint32 kDefPushButton = 0x01;
    static constexpr quint32 kCheckBoxBit = 0x02;
    static constexpr quint32 kOwnerDraw = 0x0B;
    static constexpr quint32 kTypeUnknown = 0x1F;

    /// Dialog codes that a dialog asks a control for.
    static constexpr quint32 kDlgcDefPushButton = 0x0010;
    static constexpr quint32 kDlgcUndefPushButton = 0x0020;
    static constexpr quint32 kDlgcButton = 0x2000;

    /// Out icon resource id asking for a grey copy of the in icon.
    static constexpr int kGreyCopyId = -2;

    explicit CIconButton(QWidget* parent = nullptr);
    ~CIconButton() override;

    /// Takes over a button made from a template with window style `style`: records the button
    /// type, enters check-box mode for check-box types and turns a default push button into a
    /// push button that is the default button.
    void PreSubclassWindow(quint32 style);
    /// Changes the button style as a dialog does when it moves the default button.
    void SetButtonStyle(quint32 style);
    /// The style's type bits recorded when the button was taken over (kTypeUnknown before).
    quint32 ButtonType() const { return m_nTypeStyle; }
    /// The dialog code: a button code plus the default or non-default push-button code.
    quint32 DialogCode() const;
    bool IsDefaultButton() const { return m_bIsDefault; }

    /// Icons by resource id: `outId` 0 means none, kGreyCopyId a grey copy of the in icon.
    quint32 SetIcons(int inId, int outId);
    /// Icons by image; a null `in` removes all images. An image with a device pixel ratio
    /// above 1 is drawn at its size divided by that ratio, in the screen's own pixels.
    quint32 SetIcons(const QImage& in, const QImage& out);
    quint32 SetIcons(const QImage& in, OutImage out = OutImage::None);

    /// Bitmaps drawn with the pixels of the transparent colour left out; a null `in` removes
    /// all images.
    quint32 SetBitmapImages(const QImage& in, QRgb transparentIn, const QImage& out = {},
                            QRgb transparentOut = 0);
    quint32 SetBitmapImages(int inId, QRgb transparentIn, int outId = 0, QRgb transparentOut = 0);
    /// Whether a disabled bitmap is drawn embossed (the default) or as it is.
    void SetShowDisabledBitmap(bool emboss) { m_bShowDisabledBitmap = emboss; }

    quint32 SetIconAlignment(int alignment, bool repaint = true);
    int IconAlignment() const { return m_byAlign; }
    quint32 SetFlatStyle(bool flat, bool repaint = true);
    bool IsFlat() const { return m_bIsFlat; }
    quint32 EnableBorder(bool enable, bool repaint = true);
    quint32 EnableFlatFocus(bool enable, bool repaint = true);
    /// Whether hovering is tracked also while the button's window is not active.
    quint32 KeepHoverTracking(bool always);

    quint32 SetColourEntry(int index, const QColor& colour, bool repaint = true);
    quint32 GetColourEntry(int index, QColor* colour) const;
    /// Backgrounds to the button face colour, texts to the button text colour.
    quint32 ResetColours(bool repaint = true);
    /// Moves all three channels of an entry by the same amount, as far as the channel that
    /// reaches its limit first allows.
    quint32 ShiftColourEntry(int index, int offset, bool repaint = true);

    /// Check-box mode only: the state becomes 1 for any non-zero value.
    quint32 SetCheckState(int state, bool repaint = true);
    int CheckState() const { return m_nCheck; }
    bool IsCheckBox() const { return m_bIsCheckBox; }

    /// The cursor shown over the button, by resource id; 0 removes it.
    quint32 SetHoverCursor(int cursorId, bool repaint = true);

    /// Sets the tool tip text; an empty text does nothing.
    void SetTipText(const QString& text, bool activate = true);
    /// Activates or deactivates the tool tip once it has a text.
    void ActivateTip(bool active);
    bool IsTipActive() const { return m_bTipActive; }
    QString TipText() const { return m_TipText; }

    /// Paints a copy of the parent's background under the button, taken again at the next paint.
    quint32 MakeTransparent(bool repaint = true);

    /// The web address opened when clicked, at most 259 bytes of code page 936; empty clears
    /// it.
    quint32 SetOpenTarget(const QString& address);
    QString OpenTarget() const { return m_OpenTarget; }
    /// Where web addresses go; the desktop's browser unless set.
    void SetUrlOpener(UrlOpener* opener);

    /// Gives the button a drop-down menu: the first popup of menu template `menuId`, drawn in
    /// `drawLook` (COwnerMenu::Look), with the images of toolbar `toolbarId` (0 for none) of
    /// `iconSize`, whose bitmap shows `toolbarBackground` where it is transparent. The command
    /// chosen is posted to `commandWindow` as a CommandEvent. Id 0 removes the menu.
    quint32 SetDropMenu(int menuId, QObject* commandWindow, int drawLook = 1, int toolbarId = 0,
                        QSize iconSize = QSize(16, 15),
                        const QColor& toolbarBackground = QColor(192, 192, 192),
                        bool repaint = true);
    /// The drop-down menu, or null.
    COwnerMenu* DropMenu() const { return m_Menu.get(); }

    /// Whether the pointer is over the (flat) button.
    bool IsHovered() const { return m_bMouseOnButton; }

    /// Where the image and the caption go for an image of size `image`.
    struct FaceLayout
    {
        QRect image;        ///< the image's rectangle
        QRect captionRect;  ///< the rectangle the caption is centred in
        QRect captionBlock; ///< the measured text block, centred in captionRect
    };
    /// The placement of the current image and caption within the button when `pressed`.
    FaceLayout LayoutFace(bool pressed) const;

protected:
    /// Paints the background; by default in the colour table's colour for the state.
    virtual void DrawFace(QPainter& painter, const QRect& rect);
    /// Paints the flat hover edge; by default a one-pixel 3-D frame, sunken when pressed.
    virtual void DrawEdgeFrame(QPainter& painter, const QRect& rect);

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    bool IsPressedState() const { return m_bIsPressed; }
    bool IsFocusedState() const { return m_bIsFocused; }
    bool IsDisabledState() const { return m_bIsDisabled; }

private:
    struct IconImage
    {
        QPixmap image;
    };
    struct BitmapImage
    {
        QImage image; ///< transparent pixels already cleared
        QImage mask;  ///< opaque where the image shows
        QRgb transparent = 0;
    };

    void OnClicked();
    void ShowDropMenu();
    void CancelHover();
    void ReleaseImages();
    void Repaint(bool repaint);
    int ImageIndex() const;
    QSize ImageSize() const;
    QRect PlaceImage(bool hasCaption, const QRect& item, QRect* caption, bool pressed,
                     QSize size) const;
    void PaintBackgroundCopy(QPainter& painter);
    void DrawIcon(QPainter& painter, const QRect& imageRect);
    void DrawBitmap(QPainter& painter, const QRect& imageRect);
    void DrawCaption(QPainter& painter, const QRect& block);
    void DrawRaisedEdge(QPainter& painter, const QRect& rect);
    void ShowTip(const QPoint& globalPos);

    bool m_bShowDisabledBitmap = true;
    bool m_bIsFlat = true;
    bool m_bMouseOnButton = false;
    bool m_bDrawTransparent = false;
    bool m_bIsPressed = false;
    bool m_bIsFocused = false;
    bool m_bIsDisabled = false;
    bool m_bIsDefault = false;
    bool m_bTemplateDefault = false; ///< the template made it the dialog's default button
    bool m_bIsCheckBox = false;
    quint8 m_byAlign = kAlignHoriz;
    bool m_bDrawBorder = true;
    bool m_bDrawFlatFocus = false;
    std::array<QColor, kColourCount> m_crColours;
    QObject* m_MenuCommandWindow = nullptr;
    bool m_bMenuDisplayed = false;
    std::unique_ptr<COwnerMenu> m_Menu;
    bool m_bHasCursor = false;
    QString m_TipText;
    bool m_bTipActive = false;
    QPixmap m_Background;
    bool m_bAlwaysTrack = true;
    int m_nCheck = 0;
    quint32 m_nTypeStyle = kTypeUnknown;
    QString m_OpenTarget;
    UrlOpener* m_Opener;
    std::array<IconImage, 2> m_Icons;
    std::array<BitmapImage, 2> m_Bitmaps;
};
