#include "MenuTemplate.h"

namespace {

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : m_Bytes(bytes) {}

    bool Word(quint16* value)
    {
        if (m_Offset + 2 > m_Bytes.size())
            return false;
        *value = static_cast<quint16>(static_cast<quint8>(m_Bytes[m_Offset]) |
                                      static_cast<quint8>(m_Bytes[m_Offset + 1]) << 8);
        m_Offset += 2;
        return true;
    }

    bool Skip(qsizetype count)
    {
        if (m_Offset + count > m_Bytes.size())
            return false;
        m_Offset += count;
        return true;
    }

    bool Text(QString* text)
    {
        QString result;
        for (quint16 unit = 0;;) {
            if (!Word(&unit))
                return false;
            if (unit == 0)
                break;
            result += QChar(unit);
        }
        *text = result;
        return true;
    }

private:
    QByteArrayView m_Bytes;
    qsizetype m_Offset = 0;
};

// Reads the items of one level, up to and including the one that carries the end mark.
bool ReadLevel(Reader& reader, std::vector<MenuTemplateItem>* items)
{
    for (;;) {
        MenuTemplateItem item;
        if (!reader.Word(&item.flags))
            return false;
        const bool last = (item.flags & MenuTemplateItem::kEnd) != 0;
        item.flags &= ~MenuTemplateItem::kEnd;
        if (!item.IsPopup() && !reader.Word(&item.id))
            return false;
        if (!reader.Text(&item.text))
            return false;
        if (item.IsPopup() && !ReadLevel(reader, &item.items))
            return false;
        items->push_back(std::move(item));
        if (last)
            return true;
    }
}

} // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(QByteArrayView bytes)
{
    Reader reader(bytes);
    quint16 version = 0;
    quint16 headerSize = 0;
    std::vector<MenuTemplateItem> items;
    if (!reader.Word(&version) || !reader.Word(&headerSize) || !reader.Skip(headerSize) ||
        !ReadLevel(reader, &items))
        return std::nullopt;
    return items;
}
