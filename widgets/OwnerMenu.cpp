#include "OwnerMenu.h"

#include "ColourBlend.h"
#include "MenuTheme.h"
#include "OwnerMenuImages.h"
#include "OwnerMenuShared.h"
#include "OwnerMenuStyle.h"
#include "ResourcePath.h"
#include "SystemColours.h"
#include "ToolbarResource.h"

#include <QFile>
#include <QKeyEvent>

#include <algorithm>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

COwnerMenu::COwnerMenu(QWidget* parent) : QMenu(parent)
{
    auto* style = new OwnerMenuStyle;
    style->setParent(this);
    setStyle(style);
}

COwnerMenu::~COwnerMenu()
{
    SharedMenuState().Forget(this);
}

void COwnerMenu::SelectDrawLook(int mode)
{
    OwnerMenuShared& shared = SharedMenuState();
    shared.styleUnderLuna = mode;
    shared.styleOtherwise = mode;
}

bool COwnerMenu::IsLunaDesktop()
{
    // A Linux desktop counts as the newest platform the looks know; only the classic theme
    // setting takes the flat theme away.
    return !IsClassicTheme();
}

bool COwnerMenu::IsXPLookActive()
{
    const OwnerMenuShared& shared = SharedMenuState();
    return (IsLunaDesktop() ? shared.styleUnderLuna : shared.styleOtherwise) == kXPLook;
}

void COwnerMenu::SetXP3DIcons(bool enable)
{
    SharedMenuState().xp3DIcons = enable;
}

bool COwnerMenu::LoadMenu(int resourceId)
{
    return LoadMenu(ResourcePath(u"menu", resourceId));
}

bool COwnerMenu::LoadMenu(const QString& resourceName)
{
    const QByteArray bytes = ReadAll(resourceName);
    return !bytes.isEmpty() && LoadMenuTemplate(bytes);
}

bool COwnerMenu::LoadMenuTemplate(QByteArrayView bytes)
{
    DestroyMenu();
    const auto items = ParseMenuTemplate(bytes);
    if (!items)
        return false;
    SharedMenuState().allMenus.push_back(this);
    AddItems(*items);
    m_bLoaded = true;
    return true;
}

void COwnerMenu::AddItems(const std::vector<MenuTemplateItem>& items)
{
    for (const MenuTemplateItem& item : items) {
        auto record = std::make_unique<MenuItemData>();
        record->m_pszText = item.text;
        record->m_nFlags = item.flags;
        if (item.IsPopup()) {
            auto* sub = new COwnerMenu(this);
            sub->setTitle(item.text);
            sub->m_nIconWidth = m_nIconWidth;
            sub->m_nIconHeight = m_nIconHeight;
            sub->m_pCheckImages = m_pCheckImages;
            sub->m_nSelectedCheckIcon = m_nSelectedCheckIcon;
            sub->m_nUnselectedCheckIcon = m_nUnselectedCheckIcon;
            sub->AddItems(item.items);
            SharedMenuState().allMenus.push_back(sub);
            m_SubMenuList.push_back(sub);
            addMenu(sub);
        } else if (item.IsSeparator()) {
            record->m_nFlags |= MenuItemData::kSeparator;
            addSeparator();
        } else {
            record->m_nID = item.id;
            QAction* action = addAction(item.text);
            action->setData(item.id);
            action->setEnabled(!(item.flags & (MenuItemData::kGrayed | MenuItemData::kDisabled)));
            if (item.flags & MenuItemData::kChecked) {
                action->setCheckable(true);
                action->setChecked(true);
            }
        }
        m_ItemList.push_back(std::move(record));
    }
}

void COwnerMenu::DestroyMenu()
{
    OwnerMenuShared& shared = SharedMenuState();
    shared.Forget(this);
    for (COwnerMenu* sub : m_SubMenuList) {
        shared.Forget(sub);
        delete sub;
    }
    m_SubMenuList.clear();
    m_ItemList.clear();
    m_pCheckImages.reset();
    clear();
    m_bLoaded = false;
}

