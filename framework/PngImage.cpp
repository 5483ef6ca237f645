#include "PngImage.h"

void ReadAsPng(QImageReader& reader)
{
    reader.setFormat("png");
    reader.setAutoDetectImageFormat(false);
}

QImage ReadPngImage(const QString& path)
{
    QImageReader reader(path);
    ReadAsPng(reader);
    return reader.read();
}
