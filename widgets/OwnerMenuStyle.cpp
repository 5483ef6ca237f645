#include "OwnerMenuStyle.h"

#include "OwnerMenu.h"
#include "OwnerMenuShared.h"

#include <QStyleOptionMenuItem>

#include <algorithm>

QSize OwnerMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                       const QSize& size, const QWidget* widget) const
{
    const auto* menu = qobject_cast<const COwnerMenu*>(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || menu == nullptr || item == nullptr)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    MenuItemData record;
    record.m_pszText = item->text;
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        record.m_nFlags = MenuItemData::kSeparator;
    QSize measured = menu->MeasureItem(record);
    // Qt widens the whole menu by its widest accelerator text on its own; take that part off
    // here so that the widest item comes out at its measured width.
    const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        measured.rwidth() -= menu->fontMetrics().horizontalAdvance(item->text.mid(tab + 1));
    // Qt drops items of no width; a separator is as wide as the menu anyway.
    measured.setWidth(std::max(measured.width(), 1));
    return measured;
}

int OwnerMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    case PM_MenuPanelWidth:
        return COwnerMenu::IsXPLookActive() ? 1 : 3;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

int OwnerMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                              QStyleHintReturn* returnData) const
{
    if (hint == SH_Menu_AllowActiveAndDisabled && qobject_cast<const COwnerMenu*>(widget)) {
        const OwnerMenuShared& shared = SharedMenuState();
        return COwnerMenu::IsXPLookActive() ? shared.xpSelectDisabled
                                            : shared.classicSelectDisabled;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
