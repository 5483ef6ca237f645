#include "TabPageEntry.h"

#include "PaintPrimitives.h"
#include "RectEdges.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

/// Drops whole characters from the end until two bytes of code page 936 text are gone: one
/// Chinese character, or two ASCII ones (or an ASCII character and the Chinese one before it,
/// rather than half of it).
void DropTwoBytes(QString& text)
{
    int dropped = 0;
    while (dropped < 2 && !text.isEmpty()) {
        dropped += text.back().unicode() < 0x80 ? 1 : 2;
        text.chop(1);
    }
}

/// A pen line that leaves out its end point; diagonal steps are drawn pixel by pixel.
void Line(QPainter& painter, QPoint from, QPoint to, const QColor& colour)
{
    if (from.x() != to.x() && from.y() != to.y()) {
        const QPoint step((to.x() > from.x()) ? 1 : -1, (to.y() > from.y()) ? 1 : -1);
        for (QPoint p = from; p.x() != to.x() && p.y() != to.y(); p += step)
            painter.fillRect(QRect(p, QSize(1, 1)), colour);
        return;
    }
    LineTo(painter, from, to, colour);
}

} // namespace

QString TabPageEntry::FittedTitle(const QString& title, int maxWidth, const QFontMetrics& metrics)
{
    QString text = title;
    int drops = 0;
    for (; drops < 10; ++drops) {
        if (metrics.horizontalAdvance(text) <= maxWidth)
            break;
        DropTwoBytes(text);
    }
    if (drops > 0) {
        DropTwoBytes(text);
        text += QStringLiteral("...");
    }
    return text;
}

void TabPageEntry::Draw(QPainter& painter, unsigned style, bool active, const Pens& pens,
                        const QColor& face) const
{
    int left = m_rcHeader.left();
    int top = m_rcHeader.top();
    int right = left + m_rcHeader.width();
    int bottom = top + m_rcHeader.height();
    constexpr unsigned kBottomStyle = 2;

    if (style & kBottomStyle) {
        if (active) {
            painter.fillRect(RectFromEdges(left, top - 2, right, bottom), face);
            top -= 1;
        } else {
            bottom -= 1;
        }
        painter.fillRect(m_rcHeader, face);
        Line(painter, {left, top}, {left, bottom - 1}, pens.white);
        Line(painter, {left + 1, bottom - 2}, {left + 1, bottom - 1}, pens.shadow);
        Line(painter, {left + 1, bottom - 1}, {right - 1, bottom - 1}, pens.shadow);
        Line(painter, {right - 2, bottom - 2}, {right - 1, bottom - 2}, pens.shadow);
        Line(painter, {right - 1, bottom - 2}, {right - 1, top - 1}, pens.shadow);
        Line(painter, {left + 2, bottom}, {right - 2, bottom}, pens.black);
        Line(painter, {right - 2, bottom}, {right, bottom - 2}, pens.black);
        Line(painter, {right, top}, {right, bottom - 1}, pens.black);
        top -= 1;
    } else {
        if (active) {
            // Covers the frame's top line under the tab, so the tab opens into the page.
            painter.fillRect(RectFromEdges(left, top, right, bottom + 1), face);
        } else {
            top += 2;
            painter.fillRect(RectFromEdges(left, top, right, bottom), face);
        }
        Line(painter, {left, bottom}, {left, top + 2}, pens.white);
        Line(painter, {left, top + 2}, {left + 2, top}, pens.white);
        Line(painter, {left + 2, top}, {right, top}, pens.white);
        Line(painter, {right - 1, top}, {right - 1, bottom}, pens.shadow);
        Line(painter, {right, top + 1}, {right, bottom}, pens.black);
    }

    left += 5;
    right -= 2;
    if (right - left > 16 && !m_hTabIcon.isNull()) {
        painter.drawPixmap(left, top + 3, m_hTabIcon.pixmap(16, 16));
        left += 18;
    }
    if (m_strCaption.isEmpty())
        return;
    top += 5;
    const QString text = FittedTitle(m_strCaption, right - left, painter.fontMetrics());
    const QRect textRect = RectFromEdges(left, top, right, bottom);
    painter.save();
    painter.setClipRect(textRect);
    painter.setPen(Qt::black);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}
