#pragma once
// An option button: one choice of a group, the group being the buttons that
// share a parent. Selecting one clears the others; the arrow keys move to the
// previous or next usable option of the group and select it.
#include <string>
#include <string_view>
#include <utility>

#include "ui/AccessCaption.h"
#include "ui/Control.h"

namespace kv {

class OptionButton : public Control {
  public:
    OptionButton();
    explicit OptionButton(std::string name) : OptionButton() { Name = std::move(name); }

    void SetCaption(std::string_view caption);  // "&" marks the access key
    const std::string& Caption() const { return caption_; }
    // Selecting clears the rest of the group and fires OnClick, also when
    // done by code; clearing fires nothing.
    void SetValue(bool value);
    bool Value() const { return value_; }

    int AccessKey() const override { return parsed_.Key; }
    void AccessKeyPressed() override;
    void Paint(PaintContext& context) override;
    void KeyDown(int& keyCode, int shift) override;
    void MouseDown(int button, int x, int y) override;
    bool CanFocus() const override { return true; }

  private:
    void SelectNeighbour(int step);

    std::string caption_;
    AccessCaption parsed_;
    bool value_ = false;
};

}  // namespace kv
