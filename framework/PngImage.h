#pragma once

#include <QImage>
#include <QImageReader>
#include <QString>

/// Makes `reader` read PNG without detecting its format: detection asks every installed image
/// plugin first, and loading them all took milliseconds of the program's start.
void ReadAsPng(QImageReader& reader);

/// The PNG image at `path` (a file, a resource or a "res:" path), read as ReadAsPng() reads.
/// Null when it cannot be read as PNG.
QImage ReadPngImage(const QString& path);
