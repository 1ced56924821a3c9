#pragma once
// Static text. Lines break at "\n" (or "\r\n"); each line is aligned on its
// own; text that does not fit is cut at the edges, never wrapped.
#include <string>
#include <string_view>
#include <utility>

#include "ui/Control.h"
#include "ui/ControlStyle.h"

namespace kv {

class Label : public Control {
  public:
    Label() = default;
    explicit Label(std::string name) : Control(std::move(name)) {}

    Align Alignment = Align::Left;
    BackMode BackStyle = BackMode::Opaque;
    Border BorderStyle = Border::None;

    void SetCaption(std::string_view utf8);
    const std::string& Caption() const { return caption_; }

    void Paint(PaintContext& context) override;

  private:
    std::string caption_;
};

}  // namespace kv
