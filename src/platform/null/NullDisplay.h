#pragma once
// A display with no window: it keeps the last presented frame and plays the
// window-state changes the game asks for, so headless runs and tests can look
// at both.
#include <string>

#include "platform/Platform.h"

namespace kv {

class NullDisplay : public Display {
  public:
    void Present(const Image& canvas) override;
    void SetCaption(const std::string& utf8) override { caption_ = utf8; }
    std::string Caption() const override { return caption_; }
    void SetFullscreen(bool on) override;
    void Minimise() override;
    void ToggleMaximise() override;
    WindowState State() const override { return state_; }
    Point Position() const override { return position_; }
    void SetPosition(Point topLeft) override { position_ = topLeft; }
    void SetTextInput(bool on, Rect caret) override;

    // A copy of each frame costs a full-screen copy a repaint; the program's
    // headless runs read their frames from the window manager and keep none.
    void KeepFrames(bool on) { keepFrames_ = on; }
    const Image& LastFrame() const { return lastFrame_; }
    int PresentCount() const { return presentCount_; }
    bool TextInputOn() const { return textInput_; }
    Rect TextInputCaret() const { return caret_; }
    // What the player does from the task bar: bring a minimised window back.
    void Restore();

  private:
    Image lastFrame_;
    int presentCount_ = 0;
    bool keepFrames_ = true;
    std::string caption_;
    WindowState state_ = WindowState::Normal;
    WindowState beforeFullscreen_ = WindowState::Normal;
    WindowState beforeMinimise_ = WindowState::Normal;
    Point position_;
    bool textInput_ = false;
    Rect caret_;
};

}  // namespace kv
