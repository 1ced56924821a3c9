#pragma once
// Drawing on an off-screen picture: the operations every screen is built from.
// Coordinates are pixels; rectangles are half-open (X..X+W-1); everything is
// clipped to the picture (and to the clip rectangle), so no call can write
// outside it whatever its arguments.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Image.h"
#include "platform/Platform.h"

namespace kv {

// Block-copy raster operations on the 24 colour bits.
enum class RasterOp {
    Copy,    // dst = src
    And,     // dst = dst & src   (mask)
    Or,      // dst = dst | src   (paint)
    Xor,     // dst = dst ^ src   (invert by image)
    Invert,  // dst = ~dst        (source ignored)
};

class GlyphCache;

class Canvas {
  public:
    explicit Canvas(Image& target) : image_(target), clip_{0, 0, target.Width, target.Height} {}

    Image& Target() { return image_; }
    int Width() const { return image_.Width; }
    int Height() const { return image_.Height; }

    // The clip rectangle limits every operation (always inside the picture).
    void SetClip(Rect clip);
    void ResetClip();
    Rect Clip() const { return clip_; }

    void SetPixel(int x, int y, uint32_t colour);
    void Fill(uint32_t colour);
    void FillRect(Rect r, uint32_t colour);
    void FrameRect(Rect r, uint32_t colour);  // one-pixel outline inside r
    // A line from (x0,y0) up to but not including (x1,y1), so lines joined
    // end to end do not draw their shared corner twice.
    void Line(int x0, int y0, int x1, int y1, uint32_t colour);
    // Even-odd fill of the pixels whose centres lie inside the polygon.
    void FillPolygon(std::span<const Point> points, uint32_t colour);
    // Fill then outline (the outline joins the points, closing the shape).
    void Polygon(std::span<const Point> points, uint32_t fill, uint32_t outline);
    // Rounded rectangle in r with corner ellipse cornerW x cornerH, filled and outlined.
    void RoundRect(Rect r, int cornerW, int cornerH, uint32_t fill, uint32_t outline);

    // Copies src (a sub-rectangle of it) to (dx, dy) with the raster op.
    void Blit(int dx, int dy, const Image& src, Rect srcRect, RasterOp op = RasterOp::Copy);
    void Blit(int dx, int dy, const Image& src, RasterOp op = RasterOp::Copy) {
        Blit(dx, dy, src, Rect{0, 0, src.Width, src.Height}, op);
    }
    // Nearest-neighbour stretch of srcRect onto dstRect, sampling at pixel
    // centres. A negative width or height mirrors: the area is then the
    // half-open span between X+W and X (so {10, 0, -4, 1} covers x 6..9).
    // Destination pixels that would sample outside the source stay untouched.
    void StretchBlit(Rect dstRect, const Image& src, Rect srcRect, RasterOp op = RasterOp::Copy);
    // dst = dst & pattern, the pattern tiled from the picture's origin (darkening).
    void AndPattern(Rect r, const Image& pattern);

    // Text in the Gothic face. (x, y) is the top-left of the first cell; "\n"
    // starts a new line (a "\r\n" pair counts once, a lone "\r" breaks too),
    // a tab moves to the next multiple of eight half-widths. Returns the width
    // of the widest line. In the monospaced face full-width characters are
    // exactly two half-widths, so column layouts line up.
    int DrawText(GlyphCache& glyphs, int x, int y, std::string_view utf8, uint32_t colour,
                 FontFace face = FontFace::Gothic, int sizePx = 16);
    // Text turned 90 degrees clockwise: it runs downwards from (x, y), each
    // glyph's top facing right (the vertical-font look of the arrow labels).
    // Each glyph takes its advance downwards and the font height across; a
    // new line starts the next strip to the left.
    void DrawTextRotated(GlyphCache& glyphs, int x, int y, std::string_view utf8, uint32_t colour,
                         FontFace face = FontFace::Gothic, int sizePx = 16);

  private:
    Rect Area() const;  // the clip rectangle cut to the picture as it is now
    void DrawGlyph(const Glyph& glyph, int64_t x, int64_t y, uint32_t colour);
    void DrawGlyphTurned(const Glyph& glyph, int64_t x, int64_t y, int stripWidth, uint32_t colour);

    Image& image_;
    Rect clip_;
};

// Rendered glyphs, kept for the whole run: a frame never asks the rasteriser
// for a character it has drawn before at that face and size.
class GlyphCache {
  public:
    explicit GlyphCache(FontLibrary& fonts);
    // The reference stays valid for the cache's life.
    const Glyph& Get(FontFace face, int sizePx, char32_t codePoint);
    FontMetrics Metrics(FontFace face, int sizePx);
    // Width in pixels of the text as DrawText lays it out (the widest line).
    int TextWidth(std::string_view utf8, FontFace face = FontFace::Gothic, int sizePx = 16);
    int HalfWidth(FontFace face, int sizePx);  // the advance of a half-width cell
    // How far the pen moves for one character: whole half-widths in the
    // monospaced face, the glyph's own advance in the proportional one.
    int Advance(FontFace face, int sizePx, char32_t codePoint);

  private:
    FontLibrary& fonts_;
    struct Impl;
    std::shared_ptr<Impl> impl_;
};

}  // namespace kv
