#pragma once

#include <string>
#include <string_view>

/// The file the program opens for a record's structure picture: `storedPath` (code page 936, as
/// the record holds it) taken relative to `directory` (UTF-8) unless it is absolute. Databases
/// made on Windows separate folders with backslashes, so every backslash is a separator.
/// Returns a UTF-8 path.
std::string PictureFilePath(std::string_view directory, std::string_view storedPath);