void COwnerMenu::SyncRecords()
{
    const QList<QAction*> items = actions();
    if (m_ItemList.size() == static_cast<std::size_t>(items.size()))
        return;
    m_ItemList.clear();
    for (const QAction* action : items) {
        auto record = std::make_unique<MenuItemData>();
        record->m_pszText = action->text();
        record->m_nID = action->data().toUInt();
        if (action->isSeparator())
            record->m_nFlags |= MenuItemData::kSeparator;
        if (action->menu() != nullptr)
            record->m_nFlags |= MenuItemData::kPopup;
        m_ItemList.push_back(std::move(record));
    }
}

void COwnerMenu::SetIconDimensions(int width, int height)
{
    m_nIconWidth = width;
    m_nIconHeight = height;
    for (COwnerMenu* sub : m_SubMenuList)
        sub->SetIconDimensions(width, height);
}

void COwnerMenu::SetIconKeyColour(const QColor& colour)
{
    m_crIconKey = colour;
    m_bIconKeySet = true;
}

void COwnerMenu::ClearIconKeyColour()
{
    m_bIconKeySet = false;
}

void COwnerMenu::SetCheckIcons(int unselected, int selected)
{
    if (!m_pCheckImages)
        m_pCheckImages = std::make_shared<std::vector<QImage>>(2);
    (*m_pCheckImages)[0] = unselected > 0 ? QImage(ResourcePath(u"icon", unselected)) : QImage();
    (*m_pCheckImages)[1] = selected > 0 ? QImage(ResourcePath(u"icon", selected)) : QImage();
    m_nUnselectedCheckIcon = unselected;
    m_nSelectedCheckIcon = selected;
    for (COwnerMenu* sub : m_SubMenuList) {
        sub->m_pCheckImages = m_pCheckImages;
        sub->m_nUnselectedCheckIcon = unselected;
        sub->m_nSelectedCheckIcon = selected;
    }
}

bool COwnerMenu::AttachToolbarImages(int toolbarId)
{
    const auto toolbar = ParseToolbarResource(ReadAll(ResourcePath(u"toolbar", toolbarId)));
    const QImage bitmap(ResourcePath(u"bitmap", toolbarId));
    if (!toolbar || bitmap.isNull())
        return false;
    return AttachToolbarImages(*toolbar, bitmap);
}

bool COwnerMenu::AttachToolbarImages(const ToolbarResource& toolbar, const QImage& bitmap)
{
    if (bitmap.isNull())
        return false;
    SetIconDimensions(std::max(m_nIconWidth, toolbar.imageWidth),
                      std::max(m_nIconHeight, toolbar.imageHeight));
    const QRgb key = (m_bIconKeySet ? m_crIconKey : Face()).rgb() & 0x00ffffffu;
    std::vector<QImage> images;
    for (int left = 0; left + toolbar.imageWidth <= bitmap.width(); left += toolbar.imageWidth) {
        QImage image = bitmap.copy(left, 0, toolbar.imageWidth, toolbar.imageHeight)
                           .convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0x00ffffffu) == key)
                    image.setPixel(x, y, 0);
        images.push_back(image);
    }
    const std::vector<int> indexes = toolbar.ImageIndexes();
    for (std::size_t i = 0; i < toolbar.commandIds.size(); ++i)
        if (indexes[i] >= 0)
            ModifyItemIcon(toolbar.commandIds[i], images, indexes[i]);
    return true;
}

void COwnerMenu::ModifyItemIcon(int commandId, const std::vector<QImage>& images, int offset)
{
    if (offset < 0 || offset >= static_cast<int>(images.size()))
        return;
    SyncRecords();
    for (const auto& record : m_ItemList) {
        if (record->IsSeparator() || (record->m_nFlags & MenuItemData::kPopup) ||
            static_cast<int>(record->m_nID) != commandId)
            continue;
        // The images given are often a temporary list: the item draws from the shared list.
        record->m_nGlobalIndex = AddSharedIcon(commandId, images[offset]);
        record->m_nIconId = commandId;
        record->m_pImageList = nullptr;
        record->m_nImageOffset = -1;
    }
    for (COwnerMenu* sub : m_SubMenuList)
        sub->ModifyItemIcon(commandId, images, offset);
}

