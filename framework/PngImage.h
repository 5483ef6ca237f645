#pragma once

#include <QImage>
#include <QString>

/// The PNG image at `path` (a file, a resource or a "res:" path), read as PNG without
/// detecting its format: detection asks every installed image plugin first, and loading them
/// all took milliseconds of the program's start. Null when it cannot be read as PNG.
QImage ReadPngImage(const QString& path);
