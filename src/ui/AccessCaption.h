#pragma once
// Captions with an access key, as buttons and check boxes write them: "&Save"
// shows "Save" with the S underlined and Alt+S on the window acts on the
// control; "&&" shows one ampersand.
#include <cstddef>
#include <string>
#include <string_view>

#include "ui/Control.h"

namespace kv {

struct AccessCaption {
    std::string Text;                   // the caption as shown
    size_t MarkAt = std::string::npos;  // byte offset of the underlined character
    size_t MarkLength = 0;              // its length in bytes
    int Key = 0;                        // its key code (A..Z, 0..9), or 0
};

AccessCaption ParseAccessCaption(std::string_view caption);

// Draws the caption with its top-left at (x, y), underlining the access
// character; returns the width drawn.
int DrawAccessCaption(PaintContext& context, int x, int y, const AccessCaption& caption,
                      uint32_t colour, FontFace face, int sizePx);

// The dotted rectangle that marks the focused control.
void DrawFocusRect(Canvas& canvas, Rect r, uint32_t colour);

// A check box's square (an option button's circle) sits at the control's left,
// its caption this gap to the right of it.
constexpr int ToggleBoxSize = 13;
constexpr int ToggleCaptionGap = 5;

// Paints the caption of a check box or option button, and its focus mark.
void PaintToggleCaption(PaintContext& context, const Control& control, const AccessCaption& caption,
                        bool focused);

}  // namespace kv
