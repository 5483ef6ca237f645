#include "IconButton.h"
#include "MouseInput.h"
#include "SystemColours.h"
#include "UrlOpener.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CountingOpener : public UrlOpener
{
public:
    void Open(const QString& address) override { opened << address; }
    QStringList opened;
};

QImage SolidImage(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QRgb Rgb(const QColor& colour)
{
    return colour.rgb();
}

void SendMove(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

struct ButtonFixture : ::testing::Test
{
    void SetUp() override
    {
        parent.resize(200, 100);
        button = new CIconButton(&parent);
        button->setGeometry(10, 10, 60, 36);
        parent.show();
    }
    QWidget parent;
    CIconButton* button = nullptr;
};

} // namespace

TEST(IconButtonSetters, ReportTheirStatusCodes)
{
    CIconButton button;
    EXPECT_EQ(button.SetIconAlignment(3), CIconButton::kInvalidAlign);
    EXPECT_EQ(button.IconAlignment(), CIconButton::kAlignHoriz);
    EXPECT_EQ(button.SetIconAlignment(-1), CIconButton::kInvalidAlign);
    EXPECT_EQ(button.SetIconAlignment(2), CIconButton::kOk);
    EXPECT_EQ(button.IconAlignment(), CIconButton::kAlignHorizRight);

    QColor colour;
    EXPECT_EQ(button.SetColourEntry(6, Qt::red), CIconButton::kInvalidIndex);
    EXPECT_EQ(button.SetColourEntry(-1, Qt::red), CIconButton::kInvalidIndex);
    EXPECT_EQ(button.GetColourEntry(6, &colour), CIconButton::kInvalidIndex);
    EXPECT_EQ(button.ShiftColourEntry(6, 10), CIconButton::kInvalidIndex);
    EXPECT_EQ(button.ShiftColourEntry(0, 256), CIconButton::kBadParam);
    EXPECT_EQ(button.ShiftColourEntry(0, -256), CIconButton::kBadParam);
    EXPECT_EQ(button.SetColourEntry(5, Qt::red), CIconButton::kOk);
    EXPECT_EQ(button.GetColourEntry(5, &colour), CIconButton::kOk);
    EXPECT_EQ(colour, QColor(Qt::red));

    EXPECT_EQ(button.SetFlatStyle(false), CIconButton::kOk);
    EXPECT_EQ(button.EnableBorder(false), CIconButton::kOk);
    EXPECT_EQ(button.EnableFlatFocus(true), CIconButton::kOk);
    EXPECT_EQ(button.KeepHoverTracking(false), CIconButton::kOk);
    EXPECT_EQ(button.MakeTransparent(), CIconButton::kOk);
    EXPECT_EQ(button.SetHoverCursor(0), CIconButton::kOk);
    EXPECT_EQ(button.SetHoverCursor(999999), CIconButton::kInvalidResource);
    // A resource that cannot be loaded is a null image: no image at all, not an error.
    EXPECT_EQ(button.SetIcons(999999, 0), CIconButton::kOk);
    EXPECT_EQ(button.SetBitmapImages(999999, 0), CIconButton::kOk);
}

TEST(IconButtonColours, ResetGivesFaceAndTextColours)
{
    CIconButton button;
    button.SetColourEntry(CIconButton::kColourBkFocus, Qt::red);
    button.ResetColours();
    for (int i = 0; i < CIconButton::kColourCount; ++i) {
        QColor colour;
        button.GetColourEntry(i, &colour);
        EXPECT_EQ(colour, SystemColour(i % 2 == 0 ? SysColour::BtnFace : SysColour::BtnText)) << i;
    }
}

TEST(IconButtonColours, ShiftMovesAllChannelsByTheSameAmount)
{
    CIconButton button;
    QColor colour;
    button.SetColourEntry(0, QColor(200, 100, 50));
    button.ShiftColourEntry(0, 100);
    button.GetColourEntry(0, &colour);
    EXPECT_EQ(colour, QColor(255, 155, 105));

    button.SetColourEntry(0, QColor(200, 100, 50));
    button.ShiftColourEntry(0, -100);
    button.GetColourEntry(0, &colour);
    EXPECT_EQ(colour, QColor(150, 50, 0));

    button.SetColourEntry(0, QColor(10, 250, 30));
    button.ShiftColourEntry(0, 20);
    button.GetColourEntry(0, &colour);
    EXPECT_EQ(colour, QColor(15, 255, 35));
}

TEST_F(ButtonFixture, VerticalAlignmentPutsTheIconAboveACentredCaption)
{
    button->setText(QStringLiteral("上一步"));
    button->SetIcons(SolidImage({16, 16}, qRgb(0, 0, 255)));
    button->SetIconAlignment(CIconButton::kAlignVert);
    const auto layout = button->LayoutFace(false);
    EXPECT_EQ(layout.image, QRect(22, 3, 16, 16));
    EXPECT_EQ(layout.captionRect, QRect(0, 16, 60, 20));
    EXPECT_EQ(layout.captionBlock.top() - 16, (20 - layout.captionBlock.height()) / 2);
    EXPECT_EQ(layout.captionBlock.left(), (60 - layout.captionBlock.width()) / 2);

    const auto pressed = button->LayoutFace(true);
    EXPECT_EQ(pressed.image, layout.image.translated(1, 1));
    EXPECT_EQ(pressed.captionBlock, layout.captionBlock.translated(1, 1));
}

TEST_F(ButtonFixture, HorizontalAlignmentsPlaceImageAndCaptionSideBySide)
{
    button->setText(QStringLiteral("商业合作"));
    button->SetIcons(SolidImage({32, 32}, qRgb(0, 0, 255)));
    const auto left = button->LayoutFace(false);
    EXPECT_EQ(left.image, QRect(3, 2, 32, 32));
    EXPECT_EQ(left.captionRect, QRect(35, 0, 25, 36));

    button->SetIconAlignment(CIconButton::kAlignHorizRight);
    const auto right = button->LayoutFace(false);
    EXPECT_EQ(right.image, QRect(60 - 32 - 3, 2, 32, 32));
    EXPECT_EQ(right.captionRect, QRect(3, 0, 60 - 32 - 3 - 3, 36));

    // Without a caption the image is centred; the right alignment keeps the top.
    button->setText(QString());
    EXPECT_EQ(button->LayoutFace(false).image, QRect(14, 0, 32, 32));
    button->SetIconAlignment(CIconButton::kAlignHoriz);
    EXPECT_EQ(button->LayoutFace(false).image, QRect(14, 2, 32, 32));
    button->SetIconAlignment(CIconButton::kAlignVert);
    EXPECT_EQ(button->LayoutFace(false).image, QRect(14, 2, 32, 32));
}

TEST_F(ButtonFixture, CheckBoxToggleDoesNotShiftTheFace)
{
    button->PreSubclassWindow(0x50010003); // an auto check box
    EXPECT_TRUE(button->IsCheckBox());
    button->SetIcons(SolidImage({16, 16}, qRgb(0, 0, 255)));
    EXPECT_EQ(button->LayoutFace(true).image, button->LayoutFace(false).image);

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->CheckState(), 1);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(button->CheckState(), 0);
    button->SetCheckState(7);
    EXPECT_EQ(button->CheckState(), 1);
}

