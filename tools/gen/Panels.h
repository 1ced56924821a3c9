#pragma once
// Pictures for framed panels: the strip of darkening tiles ANDed over what
// lies beneath a see-through panel, and the eight edge pieces of a frame.
#include <array>
#include <string_view>

#include "platform/Image.h"

namespace kv::gen {

constexpr int DarkTile = 32;
constexpr int DarkTiles = 5;
constexpr int FramePieceSize = 16;

// 160 x 32: tile n-1 (x = 32(n-1)) darkens for back style n. Each pixel is
// pure black or pure white; tile 1 blacks out the fewest, tile 5 the most.
Image RenderDarkStrip();
// Black pixels out of 1024 in tile `index` (0..4).
int DarkTileCoverage(int index);

enum class FramePiece { TopLeft, Top, TopRight, Left, Right, BottomLeft, Bottom, BottomRight };

struct FramePieceName {
    FramePiece Piece;
    std::string_view File;
};

constexpr std::array<FramePieceName, 8> FramePieces = {{
    {FramePiece::TopLeft, "frame_tl.png"},
    {FramePiece::Top, "frame_t.png"},
    {FramePiece::TopRight, "frame_tr.png"},
    {FramePiece::Left, "frame_l.png"},
    {FramePiece::Right, "frame_r.png"},
    {FramePiece::BottomLeft, "frame_bl.png"},
    {FramePiece::Bottom, "frame_b.png"},
    {FramePiece::BottomRight, "frame_br.png"},
}};

Image RenderFramePiece(FramePiece piece);  // 16 x 16

}  // namespace kv::gen
