#include "NotifyEvent.h"

QEvent::Type NotifyEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
