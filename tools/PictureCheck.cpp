#include "PictureCheck.h"

#include "CPicture.h"

#include <QImageReader>
#include <QString>

#include <filesystem>
#include <system_error>
#include <unistd.h>

std::optional<std::string> PictureProblem(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::string("图片文件不存在");
    if (status.type() == std::filesystem::file_type::directory)
        return std::string("这是一个目录，不是图片文件");
    // Anything but a regular file (a FIFO, a device) could block or never end.
    if (status.type() != std::filesystem::file_type::regular)
        return std::string("这不是一个普通文件");
    if (::access(path.c_str(), R_OK) != 0)
        return std::string("没有读取权限");

    const QString file = QString::fromStdString(path);
    const QSize size = QImageReader(file).size();
    if (size.isEmpty())
        return std::string("无法识别的图片格式，或文件已损坏");
    if (!CPicture::AcceptableSize(size))
        return "图片太大（" + std::to_string(size.width()) + "×" + std::to_string(size.height()) +
               " 像素），解码后超过了 " + std::to_string(CPicture::kMaxPixelBytes >> 20) +
               " MiB 的限制";
    if (CPicture picture; !picture.Load(file))
        return std::string("图片无法解码");
    return std::nullopt;
}