int COwnerMenu::AddSharedIcon(int commandId, const QImage& icon)
{
    OwnerMenuShared& shared = SharedMenuState();
    std::vector<QImage> entries{icon};
    if (IsXPLookActive() && shared.xp3DIcons) {
        entries.push_back(Variant(icon, [](QColor c) { return TintTowardWhite(c, 0.3); }));
        const QColor shadow = IsLunaDesktop()
                                  ? SystemColour(SysColour::BtnShadow)
                                  : TintTowardWhite(SystemColour(SysColour::BtnShadow), 0.49);
        entries.push_back(Variant(icon, [shadow](QColor) { return shadow; }));
    }
    const auto found =
        std::find(shared.sharedIconIds.begin(), shared.sharedIconIds.end(), commandId);
    if (found == shared.sharedIconIds.end()) {
        const int index = static_cast<int>(shared.sharedIcons.size());
        for (const QImage& entry : entries) {
            shared.sharedIcons.push_back(entry);
            shared.sharedIconIds.push_back(commandId);
        }
        return index;
    }
    // Replaced in place, so the indexes other items hold stay right.
    const int index = static_cast<int>(found - shared.sharedIconIds.begin());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = index + i;
        if (at >= shared.sharedIconIds.size() || shared.sharedIconIds[at] != commandId)
            break;
        shared.sharedIcons[at] = entries[i];
    }
    return index;
}

QImage COwnerMenu::SharedIcon(int index)
{
    return index >= 0 && index < SharedIconCount() ? SharedMenuState().sharedIcons[index]
                                                   : QImage();
}

int COwnerMenu::SharedIconId(int index)
{
    return index >= 0 && index < SharedIconCount() ? SharedMenuState().sharedIconIds[index] : -1;
}

int COwnerMenu::SharedIconCount()
{
    return static_cast<int>(SharedMenuState().sharedIcons.size());
}

bool COwnerMenu::IsMenu(const QMenu* menu)
{
    const std::vector<const QMenu*>& menus = SharedMenuState().allMenus;
    return std::find(menus.begin(), menus.end(), menu) != menus.end();
}

quint32 COwnerMenu::MatchMnemonic(QChar character, quint32 flags, COwnerMenu* menu)
{
    if (menu == nullptr || !(flags & kMfPopup))
        return 0;
    const QString key = QStringLiteral("&") + character.toLower();
    menu->SyncRecords();
    for (int position = 0; position < menu->ItemCount(); ++position)
        if (menu->ItemLabelAt(position).toLower().contains(key))
            return static_cast<quint32>(position) | kMncExecute << 16;
    return 0;
}

QString COwnerMenu::ItemLabelAt(int position) const
{
    const MenuItemData* item = ItemAt(position);
    return item != nullptr ? item->m_pszText : QString();
}

const MenuItemData* COwnerMenu::ItemAt(int position) const
{
    if (position < 0 || position >= static_cast<int>(m_ItemList.size()))
        return nullptr;
    return m_ItemList[position].get();
}

COwnerMenu* COwnerMenu::SubMenu(int position) const
{
    const QList<QAction*> items = actions();
    if (position < 0 || position >= items.size())
        return nullptr;
    return qobject_cast<COwnerMenu*>(items[position]->menu());
}

int COwnerMenu::MenuBarHeight() const
{
    return fontMetrics().height() + 6;
}

int COwnerMenu::Pad() const
{
    return IsXPLookActive() && SharedMenuState().xp3DIcons ? 7 : 4;
}

QSize COwnerMenu::MeasureItem(const MenuItemData& item) const
{
    const int pad = Pad();
    if (item.IsSeparator())
        return {0, std::max(MenuBarHeight() / 2, (m_nIconHeight + pad) / 2)};
    const int textWidth = fontMetrics().horizontalAdvance(item.m_pszText);
    const int width = IsXPLookActive() ? m_nIconWidth + pad + 8 + textWidth
                                       : m_nIconWidth + textWidth + 1 + m_nIconWidth;
    return {width, std::max(MenuBarHeight(), m_nIconHeight + pad)};
}

void COwnerMenu::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint() && !typed[0].isSpace()) {
        const quint32 answer = MatchMnemonic(typed[0], kMfPopup, this);
        if (answer != 0) {
            setActiveAction(actions()[static_cast<int>(answer & 0xffff)]);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QMenu::keyPressEvent(&enter);
            return;
        }
    }
    QMenu::keyPressEvent(event);
}
