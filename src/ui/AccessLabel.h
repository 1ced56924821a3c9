#pragma once
// A clickable label whose caption marks a key with '&' ("&Y)ES [Enter]"
// shows "Y)ES [Enter]" with the Y underlined). The dialogs use it for their
// answers: it can be clicked and looks like a key cap, but takes no focus.
#include <string>
#include <string_view>
#include <utility>

#include "ui/AccessCaption.h"
#include "ui/Control.h"
#include "ui/ControlStyle.h"

namespace kv {

class AccessLabel : public Control {
  public:
    AccessLabel() = default;
    explicit AccessLabel(std::string name) : Control(std::move(name)) {}

    Align Alignment = Align::Centre;
    BackMode BackStyle = BackMode::Transparent;
    // With an opaque back, a rounded outline in this colour; 0 draws a plain box.
    uint32_t OutlineColor = 0;

    void SetCaption(std::string_view caption);
    const std::string& Caption() const { return caption_; }
    const std::string& ShownText() const { return parsed_.Text; }

    void Paint(PaintContext& context) override;

  private:
    std::string caption_;
    AccessCaption parsed_;
};

}  // namespace kv
