#include "OwnerMenu.h"

#include "ColourBlend.h"
#include "OwnerMenuImages.h"
#include "OwnerMenuShared.h"
#include "PaintPrimitives.h"
#include "SystemColours.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

// The menu's painting: the frame, and each item in the classic or the flat look.

COwnerMenu::ImageRef COwnerMenu::IconFor(const MenuItemData& item) const
{
    if (item.m_pImageList != nullptr && item.m_nImageOffset >= 0)
        return {item.m_pImageList, item.m_nImageOffset};
    if (item.m_nGlobalIndex >= 0)
        return {&SharedMenuState().sharedIcons, item.m_nGlobalIndex};
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
    const std::vector<int>& ids = SharedMenuState().sharedIconIds;
    return ids[index + 1] == ids[index] && ids[index + 2] == ids[index];
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
    const bool selected =
        state.selected && (!state.grayed || SharedMenuState().classicSelectDisabled);
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
    const int pad = SharedMenuState().xp3DIcons ? 7 : 4;
    const int columnWidth = m_nIconWidth + pad;
    const QColor column = luna ? Face() : TintTowardWhite(Face(), 0.25);
    const QColor background = SystemColour(SysColour::Window);
    const QColor highlight = SystemColour(SysColour::Highlight);
    const QColor selection = TintTowardWhite(highlight, luna ? 0.7 : 0.85);
    const QColor checkFill = TintTowardWhite(highlight, 0.85);
    const bool selected = state.selected && (!state.grayed || SharedMenuState().xpSelectDisabled);
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
        } else if (SharedMenuState().xp3DIcons && Has3DVariants(item)) {
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
