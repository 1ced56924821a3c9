#pragma once
// The first-person view of the maze on the main window's map picture: the
// walls the party sees in one of three styles (white lines, grey polygons or
// the wall pictures), darkness, and the head-up display over it (the moons,
// the command help, the party's spells, the place name, the compass).
#include <filesystem>

#include "core/Game.h"
#include "dungeon/PartyEffects.h"
#include "dungeon/ViewCells.h"
#include "dungeon/ViewCompose.h"
#include "platform/Image.h"
#include "platform/Platform.h"
#include "ui/Canvas.h"

namespace kv {

enum class ViewStyle { Lines, Polygons, Pictures };

// The pictures the view is drawn with, loaded once. PicturesMissing is set
// when any wall, door or background picture would not load; the filled
// style then draws polygons.
struct MazeArt {
    ViewArt Pictures;
    bool PicturesMissing = true;
    Image Luna;  // the moons' phase sheets; an empty one is not drawn
    Image Artemis;
};

// Loads w0..w4.jpg, d0..d4.jpg, b1.jpg, b2.jpg and the moon sheets from the
// scenario folder. Stops at the first wall picture that will not load.
MazeArt LoadMazeArt(ImageCodec& images, const std::filesystem::path& folder);

// The settings' drawing key: 0 lines; 1 (and 2, which draws alike) filled,
// with pictures when they all loaded.
ViewStyle ChooseViewStyle(int viewMode, bool picturesMissing);

// Draws the view of the party's cell and facing over the whole target, then
// the head-up display (the help lines only while the party window shows).
void DrawMazeView(Image& target, GlyphCache& glyphs, const Game& game, const MazeArt& art,
                  ViewStyle style, bool partyWindowShown);

// The walls alone, in the line or polygon style, for a target of any size
// (the 220 x 220 drawing space is stretched over it).
void DrawLineView(Canvas& canvas, const ViewCells& cells, bool filled);

}  // namespace kv
