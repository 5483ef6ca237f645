#include "CPicture.h"
#include "TestPictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class CPictureTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    CPicture picture;

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeImage(const QString& name, QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path(name)));
        return path(name);
    }

    QString writeBytes(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    /// Paints the picture onto a white 100 x 100 canvas.
    QImage rendered(const QRect& rect = QRect())
    {
        QImage canvas(100, 100, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.Render(painter, rect);
        return canvas;
    }
};

QByteArray bmpHeader(qint32 width, qint32 height)
{
    return QByteArray::fromStdString(BmpHeaderOnly(width, height));
}

} // namespace

TEST_F(CPictureTest, NothingLoadedMeasuresZeroAndPaintsNothing)
{
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
    EXPECT_FALSE(picture.IsLoaded());
    QImage white(100, 100, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(rendered(QRect(10, 10, 50, 50)), white);
}

TEST_F(CPictureTest, LoadsFromPathFileAndStreamAndASecondLoadReplacesTheFirst)
{
    const QString red = writeImage("red.png", {10, 20}, Qt::red);
    ASSERT_TRUE(picture.Load(red));
    EXPECT_EQ(picture.GetImageSize(), QSize(10, 20));

    QFile file(writeImage("blue.bmp", {30, 5}, Qt::blue));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(picture.Load(file));
    EXPECT_EQ(picture.GetImageSize(), QSize(30, 5));

    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImage(7, 3, QImage::Format_RGB32).save(&buffer, "JPEG");
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    ASSERT_TRUE(picture.Load(static_cast<QIODevice&>(buffer)));
    EXPECT_EQ(picture.GetImageSize(), QSize(7, 3));

    picture.Release();
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
}

TEST_F(CPictureTest, ZeroRectangleRendersTheNaturalSizeAtTheOrigin)
{
    ASSERT_TRUE(picture.Load(writeImage("red.png", {10, 20}, Qt::red)));
    const QImage natural = rendered();
    EXPECT_EQ(natural.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(natural.pixelColor(9, 19), QColor(Qt::red));
    EXPECT_EQ(natural.pixelColor(10, 0), QColor(Qt::white));
    EXPECT_EQ(natural.pixelColor(0, 20), QColor(Qt::white));

    const QImage scaled = rendered(QRect(50, 40, 20, 40));
    EXPECT_EQ(scaled.pixelColor(49, 40), QColor(Qt::white));
    EXPECT_EQ(scaled.pixelColor(50, 40), QColor(Qt::red));
    EXPECT_EQ(scaled.pixelColor(69, 79), QColor(Qt::red));
    EXPECT_EQ(scaled.pixelColor(70, 79), QColor(Qt::white));
}

TEST_F(CPictureTest, OnlyRegularFilesAreOpenedAndAFailedOpenKeepsThePicture)
{
    ASSERT_TRUE(picture.Load(writeImage("red.png", {10, 20}, Qt::red)));
    const QString fifo = path("fifo.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A FIFO without a writer would block an ordinary open for ever.
    EXPECT_FALSE(picture.Load(fifo));
    EXPECT_FALSE(picture.Load(QStringLiteral("/dev/zero")));
    EXPECT_FALSE(picture.Load(dir.path()));
    EXPECT_FALSE(picture.Load(path("missing.png")));
    EXPECT_EQ(picture.GetImageSize(), QSize(10, 20));
}

TEST_F(CPictureTest, UndecodableDataLeavesNoPicture)
{
    ASSERT_TRUE(picture.Load(writeImage("red.png", {10, 20}, Qt::red)));
    EXPECT_FALSE(picture.Load(writeBytes("text.bmp", "not a picture at all")));
    EXPECT_FALSE(picture.IsLoaded());
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
    EXPECT_FALSE(picture.Load(writeBytes("empty.png", {})));
    EXPECT_EQ(rendered().pixelColor(0, 0), QColor(Qt::white));

    // A header that reads, and data that does not: the picture measures 0 x 0, not what its
    // header claims.
    const QString headerOnly = writeBytes("header.bmp", bmpHeader(30, 20));
    ASSERT_EQ(QImageReader(headerOnly).size(), QSize(30, 20));
    EXPECT_FALSE(picture.Load(headerOnly));
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
}

TEST_F(CPictureTest, PicturesClaimingMoreThan64MiBOfPixelsAreRefusedBeforeDecoding)
{
    const struct
    {
        const char* name;
        QSize size;
    } huge[] = {{"square.bmp", {4097, 4096}}, // 4 bytes over the limit
                {"tall.bmp", {1, (1 << 24) + 1}},
                {"vast.bmp", {16384, 16384}}};
    for (const auto& h : huge) {
        const QString file = writeBytes(h.name, bmpHeader(h.size.width(), h.size.height()));
        // The header is read as claimed, so the refusal is the loader's own.
        ASSERT_EQ(QImageReader(file).size(), h.size) << h.name;
        EXPECT_FALSE(picture.Load(file)) << h.name;
        EXPECT_EQ(picture.GetImageSize(), QSize(0, 0)) << h.name;
    }
    EXPECT_TRUE(CPicture::AcceptableSize({4096, 4096}));
    EXPECT_TRUE(CPicture::AcceptableSize({1 << 24, 1}));
    EXPECT_FALSE(CPicture::AcceptableSize({0, 10}));
    EXPECT_FALSE(CPicture::AcceptableSize({0x7FFFFFFF, 0x7FFFFFFF}));
}

TEST_F(CPictureTest, ALongThinPictureSmallInMemoryLoadsWhateverItsSides)
{
    // 9000 x 60 is 2 MiB decoded.
    ASSERT_TRUE(picture.Load(writeImage("wide.png", {9000, 60}, Qt::red)));
    EXPECT_EQ(picture.GetImageSize(), QSize(9000, 60));
    ASSERT_TRUE(picture.Load(writeImage("tall.png", {3, 20000}, Qt::red)));
    EXPECT_EQ(picture.GetImageSize(), QSize(3, 20000));
}
