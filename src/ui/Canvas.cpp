#include "ui/Canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kv {

namespace {

// Rectangles as half-open boxes in 64 bits, so X + W never overflows however
// wild the arguments are.
struct Box {
    int64_t X0 = 0;
    int64_t Y0 = 0;
    int64_t X1 = 0;
    int64_t Y1 = 0;
    bool Empty() const { return X0 >= X1 || Y0 >= Y1; }
};

Box ToBox(Rect r) {
    if (r.W <= 0 || r.H <= 0) return {};
    return {r.X, r.Y, int64_t{r.X} + r.W, int64_t{r.Y} + r.H};
}

Box Intersect(Box a, Box b) {
    return {std::max(a.X0, b.X0), std::max(a.Y0, b.Y0), std::min(a.X1, b.X1), std::min(a.Y1, b.Y1)};
}

// A picture whose pixel store does not match its size is treated as empty.
bool Usable(const Image& image) {
    return !image.Empty() && image.Pixels.size() >= static_cast<size_t>(image.Width) * image.Height;
}

const uint32_t* Row(const Image& image, int y) {
    return image.Pixels.data() + static_cast<size_t>(y) * image.Width;
}

// Calls body with the op as a function of (dst, src), chosen once per call
// rather than per pixel so the inner loops stay tight.
template <typename Body>
void WithOp(RasterOp op, Body&& body) {
    switch (op) {
        case RasterOp::Copy:
            body([](uint32_t, uint32_t s) { return s; });
            break;
        case RasterOp::And:
            body([](uint32_t d, uint32_t s) { return d & s; });
            break;
        case RasterOp::Or:
            body([](uint32_t d, uint32_t s) { return d | s; });
            break;
        case RasterOp::Xor:
            body([](uint32_t d, uint32_t s) { return d ^ s; });
            break;
        case RasterOp::Invert:
            body([](uint32_t d, uint32_t) { return d ^ 0x00FFFFFFu; });
            break;
    }
}

// dst[i] = apply(dst[i], src[i]) over a row, in blocks of fixed length so the
// compiler turns each block into vector instructions even at -O2.
template <typename Apply>
void ApplySpan(uint32_t* dst, const uint32_t* src, int64_t count, Apply apply) {
    constexpr int64_t BlendBlock = 16;
    int64_t i = 0;
    for (; i + BlendBlock <= count; i += BlendBlock) {
        for (int64_t k = 0; k < BlendBlock; ++k) dst[i + k] = apply(dst[i + k], src[i + k]);
    }
    for (; i < count; ++i) dst[i] = apply(dst[i], src[i]);
}

using Wide = __int128;

int64_t FloorDiv(Wide num, Wide den) {  // den > 0
    Wide q = num / den;
    if (num % den != 0 && num < 0) --q;
    return static_cast<int64_t>(q);
}

int64_t CeilDiv(Wide num, Wide den) {
    return -FloorDiv(-num, den);
}

}  // namespace

Rect Canvas::Area() const {
    if (!Usable(image_)) return {};
    const Box b = Intersect(ToBox(clip_), Box{0, 0, image_.Width, image_.Height});
    if (b.Empty()) return {};
    return {static_cast<int>(b.X0), static_cast<int>(b.Y0), static_cast<int>(b.X1 - b.X0),
            static_cast<int>(b.Y1 - b.Y0)};
}

void Canvas::SetClip(Rect clip) {
    const Box b =
        Intersect(ToBox(clip), Box{0, 0, std::max(image_.Width, 0), std::max(image_.Height, 0)});
    clip_ = b.Empty() ? Rect{}
                      : Rect{static_cast<int>(b.X0), static_cast<int>(b.Y0),
                             static_cast<int>(b.X1 - b.X0), static_cast<int>(b.Y1 - b.Y0)};
}

void Canvas::ResetClip() {
    clip_ = {0, 0, std::max(image_.Width, 0), std::max(image_.Height, 0)};
}

void Canvas::SetPixel(int x, int y, uint32_t colour) {
    if (Area().Contains(x, y)) image_.At(x, y) = colour;
}

void Canvas::Fill(uint32_t colour) {
    FillRect(Area(), colour);
}

namespace {

// Sets count pixels to one colour. At -O2 an open-ended fill loop stores one
// pixel at a time; blocks of a fixed length become whole vector stores.
void FillSpan(uint32_t* dst, int64_t count, uint32_t colour) {
    constexpr int64_t Block = 16;
    int64_t i = 0;
    for (; i + Block <= count; i += Block) {
        for (int64_t k = 0; k < Block; ++k) dst[i + k] = colour;
    }
    for (; i < count; ++i) dst[i] = colour;
}

void FillBox(Image& image, Box b, uint32_t colour) {  // b already inside the picture
    uint32_t* first = &image.At(static_cast<int>(b.X0), static_cast<int>(b.Y0));
    if (b.X0 == 0 && b.X1 == image.Width) {
        // Rows that span the picture lie end to end: one run covers them all.
        FillSpan(first, (b.X1 - b.X0) * (b.Y1 - b.Y0), colour);
        return;
    }
    for (int64_t y = b.Y0; y < b.Y1; ++y, first += image.Width)
        FillSpan(first, b.X1 - b.X0, colour);
}

}  // namespace

