#pragma once
// A command button. Space or Enter presses it when it has the focus; Enter
// anywhere on its window presses the Default button (or the focused button,
// if a button has the focus) and Esc the Cancel button -- the window routes
// those two keys, and then no key handler sees them.
#include <string>
#include <string_view>
#include <utility>

#include "ui/AccessCaption.h"
#include "ui/Control.h"

namespace kv {

class Button : public Control {
  public:
    Button();
    explicit Button(std::string name) : Button() { Name = std::move(name); }

    bool Default = false;
    bool Cancel = false;

    void SetCaption(std::string_view caption);  // "&" marks the access key
    const std::string& Caption() const { return caption_; }
    // What a click does: fires OnClick, if the button can be used.
    void Press();

    int AccessKey() const override { return parsed_.Key; }
    void AccessKeyPressed() override;
    void Paint(PaintContext& context) override;
    void KeyDown(int& keyCode, int shift) override;
    void MouseDown(int button, int x, int y) override;
    bool CanFocus() const override { return true; }

  private:
    std::string caption_;
    AccessCaption parsed_;
};

}  // namespace kv
