#include "CPicture.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isRegularFile(int fd)
{
    struct stat info;
    return fd >= 0 && fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

// Opened without blocking so that a FIFO without a writer cannot stall the paint; the
// descriptor is checked before anything is read from it.
bool openRegularFile(const QString& path, QFile& file)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (!isRegularFile(fd) || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

bool CPicture::Load(const QString& path)
{
    QFile file;
    return openRegularFile(path, file) && Load(file);
}

bool CPicture::Load(QFile& file)
{
    if (!file.isOpen() || !isRegularFile(file.handle()))
        return false;
    return Load(static_cast<QIODevice&>(file));
}

bool CPicture::Load(QIODevice& stream)
{
    Release();
    QImageReader reader(&stream);
    // The size is checked before decoding: Qt's own allocation limit can be lifted from the
    // environment, and a few header bytes may claim any size.
    if (!AcceptableSize(reader.size()))
        return false;
    QImage image = reader.read();
    if (image.isNull() || !AcceptableSize(image.size()))
        return false;
    m_Image = std::move(image);
    return true;
}

QSize CPicture::GetImageSize() const
{
    return IsLoaded() ? m_Image.size() : QSize(0, 0);
}

bool CPicture::AcceptableSize(const QSize& size)
{
    // A long thin picture is as welcome as a square one: only the memory it takes counts.
    // (Both sides are below 2^31, so their product cannot overflow.)
    return size.isValid() && !size.isEmpty() &&
           qint64(size.width()) * size.height() <= kMaxPixelBytes / 4;
}

bool CPicture::Render(QPainter& painter, const QRect& rect) const
{
    if (!IsLoaded())
        return false;
    const QRect target = rect == QRect() ? QRect(QPoint(0, 0), m_Image.size()) : rect;
    painter.drawImage(target, m_Image);
    return true;
}

void CPicture::Release()
{
    m_Image = QImage();
}