void Canvas::FillRect(Rect r, uint32_t colour) {
    const Box b = Intersect(ToBox(r), ToBox(Area()));
    if (!b.Empty()) FillBox(image_, b, colour);
}

void Canvas::FrameRect(Rect r, uint32_t colour) {
    const Box outer = ToBox(r);
    if (outer.Empty()) return;
    const Box area = ToBox(Area());
    // Top and bottom rows, then the sides between them.
    const Box edges[] = {
        {outer.X0, outer.Y0, outer.X1, outer.Y0 + 1},
        {outer.X0, outer.Y1 - 1, outer.X1, outer.Y1},
        {outer.X0, outer.Y0 + 1, outer.X0 + 1, outer.Y1 - 1},
        {outer.X1 - 1, outer.Y0 + 1, outer.X1, outer.Y1 - 1},
    };
    for (const Box& edge : edges) {
        const Box b = Intersect(edge, area);
        if (!b.Empty()) FillBox(image_, b, colour);
    }
}

// Bresenham along the longer axis: step i (0 <= i < length) puts the minor
// coordinate at round(i * minor / major), halves rounding towards the end.
// Only the steps whose major coordinate lies in the clip are visited, so a
// line with far-off ends costs no more than one crossing the picture.
void Canvas::Line(int x0, int y0, int x1, int y1, uint32_t colour) {
    const Rect area = Area();
    if (area.W <= 0) return;
    const int64_t dx = int64_t{x1} - x0;
    const int64_t dy = int64_t{y1} - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t minorLen = xMajor ? std::abs(dy) : std::abs(dx);
    if (major == 0) return;
    const int64_t majorStart = xMajor ? x0 : y0;
    const int64_t minorStart = xMajor ? y0 : x0;
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const int64_t majorLo = xMajor ? area.X : area.Y;
    const int64_t majorHi = majorLo + (xMajor ? area.W : area.H) - 1;
    const int64_t minorLo = xMajor ? area.Y : area.X;
    const int64_t minorHi = minorLo + (xMajor ? area.H : area.W) - 1;

    // Steps whose major coordinate falls inside the clip.
    int64_t first = 0;
    int64_t last = major - 1;
    if (majorStep > 0) {
        first = std::max(first, majorLo - majorStart);
        last = std::min(last, majorHi - majorStart);
    } else {
        first = std::max(first, majorStart - majorHi);
        last = std::min(last, majorStart - majorLo);
    }
    if (first > last) return;

    const Wide twiceMajor = Wide{2} * major;
    const Wide start = Wide{2} * first * minorLen + major;
    int64_t offset = FloorDiv(start, twiceMajor);
    int64_t remainder = static_cast<int64_t>(start - Wide{offset} * twiceMajor);
    for (int64_t i = first; i <= last; ++i) {
        const int64_t m = majorStart + i * majorStep;
        const int64_t n = minorStart + offset * minorStep;
        if (n >= minorLo && n <= minorHi) {
            const int px = static_cast<int>(xMajor ? m : n);
            const int py = static_cast<int>(xMajor ? n : m);
            image_.At(px, py) = colour;
        }
        remainder += 2 * minorLen;
        if (remainder >= 2 * major) {
            remainder -= 2 * major;
            ++offset;
        }
    }
}

// Scanlines through pixel centres. An edge counts on row y when
// top <= y < bottom, and a crossing at x fills the pixels whose centres lie
// at or right of it up to (not including) the next crossing: the same edge
// shared by two polygons then splits every row exactly once between them.
void Canvas::FillPolygon(std::span<const Point> points, uint32_t colour) {
    const Rect area = Area();
    if (points.size() < 3 || area.W <= 0) return;
    int64_t top = points[0].Y;
    int64_t bottom = points[0].Y;
    for (const Point& p : points) {
        top = std::min<int64_t>(top, p.Y);
        bottom = std::max<int64_t>(bottom, p.Y);
    }
    const int64_t yFirst = std::max<int64_t>(top, area.Y);
    const int64_t yEnd = std::min<int64_t>(bottom, int64_t{area.Y} + area.H);
    const int64_t xLo = area.X;
    const int64_t xHi = int64_t{area.X} + area.W;
    std::vector<int64_t> crossings;
    for (int64_t y = yFirst; y < yEnd; ++y) {
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            Point a = points[i];
            Point b = points[(i + 1) % points.size()];
            if (a.Y == b.Y) continue;
            if (a.Y > b.Y) std::swap(a, b);
            if (y < a.Y || y >= b.Y) continue;
            // First pixel whose centre is at or right of the crossing:
            // ceil(xCross - 0.5), worked in integers.
            const Wide ey = int64_t{b.Y} - a.Y;
            const Wide ex = int64_t{b.X} - a.X;
            const Wide num = (Wide{2} * a.X - 1) * ey + (Wide{2} * (y - a.Y) + 1) * ex;
            const int64_t c = CeilDiv(num, Wide{2} * ey);
            crossings.push_back(std::clamp(c, xLo, xHi));
        }
        std::sort(crossings.begin(), crossings.end());
        uint32_t* row = &image_.At(0, static_cast<int>(y));
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            FillSpan(row + crossings[i], crossings[i + 1] - crossings[i], colour);
    }
}

