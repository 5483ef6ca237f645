#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

/// a * b / c rounded half away from zero, in 64-bit intermediate precision; -1 when c is 0.
int MulDiv(int a, int b, int c);

/// The font a dialog template names, at the pixel size a 96 dpi screen gives its point size.
/// "System" is a bitmap face that exists in one size only, 16 pixels, whatever size is asked.
/// A Windows face this desktop lacks is named by the face that stands in for it.
QFont DialogFont(const QString& face, int points);

/// The horizontal and vertical base units of a dialog font, by which dialog units become
/// pixels: cx from the average width of the 52 Latin letters, cy the font's height; for a Song
/// face, half its pixel size and its pixel size, as the Song face itself measures.
struct DialogBaseUnits
{
    int cx = 0;
    int cy = 0;

    static DialogBaseUnits OfFont(const QFont& font);

    int X(int dialogUnits) const { return MulDiv(dialogUnits, cx, 4); }
    int Y(int dialogUnits) const { return MulDiv(dialogUnits, cy, 8); }
    /// Position and size are converted each on their own, as the dialog manager does.
    QRect ToPixels(const QRect& dialogUnits) const;
    QSize ToPixels(const QSize& dialogUnits) const;
};
