#pragma once
// A label that names the control beside it: "ファイル名(&F)" shows its key
// underlined, and Alt with that key puts the focus on the named control, as
// the settings windows label their lists and text boxes.
#include <string>
#include <string_view>
#include <utility>

#include "ui/AccessCaption.h"
#include "ui/Control.h"

namespace kv {

class FieldLabel : public Control {
  public:
    FieldLabel() = default;
    explicit FieldLabel(std::string name) : Control(std::move(name)) {}

    Control* Buddy = nullptr;  // what Alt with the key focuses

    void SetCaption(std::string_view caption);
    const std::string& Caption() const { return caption_; }

    int AccessKey() const override { return Buddy != nullptr ? parsed_.Key : 0; }
    void AccessKeyPressed() override;
    void Paint(PaintContext& context) override;

  private:
    std::string caption_;
    AccessCaption parsed_;
};

}  // namespace kv
