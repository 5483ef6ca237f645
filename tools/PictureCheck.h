#pragma once

#include <optional>
#include <string>

/// What is wrong with the picture file at `path` (UTF-8), in Chinese, or nothing when the
/// program's picture loader takes it: a regular file that decodes within the loader's limit.
std::optional<std::string> PictureProblem(const std::string& path);
