#pragma once
// Where the canvas sits in the window: scaled by the largest whole number
// that fits (at least 1), or shrunk to fit with its shape kept when the window
// is smaller than the canvas; centred, the rest letterboxed.
#include <optional>

#include "platform/Platform.h"

namespace kv {

// The picture's rectangle in an output of outW x outH.
Rect FitCanvas(int outW, int outH, int canvasW, int canvasH);

// The canvas pixel under output point (x, y); nothing outside the picture.
std::optional<Point> OutputToCanvas(const Rect& picture, int canvasW, int canvasH, int x, int y);

// A canvas rectangle in output coordinates.
Rect CanvasToOutput(const Rect& picture, int canvasW, int canvasH, const Rect& area);

}  // namespace kv
