#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include <initializer_list>

/// Small drawing operations shared by the self-painting controls. Rectangles are Qt rectangles;
/// lines follow the classic pen rule and leave out their end point.

/// A one-pixel frame just inside `rect`.
void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour);

/// A one-pixel 3-D frame: top and left in `topLeft`, right and bottom in `bottomRight`.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight);

/// A horizontal or vertical one-pixel line from `from` towards `to`, without `to` itself.
void LineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour);

/// An etched line (shadow over highlight) along the top of `rect`.
void DrawEtchedTop(QPainter& painter, const QRect& rect, const QColor& shadow,
                   const QColor& highlight);

/// The menu tick: seven 3-pixel strokes in columns x to x + 6, lowest in the third column.
void DrawCheckMark(QPainter& painter, QPoint at, const QColor& colour);

/// The silhouette of `image`: opaque white where a pixel is opaque and matches none of the
/// `background` colours, transparent elsewhere.
QImage SilhouetteOf(const QImage& image, std::initializer_list<QRgb> background);

/// The embossed look of a disabled image: the silhouette in `light` one pixel right and down,
/// then in `dark` in place.
void DrawEmbossed(QPainter& painter, QPoint at, const QImage& silhouette, const QColor& light,
                  const QColor& dark);

/// A copy in which every pixel that is not exactly black becomes its luminance
/// (0.299 red + 0.587 green + 0.114 blue, truncated) in all three channels; alpha is kept.
QImage GreyscaleCopy(const QImage& source);
