#pragma once

#include <QColor>

/// Each of red, green and blue moved toward 255 by `factor` of the distance, truncated. The
/// colour is returned unchanged unless 0 < factor <= 1.
QColor TintTowardWhite(const QColor& colour, double factor);

/// Each of red, green and blue moved toward 0 by `factor` of its value, truncated. The colour
/// is returned unchanged unless 0 < factor <= 1.
QColor ShadeTowardBlack(const QColor& colour, double factor);
