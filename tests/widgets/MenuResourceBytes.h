#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

/// Builders of the binary resources the owner-drawn menu reads, for tests.
namespace menubytes {

inline void Word(QByteArray& bytes, quint16 value)
{
    bytes.append(static_cast<char>(value & 0xff));
    bytes.append(static_cast<char>(value >> 8));
}

inline void Text(QByteArray& bytes, const QString& text)
{
    for (QChar c : text)
        Word(bytes, c.unicode());
    Word(bytes, 0);
}

/// A menu template header with `extra` bytes of header after the two words.
inline QByteArray Header(quint16 extra = 0)
{
    QByteArray bytes;
    Word(bytes, 0);
    Word(bytes, extra);
    bytes.append(QByteArray(extra, '\xee'));
    return bytes;
}

inline void Item(QByteArray& bytes, quint16 flags, quint16 id, const QString& text)
{
    Word(bytes, flags);
    Word(bytes, id);
    Text(bytes, text);
}

inline void Popup(QByteArray& bytes, quint16 flags, const QString& text)
{
    Word(bytes, flags | 0x10);
    Text(bytes, text);
}

inline QByteArray Toolbar(quint16 width, quint16 height, std::initializer_list<quint16> ids,
                          quint16 version = 1)
{
    QByteArray bytes;
    Word(bytes, version);
    Word(bytes, width);
    Word(bytes, height);
    Word(bytes, static_cast<quint16>(ids.size()));
    for (quint16 id : ids)
        Word(bytes, id);
    return bytes;
}

} // namespace menubytes
