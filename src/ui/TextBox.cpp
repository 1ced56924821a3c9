#include "ui/TextBox.h"

#include <algorithm>

#include "core/Utf8.h"
#include "platform/Keys.h"

namespace kv {

namespace {

constexpr int Padding = 3;  // bevel plus a pixel of air before the text

// Text a single-line box can hold: no C0 or C1 controls, no DEL.
bool Printable(char32_t c) {
    return c >= 0x20 && c != 0x7F && (c < 0x80 || c >= 0xA0);
}

std::u32string Filter(std::string_view utf8) {
    std::u32string out = DecodeUtf8(utf8);
    std::erase_if(out, [](char32_t c) { return !Printable(c); });
    return out;
}

}  // namespace

TextBox::TextBox() {
    TabStop = true;
    BackColor = ColourWhite;
    ForeColor = ColourBlack;
}

void TextBox::SetText(std::string_view utf8) {
    const std::u32string chars = Filter(utf8);
    if (chars == chars_) {
        MoveCaret(Length(), false);
        return;
    }
    Replace(0, Length(), chars);
}

int TextBox::SelStart() const {
    return std::min(caret_, anchor_);
}

int TextBox::SelLength() const {
    return std::abs(caret_ - anchor_);
}

void TextBox::SetSelStart(int start) {
    MoveCaret(std::clamp(start, 0, Length()), false);
}

void TextBox::SetSelLength(int length) {
    anchor_ = SelStart();
    caret_ = std::clamp(anchor_ + std::max(0, length), anchor_, Length());
    Invalidate();
}

void TextBox::SelectAll() {
    anchor_ = 0;
    caret_ = Length();
    Invalidate();
}

std::string TextBox::SelText() const {
    return EncodeUtf8(std::u32string_view(chars_).substr(SelStart(), SelLength()));
}

void TextBox::Replace(int from, int to, std::u32string_view with) {
    chars_.replace(from, to - from, with);
    text_ = EncodeUtf8(chars_);
    caret_ = anchor_ = from + static_cast<int>(with.size());
    Invalidate();
    if (OnChange) OnChange();
}

void TextBox::MoveCaret(int to, bool extend) {
    caret_ = std::clamp(to, 0, Length());
    if (!extend) anchor_ = caret_;
    Invalidate();
}

void TextBox::DeleteSelectionOr(int from, int to) {
    if (SelLength() > 0) {
        Replace(SelStart(), SelStart() + SelLength(), {});
    } else if (from >= 0 && to <= Length() && from < to) {
        Replace(from, to, {});
    }
}

void TextBox::KeyDown(int& keyCode, int shift) {
    Control::KeyDown(keyCode, shift);
    // While the IME composes, the editing keys are its own.
    if (keyCode == 0 || !composition_.empty()) return;
    const bool extend = (shift & Key::ShiftMask) != 0;
    switch (keyCode) {
        case Key::Left:
            // Without Shift a selection collapses to its near end first.
            MoveCaret(!extend && SelLength() > 0 ? SelStart() : caret_ - 1, extend);
            break;
        case Key::Right:
            MoveCaret(!extend && SelLength() > 0 ? SelStart() + SelLength() : caret_ + 1, extend);
            break;
        case Key::Home:
            MoveCaret(0, extend);
            break;
        case Key::End:
            MoveCaret(Length(), extend);
            break;
        case Key::Delete:
            if (!Locked) DeleteSelectionOr(caret_, caret_ + 1);
            break;
        default:
            break;
    }
}

void TextBox::KeyPress(int& keyAscii) {
    // Backspace is a character, so a KeyPress handler can cancel it.
    Control::KeyPress(keyAscii);
    if (keyAscii == Key::Back && !Locked && composition_.empty()) {
        DeleteSelectionOr(caret_ - 1, caret_);
    }
}

void TextBox::TextInput(const std::string& utf8) {
    composition_.clear();
    compositionCursor_ = 0;
    Invalidate();
    if (Locked) return;
    std::u32string typed = Filter(utf8);
    if (MaxLength > 0) {
        const int room = std::max(0, MaxLength - (Length() - SelLength()));
        if (static_cast<int>(typed.size()) > room) typed.resize(room);
    }
    if (typed.empty()) return;
    Replace(SelStart(), SelStart() + SelLength(), typed);
}

void TextBox::TextEditing(const std::string& utf8, int cursor) {
    if (Locked) return;
    const std::u32string chars = Filter(utf8);
    composition_ = EncodeUtf8(chars);
    compositionCursor_ = std::clamp(cursor, 0, static_cast<int>(chars.size()));
    Invalidate();
}

void TextBox::FocusChanged(bool focused) {
    // A composition left behind would be committed nowhere.
    if (!focused) {
        composition_.clear();
        compositionCursor_ = 0;
    }
    Control::FocusChanged(focused);
}

void TextBox::Paint(PaintContext& context) {
    Canvas& canvas = context.Surface;
    GlyphCache& glyphs = context.Glyphs;
    PaintBackground(context, *this);
    PaintBevel(canvas, Rect{context.X, context.Y, Width, Height}, false);
    const bool focused = HasFocus();
    const std::u32string_view all = chars_;
    auto part = [&](int from, int to) { return EncodeUtf8(all.substr(from, to - from)); };
    auto width = [&](std::string_view s) { return glyphs.TextWidth(s, Face, FontSize); };

    // The caret's place in the text, then a scroll that keeps it in view.
    const std::string beforeCaret = part(0, caret_);
    const std::u32string composing = DecodeUtf8(composition_);
    const int caretX =
        width(beforeCaret) +
        width(EncodeUtf8(std::u32string_view(composing).substr(0, compositionCursor_)));
    const int room = std::max(1, Width - 2 * Padding);
    if (caretX - scroll_ >= room) scroll_ = caretX - room + 1;
    if (caretX < scroll_) scroll_ = caretX;

    const Rect inside{context.X + 2, context.Y + 2, std::max(0, Width - 4),
                      std::max(0, Height - 4)};
    const Rect outer = canvas.Clip();
    const int left = std::max(outer.X, inside.X);
    const int top = std::max(outer.Y, inside.Y);
    const int right = std::min(outer.X + outer.W, inside.X + inside.W);
    const int bottom = std::min(outer.Y + outer.H, inside.Y + inside.H);
    if (right <= left || bottom <= top) return;
    canvas.SetClip(Rect{left, top, right - left, bottom - top});

    const int lineSkip = glyphs.Metrics(Face, FontSize).LineSkip;
    const int y = context.Y + std::max(0, (Height - lineSkip) / 2);
    int x = context.X + Padding - scroll_;
    const uint32_t textColour = IsUsable() ? ForeColor : ColourGrey;
    auto run = [&](const std::string& s, uint32_t colour) {
        x += canvas.DrawText(glyphs, x, y, s, colour, Face, FontSize);
    };
    if (!composition_.empty()) {
        run(beforeCaret, textColour);
        const int start = x;
        run(composition_, textColour);
        canvas.FillRect(Rect{start, y + lineSkip - 1, x - start, 1}, textColour);
        run(part(caret_, Length()), textColour);
    } else {
        const int selFrom = SelStart();
        const int selTo = selFrom + SelLength();
        run(part(0, selFrom), textColour);
        if (selTo > selFrom) {
            const std::string selected = part(selFrom, selTo);
            if (focused) {
                canvas.FillRect(Rect{x, y, width(selected), lineSkip}, ColourHighlight);
                run(selected, ColourWhite);
            } else {
                run(selected, textColour);
            }
        }
        run(part(selTo, Length()), textColour);
    }
    if (focused) {
        canvas.FillRect(Rect{context.X + Padding - scroll_ + caretX, y, 1, lineSkip}, ForeColor);
    }
    canvas.SetClip(outer);
}

}  // namespace kv
