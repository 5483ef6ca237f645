#pragma once

#include <QEvent>

class QWidget;

/// A control's notification to its parent (the sender, its control id and a code), which
/// containers pass on to their own owners.
class NotifyEvent : public QEvent
{
public:
    NotifyEvent(QWidget* from, int idFrom, int code)
        : QEvent(EventType()), m_From(from), m_IdFrom(idFrom), m_Code(code)
    {
    }

    QWidget* From() const { return m_From; }
    int IdFrom() const { return m_IdFrom; }
    int Code() const { return m_Code; }

    /// The event type of every notification.
    static QEvent::Type EventType();

private:
    QWidget* m_From;
    int m_IdFrom;
    int m_Code;
};
