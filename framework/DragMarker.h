#pragma once

#include <QList>
#include <QRect>

class QWidget;

/// Inverts `rect` (in `frame`'s coordinates) through a halftone pattern on top of everything
/// the frame shows; inverting the same rectangle again takes it away, leaving the screen as it
/// was.
void InvertHalftoneRect(QWidget& frame, const QRect& rect);

/// The rectangles inverted on `frame` just now.
QList<QRect> InvertedRects(const QWidget& frame);