TEST(IconButtonCheckState, IgnoredOutsideCheckBoxMode)
{
    CIconButton button;
    button.PreSubclassWindow(0);
    button.SetCheckState(1);
    EXPECT_EQ(button.CheckState(), 0);
    button.click();
    EXPECT_EQ(button.CheckState(), 0);
}

TEST(IconButtonStyle, DefaultPushButtonBecomesTheDefaultButton)
{
    CIconButton button;
    button.PreSubclassWindow(0x50010001);
    EXPECT_TRUE(button.IsDefaultButton());
    EXPECT_EQ(button.ButtonType(), CIconButton::kPushButton);
    EXPECT_EQ(button.DialogCode(), CIconButton::kDlgcButton | CIconButton::kDlgcDefPushButton);
    button.SetButtonStyle(CIconButton::kPushButton);
    EXPECT_FALSE(button.IsDefaultButton());
    EXPECT_EQ(button.DialogCode(), CIconButton::kDlgcButton | CIconButton::kDlgcUndefPushButton);
}

TEST_F(ButtonFixture, NonFlatDefaultButtonIsFramedInBlack)
{
    button->PreSubclassWindow(CIconButton::kDefPushButton);
    button->SetFlatStyle(false);
    const QImage image = button->grab().toImage();
    EXPECT_EQ(image.pixel(0, 0), Rgb(QColor(Qt::black)));
    EXPECT_EQ(image.pixel(59, 35), Rgb(QColor(Qt::black)));
    EXPECT_EQ(image.pixel(1, 1), Rgb(SystemColour(SysColour::BtnHighlight)));
}

