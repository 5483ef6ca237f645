#pragma once

#include <optional>
#include <string>

/// Pictures larger than this on either side are refused without being decoded.
inline constexpr int kMaxPictureSide = 8192;
/// Pictures whose decoded pixels (4 bytes each) would take more than this are refused.
inline constexpr long long kMaxPictureBytes = 64LL * 1024 * 1024;

/// What is wrong with the picture file at `path` (UTF-8), in Chinese, or nothing when it is
/// a regular file that decodes within the limits above.
std::optional<std::string> PictureProblem(const std::string& path);
