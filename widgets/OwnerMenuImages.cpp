#include "OwnerMenuImages.h"

#include "SystemColours.h"

#include <QPainter>

QColor Face()
{
    return SystemColour(SysColour::BtnFace);
}

QImage OnFace(const QImage& icon)
{
    QImage image(icon.size(), QImage::Format_ARGB32);
    image.fill(Face());
    QPainter painter(&image);
    painter.drawImage(0, 0, icon);
    return image;
}

QImage FaceTransparent(QImage image)
{
    const QRgb face = Face().rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == face)
                image.setPixel(x, y, 0);
    return image;
}
