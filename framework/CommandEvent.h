#pragma once

#include <QEvent>

/// A command posted to a window, as a menu posts the command the user chose.
class CommandEvent : public QEvent
{
public:
    explicit CommandEvent(int commandId) : QEvent(EventType()), m_CommandId(commandId) {}

    int CommandId() const { return m_CommandId; }

    /// The event type of every command event.
    static QEvent::Type EventType();

private:
    int m_CommandId;
};
