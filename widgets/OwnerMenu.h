#pragma once

#include "MenuItemData.h"
#include "MenuTemplate.h"

#include <QByteArrayView>
#include <QImage>
#include <QMenu>

#include <memory>
#include <vector>

struct ToolbarResource;

/// A popup menu that paints its own items: an optional icon in a left-hand column, the text,
/// and an accelerator text aligned right, in the classic look or in a flat look with a shaded
/// icon column and a lightly tinted selection bar (the "XP" look). Icons come from toolbar
/// resources: each button's image goes to the items with the button's command id.
class COwnerMenu : public QMenu
{
    Q_OBJECT

public:
    /// The two looks.
    enum Look
    {
        kClassicLook = 0,
        kXPLook = 1,
    };

    /// How an item is to be drawn.
    struct ItemState
    {
        bool selected = false;
        bool grayed = false;
        bool checked = false;
    };

    /// Answer code of MatchMnemonic: the item at the position in the low word is chosen.
    static constexpr quint32 kMncExecute = 2;
    static constexpr quint32 kMfPopup = 0x0010;

    explicit COwnerMenu(QWidget* parent = nullptr);
    ~COwnerMenu() override;

    /// Selects the look of every owner-drawn menu, with and without the flat desktop theme.
    static void SelectDrawLook(int mode);
    /// Whether the flat look is in force (it is unless the classic theme was chosen).
    static bool IsXPLookActive();
    /// Whether the desktop counts as the flat theme (no classic theme in the settings).
    static bool IsLunaDesktop();
    /// Whether icons get faded and shadow variants in the flat look.
    static void SetXP3DIcons(bool enable);

    /// Builds the menu from menu template `resourceId` (res/menu/<id>). False when missing.
    bool LoadMenu(int resourceId);
    /// Builds the menu from the menu template in the file or resource `resourceName`.
    bool LoadMenu(const QString& resourceName);
    /// Builds the menu from a menu template at hand.
    bool LoadMenuTemplate(QByteArrayView bytes);
    bool IsLoaded() const { return m_bLoaded; }
    /// Removes every item, submenu and record.
    void DestroyMenu();

    void SetIconDimensions(int width, int height);
    int IconWidth() const { return m_nIconWidth; }
    int IconHeight() const { return m_nIconHeight; }
    /// The colour treated as transparent in toolbar bitmaps instead of the button face colour.
    void SetIconKeyColour(const QColor& colour);
    void ClearIconKeyColour();
    /// Disabled icons drawn as a lightened grey picture instead of embossed.
    void SetOldDisabledStyle() { m_bOldDisabledStyle = true; }
    void UnsetOldDisabledStyle() { m_bOldDisabledStyle = false; }

    /// Icons for checked items without an icon of their own: `unselected` and `selected` are
    /// icon resource ids, 0 for none.
    void SetCheckIcons(int unselected, int selected);

    /// Gives each item the image of the toolbar button with its command id, from toolbar
    /// resource `toolbarId` (res/toolbar/<id>) and its bitmap (res/bitmap/<id>).
    bool AttachToolbarImages(int toolbarId);
    /// The same from a toolbar resource and its bitmap at hand.
    bool AttachToolbarImages(const ToolbarResource& toolbar, const QImage& bitmap);
    /// Gives every item with `commandId`, here and in the submenus, image `offset` of `images`.
    void ModifyItemIcon(int commandId, const std::vector<QImage>& images, int offset);

    /// The size the item needs.
    QSize MeasureItem(const MenuItemData& item) const;
    /// Paints the item into `rect`.
    void DrawItem(QPainter& painter, const MenuItemData& item, const QRect& rect,
                  ItemState state) const;

    /// Whether `menu` was built by an owner-drawn menu and is still alive.
    static bool IsMenu(const QMenu* menu);
    /// The answer to a typed character: the first item (from the top) whose text, in lower
    /// case, holds "&" and the character, as position | kMncExecute << 16; else 0. Only for
    /// popup menus (`flags` holds kMfPopup).
    static quint32 MatchMnemonic(QChar character, quint32 flags, COwnerMenu* menu);

    /// The text of the item at `position`, empty when there is none.
    QString ItemLabelAt(int position) const;
    /// The record of the item at `position`, or null.
    const MenuItemData* ItemAt(int position) const;
    int ItemCount() const { return static_cast<int>(actions().size()); }
    /// The popup at `position`, or null.
    COwnerMenu* SubMenu(int position) const;

    /// The height of a menu bar line, which also bounds the items' heights.
    int MenuBarHeight() const;
    /// The shared icon list's entry `index`, for every menu.
    static QImage SharedIcon(int index);
    static int SharedIconId(int index);
    static int SharedIconCount();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct ImageRef
    {
        const std::vector<QImage>* list = nullptr;
        int index = -1;
        bool valid() const { return list && index >= 0 && index < static_cast<int>(list->size()); }
        const QImage& image() const { return (*list)[index]; }
    };

    void AddItems(const std::vector<MenuTemplateItem>& items);
    void SyncRecords();
    int Pad() const;
    ImageRef IconFor(const MenuItemData& item) const;
    ImageRef CheckImageFor(bool selected) const;
    bool Has3DVariants(const MenuItemData& item) const;
    void DrawDisabledIcon(QPainter& painter, QPoint at, const QImage& icon,
                          const QColor& background) const;
    void DrawItemText(QPainter& painter, const MenuItemData& item, const QRect& textRect,
                      const QColor& colour) const;
    void DrawClassic(QPainter& painter, const MenuItemData& item, const QRect& rect,
                     ItemState state) const;
    void DrawXP(QPainter& painter, const MenuItemData& item, const QRect& rect,
                ItemState state) const;
    static int AddSharedIcon(int commandId, const QImage& icon);

    std::vector<std::unique_ptr<MenuItemData>> m_ItemList;
    std::vector<COwnerMenu*> m_SubMenuList;
    int m_nIconWidth = 16;
    int m_nIconHeight = 15;
    QColor m_crIconKey{192, 192, 192};
    bool m_bIconKeySet = false;
    bool m_bOldDisabledStyle = false;
    std::shared_ptr<std::vector<QImage>> m_pCheckImages;
    int m_nSelectedCheckIcon = -1;
    int m_nUnselectedCheckIcon = -1;
    bool m_bLoaded = false;
};
