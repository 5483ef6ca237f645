#pragma once

#include <QColor>
#include <QImage>

#include <algorithm>

// Image helpers of the owner-drawn menu: its icons are drawn and derived on the button face
// colour, which then counts as transparent.

/// The button face colour, on which the menu's icons are composed.
QColor Face();

/// The icon as it shows on the button face colour.
QImage OnFace(const QImage& icon);

/// The image with every pixel of the button face colour left out.
QImage FaceTransparent(QImage image);

/// The icon on the face colour with every pixel that differs from the one at (1, 1) replaced by
/// `change` of it, and the face colour then left out again.
template <typename Change> QImage Variant(const QImage& icon, Change change)
{
    QImage image = OnFace(icon);
    const QPoint probe(std::min(1, image.width() - 1), std::min(1, image.height() - 1));
    const QRgb reference = image.pixel(probe);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != reference)
                image.setPixel(x, y, change(QColor(image.pixel(x, y))).rgb());
    return FaceTransparent(image);
}
