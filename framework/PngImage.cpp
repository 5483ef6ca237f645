#include "PngImage.h"

#include <QImageReader>

QImage ReadPngImage(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
