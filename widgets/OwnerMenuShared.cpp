#include "OwnerMenuShared.h"

#include <algorithm>

void OwnerMenuShared::Forget(const QMenu* menu)
{
    allMenus.erase(std::remove(allMenus.begin(), allMenus.end(), menu), allMenus.end());
}

OwnerMenuShared& SharedMenuState()
{
    static OwnerMenuShared state;
    return state;
}
