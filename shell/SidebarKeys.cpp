#include "SidebarKeys.h"

#include "PanelTabCtrl.h"

#include <QLineEdit>
#include <QShortcut>

#include <initializer_list>

namespace {

void FocusQueryField(CPanelTabCtrl& tabs)
{
    const QWidget* page = tabs.PageWindow(tabs.ShownPage());
    // Each panel has one edit field, its query's.
    auto* field = page ? page->findChild<QLineEdit*>() : nullptr;
    if (!field)
        return;
    field->setFocus(Qt::ShortcutFocusReason);
    field->selectAll();
}

void ShowNeighbour(CPanelTabCtrl& tabs, int step)
{
    const int count = tabs.PageCount();
    if (count == 0)
        return;
    tabs.ShowPage((tabs.ShownPage() + step + count) % count);
    tabs.update();
    FocusQueryField(tabs);
}

} // namespace

void InstallSidebarKeys(QWidget& window, CPanelTabCtrl& tabs)
{
    const auto bind = [&](std::initializer_list<QKeyCombination> keys, auto action) {
        for (const QKeyCombination key : keys)
            QObject::connect(new QShortcut(QKeySequence(key), &window), &QShortcut::activated,
                             &tabs, action);
    };
    // Ctrl+Shift+Tab arrives as Ctrl+Shift+Backtab, which shortcuts match to it.
    bind({Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown},
         [&tabs] { ShowNeighbour(tabs, 1); });
    bind({Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageUp},
         [&tabs] { ShowNeighbour(tabs, -1); });
    bind({Qt::CTRL | Qt::Key_F, QKeyCombination(Qt::Key_F6)}, [&tabs] { FocusQueryField(tabs); });
    QObject::connect(&tabs, &CPanelTabCtrl::pageClicked, &tabs, [&tabs] { FocusQueryField(tabs); });
}
