#include "Panels.h"

#include <algorithm>
#include <cmath>

#include "Paint.h"

namespace kv::gen {
namespace {

// Ordered-dither thresholds: a pixel goes black when its threshold is below
// the tile's level, so every level spreads its black pixels evenly.
constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr std::array<int, DarkTiles> DarkLevels = {4, 8, 10, 12, 14};  // of 16

// The frame's cross-section from its outer edge inwards.
Colour Profile(int depth) {
    static constexpr Colour Bands[FramePieceSize] = {
        {12, 10, 6},    {236, 206, 128}, {198, 160, 82}, {112, 82, 36}, {26, 30, 48}, {30, 35, 56},
        {34, 40, 62},   {36, 42, 66},    {36, 42, 66},   {34, 40, 62},  {30, 35, 56}, {26, 30, 48},
        {186, 150, 76}, {90, 66, 28},    {14, 14, 22},   {8, 8, 14},
    };
    return Bands[std::clamp(depth, 0, FramePieceSize - 1)];
}

// A small gold boss: brighter toward the upper left like the bevel.
Colour Stud(Colour under, double dx, double dy, double radius) {
    const double d = std::hypot(dx, dy);
    if (d > radius) return under;
    const double light = Clamp01(0.55 - (dx + dy) / (2.5 * radius));
    const Colour gold = Mix(Colour{120, 88, 36}, Colour{250, 226, 150}, light);
    return d > radius - 0.8 ? Mix(gold, Colour{40, 30, 12}, 0.6) : gold;
}

}  // namespace

int DarkTileCoverage(int index) {
    return DarkLevels[static_cast<size_t>(std::clamp(index, 0, DarkTiles - 1))] * 64;
}

Image RenderDarkStrip() {
    Image strip(DarkTile * DarkTiles, DarkTile, 0xFFFFFF);
    for (int tile = 0; tile < DarkTiles; ++tile) {
        for (int y = 0; y < DarkTile; ++y) {
            for (int x = 0; x < DarkTile; ++x) {
                if (Bayer[y % 4][x % 4] < DarkLevels[static_cast<size_t>(tile)]) {
                    strip.At(tile * DarkTile + x, y) = 0x000000;
                }
            }
        }
    }
    return strip;
}

Image RenderFramePiece(FramePiece piece) {
    Image image(FramePieceSize, FramePieceSize);
    const int last = FramePieceSize - 1;
    for (int y = 0; y < FramePieceSize; ++y) {
        for (int x = 0; x < FramePieceSize; ++x) {
            // Distance from the outer edge(s) this piece lies on.
            int depth = 0;
            double along = 0;
            switch (piece) {
                case FramePiece::Top:
                    depth = y;
                    along = x;
                    break;
                case FramePiece::Bottom:
                    depth = last - y;
                    along = x;
                    break;
                case FramePiece::Left:
                    depth = x;
                    along = y;
                    break;
                case FramePiece::Right:
                    depth = last - x;
                    along = y;
                    break;
                case FramePiece::TopLeft:
                    depth = std::min(x, y);
                    break;
                case FramePiece::TopRight:
                    depth = std::min(last - x, y);
                    break;
                case FramePiece::BottomLeft:
                    depth = std::min(x, last - y);
                    break;
                case FramePiece::BottomRight:
                    depth = std::min(last - x, last - y);
                    break;
            }
            Colour c = Profile(depth);
            const bool corner = piece == FramePiece::TopLeft || piece == FramePiece::TopRight ||
                                piece == FramePiece::BottomLeft || piece == FramePiece::BottomRight;
            if (corner) {
                c = Stud(c, x + 0.5 - 8.0, y + 0.5 - 8.0, 4.2);
            } else if (depth >= 5 && depth <= 10) {
                // A faint diamond chain along the band, one link a piece.
                const double d = std::abs(along + 0.5 - 8.0) + std::abs(depth + 0.5 - 8.0);
                if (d < 2.6) c = Mix(c, Colour{170, 136, 70}, d < 1.6 ? 0.85 : 0.4);
            }
            image.At(x, y) = c.Pixel();
        }
    }
    return image;
}

}  // namespace kv::gen