void Canvas::Polygon(std::span<const Point> points, uint32_t fill, uint32_t outline) {
    if (points.size() < 2) return;
    FillPolygon(points, fill);
    for (size_t i = 0; i < points.size(); ++i) {
        const Point a = points[i];
        const Point b = points[(i + 1) % points.size()];
        Line(a.X, a.Y, b.X, b.Y, outline);
    }
    // Each line leaves out its end; the start point closes the shape even
    // when the edges into it have no length.
    SetPixel(points[0].X, points[0].Y, outline);
}

// The corner curve is the ellipse through the centres of the corner box's
// outermost pixels, its radii widened by a quarter pixel so that the ties of
// even sizes fall the way one-pixel-pen rasterisers put them (a 6x6 corner
// box rounds as ..##.. / .#..#. / #....#). Each row's inset from the sides
// comes from that curve; the bottom half mirrors the top so the shape is
// symmetric. The outline on a row runs from its inset towards the previous
// row's so the curve stays joined where it is flat.
void Canvas::RoundRect(Rect r, int cornerW, int cornerH, uint32_t fill, uint32_t outline) {
    const Box box = ToBox(r);
    const Box area = ToBox(Area());
    const Box rows = Intersect(box, area);
    if (rows.Empty()) return;
    constexpr double Widen = 0.25;
    const double ra = (std::clamp(cornerW, 1, r.W) - 1) / 2.0;  // in pixel steps
    const double rb = (std::clamp(cornerH, 1, r.H) - 1) / 2.0;
    const int64_t maxInset = (int64_t{r.W} - 1) / 2;
    auto inset = [&](int64_t k) -> int64_t {
        if (ra <= 0 || rb <= 0 || static_cast<double>(k) >= rb) return 0;
        const double t = (rb - static_cast<double>(k)) / (rb + Widen);
        const double half = (ra + Widen) * std::sqrt(std::max(0.0, 1.0 - t * t));
        const auto first = static_cast<int64_t>(std::ceil(ra - half));
        return std::clamp<int64_t>(first, 0, maxInset);
    };
    for (int64_t y = rows.Y0; y < rows.Y1; ++y) {
        const int64_t k = std::min(y - box.Y0, box.Y1 - 1 - y);
        const int64_t in = inset(k);
        const int64_t run = k == 0 ? r.W : std::max(in, inset(k - 1) - 1) + 1;
        auto span = [&](int64_t x0, int64_t x1, uint32_t colour) {  // x0..x1 inclusive
            const Box b = Intersect(Box{x0, y, x1 + 1, y + 1}, area);
            if (!b.Empty()) FillBox(image_, b, colour);
        };
        const int64_t left = box.X0 + in;
        const int64_t right = box.X1 - 1 - in;
        span(left, right, fill);
        const int64_t leftRunEnd = std::min(box.X0 + run - 1, right);
        span(left, leftRunEnd, outline);
        span(std::max(box.X1 - run, left), right, outline);
    }
}

void Canvas::Blit(int dx, int dy, const Image& src, Rect srcRect, RasterOp op) {
    if (!Usable(src)) return;
    if (&src == &image_) {
        const Image copy = src;  // overlapping copy within one picture
        Blit(dx, dy, copy, srcRect, op);
        return;
    }
    const Box source = Intersect(ToBox(srcRect), Box{0, 0, src.Width, src.Height});
    if (source.Empty()) return;
    const int64_t offsetX = int64_t{dx} - srcRect.X;
    const int64_t offsetY = int64_t{dy} - srcRect.Y;
    const Box dest = Intersect(
        Box{source.X0 + offsetX, source.Y0 + offsetY, source.X1 + offsetX, source.Y1 + offsetY},
        ToBox(Area()));
    if (dest.Empty()) return;
    for (int64_t y = dest.Y0; y < dest.Y1; ++y) {
        uint32_t* to = &image_.At(static_cast<int>(dest.X0), static_cast<int>(y));
        const uint32_t* from = Row(src, static_cast<int>(y - offsetY)) + (dest.X0 - offsetX);
        const int64_t count = dest.X1 - dest.X0;
        if (op == RasterOp::Copy) {
            std::copy(from, from + count, to);
            continue;
        }
        WithOp(op, [&](auto apply) { ApplySpan(to, from, count, apply); });
    }
}

