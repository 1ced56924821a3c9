#pragma once
// A single-line text box. Text is UTF-8 and every position (caret, selection,
// MaxLength) counts characters, never bytes. Typing arrives as committed text
// from the platform; while the IME composes, the composition is shown at the
// caret, underlined, and is not part of Text until committed.
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "ui/Control.h"

namespace kv {

class TextBox : public Control {
  public:
    TextBox();
    explicit TextBox(std::string name) : TextBox() { Name = std::move(name); }

    // Characters typing may bring the text to; 0 is no limit. It limits the
    // player only: SetText is not cut.
    int MaxLength = 0;
    // A locked box shows its text and moves its caret but cannot be edited.
    bool Locked = false;
    std::function<void()> OnChange;  // after every change of Text

    const std::string& Text() const { return text_; }
    // Control characters are dropped (the box has one line) and broken bytes
    // become U+FFFD; the caret goes to the end.
    void SetText(std::string_view utf8);
    int Length() const { return static_cast<int>(chars_.size()); }

    // The selection runs from SelStart for SelLength characters; the caret is
    // at its far end. Setting SelStart empties the selection.
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int start);
    void SetSelLength(int length);
    void SelectAll();
    std::string SelText() const;
    int CaretPosition() const { return caret_; }
    const std::string& Composition() const { return composition_; }

    void Paint(PaintContext& context) override;
    void KeyDown(int& keyCode, int shift) override;
    void KeyPress(int& keyAscii) override;
    void TextInput(const std::string& utf8) override;
    void TextEditing(const std::string& utf8, int cursor) override;
    bool WantsTextInput() const override { return true; }
    bool CanFocus() const override { return true; }
    void FocusChanged(bool focused) override;

  private:
    // Replaces the characters [from, to) and leaves the caret after the new ones.
    void Replace(int from, int to, std::u32string_view with);
    void MoveCaret(int to, bool extend);
    void DeleteSelectionOr(int from, int to);

    std::u32string chars_;
    std::string text_;  // chars_ encoded, kept in step
    int caret_ = 0;
    int anchor_ = 0;  // the other end of the selection
    std::string composition_;
    int compositionCursor_ = 0;
    int scroll_ = 0;  // pixels of text scrolled off the left edge
};

}  // namespace kv
