#include "MenuTheme.h"

#include <QApplication>
#include <QStyle>

bool IsClassicStyle(const QStyle* style)
{
    return style != nullptr &&
           style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0;
}

bool IsClassicTheme()
{
    return IsClassicStyle(QApplication::style());
}
