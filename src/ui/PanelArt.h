#pragma once
// The pictures the panel control carries with it: the strip of five 32x32
// darkening masks its see-through backgrounds are ANDed with, and a ready
// made set of eight edge pictures for the game's framed windows.
#include "platform/Image.h"

namespace kv {

inline constexpr int PatternCell = 32;
inline constexpr int PatternCount = 5;

// Five cells side by side, lightest first: pixels are white (kept) or black
// (cleared), in an ordered dither so the darkening reads as an even tint.
const Image& DarkeningStrip();
// Cell n (1..5) of the strip; an empty picture for any other n.
Image DarkeningPattern(int n);

// The eight pictures of one picture frame.
struct FramePictures {
    Image TopLeft;
    Image TopCenter;
    Image TopRight;
    Image MiddleLeft;
    Image MiddleRight;
    Image BottomLeft;
    Image BottomCenter;
    Image BottomRight;
};

// A bevelled gold frame with studs in the corners; every band is `band`
// pixels thick (at least 4).
FramePictures GoldFrame(int band = 8);

// A picture fading from one colour at the top to another at the bottom.
Image VerticalGradient(int width, int height, uint32_t top, uint32_t bottom);

// The look every modal box shares: a gold frame over a dark dither through
// which the scene behind stays faintly visible.
class PanelEx;
void StyleDialogFrame(PanelEx& panel, int band);

}  // namespace kv
