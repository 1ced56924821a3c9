#include "ui/FieldLabel.h"

namespace kv {

void FieldLabel::SetCaption(std::string_view caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    parsed_ = ParseAccessCaption(caption_);
    Invalidate();
}

void FieldLabel::AccessKeyPressed() {
    if (Buddy != nullptr && Buddy->IsUsable()) Buddy->SetFocus();
}

void FieldLabel::Paint(PaintContext& context) {
    DrawAccessCaption(context, context.X, context.Y, parsed_, ForeColor, Face, FontSize);
}

}  // namespace kv
