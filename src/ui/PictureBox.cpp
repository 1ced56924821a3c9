#include "ui/PictureBox.h"

#include <algorithm>
#include <utility>

#include "ui/Canvas.h"

namespace kv {

void PictureBox::SetPicture(Image picture) {
    // A picture whose pixel count disagrees with its size would be read past its end.
    if (picture.Width < 0 || picture.Height < 0 ||
        picture.Pixels.size() != static_cast<size_t>(picture.Width) * picture.Height) {
        picture = Image();
    }
    picture_ = std::move(picture);
    if (autoSize_) FitToPicture();
    Invalidate();
}

void PictureBox::ClearPicture() {
    SetPicture(Image());
}

void PictureBox::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on) FitToPicture();
}

void PictureBox::FitToPicture() {
    if (picture_.Empty()) return;
    Move(Left, Top, picture_.Width + 2 * Inset(), picture_.Height + 2 * Inset());
}

Image& PictureBox::Surface() {
    const int width = std::max(picture_.Width, Width - 2 * Inset());
    const int height = std::max(picture_.Height, Height - 2 * Inset());
    if (width != picture_.Width || height != picture_.Height) {
        Image grown(width, height, BackColor);
        Canvas(grown).Blit(0, 0, picture_);
        picture_ = std::move(grown);
    }
    return picture_;
}

bool PictureBox::PaintsWholeBox() const {
    return Inset() == 0 && picture_.Width >= Width && picture_.Height >= Height;
}

void PictureBox::Paint(PaintContext& context) {
    const int inset = Inset();
    const Rect inside{0, 0, std::max(0, Width - 2 * inset), std::max(0, Height - 2 * inset)};
    const Rect shown{0, 0, std::min(inside.W, picture_.Width), std::min(inside.H, picture_.Height)};
    // A picture that covers the whole box is copied over it: filling the
    // background first would only be painted over (a full-screen fill a frame).
    if (!PaintsWholeBox()) PaintBackground(context, *this);
    context.Surface.Blit(context.X + inset, context.Y + inset, picture_, shown);
    if (inset > 0) PaintBevel(context.Surface, Rect{context.X, context.Y, Width, Height}, false);
}

}  // namespace kv
