#include "ScalableIcon.h"

#include "PngImage.h"
#include "ResourcePath.h"

#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

QImage LoadScalableIcon(int id, qreal devicePixelRatio)
{
    const QString pixels = ResourcePath(u"icon", id);
    if (devicePixelRatio <= 1.0)
        return ReadPngImage(pixels);
    QSvgRenderer drawing(pixels + QStringLiteral(".svg"));
    if (!drawing.isValid())
        return ReadPngImage(pixels);
    // The icon's own size decides the room it takes, so the layout is the same at any ratio.
    QImageReader own(pixels);
    ReadAsPng(own);
    QSize logical = own.size();
    if (!logical.isValid())
        logical = drawing.defaultSize();
    const QSize device(static_cast<int>(std::ceil(logical.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(logical.height() * devicePixelRatio)));
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        drawing.render(&painter, QRectF(QPointF(), QSizeF(device)));
    }
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
