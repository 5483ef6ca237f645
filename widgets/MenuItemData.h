#pragma once

#include <QImage>
#include <QString>

#include <vector>

/// What an owner-drawn menu keeps for each of its items.
struct MenuItemData
{
    QString m_pszText;       ///< the text; a tab separates the label from the accelerator text
    int m_nImageOffset = -1; ///< the icon's index in m_pImageList, -1 for none
    int m_nGlobalIndex = -1; ///< the icon's index in the shared icon list, -1 for none
    int m_nIconId = -1;      ///< the icon's id, -1 when the item has no icon of its own
    quint32 m_nFlags = 0;    ///< menu flags of the item
    quint32 m_nID = 0;       ///< command id (0 for popups)
    const std::vector<QImage>* m_pImageList = nullptr; ///< list holding the item's own icon

    static constexpr quint32 kGrayed = 0x0001;
    static constexpr quint32 kDisabled = 0x0002;
    static constexpr quint32 kChecked = 0x0008;
    static constexpr quint32 kPopup = 0x0010;
    static constexpr quint32 kSeparator = 0x0800;

    bool IsSeparator() const { return (m_nFlags & kSeparator) != 0; }
};
