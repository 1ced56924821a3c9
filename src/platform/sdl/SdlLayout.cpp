#include "platform/sdl/SdlLayout.h"

#include <algorithm>
#include <cstdint>

namespace kv {

Rect FitCanvas(int outW, int outH, int canvasW, int canvasH) {
    if (outW <= 0 || outH <= 0 || canvasW <= 0 || canvasH <= 0) return Rect{};
    const int scale = std::min(outW / canvasW, outH / canvasH);
    int w = 0;
    int h = 0;
    if (scale >= 1) {
        w = canvasW * scale;
        h = canvasH * scale;
    } else if (static_cast<int64_t>(outW) * canvasH <= static_cast<int64_t>(outH) * canvasW) {
        // Narrower than the canvas's shape: the width decides.
        w = outW;
        h = std::max(1, static_cast<int>(static_cast<int64_t>(outW) * canvasH / canvasW));
    } else {
        h = outH;
        w = std::max(1, static_cast<int>(static_cast<int64_t>(outH) * canvasW / canvasH));
    }
    return Rect{(outW - w) / 2, (outH - h) / 2, w, h};
}

std::optional<Point> OutputToCanvas(const Rect& picture, int canvasW, int canvasH, int x, int y) {
    if (picture.W <= 0 || picture.H <= 0 || !picture.Contains(x, y)) return std::nullopt;
    const int64_t cx = static_cast<int64_t>(x - picture.X) * canvasW / picture.W;
    const int64_t cy = static_cast<int64_t>(y - picture.Y) * canvasH / picture.H;
    return Point{static_cast<int>(std::min<int64_t>(cx, canvasW - 1)),
                 static_cast<int>(std::min<int64_t>(cy, canvasH - 1))};
}

Rect CanvasToOutput(const Rect& picture, int canvasW, int canvasH, const Rect& area) {
    if (canvasW <= 0 || canvasH <= 0) return Rect{};
    auto mapX = [&](int x) {
        return picture.X + static_cast<int>(static_cast<int64_t>(x) * picture.W / canvasW);
    };
    auto mapY = [&](int y) {
        return picture.Y + static_cast<int>(static_cast<int64_t>(y) * picture.H / canvasH);
    };
    const int left = mapX(area.X);
    const int top = mapY(area.Y);
    return Rect{left, top, mapX(area.X + area.W) - left, mapY(area.Y + area.H) - top};
}

}  // namespace kv
