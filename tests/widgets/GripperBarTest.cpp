#include "GripperBar.h"
#include "ControlId.h"
#include "NotifyEvent.h"
#include "WindowStyles.h"

#include <QApplication>
#include <QCloseEvent>
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

TEST(GripperBarTest, DockedOnTheLeftItShowsTheGripperBandCloseButtonAndInnerEdge)
{
    QWidget dockLeft;
    SetControlId(&dockLeft, AFX_IDW_DOCKBAR_LEFT);
    dockLeft.resize(400, 500);
    auto* bar = new CGripperBar;
    bar->Create(QString(), &dockLeft, QSize(200, 200), true, 123, kSidebarStyle);
    bar->setGeometry(0, 0, 200, 400);
    dockLeft.show();
    QApplication::processEvents();

    EXPECT_TRUE(bar->IsDockedVert());
    EXPECT_TRUE(bar->ShowsGripper());
    EXPECT_TRUE(bar->GetSizingStyle() & CEdgeSizingBar::SIZING_EDGE_RIGHT);
    // 3 + 2 at the sides and bottom, 5 at the top, then the 12-pixel gripper band.
    const QRect client = bar->ClientRect();
    EXPECT_EQ(client, QRect(5, 17, 190, 378));
    const QRect button = bar->CloseButton().GetRect();
    EXPECT_EQ(button, QRect(client.left() + client.width() - 12, client.top() - 14, 13, 13));
    EXPECT_EQ(bar->NcHitTest(button.center()), HTCLOSE);
    EXPECT_EQ(bar->NcHitTest(QPoint(198, 200)), HTRIGHT);
    EXPECT_EQ(bar->NcHitTest(QPoint(100, 200)), HTCLIENT);

    // Releasing the button over the close button hides the bar.
    QTest::mousePress(bar, Qt::LeftButton, {}, button.center());
    EXPECT_TRUE(bar->CloseButton().m_bPushed);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, button.center());
    EXPECT_FALSE(bar->isVisible());
}

TEST(GripperBarTest, DockedAtTheTopTheBandIsAtTheLeft)
{
    QWidget dockTop;
    SetControlId(&dockTop, AFX_IDW_DOCKBAR_TOP);
    auto* bar = new CGripperBar;
    bar->Create(QString(), &dockTop, QSize(200, 100), true, 124, WS_VISIBLE | CBRS_TOP);
    bar->setGeometry(0, 0, 300, 100);
    dockTop.show();
    QApplication::processEvents();
    EXPECT_TRUE(bar->IsDockedHorz());
    EXPECT_TRUE(bar->GetSizingStyle() & CEdgeSizingBar::SIZING_EDGE_BOTTOM);
    const QRect client = bar->ClientRect();
    EXPECT_EQ(client, QRect(17, 5, 278, 90));
    EXPECT_EQ(bar->CloseButton().GetRect().topLeft(), QPoint(client.left() - 14, client.top()));
}
