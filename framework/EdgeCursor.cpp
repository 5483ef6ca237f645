#include "EdgeCursor.h"

#include "BarConstants.h"

#include <QChildEvent>
#include <QWidget>

Qt::CursorShape SizingCursor(unsigned hitCode)
{
    switch (hitCode) {
    case HTLEFT:
    case HTRIGHT:
        return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM:
        return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
        return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

EdgeCursor::EdgeCursor(QWidget& owner) : QObject(&owner), m_Owner(owner)
{
    owner.installEventFilter(this);
    for (QWidget* child : owner.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
}

void EdgeCursor::Show(unsigned hitCode)
{
    if (hitCode >= HTLEFT && hitCode <= HTBOTTOMRIGHT)
        m_Owner.setCursor(SizingCursor(hitCode));
    else
        m_Owner.unsetCursor();
}

bool EdgeCursor::eventFilter(QObject* watched, QEvent* event)
{
    // The mouse reaches a child through the widget or straight from outside; either way the
    // child is entered.
    if (watched == &m_Owner) {
        QObject* child =
            event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildRemoved
                ? static_cast<QChildEvent*>(event)->child()
                : nullptr;
        if (child && event->type() == QEvent::ChildRemoved)
            child->removeEventFilter(this);
        else if (child && child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::Enter) {
        m_Owner.unsetCursor();
    }
    return QObject::eventFilter(watched, event);
}
