#pragma once
// Picture files through SDL2_image. Needs no display, so the headless
// platform decodes with it too.
#include <memory>

#include "platform/Platform.h"

namespace kv {

std::unique_ptr<ImageCodec> CreateSdlImageCodec();

}  // namespace kv
