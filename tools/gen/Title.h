#pragma once
// The title picture: a castle on a crag under a night sky with both moons,
// the game's name across the top. The band where the start prompt appears
// (around y = 360) and the bottom-right corner (the version line) stay dark.
#include "platform/Image.h"

namespace kv {
class GlyphCache;
}

namespace kv::gen {

constexpr int TitleWidth = 640;
constexpr int TitleHeight = 480;

Image RenderTitle(GlyphCache& glyphs);

}  // namespace kv::gen
