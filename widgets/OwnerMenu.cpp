#include "OwnerMenu.h"

#include "ColourBlend.h"
#include "MenuTheme.h"
#include "OwnerMenuStyle.h"
#include "PaintPrimitives.h"
#include "ResourcePath.h"
#include "SystemColours.h"
#include "ToolbarResource.h"

#include <QFile>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace {

// Settings shared by every owner-drawn menu of the process.
int s_nStyleUnderLuna = COwnerMenu::kXPLook;
int s_nStyleOtherwise = COwnerMenu::kClassicLook;
constexpr bool s_bClassicSelectDisabled = true;
constexpr bool s_bXPSelectDisabled = false;
bool s_bXP3DIcons = true;
std::vector<QImage> s_SharedIcons;
std::vector<int> s_SharedIconIds;
std::vector<const QMenu*> s_AllMenus;

void Forget(const QMenu* menu)
{
    s_AllMenus.erase(std::remove(s_AllMenus.begin(), s_AllMenus.end(), menu), s_AllMenus.end());
}

QColor Face()
{
    return SystemColour(SysColour::BtnFace);
}

// The icon as it shows on the button face colour, with the face colour then left out again.
QImage OnFace(const QImage& icon)
{
    QImage image(icon.size(), QImage::Format_ARGB32);
    image.fill(Face());
    QPainter painter(&image);
    painter.drawImage(0, 0, icon);
    return image;
}

QImage FaceTransparent(QImage image)
{
    const QRgb face = Face().rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == face)
                image.setPixel(x, y, 0);
    return image;
}

// Every pixel that differs from the one at (1, 1) is replaced by `change` of it.
template <typename Change> QImage Variant(const QImage& icon, Change change)
{
    QImage image = OnFace(icon);
    const QPoint probe(std::min(1, image.width() - 1), std::min(1, image.height() - 1));
    const QRgb reference = image.pixel(probe);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != reference)
                image.setPixel(x, y, change(QColor(image.pixel(x, y))).rgb());
    return FaceTransparent(image);
}

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
    Forget(this);
}

void COwnerMenu::SelectDrawLook(int mode)
{
    s_nStyleUnderLuna = mode;
    s_nStyleOtherwise = mode;
}

bool COwnerMenu::IsLunaDesktop()
{
    // A Linux desktop counts as the newest platform the looks know; only the classic theme
    // setting takes the flat theme away.
    return !IsClassicTheme();
}

bool COwnerMenu::IsXPLookActive()
{
    return (IsLunaDesktop() ? s_nStyleUnderLuna : s_nStyleOtherwise) == kXPLook;
}

void COwnerMenu::SetXP3DIcons(bool enable)
{
    s_bXP3DIcons = enable;
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
    s_AllMenus.push_back(this);
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
            s_AllMenus.push_back(sub);
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
    Forget(this);
    for (COwnerMenu* sub : m_SubMenuList) {
        Forget(sub);
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
    std::vector<QImage> entries{icon};
    if (IsXPLookActive() && s_bXP3DIcons) {
        entries.push_back(Variant(icon, [](QColor c) { return TintTowardWhite(c, 0.3); }));
        const QColor shadow = IsLunaDesktop()
                                  ? SystemColour(SysColour::BtnShadow)
                                  : TintTowardWhite(SystemColour(SysColour::BtnShadow), 0.49);
        entries.push_back(Variant(icon, [shadow](QColor) { return shadow; }));
    }
    const auto found = std::find(s_SharedIconIds.begin(), s_SharedIconIds.end(), commandId);
    if (found == s_SharedIconIds.end()) {
        const int index = static_cast<int>(s_SharedIcons.size());
        for (const QImage& entry : entries) {
            s_SharedIcons.push_back(entry);
            s_SharedIconIds.push_back(commandId);
        }
        return index;
    }
    // Replaced in place, so the indexes other items hold stay right.
    const int index = static_cast<int>(found - s_SharedIconIds.begin());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::size_t at = index + i;
        if (at >= s_SharedIconIds.size() || s_SharedIconIds[at] != commandId)
            break;
        s_SharedIcons[at] = entries[i];
    }
    return index;
}

