#pragma once
// The text of a message: lines break at "\r", "\n" or "\r\n" (the game's
// texts use all three), and a line too wide for the label wraps at the last
// character that fits -- Japanese has no spaces to break at -- except that
// closing punctuation stays on the line it closes.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/Label.h"

namespace kv {

// The lines the text shows as in a box maxWidth pixels wide (at least one
// character per line, however narrow the box).
std::vector<std::string> WrapText(GlyphCache& glyphs, std::string_view utf8, int maxWidth,
                                  FontFace face = FontFace::Gothic, int sizePx = 16);

class MessageLabel : public Label {
  public:
    MessageLabel() = default;
    explicit MessageLabel(std::string name) : Label(std::move(name)) {}

    int LineGap = 4;  // extra pixels between lines, for easier reading

    // Pixels from one line's top to the next.
    int LinePitch(GlyphCache& glyphs) const;

    void Paint(PaintContext& context) override;
};

}  // namespace kv
