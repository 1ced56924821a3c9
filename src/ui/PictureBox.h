#pragma once
#include <string>
#include <utility>
// A picture at the top-left of its box, cut to the box, over the back colour.
// It also serves as an off-screen drawing surface (draw on Surface(), then
// Refresh()) and as a container for other controls.
#include "platform/Image.h"
#include "ui/Control.h"
#include "ui/ControlStyle.h"

namespace kv {

class PictureBox : public Control {
  public:
    PictureBox() = default;
    explicit PictureBox(std::string name) : Control(std::move(name)) {}

    Border BorderStyle = Border::None;

    void SetPicture(Image picture);
    void ClearPicture();
    const Image& Picture() const { return picture_; }
    // With AutoSize on, the box takes the picture's size (plus its border).
    void SetAutoSize(bool on);
    bool AutoSize() const { return autoSize_; }
    // The picture to draw on, first grown (in the back colour) to cover the
    // whole inside of the box so drawing anywhere visible lands on it.
    Image& Surface();
    // Shows what was drawn on Surface().
    void Refresh() { Invalidate(); }

    void Paint(PaintContext& context) override;
    bool PaintsWholeBox() const override;

  private:
    int Inset() const { return BorderStyle == Border::Single ? 1 : 0; }
    void FitToPicture();

    Image picture_;
    bool autoSize_ = false;
};

}  // namespace kv
