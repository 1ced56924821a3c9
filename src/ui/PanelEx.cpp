#include "ui/PanelEx.h"

#include <algorithm>
#include <iterator>

namespace kv {

namespace {

// Units of each fixed scale mode in one pixel, across and down (the fine
// unit is a fifteenth of a pixel; a character cell is 120 x 240 of them).
struct ModeUnits {
    double Across;
    double Down;
};
constexpr ModeUnits FixedUnits[] = {
    {1.0, 1.0},                  // 0: user scale (computed from the panel)
    {15.0, 15.0},                // 1: fifteenths of a pixel
    {0.75, 0.75},                // 2: points
    {1.0, 1.0},                  // 3: pixels
    {1.0 / 8.0, 1.0 / 16.0},     // 4: characters
    {1.0 / 96.0, 1.0 / 96.0},    // 5: inches
    {25.4 / 96.0, 25.4 / 96.0},  // 6: millimetres
    {2.54 / 96.0, 2.54 / 96.0},  // 7: centimetres
};
constexpr int ModeCount = static_cast<int>(std::size(FixedUnits));

// Repeats a picture over [from, to) along one axis of the surface.
void RepeatAcross(Canvas& canvas, const Image& piece, int y, int fromX, int toX) {
    if (piece.Empty() || toX <= fromX) return;
    const Rect keep = canvas.Clip();
    canvas.SetClip(Rect{fromX, y, toX - fromX, piece.Height});
    for (int x = fromX; x < toX; x += piece.Width) canvas.Blit(x, y, piece);
    canvas.SetClip(keep);
}

void RepeatDown(Canvas& canvas, const Image& piece, int x, int fromY, int toY) {
    if (piece.Empty() || toY <= fromY) return;
    const Rect keep = canvas.Clip();
    canvas.SetClip(Rect{x, fromY, piece.Width, toY - fromY});
    for (int y = fromY; y < toY; y += piece.Height) canvas.Blit(x, y, piece);
    canvas.SetClip(keep);
}

}  // namespace

PanelEx::PanelEx() {
    BackColor = ColourWhite;  // white until a window sets its own colour
}

void PanelEx::SetFrame(const FramePictures& frame) {
    FrameTopLeft = frame.TopLeft;
    FrameTopCenter = frame.TopCenter;
    FrameTopRight = frame.TopRight;
    FrameMiddleLeft = frame.MiddleLeft;
    FrameMiddleRight = frame.MiddleRight;
    FrameBottomLeft = frame.BottomLeft;
    FrameBottomCenter = frame.BottomCenter;
    FrameBottomRight = frame.BottomRight;
}

PanelEx::Bands PanelEx::FrameBands() const {
    if (BorderStyle != BorderPictures) return {};
    Bands bands;
    bands.Top = std::max({FrameTopLeft.Height, FrameTopCenter.Height, FrameTopRight.Height, 0});
    bands.Bottom =
        std::max({FrameBottomLeft.Height, FrameBottomCenter.Height, FrameBottomRight.Height, 0});
    bands.Left = std::max({FrameTopLeft.Width, FrameMiddleLeft.Width, FrameBottomLeft.Width, 0});
    bands.Right =
        std::max({FrameTopRight.Width, FrameMiddleRight.Width, FrameBottomRight.Width, 0});
    return bands;
}

Rect PanelEx::ContentArea() const {
    if (BorderStyle != BorderPictures) {
        const int indent = std::clamp(Indent, 0, Width);
        return Rect{indent, 0, Width - indent, Height};
    }
    const Bands b = FrameBands();
    return Rect{b.Left, b.Top, std::max(0, Width - b.Left - b.Right),
                std::max(0, Height - b.Top - b.Bottom)};
}

void PanelEx::Paint(PaintContext& context) {
    if (Width <= 0 || Height <= 0) return;
    // Everything is composed off-screen and put on the canvas in one copy.
    if (surface_.Width != Width || surface_.Height != Height) {
        surface_ = Image(Width, Height);
    }
    Canvas surface(surface_);
    surface.Fill(BackColor);
    PaintBack(surface, context.Surface.Target(), context.X, context.Y);
    PaintBorder(surface);
    PaintCaption(surface, context.Glyphs);
    context.Surface.Blit(context.X, context.Y, surface_);
}

void PanelEx::PaintBack(Canvas& surface, const Image& beneath, int x, int y) {
    const Rect whole{0, 0, Width, Height};
    if (BackStyle == BackFlat) return;  // the clear already filled it
    if (BackStyle == BackPicture) {
        if (Picture.Empty()) return;
        if (Stertch) {
            surface.StretchBlit(whole, Picture, Rect{0, 0, Picture.Width, Picture.Height});
        } else if (Tile) {
            for (int ty = 0; ty < Height; ty += Picture.Height) {
                for (int tx = 0; tx < Width; tx += Picture.Width) surface.Blit(tx, ty, Picture);
            }
        }
        return;
    }
    if (BackStyle < BackDarkenFirst || BackStyle > BackSeeThrough) return;
    // What the holder painted under the panel so far; the canvas is rebuilt
    // from scratch every frame, so darkening never compounds.
    surface.Blit(0, 0, beneath, Rect{x, y, Width, Height});
    if (BackStyle == BackSeeThrough) return;
    // The surface's origin is the panel's corner, so the 32x32 cells of the
    // mask line up with the panel wherever it stands.
    surface.AndPattern(whole, DarkeningPattern(BackStyle));
}

void PanelEx::PaintBorder(Canvas& surface) {
    if (BorderStyle == BorderLine) {
        const int w = std::clamp(BorderWidth, 0, std::min(Width, Height));
        for (int i = 0; i < w; ++i) {
            surface.FrameRect(Rect{i, i, Width - 2 * i, Height - 2 * i}, BorderColor);
        }
        return;
    }
    if (BorderStyle != BorderPictures) return;
    const int right = Width;
    const int bottom = Height;
    // Corners once; the sides repeated between them.
    surface.Blit(0, 0, FrameTopLeft);
    surface.Blit(right - FrameTopRight.Width, 0, FrameTopRight);
    surface.Blit(0, bottom - FrameBottomLeft.Height, FrameBottomLeft);
    surface.Blit(right - FrameBottomRight.Width, bottom - FrameBottomRight.Height,
                 FrameBottomRight);
    RepeatAcross(surface, FrameTopCenter, 0, FrameTopLeft.Width, right - FrameTopRight.Width);
    RepeatAcross(surface, FrameBottomCenter, bottom - FrameBottomCenter.Height,
                 FrameBottomLeft.Width, right - FrameBottomRight.Width);
    RepeatDown(surface, FrameMiddleLeft, 0, FrameTopLeft.Height, bottom - FrameBottomLeft.Height);
    RepeatDown(surface, FrameMiddleRight, right - FrameMiddleRight.Width, FrameTopRight.Height,
               bottom - FrameBottomRight.Height);
}

void PanelEx::PaintCaption(Canvas& surface, GlyphCache& glyphs) {
    if (Caption.empty()) return;
    const FontChoice font = CaptionFont.value_or(FontChoice{Face, FontSize});
    const Rect content = ContentArea();
    const int top = BorderWidth + FrameBands().Top + 1;
    surface.DrawText(glyphs, content.X, top, Caption, CaptionColor, font.Face, font.SizePx);
    const int ruleY = top + glyphs.Metrics(font.Face, font.SizePx).LineSkip;
    surface.FillRect(Rect{content.X, ruleY, content.W, 1}, BorderColor);
}

void PanelEx::Scale(double x1, double y1, double x2, double y2) {
    ScaleMode = 0;
    ScaleLeft = x1;
    ScaleTop = y1;
    ScaleWidth = x2 - x1;
    ScaleHeight = y2 - y1;
}

void PanelEx::Scale() {
    ScaleMode = 1;
    ScaleLeft = 0;
    ScaleTop = 0;
    ScaleWidth = Width * FixedUnits[1].Across;
    ScaleHeight = Height * FixedUnits[1].Down;
}

double PanelEx::UnitsPerPixel(int mode, bool horizontal) const {
    if (mode == 0) {
        const int pixels = horizontal ? Width : Height;
        const double units = horizontal ? ScaleWidth : ScaleHeight;
        // A user scale on an empty panel or with a zero extent has no size:
        // fall back to pixels rather than divide by zero.
        if (pixels <= 0 || units == 0) return 1.0;
        return units / pixels;
    }
    if (mode < 0 || mode >= ModeCount) return 1.0;
    return horizontal ? FixedUnits[mode].Across : FixedUnits[mode].Down;
}

double PanelEx::ScaleX(double value, int fromMode, int toMode) const {
    return value / UnitsPerPixel(fromMode, true) * UnitsPerPixel(toMode, true);
}

double PanelEx::ScaleY(double value, int fromMode, int toMode) const {
    return value / UnitsPerPixel(fromMode, false) * UnitsPerPixel(toMode, false);
}

}  // namespace kv
