#include "ControlId.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kProperty = "velmorControlId";
}

int ControlId(const QWidget* widget)
{
    return widget ? widget->property(kProperty).toInt() : 0;
}

void SetControlId(QWidget* widget, int id)
{
    widget->setProperty(kProperty, id);
}
