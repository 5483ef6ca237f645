#include "StaticTrans.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct RecordingParent : QWidget
{
    void paintEvent(QPaintEvent* event) override
    {
        painted += event->region();
        QPainter(this).fillRect(rect(), QColor(20, 140, 60));
    }
    QRegion painted;
};

QRgb PixelAt(QWidget& widget, QPoint at)
{
    return widget.grab().toImage().pixel(at);
}

} // namespace

TEST(StaticTrans, DefaultIsBlackTextOverWhateverLiesBehind)
{
    RecordingParent parent;
    parent.resize(200, 60);
    auto* label = new CStaticTrans(&parent);
    label->setGeometry(10, 10, 150, 30);
    label->setText(QStringLiteral("试剂"));
    EXPECT_EQ(label->TextColour(), QColor(0, 0, 0));
    EXPECT_EQ(label->CtlColour().style(), Qt::NoBrush);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    // Away from the text the parent's colour shows through the label.
    EXPECT_EQ(PixelAt(parent, {150, 35}), qRgb(20, 140, 60));
}

TEST(StaticTrans, WhiteIsASolidBackground)
{
    RecordingParent parent;
    parent.resize(200, 60);
    auto* label = new CStaticTrans(&parent);
    label->setGeometry(10, 10, 150, 30);
    label->SetBackgroundColour(QColor(255, 255, 255));
    label->SetTextColour(QColor(200, 0, 0));
    const QBrush brush = label->CtlColour();
    EXPECT_EQ(brush.style(), Qt::SolidPattern);
    EXPECT_EQ(brush.color(), QColor(255, 255, 255));
    EXPECT_EQ(PixelAt(parent, {150, 35}), qRgb(255, 255, 255));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(200, 0, 0));
}

TEST(StaticTrans, RefreshRepaintsTheParentUnderTheTextOnly)
{
    RecordingParent parent;
    parent.resize(200, 60);
    auto* label = new CStaticTrans(&parent);
    label->setGeometry(10, 10, 150, 30);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QApplication::processEvents();
    parent.painted = QRegion();
    label->RefreshUnderParent();
    QApplication::processEvents();
    EXPECT_TRUE(parent.painted.contains(QRect(12, 12, 146, 26)));
    EXPECT_FALSE(parent.painted.contains(QPoint(10, 10)));
}
