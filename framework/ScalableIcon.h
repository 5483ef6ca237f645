#pragma once

#include <QImage>

/// Icon resource `id` ready to paint on a screen with `devicePixelRatio` screen pixels to the
/// logical pixel. At 1 it is the icon's own pixels ("res:icon/<id>", a PNG); above 1 it is the
/// icon's drawing ("res:icon/<id>.svg") rendered at that ratio, so that it stays sharp, with
/// the image's device pixel ratio set: it then paints at the icon's own size. An icon without
/// a drawing keeps its own pixels at any ratio. Null when the icon cannot be read.
QImage LoadScalableIcon(int id, qreal devicePixelRatio);
