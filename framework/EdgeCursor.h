#pragma once

#include <QObject>

class QWidget;

/// The cursor that shows a sizing edge's direction for hit code `hitCode`.
Qt::CursorShape SizingCursor(unsigned hitCode);

/// Keeps a sizing cursor on a widget only while the mouse is over one of its edges. A child
/// without a cursor of its own shows its parent's, so a sizing cursor left on the widget would
/// show over its children's borders: it goes as soon as the mouse enters a child.
class EdgeCursor : public QObject
{
public:
    explicit EdgeCursor(QWidget& owner);

    /// Shows the sizing cursor of an edge or corner hit code, and the ordinary one for any
    /// other code.
    void Show(unsigned hitCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_Owner;
};
