#include "MouseInput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

void SendDoubleClick(QWidget* widget, QPoint at)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, widget->mapToGlobal(at), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &second);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}
