#include "PaintPrimitives.h"

#include <algorithm>

void FrameRect(QPainter& painter, const QRect& rect, const QColor& colour)
{
    Draw3dRect(painter, rect, colour, colour);
}

void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft,
                const QColor& bottomRight)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const int x = rect.x(), y = rect.y(), w = rect.width(), h = rect.height();
    painter.fillRect(QRect(x, y, w - 1, 1), topLeft);
    painter.fillRect(QRect(x, y, 1, h - 1), topLeft);
    painter.fillRect(QRect(x + w - 1, y, 1, h), bottomRight);
    painter.fillRect(QRect(x, y + h - 1, w, 1), bottomRight);
}

void LineTo(QPainter& painter, QPoint from, QPoint to, const QColor& colour)
{
    if (from.y() == to.y() && from.x() != to.x()) {
        const int step = to.x() > from.x() ? 1 : -1;
        const int last = to.x() - step;
        painter.fillRect(
            QRect(std::min(from.x(), last), from.y(), std::abs(last - from.x()) + 1, 1), colour);
    } else if (from.x() == to.x() && from.y() != to.y()) {
        const int step = to.y() > from.y() ? 1 : -1;
        const int last = to.y() - step;
        painter.fillRect(
            QRect(from.x(), std::min(from.y(), last), 1, std::abs(last - from.y()) + 1), colour);
    }
}

void DrawEtchedTop(QPainter& painter, const QRect& rect, const QColor& shadow,
                   const QColor& highlight)
{
    painter.fillRect(QRect(rect.x(), rect.y(), rect.width(), 1), shadow);
    painter.fillRect(QRect(rect.x(), rect.y() + 1, rect.width(), 1), highlight);
}

void DrawCheckMark(QPainter& painter, QPoint at, const QColor& colour)
{
    static constexpr int kDrop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column)
        painter.fillRect(QRect(at.x() + column, at.y() + kDrop[column], 1, 3), colour);
}

QImage SilhouetteOf(const QImage& image, std::initializer_list<QRgb> background)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage shape(source.size(), QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb pixel = source.pixel(x, y);
            const bool opaque = qAlpha(pixel) >= 128;
            const bool isBackground =
                std::any_of(background.begin(), background.end(), [pixel](QRgb colour) {
                    return qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) == (colour | 0xff000000u);
                });
            if (opaque && !isBackground)
                shape.setPixel(x, y, 0xffffffffu);
        }
    }
    return shape;
}

namespace {
QImage Coloured(const QImage& silhouette, const QColor& colour)
{
    QImage result = silhouette;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(result.rect(), colour);
    return result;
}
} // namespace

void DrawEmbossed(QPainter& painter, QPoint at, const QImage& silhouette, const QColor& light,
                  const QColor& dark)
{
    painter.drawImage(at + QPoint(1, 1), Coloured(silhouette, light));
    painter.drawImage(at, Coloured(silhouette, dark));
}

QImage GreyscaleCopy(const QImage& source)
{
    QImage grey = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const QRgb pixel = line[x];
            if ((pixel & 0x00ffffffu) == 0)
                continue;
            const int value = static_cast<int>(qRed(pixel) * 0.299 + qGreen(pixel) * 0.587 +
                                               qBlue(pixel) * 0.114);
            line[x] = qRgba(value, value, value, qAlpha(pixel));
        }
    }
    return grey;
}
