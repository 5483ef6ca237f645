#include "DialogUnits.h"

#include "FontSubstitutions.h"

#include <QFontMetrics>

#include <cstdint>

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = (c < 0 ? -c : c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -c : c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QFont DialogFont(const QString& face, int points)
{
    // Made from the application's font, as a widget's font would be: measuring with it then
    // takes the application's (unhinted) glyphs, as drawing does.
    QFont font;
    font.setFamily(QFont::substitute(face));
    font.setPixelSize(face == QStringLiteral("System") ? 16 : MulDiv(points, 96, 72));
    return font;
}

DialogBaseUnits DialogBaseUnits::OfFont(const QFont& font)
{
    // Measured, the face standing in for a Song face would grow every dialog by a third across
    // and by nearly half down: its units are those the Song face itself has.
    if (IsWindowsSongFace(font.family()))
        return {(font.pixelSize() + 1) / 2, font.pixelSize()};
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    // The average of 52 letters, rounded to the nearest pixel.
    return {(width / 26 + 1) / 2, metrics.height()};
}

QRect DialogBaseUnits::ToPixels(const QRect& dialogUnits) const
{
    return QRect(X(dialogUnits.x()), Y(dialogUnits.y()), X(dialogUnits.width()),
                 Y(dialogUnits.height()));
}

QSize DialogBaseUnits::ToPixels(const QSize& dialogUnits) const
{
    return QSize(X(dialogUnits.width()), Y(dialogUnits.height()));
}
