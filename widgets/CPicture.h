#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

class QFile;
class QIODevice;
class QPainter;
class QString;

/// A picture (BMP, GIF, JPEG, PNG, ICO) loaded from a file or a stream and painted into a
/// rectangle. Only regular files are opened, and pictures too large to hold are refused, so a
/// path taken from the database can neither hang nor exhaust memory.
class CPicture
{
public:
    /// Largest decoded size accepted, at four bytes per pixel, whatever the shape.
    static constexpr qint64 kMaxPixelBytes = 64 * 1024 * 1024;

    /// Loads the file at `path`. Returns false, keeping the picture held, when it is not a
    /// regular file or cannot be opened; otherwise returns what loading from the file returns.
    bool Load(const QString& path);

    /// Loads from an open file, which must be a regular file; otherwise returns false and
    /// keeps the picture held.
    bool Load(QFile& file);

    /// Releases the picture held and decodes a new one from the current position of `stream`.
    /// Returns false, holding no picture, when the data does not decode or is too large.
    bool Load(QIODevice& stream);

    /// The natural size in pixels; (0, 0) when nothing is loaded.
    QSize GetImageSize() const;

    /// Whether a picture of `size` pixels is small enough to decode.
    static bool AcceptableSize(const QSize& size);

    /// Paints the picture scaled into `rect`; an all-zero rectangle means its natural size at
    /// (0, 0). Paints nothing and returns false when nothing is loaded.
    bool Render(QPainter& painter, const QRect& rect = QRect()) const;

    /// Drops the picture held.
    void Release();

    bool IsLoaded() const { return !m_Image.isNull(); }

private:
    QImage m_Image;
};
