#pragma once

#include "OwnerMenu.h"

#include <QImage>

#include <vector>

/// What every owner-drawn menu of the process shares: the looks chosen, the drawing switches,
/// the shared icon list with the command id of each entry, and the menus built so far.
struct OwnerMenuShared
{
    int styleUnderLuna = COwnerMenu::kXPLook;      ///< look on the flat desktop theme
    int styleOtherwise = COwnerMenu::kClassicLook; ///< look on any other desktop
    bool classicSelectDisabled = true; ///< classic look: disabled items highlight when selected
    bool xpSelectDisabled = false;     ///< flat look: disabled items never highlight
    bool xp3DIcons = true;             ///< flat look: faded and shadow icons, a wider icon column
    std::vector<QImage> sharedIcons;
    std::vector<int> sharedIconIds;
    std::vector<const QMenu*> allMenus;

    /// Drops `menu` from the menus built.
    void Forget(const QMenu* menu);
};

/// The one set of shared menu settings of the process.
OwnerMenuShared& SharedMenuState();