namespace {

// For each destination pixel along one axis of the clipped area, the source
// pixel sampled at its centre, or -1 when that falls outside the source.
std::vector<int> StretchMap(int64_t dstStart, int64_t dstSize, int64_t clipLo, int64_t clipHi,
                            int64_t srcStart, int64_t srcSize, bool mirror, int srcLimit) {
    std::vector<int> map;
    const int64_t lo = std::max(dstStart, clipLo);
    const int64_t hi = std::min(dstStart + dstSize, clipHi);
    for (int64_t d = lo; d < hi; ++d) {
        int64_t j = d - dstStart;
        if (mirror) j = dstSize - 1 - j;
        const int64_t s = srcStart + FloorDiv((Wide{2} * j + 1) * srcSize, Wide{2} * dstSize);
        map.push_back(s >= 0 && s < srcLimit ? static_cast<int>(s) : -1);
    }
    return map;
}

}  // namespace

void Canvas::StretchBlit(Rect dstRect, const Image& src, Rect srcRect, RasterOp op) {
    if (!Usable(src) || dstRect.W == 0 || dstRect.H == 0 || srcRect.W == 0 || srcRect.H == 0)
        return;
    if (&src == &image_) {
        const Image copy = src;
        StretchBlit(dstRect, copy, srcRect, op);
        return;
    }
    const Rect area = Area();
    if (area.W <= 0) return;
    // Normalise every size to positive; a sign that differs means a mirror.
    auto normalise = [](int start, int size, int64_t& outStart, int64_t& outSize) {
        outStart = size < 0 ? int64_t{start} + size : start;
        outSize = std::abs(int64_t{size});
        return size < 0;
    };
    int64_t dX, dW, dY, dH, sX, sW, sY, sH;
    const bool mirrorX =
        normalise(dstRect.X, dstRect.W, dX, dW) != normalise(srcRect.X, srcRect.W, sX, sW);
    const bool mirrorY =
        normalise(dstRect.Y, dstRect.H, dY, dH) != normalise(srcRect.Y, srcRect.H, sY, sH);
    const std::vector<int> cols =
        StretchMap(dX, dW, area.X, int64_t{area.X} + area.W, sX, sW, mirrorX, src.Width);
    const std::vector<int> rows =
        StretchMap(dY, dH, area.Y, int64_t{area.Y} + area.H, sY, sH, mirrorY, src.Height);
    if (cols.empty() || rows.empty()) return;
    const int x0 = static_cast<int>(std::max<int64_t>(dX, area.X));
    const int y0 = static_cast<int>(std::max<int64_t>(dY, area.Y));
    // Columns whose samples fall inside the source form one run (the map is
    // monotonic), so the inner loop needs no test.
    const auto firstCol = std::find_if(cols.begin(), cols.end(), [](int c) { return c >= 0; });
    const auto endCol = std::find_if(firstCol, cols.end(), [](int c) { return c < 0; });
    const size_t colBegin = static_cast<size_t>(firstCol - cols.begin());
    const size_t colEnd = static_cast<size_t>(endCol - cols.begin());
    WithOp(op, [&](auto apply) {
        for (size_t j = 0; j < rows.size(); ++j) {
            if (rows[j] < 0) continue;
            uint32_t* to = &image_.At(x0, y0 + static_cast<int>(j));
            const uint32_t* from = Row(src, rows[j]);
            for (size_t i = colBegin; i < colEnd; ++i) to[i] = apply(to[i], from[cols[i]]);
        }
    });
}

void Canvas::AndPattern(Rect r, const Image& pattern) {
    if (!Usable(pattern)) return;
    const Box b = Intersect(ToBox(r), ToBox(Area()));
    if (b.Empty()) return;
    for (int64_t y = b.Y0; y < b.Y1; ++y) {
        uint32_t* row = &image_.At(0, static_cast<int>(y));
        const uint32_t* tile = Row(pattern, static_cast<int>(y % pattern.Height));
        // Whole runs of the pattern's row, the first one partial.
        int64_t x = b.X0;
        int64_t px = x % pattern.Width;
        while (x < b.X1) {
            const int64_t run = std::min<int64_t>(pattern.Width - px, b.X1 - x);
            uint32_t* to = row + x;
            const uint32_t* from = tile + px;
            ApplySpan(to, from, run, [](uint32_t d, uint32_t p) { return d & p; });
            x += run;
            px = 0;
        }
    }
}

}  // namespace kv
