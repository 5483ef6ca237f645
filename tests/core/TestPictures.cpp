#include "TestPictures.h"

namespace {

void put(std::string& bytes, std::size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string BmpHeaderOnly(std::int32_t width, std::int32_t height)
{
    std::string bytes(54, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, 54, 4);  // file size
    put(bytes, 10, 54, 4); // offset of the pixels
    put(bytes, 14, 40, 4); // size of the information header
    put(bytes, 18, static_cast<std::uint32_t>(width), 4);
    put(bytes, 22, static_cast<std::uint32_t>(height), 4);
    put(bytes, 26, 1, 2);  // planes
    put(bytes, 28, 24, 2); // bits per pixel
    return bytes;
}
