#pragma once

#include <string>

/// The whole content of the file at `path`, or of standard input when `path` is "-".
/// Throws CommandError naming the file when it cannot be read.
std::string ReadInputFile(const std::string& path);
