#pragma once
// A plain 32-bit picture: the currency between the platform (decoders, the
// display) and the canvas. Pixels are 0x00RRGGBB, row-major, no padding; the
// top byte is ignored everywhere so raster operations may touch it freely.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;

    Image() = default;
    Image(int width, int height, uint32_t fill = 0)
        : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}

    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint32_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};

constexpr uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r & 255) << 16) | (static_cast<uint32_t>(g & 255) << 8) |
           static_cast<uint32_t>(b & 255);
}

}  // namespace kv
