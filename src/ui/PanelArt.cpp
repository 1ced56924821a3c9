#include "ui/PanelArt.h"

#include "ui/PanelEx.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace kv {

namespace {

// 4x4 ordered-dither thresholds: a pixel is kept when its threshold is below
// the pattern's count of kept pixels out of sixteen.
constexpr std::array<std::array<int, 4>, 4> Bayer{{
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
}};
// Kept sixteenths for patterns 1..5: three quarters down to one eighth.
constexpr std::array<int, PatternCount> KeptOf16{12, 8, 6, 4, 2};

Image BuildStrip() {
    Image strip(PatternCell * PatternCount, PatternCell);
    for (int n = 0; n < PatternCount; ++n) {
        for (int y = 0; y < PatternCell; ++y) {
            for (int x = 0; x < PatternCell; ++x) {
                const bool kept = Bayer[y % 4][x % 4] < KeptOf16[n];
                strip.At(n * PatternCell + x, y) = kept ? 0xFFFFFFu : 0u;
            }
        }
    }
    return strip;
}

// The frame's cross-section from the outer edge inwards: a dark outline, a
// rounded gold moulding, a dark groove and a faint inner line.
constexpr std::array<uint32_t, 8> Profile{
    Rgb(24, 18, 8),    Rgb(120, 92, 40), Rgb(236, 204, 120), Rgb(208, 172, 92),
    Rgb(170, 134, 62), Rgb(128, 98, 44), Rgb(24, 18, 8),     Rgb(96, 84, 66),
};

enum class Side { Top, Left, Bottom, Right };

// Light falls from the top left: the lower and right bands are shaded.
uint32_t BandColour(int depth, int band, Side side) {
    const size_t at = std::min<size_t>(
        Profile.size() - 1, static_cast<size_t>(depth * static_cast<int>(Profile.size()) / band));
    const uint32_t c = Profile[at];
    if (side == Side::Top || side == Side::Left) return c;
    const auto shade = [](uint32_t v) { return v * 3 / 4; };
    return Rgb(static_cast<int>(shade((c >> 16) & 255)), static_cast<int>(shade((c >> 8) & 255)),
               static_cast<int>(shade(c & 255)));
}

// A corner square: each pixel takes the band of the nearer edge, so the
// mouldings meet in a mitre; a small ruby stud sits in the middle.
Image Corner(int band, bool right, bool bottom) {
    Image image(band, band);
    for (int y = 0; y < band; ++y) {
        for (int x = 0; x < band; ++x) {
            const int fromSide = right ? band - 1 - x : x;
            const int fromEnd = bottom ? band - 1 - y : y;
            const Side side = fromSide < fromEnd ? (right ? Side::Right : Side::Left)
                                                 : (bottom ? Side::Bottom : Side::Top);
            image.At(x, y) = BandColour(std::min(fromSide, fromEnd), band, side);
        }
    }
    const int cx = band / 2 - (right ? 0 : 1);
    const int cy = band / 2 - (bottom ? 0 : 1);
    for (int y = 0; y < band; ++y) {
        for (int x = 0; x < band; ++x) {
            const int d = std::abs(x - cx) + std::abs(y - cy);
            if (d > 2) continue;
            image.At(x, y) = d == 2 ? Rgb(96, 16, 16) : Rgb(214, 56, 48);
        }
    }
    image.At(cx, cy - 1) = Rgb(255, 176, 160);
    return image;
}

Image Edge(int band, int length, Side side) {
    const bool across = side == Side::Top || side == Side::Bottom;
    Image image(across ? length : band, across ? band : length);
    for (int y = 0; y < image.Height; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            int depth = 0;
            switch (side) {
                case Side::Top:
                    depth = y;
                    break;
                case Side::Bottom:
                    depth = band - 1 - y;
                    break;
                case Side::Left:
                    depth = x;
                    break;
                case Side::Right:
                    depth = band - 1 - x;
                    break;
            }
            image.At(x, y) = BandColour(depth, band, side);
        }
    }
    return image;
}

}  // namespace

const Image& DarkeningStrip() {
    static const Image strip = BuildStrip();
    return strip;
}

Image DarkeningPattern(int n) {
    if (n < 1 || n > PatternCount) return Image();
    const Image& strip = DarkeningStrip();
    Image cell(PatternCell, PatternCell);
    for (int y = 0; y < PatternCell; ++y) {
        for (int x = 0; x < PatternCell; ++x)
            cell.At(x, y) = strip.At((n - 1) * PatternCell + x, y);
    }
    return cell;
}

FramePictures GoldFrame(int band) {
    band = std::max(4, band);
    constexpr int Length = 16;  // the edge pieces are repeated along the sides
    FramePictures frame;
    frame.TopLeft = Corner(band, false, false);
    frame.TopRight = Corner(band, true, false);
    frame.BottomLeft = Corner(band, false, true);
    frame.BottomRight = Corner(band, true, true);
    frame.TopCenter = Edge(band, Length, Side::Top);
    frame.BottomCenter = Edge(band, Length, Side::Bottom);
    frame.MiddleLeft = Edge(band, Length, Side::Left);
    frame.MiddleRight = Edge(band, Length, Side::Right);
    return frame;
}

Image VerticalGradient(int width, int height, uint32_t top, uint32_t bottom) {
    Image picture(width, height);
    auto channel = [](uint32_t colour, int shift) {
        return static_cast<int>((colour >> shift) & 255);
    };
    for (int y = 0; y < height; ++y) {
        const int span = height > 1 ? height - 1 : 1;
        auto mix = [&](int shift) {
            return channel(top, shift) + (channel(bottom, shift) - channel(top, shift)) * y / span;
        };
        const uint32_t colour = Rgb(mix(16), mix(8), mix(0));
        for (int x = 0; x < width; ++x) picture.At(x, y) = colour;
    }
    return picture;
}

void StyleDialogFrame(PanelEx& panel, int band) {
    panel.Name = "fraBack";
    panel.SetFrame(GoldFrame(band));
    panel.BorderStyle = PanelEx::BorderPictures;
    panel.BackStyle = 4;
    panel.BackColor = ColourBlack;
}

}  // namespace kv
