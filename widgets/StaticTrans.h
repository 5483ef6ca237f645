#pragma once

#include <QBrush>
#include <QColor>
#include <QLabel>

/// A static text in a colour of its own on a solid background of its own, or on no background
/// at all so that whatever lies behind it shows through.
class CStaticTrans : public QLabel
{
    Q_OBJECT

public:
    explicit CStaticTrans(QWidget* parent = nullptr);

    void SetTextColour(const QColor& colour);
    QColor TextColour() const { return m_TextColour; }
    /// A solid background; an invalid colour (the default) means transparent. White is white.
    void SetBackgroundColour(const QColor& colour);
    QColor BackgroundColour() const { return m_BackgroundColour; }

    /// Asks the parent to repaint what lies behind the text (the control's rectangle less two
    /// pixels on every side), without erasing it first.
    void RefreshUnderParent();

    /// The brush the background is painted with (none when transparent), made afresh at every
    /// request.
    QBrush CtlColour();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ApplyColours();

    QColor m_TextColour{0, 0, 0};
    QColor m_BackgroundColour;
    QBrush m_Brush;
};
