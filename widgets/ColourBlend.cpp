#include "ColourBlend.h"

namespace {
bool Applies(double factor)
{
    return factor > 0.0 && factor <= 1.0;
}
} // namespace

QColor TintTowardWhite(const QColor& colour, double factor)
{
    if (!Applies(factor))
        return colour;
    const auto tint = [factor](int c) { return static_cast<int>(c + (255 - c) * factor); };
    return QColor(tint(colour.red()), tint(colour.green()), tint(colour.blue()));
}

QColor ShadeTowardBlack(const QColor& colour, double factor)
{
    if (!Applies(factor))
        return colour;
    const auto shade = [factor](int c) { return static_cast<int>(c - c * factor); };
    return QColor(shade(colour.red()), shade(colour.green()), shade(colour.blue()));
}
