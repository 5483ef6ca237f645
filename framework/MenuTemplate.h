#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

/// One item of a menu template: a command, a separator or a popup with items of its own.
struct MenuTemplateItem
{
    quint16 flags = 0; ///< menu flags, without the end-of-level mark
    quint16 id = 0;    ///< command id (0 for popups and separators)
    QString text;
    std::vector<MenuTemplateItem> items; ///< a popup's items

    static constexpr quint16 kGrayed = 0x0001;
    static constexpr quint16 kDisabled = 0x0002;
    static constexpr quint16 kChecked = 0x0008;
    static constexpr quint16 kPopup = 0x0010;
    static constexpr quint16 kEnd = 0x0080;
    static constexpr quint16 kSeparator = 0x0800;

    bool IsPopup() const { return (flags & kPopup) != 0; }
    /// A separator is written as an item with no id and no text, or with the separator flag.
    bool IsSeparator() const
    {
        return !IsPopup() && ((flags & kSeparator) || (id == 0 && text.isEmpty()));
    }
};

/// Reads a menu template in its binary layout (all numbers 16-bit little-endian): a header of
/// a version word and a word giving the size of the extra header bytes that follow; then the
/// items: a flags word, for items that are not popups a command id word, and the text as a
/// zero-terminated UTF-16 string. A popup's items follow it; the flag 0x80 marks the last item
/// of each level. Returns nothing when the bytes end early.
std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(QByteArrayView bytes);
