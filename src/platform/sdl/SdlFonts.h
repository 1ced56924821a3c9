#pragma once
// The font rasteriser (SDL_ttf over the IPA Gothic faces). It needs no
// display, so the headless platform draws its text with it too.
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace kv {

// The faces come from $KORVANE_FONT_DIR, else from the folder the build was
// configured with. nullptr and error ("font not found: PATH") when one is missing.
std::unique_ptr<FontLibrary> CreateSdlFontLibrary(std::string& error);

}  // namespace kv
