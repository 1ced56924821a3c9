#pragma once
// Writing JPEG files through SDL2_image, for the tools that make pictures.
// The game itself only reads pictures.
#include <string>

#include "platform/Image.h"

namespace kv {

// quality 1..100 (clamped). False when the picture is empty or the file
// cannot be written.
bool SaveJpeg(const Image& image, const std::string& path, int quality);

}  // namespace kv
