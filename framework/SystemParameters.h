#pragma once

#include <QEvent>

/// Whether windows show their contents while they are dragged or resized. The desktops this
/// runs on do, so it starts true; changing it tells every window (SettingChangeEvent).
bool DragFullWindows();
void SetDragFullWindows(bool on);

/// Sent to every window when a system parameter changes.
class SettingChangeEvent : public QEvent
{
public:
    SettingChangeEvent() : QEvent(EventType()) {}
    static QEvent::Type EventType();
};
