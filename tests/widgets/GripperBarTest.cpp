#include "GripperBar.h"
#include "ControlId.h"
#include "DockedFrame.h"
#include "NotifyEvent.h"
#include "SystemColours.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QHBoxLayout>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kSidebarStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;

class NotifyRecorder : public QWidget
{
public:
    QList<QWidget*> senders;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == NotifyEvent::EventType()) {
            senders << static_cast<NotifyEvent*>(event)->From();
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

TEST(EdgeSizingBarTest, SizingStyleKeepsOnlyTheNonEdgeFlags)
{
    CEdgeSizingBar bar;
    bar.SetSizingStyle(0x3F);
    EXPECT_EQ(bar.GetSizingStyle(), 0x30u);
    CGripperBar gripper;
    EXPECT_EQ(gripper.GetSizingStyle(), CEdgeSizingBar::SIZING_FIT_CHILD);
    EXPECT_EQ(gripper.GripperBand(), 12);
    EXPECT_EQ(gripper.NotifyTarget(), nullptr);
}

TEST(GripperBarTest, ABarOutsideADockBarFloatsFillsItsChildAndIsLaidOutAtItsWidth)
{
    NotifyRecorder frame;
    auto* layout = new QHBoxLayout(&frame);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new CGripperBar;
    ASSERT_TRUE(bar->Create(QString(), &frame, QSize(330, 260), true, 123, kSidebarStyle));
    layout->addWidget(bar);
    layout->addWidget(new QWidget, 1);
    auto* child = new QWidget(bar);

    for (const QSize size : {QSize(1024, 700), QSize(1600, 1000)}) {
        frame.resize(size);
        frame.show();
        QApplication::processEvents();
        EXPECT_EQ(bar->width(), 330);
        EXPECT_EQ(bar->height(), size.height());
        // 5 pixels reserved on each side; the child takes the rest.
        EXPECT_EQ(child->geometry(), QRect(5, 5, 320, size.height() - 10));
    }
    EXPECT_TRUE(bar->IsFloatingBar());
    EXPECT_FALSE(bar->ShowsGripper());
    EXPECT_EQ(ControlId(bar), 123);
    EXPECT_EQ(bar->CalcFixedLayout(true, false), QSize(330, 32767));
    EXPECT_EQ(bar->CalcFixedLayout(true, true), QSize(32767, 260));
    for (const QPoint point : {QPoint(0, 0), QPoint(2, 300), QPoint(329, 10), QPoint(100, 5)})
        EXPECT_EQ(bar->NcHitTest(point), HTCLIENT);

    QCloseEvent close;
    QApplication::sendEvent(bar, &close);
    EXPECT_FALSE(close.isAccepted());
    EXPECT_TRUE(bar->isVisible());
}

TEST(GripperBarTest, ForwardsEveryChildNotificationToTheTarget)
{
    NotifyRecorder frame;
    auto* bar = new CGripperBar;
    bar->Create(QString(), &frame, QSize(330, 260), true, 123, kSidebarStyle);
    EXPECT_EQ(bar->NotifyTarget(), &frame);
    auto* child = new QWidget(bar);
    NotifyEvent notify(child, 125, 7);
    QApplication::sendEvent(bar, &notify);
    EXPECT_EQ(frame.senders, QList<QWidget*>{child});

    NotifyRecorder other;
    bar->SetNotifyTarget(&other);
    QApplication::sendEvent(bar, &notify);
    EXPECT_EQ(other.senders.size(), 1);
    EXPECT_EQ(frame.senders.size(), 1);
    bar->SetNotifyTarget(nullptr);
    EXPECT_TRUE(QApplication::sendEvent(bar, &notify)); // handled, sent nowhere
}

TEST(GripperBarTest, DockedOnTheLeftItPaintsTheGripperBandAndTheCloseButtonInItsStates)
{
    DockedFrame frame;
    auto* bar = frame.Dock<CGripperBar>(AFX_IDW_DOCKBAR_LEFT, 123);
    frame.Settle();
    ASSERT_EQ(bar->geometry(), QRect(0, -2, 120, 600));
    EXPECT_TRUE(bar->ShowsGripper());
    EXPECT_TRUE(bar->GetSizingStyle() & CEdgeSizingBar::SIZING_EDGE_RIGHT);
    // 3 + 2 at the sides and bottom, 5 at the top, then the 12-pixel gripper band; the close
    // button 12 pixels left of the client area's right side and 14 above its top.
    const QRect client = bar->ClientRect();
    EXPECT_EQ(client, QRect(5, 17, 110, 578));
    const QRect button = bar->CloseButton().GetRect();
    EXPECT_EQ(button, QRect(103, 3, 13, 13));
    EXPECT_EQ(bar->NcHitTest(button.center()), HTCLOSE);

    const QRgb face = SystemColour(SysColour::BtnFace).rgb();
    const QRgb light = SystemColour(SysColour::BtnHighlight).rgb();
    const QRgb shadow = SystemColour(SysColour::BtnShadow).rgb();
    ASSERT_NE(light, shadow);
    ASSERT_NE(face, light);
    const auto pixel = [bar](int x, int y) { return bar->grab().toImage().pixel(x, y); };
    // Two raised lines, 3 pixels high, from the band's start to 3 pixels before the button.
    for (int top : {6, 9}) {
        EXPECT_EQ(pixel(6, top), light) << top;
        EXPECT_EQ(pixel(98, top), light) << top;
        EXPECT_EQ(pixel(99, top + 2), shadow) << top;
        EXPECT_EQ(pixel(6, top + 2), shadow) << top;
    }
    EXPECT_EQ(pixel(50, 7), face);
    EXPECT_EQ(pixel(100, 7), face);
    EXPECT_EQ(pixel(button.left() + 3, button.top() + 3), SystemColour(SysColour::BtnText).rgb());

    // The button's state follows the cursor when the frame is idle.
    EXPECT_EQ(pixel(button.left(), button.top()), face);
    EXPECT_EQ(pixel(button.right(), button.bottom()), face);
    QCursor::setPos(bar->mapToGlobal(button.center()));
    frame.site->OnIdle();
    EXPECT_TRUE(bar->CloseButton().m_bHot);
    EXPECT_EQ(pixel(button.left(), button.top()), light);
    EXPECT_EQ(pixel(button.right(), button.bottom()), shadow);
    QTest::mousePress(bar, Qt::LeftButton, {}, button.center());
    frame.site->OnIdle();
    EXPECT_TRUE(bar->CloseButton().m_bPushed);
    EXPECT_FALSE(bar->CloseButton().m_bHot);
    EXPECT_EQ(pixel(button.left(), button.top()), shadow);
    EXPECT_EQ(pixel(button.right(), button.bottom()), light);

    // Released over the button, the click hides the bar through the frame, which lays out
    // again at once.
    QTest::mouseRelease(bar, Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(bar->isHidden());
    EXPECT_EQ(frame.view->geometry(), QRect(0, 0, 800, 600));
    QCursor::setPos(QPoint(-100, -100));
    frame.site->ShowControlBar(bar, true, false);
    frame.site->OnIdle();
    EXPECT_FALSE(bar->CloseButton().m_bHot);
    EXPECT_FALSE(bar->CloseButton().m_bPushed);
    EXPECT_EQ(pixel(button.left(), button.top()), face);
}

TEST(GripperBarTest, DockedAtTheTopTheBandIsAtTheLeftAndFloatingThereIsNone)
{
    DockedFrame frame;
    auto* bar = frame.Dock<CGripperBar>(AFX_IDW_DOCKBAR_TOP, 124);
    frame.Settle();
    EXPECT_TRUE(bar->IsDockedHorz());
    EXPECT_TRUE(bar->GetSizingStyle() & CEdgeSizingBar::SIZING_EDGE_BOTTOM);
    const QRect client = bar->ClientRect();
    EXPECT_EQ(client, QRect(17, 5, bar->width() - 22, 90));
    const QRect button = bar->CloseButton().GetRect();
    EXPECT_EQ(button.topLeft(), QPoint(client.left() - 14, client.top()));
    // Two vertical lines 3 pixels wide, starting 3 pixels below the button.
    const QImage image = bar->grab().toImage();
    EXPECT_EQ(image.pixel(6, button.bottom() + 4), SystemColour(SysColour::BtnHighlight).rgb());
    EXPECT_EQ(image.pixel(9, button.bottom() + 4), SystemColour(SysColour::BtnHighlight).rgb());
    EXPECT_EQ(image.pixel(6, button.bottom() + 3), SystemColour(SysColour::BtnFace).rgb());

    // Changing the caption repaints the frame at once.
    bar->setWindowTitle(QStringLiteral("工具"));
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("工具"));

    frame.site->FloatControlBar(bar, QPoint(50, 50));
    frame.Settle();
    EXPECT_FALSE(bar->ShowsGripper());
    EXPECT_EQ(bar->ClientRect(), QRect(3, 5, bar->width() - 6, bar->height() - 8));
    EXPECT_EQ(bar->NcHitTest(QPoint(3, 3)), HTCLIENT);
    EXPECT_EQ(bar->NcHitTest(button.center()), HTCLIENT);
}

TEST(GripperBarTest, OnlyAPressAndAReleaseBothOnTheCloseButtonHideTheBar)
{
    DockedFrame frame;
    auto* bar = frame.Dock<CGripperBar>(AFX_IDW_DOCKBAR_LEFT, 123);
    frame.Settle();
    QPoint button = bar->CloseButton().GetRect().center();
    ASSERT_EQ(bar->NcHitTest(button), HTCLOSE);

    // An edge drag that ends over the button only ends the drag (the bar narrows, and its
    // button moves with its edge).
    const QPoint edge = bar->EdgeRect(HTRIGHT).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, edge);
    ASSERT_TRUE(bar->IsDragging());
    QTest::mouseMove(bar, button);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, button);
    EXPECT_FALSE(bar->IsDragging());
    frame.Settle();
    EXPECT_FALSE(bar->isHidden());
    button = bar->CloseButton().GetRect().center();
    ASSERT_EQ(bar->NcHitTest(button), HTCLOSE);

    // A press on the button taken elsewhere, or another button's release over it, hides
    // nothing.
    QTest::mousePress(bar, Qt::LeftButton, {}, button);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(40, 300));
    QTest::mousePress(bar, Qt::LeftButton, {}, button);
    QTest::mouseRelease(bar, Qt::RightButton, {}, button);
    frame.Settle();
    EXPECT_FALSE(bar->isHidden());

    QTest::mouseRelease(bar, Qt::LeftButton, {}, button);
    EXPECT_TRUE(bar->isHidden());
}
