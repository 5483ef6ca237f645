#include "PicturePath.h"

#include "Gbk.h"

#include <algorithm>
#include <filesystem>

std::string PictureFilePath(std::string_view directory, std::string_view storedPath)
{
    // Converted first: a backslash byte may be the second byte of a two-byte character, but
    // in UTF-8 it is always a backslash.
    std::string name = gbk::toUtf8(storedPath);
    std::replace(name.begin(), name.end(), '\\', '/');
    return (std::filesystem::path(directory) / name).string();
}
