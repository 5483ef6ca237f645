#include "SystemParameters.h"

#include <QApplication>
#include <QWidget>

namespace {
bool g_DragFullWindows = true;
}

bool DragFullWindows()
{
    return g_DragFullWindows;
}

void SetDragFullWindows(bool on)
{
    if (on == g_DragFullWindows)
        return;
    g_DragFullWindows = on;
    for (QWidget* widget : QApplication::allWidgets()) {
        SettingChangeEvent event;
        QApplication::sendEvent(widget, &event);
    }
}

QEvent::Type SettingChangeEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
