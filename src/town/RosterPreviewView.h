#pragma once
// The summary of a character the roster list window shows beside its list:
// level, class, race and sex; experience, gold, steps and marks; the eight
// statistics; and what the character carries, each text at its pixel place.
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

class GlyphCache;
class PictureBox;

struct PreviewText {
    int X = 0;
    int Y = 0;
    std::string Text;
};

// The texts for the character in the roster slot; none for a slot outside
// the roster (the back row).
std::vector<PreviewText> RosterPreviewTexts(const Game& game, int slot);

// Clears the picture box and draws the texts on it.
void DrawRosterPreview(PictureBox& box, GlyphCache& glyphs, const Game& game, int slot);

}  // namespace kv