QImage COwnerMenu::SharedIcon(int index)
{
    return index >= 0 && index < SharedIconCount() ? s_SharedIcons[index] : QImage();
}

int COwnerMenu::SharedIconId(int index)
{
    return index >= 0 && index < SharedIconCount() ? s_SharedIconIds[index] : -1;
}

int COwnerMenu::SharedIconCount()
{
    return static_cast<int>(s_SharedIcons.size());
}

bool COwnerMenu::IsMenu(const QMenu* menu)
{
    return std::find(s_AllMenus.begin(), s_AllMenus.end(), menu) != s_AllMenus.end();
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
    return IsXPLookActive() && s_bXP3DIcons ? 7 : 4;
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

COwnerMenu::ImageRef COwnerMenu::IconFor(const MenuItemData& item) const
{
    if (item.m_pImageList != nullptr && item.m_nImageOffset >= 0)
        return {item.m_pImageList, item.m_nImageOffset};
    if (item.m_nGlobalIndex >= 0)
        return {&s_SharedIcons, item.m_nGlobalIndex};
    return {};
}

COwnerMenu::ImageRef COwnerMenu::CheckImageFor(bool selected) const
{
    if (!m_pCheckImages)
        return {};
    if (selected && m_nSelectedCheckIcon > 0)
        return {m_pCheckImages.get(), 1};
    if (!selected && m_nUnselectedCheckIcon > 0)
        return {m_pCheckImages.get(), 0};
    return {};
}

bool COwnerMenu::Has3DVariants(const MenuItemData& item) const
{
    if (item.m_pImageList != nullptr && item.m_nImageOffset >= 0)
        return item.m_pImageList->size() > 2 && item.m_nImageOffset == 0;
    const int index = item.m_nGlobalIndex;
    if (index < 0 || index + 2 >= SharedIconCount())
        return false;
    return s_SharedIconIds[index + 1] == s_SharedIconIds[index] &&
           s_SharedIconIds[index + 2] == s_SharedIconIds[index];
}

void COwnerMenu::DrawDisabledIcon(QPainter& painter, QPoint at, const QImage& icon,
                                  const QColor& background) const
{
    painter.fillRect(QRect(at, icon.size()), background);
    if (m_bOldDisabledStyle) {
        painter.save();
        painter.setOpacity(0.5);
        painter.drawImage(at, GreyscaleCopy(icon));
        painter.restore();
        return;
    }
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    const QImage shape = SilhouetteOf(OnFace(icon), {Face().rgb(), highlight.rgb()});
    DrawEmbossed(painter, at, shape, highlight, SystemColour(SysColour::BtnShadow));
}

void COwnerMenu::DrawItemText(QPainter& painter, const MenuItemData& item, const QRect& textRect,
                              const QColor& colour) const
{
    const QString& text = item.m_pszText;
    const qsizetype firstTab = text.indexOf(QLatin1Char('\t'));
    const int flags = Qt::TextSingleLine | Qt::AlignVCenter | Qt::TextShowMnemonic;
    painter.setPen(colour);
    painter.drawText(textRect, flags | Qt::AlignLeft, firstTab < 0 ? text : text.left(firstTab));
    if (firstTab >= 0)
        painter.drawText(textRect.adjusted(0, 0, -m_nIconWidth, 0), flags | Qt::AlignRight,
                         text.mid(text.lastIndexOf(QLatin1Char('\t')) + 1));
}

void COwnerMenu::DrawItem(QPainter& painter, const MenuItemData& item, const QRect& rect,
                          ItemState state) const
{
    painter.save();
    painter.setFont(font());
    // A palette device cannot show the tints of the flat look.
    const bool palette = painter.device() != nullptr && painter.device()->depth() <= 8;
    if (!palette && IsXPLookActive())
        DrawXP(painter, item, rect, state);
    else
        DrawClassic(painter, item, rect, state);
    painter.restore();
}

void COwnerMenu::DrawClassic(QPainter& painter, const MenuItemData& item, const QRect& rect,
                             ItemState state) const
{
    const QColor background = SystemColour(IsLunaDesktop() ? SysColour::BtnFace : SysColour::Menu);
    const QColor shadow = SystemColour(SysColour::BtnShadow);
    const QColor highlight = SystemColour(SysColour::BtnHighlight);
    const bool selected = state.selected && (!state.grayed || s_bClassicSelectDisabled);
    if (item.IsSeparator()) {
        painter.fillRect(rect, background);
        DrawEtchedTop(painter, rect.adjusted(0, rect.height() / 2, 0, 0), shadow, highlight);
        return;
    }
    const ImageRef icon = IconFor(item);
    const ImageRef checkImage =
        !icon.valid() && state.checked ? CheckImageFor(selected) : ImageRef{};
    const ImageRef image = icon.valid() ? icon : checkImage;
    const bool hasMark = image.valid() || state.checked;

    painter.fillRect(rect, background);
    QColor textColour = SystemColour(SysColour::MenuText);
    if (selected) {
        painter.fillRect(rect.adjusted(hasMark ? m_nIconWidth + 5 : 0, 0, 0, 0),
                         SystemColour(SysColour::Highlight));
        textColour = SystemColour(SysColour::HighlightText);
    }

    const int dy = std::max(0, (rect.height() - 4 - m_nIconHeight) / 2);
    const QRect box(rect.left(), rect.top() + dy, m_nIconWidth + 4, m_nIconHeight + 4);
    const QPoint imageAt(rect.left() + 2, rect.top() + 2 + dy);
    if (image.valid()) {
        if (state.checked && !selected) {
            painter.fillRect(box, TintTowardWhite(background, 0.6));
            Draw3dRect(painter, box, shadow, highlight);
        }
        if (state.grayed && !selected)
            DrawDisabledIcon(painter, imageAt, image.image(), background);
        else
            painter.drawImage(imageAt, image.image());
        if (selected && !state.grayed) {
            if (state.checked)
                Draw3dRect(painter, box, shadow, highlight);
            else
                Draw3dRect(painter, box, highlight, shadow);
        }
    } else if (state.checked) {
        const QRect mark(rect.left() + 1, rect.top() + 2 + dy, m_nIconWidth, m_nIconHeight);
        painter.fillRect(mark, selected ? background : TintTowardWhite(background, 0.6));
        Draw3dRect(painter, mark, shadow, highlight);
        DrawCheckMark(painter, mark.topLeft() + QPoint(4, 4), SystemColour(SysColour::MenuText));
    }

    const int textLeft = rect.left() + m_nIconWidth + 9;
    const QRect textRect(textLeft, rect.top() - 1, rect.right() + 1 - textLeft, rect.height());
    if (!state.grayed) {
        DrawItemText(painter, item, textRect, textColour);
    } else if (!selected) {
        DrawItemText(painter, item, textRect.translated(1, 1), highlight);
        DrawItemText(painter, item, textRect, SystemColour(SysColour::GrayText));
    } else {
        DrawItemText(painter, item, textRect, background);
    }
}

void COwnerMenu::DrawXP(QPainter& painter, const MenuItemData& item, const QRect& rect,
                        ItemState state) const
{
    const bool luna = IsLunaDesktop();
    const int pad = s_bXP3DIcons ? 7 : 4;
    const int columnWidth = m_nIconWidth + pad;
    const QColor column = luna ? Face() : TintTowardWhite(Face(), 0.25);
    const QColor background = SystemColour(SysColour::Window);
    const QColor highlight = SystemColour(SysColour::Highlight);
    const QColor selection = TintTowardWhite(highlight, luna ? 0.7 : 0.85);
    const QColor checkFill = TintTowardWhite(highlight, 0.85);
    const bool selected = state.selected && (!state.grayed || s_bXPSelectDisabled);
    const QRect columnRect(rect.left(), rect.top(), columnWidth, rect.height());

    painter.fillRect(rect, background);
    if (item.IsSeparator()) {
        painter.fillRect(columnRect, column);
        const QRect line(rect.left() + columnWidth + pad, rect.top() + rect.height() / 2,
                         rect.width() - columnWidth - pad, 2);
        DrawEtchedTop(painter, line, SystemColour(SysColour::BtnShadow),
                      SystemColour(SysColour::BtnHighlight));
        return;
    }
    if (selected) {
        painter.fillRect(rect, selection);
        FrameRect(painter, rect, highlight);
    } else {
        painter.fillRect(columnRect, column);
    }

    const int dx = std::max(0, (columnWidth - m_nIconWidth) / 2);
    const int dy = std::max(0, (rect.height() - m_nIconHeight) / 2);
    const QPoint at(rect.left() + dx, rect.top() + dy);
    const ImageRef icon = IconFor(item);
    if (icon.valid()) {
        if (state.checked) {
            const QRect box(at - QPoint(1, 1), QSize(m_nIconWidth + 2, m_nIconHeight + 2));
            painter.fillRect(box, checkFill);
            FrameRect(painter, box, highlight);
        }
        if (state.grayed) {
            DrawDisabledIcon(painter, at, icon.image(), selected ? selection : column);
        } else if (s_bXP3DIcons && Has3DVariants(item)) {
            const int index = icon.index;
            if (selected) {
                painter.drawImage(at + QPoint(1, 1), (*icon.list)[index + 2]);
                painter.drawImage(at - QPoint(1, 1), icon.image());
            } else {
                painter.drawImage(at, (*icon.list)[index + 1]);
            }
        } else {
            painter.drawImage(at, icon.image());
        }
    } else if (state.checked) {
        const QRect box(at, QSize(16, 16));
        painter.fillRect(box, checkFill);
        FrameRect(painter, box, highlight);
        DrawCheckMark(painter, box.topLeft() + QPoint(5, 4), SystemColour(SysColour::MenuText));
    }

    const int textLeft = rect.left() + columnWidth + 8;
    const QRect textRect(textLeft, rect.top(), rect.right() + 1 - textLeft, rect.height());
    QColor textColour = SystemColour(SysColour::MenuText);
    if (state.grayed) {
        textColour = SystemColour(SysColour::GrayText);
        if (!selected && !luna)
            textColour = TintTowardWhite(textColour, 0.4);
    }
    DrawItemText(painter, item, textRect, textColour);
}

void COwnerMenu::paintEvent(QPaintEvent*)
{
    SyncRecords();
    QPainter painter(this);
    const bool xp = IsXPLookActive();
    painter.fillRect(rect(), SystemColour(xp ? SysColour::Window : SysColour::Menu));
    if (xp) {
        FrameRect(painter, rect(), SystemColour(SysColour::BtnShadow));
    } else {
        Draw3dRect(painter, rect(), SystemColour(SysColour::Light3d),
                   SystemColour(SysColour::DkShadow3d));
        Draw3dRect(painter, rect().adjusted(1, 1, -1, -1), SystemColour(SysColour::BtnHighlight),
                   SystemColour(SysColour::BtnShadow));
    }
    const QList<QAction*> items = actions();
    for (int i = 0; i < items.size(); ++i) {
        const QRect itemRect = actionGeometry(items[i]);
        if (!items[i]->isVisible() || itemRect.isEmpty())
            continue;
        ItemState state;
        state.selected = items[i] == activeAction();
        state.grayed = !items[i]->isEnabled();
        state.checked = items[i]->isChecked();
        DrawItem(painter, *m_ItemList[i], itemRect, state);
    }
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
