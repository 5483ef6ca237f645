#include "DialogUnits.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

/// `text` drawn in black on white in `font`, at the given device pixel ratio.
QImage Drawn(const QFont& font, const QString& text, qreal ratio = 1)
{
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(text) + 4, metrics.height() + 4);
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(2, 2 + metrics.ascent(), text);
    return image;
}

/// How much darker than white the image is, summed over its pixels.
long Ink(const QImage& image)
{
    long ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(image.pixel(x, y));
    return ink;
}

/// How many pixels of two glyphs drawn in the same box differ clearly.
int DifferingPixels(const QFont& font, QChar a, QChar b)
{
    const QImage first = Drawn(font, QString(a) + a);
    const QImage second = Drawn(font, QString(b) + b);
    const int width = std::min(first.width(), second.width());
    int differing = 0;
    for (int y = 0; y < first.height(); ++y)
        for (int x = 0; x < width; ++x)
            differing += std::abs(qGray(first.pixel(x, y)) - qGray(second.pixel(x, y))) > 96;
    return differing;
}

} // namespace

TEST(SongFace, QueryFieldsTellLowerCaseLFromOneAndCapitalOFromZero)
{
    // "Cl" and "C1" in a formula query, "ethanol" and "ethano1": each pair drawn twice over
    // must differ in a good number of pixels, not in a stray one.
    for (const int points : {9, 12}) {
        SCOPED_TRACE(points);
        const QFont field = DialogFont(QStringLiteral("宋体"), points);
        EXPECT_GE(DifferingPixels(field, u'l', u'1'), 12);
        EXPECT_GE(DifferingPixels(field, u'I', u'l'), 8);
        EXPECT_GE(DifferingPixels(field, u'O', u'0'), 12);
    }
}

TEST(SongFace, BoldChineseComesFromABoldFaceAndKeepsItsWeightAtHigherRatios)
{
    QFont regular = DialogFont(QStringLiteral("宋体"), 12);
    QFont bold = regular;
    bold.setBold(true);
    const QString text = QStringLiteral("软件介绍商家加入");

    // Not a regular face smeared: that bold thins out as the device pixel ratio grows.
    QTextLayout layout(text, bold);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        EXPECT_TRUE(run.rawFont().styleName().contains(QStringLiteral("Bold")))
            << run.rawFont().familyName().toStdString() << " "
            << run.rawFont().styleName().toStdString();

    const auto boldness = [&](qreal ratio) {
        return static_cast<double>(Ink(Drawn(bold, text, ratio))) /
               static_cast<double>(Ink(Drawn(regular, text, ratio)));
    };
    const double atOne = boldness(1);
    for (const qreal ratio : {1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        EXPECT_GT(boldness(ratio), 1.3);
        EXPECT_GT(boldness(ratio), 0.9 * atOne);
    }
}
