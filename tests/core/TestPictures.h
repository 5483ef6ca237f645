#pragma once

#include <cstdint>
#include <string>

/// The headers of a BMP file that claims `width` x `height` pixels of 24 bits, without any
/// pixel data: a picture whose size reads and whose data does not decode.
std::string BmpHeaderOnly(std::int32_t width, std::int32_t height);
