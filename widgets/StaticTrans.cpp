#include "StaticTrans.h"

#include <QPainter>

CStaticTrans::CStaticTrans(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(false);
    ApplyColours();
}

void CStaticTrans::SetTextColour(const QColor& colour)
{
    m_TextColour = colour;
    ApplyColours();
}

void CStaticTrans::SetBackgroundColour(const QColor& colour)
{
    m_BackgroundColour = colour;
    ApplyColours();
}

void CStaticTrans::RefreshUnderParent()
{
    if (QWidget* parent = parentWidget())
        parent->update(geometry().adjusted(2, 2, -2, -2));
}

QBrush CStaticTrans::CtlColour()
{
    m_Brush = m_BackgroundColour.isValid() ? QBrush(m_BackgroundColour) : QBrush(Qt::NoBrush);
    return m_Brush;
}

void CStaticTrans::ApplyColours()
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, m_TextColour);
    colours.setColor(QPalette::Window,
                     m_BackgroundColour.isValid() ? m_BackgroundColour : QColor(Qt::transparent));
    setPalette(colours);
}

void CStaticTrans::paintEvent(QPaintEvent* event)
{
    const QBrush brush = CtlColour();
    if (brush.style() != Qt::NoBrush) {
        QPainter painter(this);
        painter.fillRect(rect(), brush);
    }
    QLabel::paintEvent(event);
}
