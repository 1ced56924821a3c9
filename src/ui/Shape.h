#pragma once
#include <string>
#include <utility>
// A plain rectangle outline, as a selection bar drawn over rows of labels:
// it only shows, it takes neither keys nor clicks.
#include "ui/Control.h"

namespace kv {

class Shape : public Control {
  public:
    Shape() = default;
    explicit Shape(std::string name) : Control(std::move(name)) {}

    uint32_t BorderColor = ColourWhite;
    int BorderWidth = 1;

    void Paint(PaintContext& context) override;
};

}  // namespace kv
