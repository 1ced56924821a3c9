#include "ui/Shape.h"

namespace kv {

void Shape::Paint(PaintContext& context) {
    Rect r{context.X, context.Y, Width, Height};
    for (int i = 0; i < BorderWidth && r.W > 0 && r.H > 0; ++i) {
        context.Surface.FrameRect(r, BorderColor);
        r = Rect{r.X + 1, r.Y + 1, r.W - 2, r.H - 2};
    }
}

}  // namespace kv
