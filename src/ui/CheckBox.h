#pragma once
// A check box: a square at the left, its caption beside it. Space (when it
// has the focus), a click, or Alt with its access key toggles it.
#include <string>
#include <string_view>
#include <utility>

#include "ui/AccessCaption.h"
#include "ui/Control.h"

namespace kv {

class CheckBox : public Control {
  public:
    CheckBox();
    explicit CheckBox(std::string name) : CheckBox() { Name = std::move(name); }

    void SetCaption(std::string_view caption);  // "&" marks the access key
    const std::string& Caption() const { return caption_; }
    // 0 unchecked, 1 checked (anything else reads as 1). A change made by
    // code fires OnClick too, as a click does.
    void SetValue(int value);
    int Value() const { return value_; }
    void Toggle() { SetValue(value_ == 0 ? 1 : 0); }

    int AccessKey() const override { return parsed_.Key; }
    void AccessKeyPressed() override;
    void Paint(PaintContext& context) override;
    void KeyDown(int& keyCode, int shift) override;
    void MouseDown(int button, int x, int y) override;
    bool CanFocus() const override { return true; }

  private:
    std::string caption_;
    AccessCaption parsed_;
    int value_ = 0;
};

}  // namespace kv