TEST_F(ButtonFixture, HoverIsEnteredOnMoveAndLeftOnLeave)
{
    const QColor face = SystemColour(SysColour::BtnFace);
    EXPECT_EQ(button->grab().toImage().pixel(0, 0), Rgb(face));

    SendMove(button, {5, 5});
    EXPECT_TRUE(button->IsHovered());
    EXPECT_EQ(button->grab().toImage().pixel(0, 0), Rgb(SystemColour(SysColour::BtnHighlight)));

    SendMove(button, {70, 5}); // a move that finds another place under the pointer
    EXPECT_FALSE(button->IsHovered());

    SendMove(button, {5, 5});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(button->grab().toImage().pixel(0, 0), Rgb(face));
}

TEST_F(ButtonFixture, HoverEndsOnFocusLossAndDisabling)
{
    button->setFocus();
    SendMove(button, {5, 5});
    ASSERT_TRUE(button->IsHovered());
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(button, &focusOut);
    EXPECT_FALSE(button->IsHovered());

    SendMove(button, {5, 5});
    ASSERT_TRUE(button->IsHovered());
    button->setEnabled(false);
    EXPECT_FALSE(button->IsHovered());
}

TEST_F(ButtonFixture, NoHoverWhenDraggedInOrNotFlat)
{
    SendMove(button, {5, 5}, Qt::LeftButton);
    EXPECT_FALSE(button->IsHovered());
    button->SetFlatStyle(false);
    SendMove(button, {5, 5});
    EXPECT_FALSE(button->IsHovered());
}

TEST_F(ButtonFixture, DoubleClickCountsAsTwoClicks)
{
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    SendDoubleClick(button, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ButtonFixture, ClickOpensTheWebAddressThroughTheOpener)
{
    CountingOpener opener;
    button->SetUrlOpener(&opener);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(opener.opened.isEmpty());

    button->SetOpenTarget(QStringLiteral("http://www.velmor.example/"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(opener.opened, QStringList{QStringLiteral("http://www.velmor.example/")});
    EXPECT_EQ(parent.focusWidget(), button);

    button->SetOpenTarget(QString(300, QLatin1Char('a')));
    EXPECT_EQ(button->OpenTarget().size(), 259);
    // The limit counts bytes of code page 936, two for a Chinese character, and never cuts one
    // in half.
    button->SetOpenTarget(QString(200, QChar(0x4e2d)));
    EXPECT_EQ(button->OpenTarget(), QString(129, QChar(0x4e2d)));
    button->SetOpenTarget(QLatin1Char('a') + QString(200, QChar(0x4e2d)));
    EXPECT_EQ(button->OpenTarget(), QLatin1Char('a') + QString(129, QChar(0x4e2d)));
}

TEST_F(ButtonFixture, GreyCopyIsTheOutIcon)
{
    QImage icon = SolidImage({16, 16}, qRgb(200, 100, 50));
    icon.setPixel(0, 0, qRgb(0, 0, 0));
    button->SetIcons(icon, CIconButton::OutImage::GreyCopy);
    const QImage plain = button->grab().toImage();
    const QRect at = button->LayoutFace(false).image;
    EXPECT_EQ(plain.pixel(at.topLeft() + QPoint(5, 5)), Rgb(QColor(124, 124, 124)));
    EXPECT_EQ(plain.pixel(at.topLeft()), Rgb(QColor(0, 0, 0)));

    SendMove(button, {5, 5});
    const QImage hovered = button->grab().toImage();
    EXPECT_EQ(hovered.pixel(at.topLeft() + QPoint(5, 5)), Rgb(QColor(200, 100, 50)));
}

TEST_F(ButtonFixture, BitmapLeavesItsTransparentColourOutAndEmbossesWhenDisabled)
{
    QImage bitmap = SolidImage({16, 16}, qRgb(255, 0, 255));
    for (int x = 4; x < 12; ++x)
        for (int y = 4; y < 12; ++y)
            bitmap.setPixel(x, y, qRgb(0, 0, 128));
    ASSERT_EQ(button->SetBitmapImages(bitmap, qRgb(255, 0, 255)), CIconButton::kOk);
    const QRect at = button->LayoutFace(false).image;
    const QImage normal = button->grab().toImage();
    EXPECT_EQ(normal.pixel(at.topLeft()), Rgb(SystemColour(SysColour::BtnFace)));
    EXPECT_EQ(normal.pixel(at.topLeft() + QPoint(6, 6)), Rgb(QColor(0, 0, 128)));

    button->setEnabled(false);
    const QImage disabled = button->grab().toImage();
    EXPECT_EQ(disabled.pixel(at.topLeft() + QPoint(6, 6)), Rgb(SystemColour(SysColour::BtnShadow)));
    EXPECT_EQ(disabled.pixel(at.topLeft() + QPoint(12, 12)),
              Rgb(SystemColour(SysColour::BtnHighlight)));
}

TEST_F(ButtonFixture, TransparentButtonShowsTheParentsBackground)
{
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor(10, 120, 30));
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    button->MakeTransparent();
    EXPECT_EQ(button->grab().toImage().pixel(30, 18), Rgb(QColor(10, 120, 30)));
}

TEST(IconButtonTip, NeedsATextBeforeItCanBeActivated)
{
    CIconButton button;
    button.ActivateTip(true);
    EXPECT_FALSE(button.IsTipActive());
    button.SetTipText(QString());
    EXPECT_TRUE(button.TipText().isEmpty());
    button.SetTipText(QStringLiteral("后退"), false);
    EXPECT_FALSE(button.IsTipActive());
    button.ActivateTip(true);
    EXPECT_TRUE(button.IsTipActive());
}

TEST_F(ButtonFixture, EdgesRaisedSunkenAndHovered)
{
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    const int r = 59, b = 35; // the last column and row

    button->SetFlatStyle(false);
    QImage image = button->grab().toImage();
    // Raised: highlight and light at top and left, dark shadow and shadow at bottom and right.
    EXPECT_EQ(image.pixel(0, 0), Rgb(highlight));
    EXPECT_EQ(image.pixel(0, b - 1), Rgb(highlight));
    EXPECT_EQ(image.pixel(r - 1, 0), Rgb(highlight));
    EXPECT_EQ(image.pixel(1, 1), Rgb(SystemColour(SysColour::Light3d)));
    EXPECT_EQ(image.pixel(r, 0), Rgb(SystemColour(SysColour::DkShadow3d)));
    EXPECT_EQ(image.pixel(r, 20), Rgb(SystemColour(SysColour::DkShadow3d)));
    EXPECT_EQ(image.pixel(20, b), Rgb(SystemColour(SysColour::DkShadow3d)));
    EXPECT_EQ(image.pixel(r - 1, 20), Rgb(shadow));
    EXPECT_EQ(image.pixel(20, b - 1), Rgb(shadow));
    EXPECT_EQ(image.pixel(r - 1, 1), Rgb(shadow));
    // Pressed, not flat: a shadow frame.
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    image = button->grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(r, 20), QPoint(20, b)})
        EXPECT_EQ(image.pixel(p), Rgb(shadow)) << p.x() << "," << p.y();
    QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});

    // Flat: plain until hovered, then a one-pixel raised frame; pressed, the same sunken.
    button->SetFlatStyle(true);
    button->clearFocus();
    const QColor face = SystemColour(SysColour::BtnFace);
    image = button->grab().toImage();
    EXPECT_EQ(image.pixel(0, 0), Rgb(face));
    EXPECT_EQ(image.pixel(r, b), Rgb(face));
    SendMove(button, {5, 5});
    image = button->grab().toImage();
    EXPECT_EQ(image.pixel(0, 20), Rgb(highlight));
    EXPECT_EQ(image.pixel(20, 0), Rgb(highlight));
    EXPECT_EQ(image.pixel(r, 20), Rgb(shadow));
    EXPECT_EQ(image.pixel(20, b), Rgb(shadow));
    EXPECT_EQ(image.pixel(1, 1), Rgb(face));
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    image = button->grab().toImage();
    EXPECT_EQ(image.pixel(0, 20), Rgb(shadow));
    EXPECT_EQ(image.pixel(20, 0), Rgb(shadow));
    EXPECT_EQ(image.pixel(r, 20), Rgb(highlight));
    EXPECT_EQ(image.pixel(20, b), Rgb(highlight));
    QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
}

TEST_F(ButtonFixture, EnterPressesTheFocusedButtonWhichIsTheDefaultWhileFocused)
{
    auto* other = new CIconButton(&parent);
    other->setGeometry(80, 10, 60, 36);
    other->show();
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    EXPECT_TRUE(button->IsDefaultButton());
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 3);

    other->setFocus();
    EXPECT_FALSE(button->IsDefaultButton());
    EXPECT_TRUE(other->IsDefaultButton());
    // A default button of the template stays the default when the focus leaves it.
    other->PreSubclassWindow(CIconButton::kDefPushButton);
    button->setFocus();
    EXPECT_TRUE(other->IsDefaultButton());
}
