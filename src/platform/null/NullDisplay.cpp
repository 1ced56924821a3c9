#include "platform/null/NullDisplay.h"

namespace kv {

void NullDisplay::Present(const Image& canvas) {
    if (keepFrames_) lastFrame_ = canvas;
    ++presentCount_;
}

// Leaving full screen returns to whatever the window was before it.
void NullDisplay::SetFullscreen(bool on) {
    if (on) {
        if (state_ == WindowState::Fullscreen) return;
        beforeFullscreen_ = state_ == WindowState::Minimised ? beforeMinimise_ : state_;
        state_ = WindowState::Fullscreen;
    } else if (state_ == WindowState::Fullscreen) {
        state_ = beforeFullscreen_;
    }
}

void NullDisplay::Minimise() {
    if (state_ == WindowState::Minimised) return;
    beforeMinimise_ = state_;
    state_ = WindowState::Minimised;
}

// A full-screen window has no maximise box; a minimised one comes back
// maximised, as a window manager does when asked to maximise it.
void NullDisplay::ToggleMaximise() {
    switch (state_) {
        case WindowState::Normal:
        case WindowState::Minimised:
            state_ = WindowState::Maximised;
            break;
        case WindowState::Maximised:
            state_ = WindowState::Normal;
            break;
        case WindowState::Fullscreen:
            break;
    }
}

void NullDisplay::Restore() {
    if (state_ == WindowState::Minimised) state_ = beforeMinimise_;
}

void NullDisplay::SetTextInput(bool on, Rect caret) {
    textInput_ = on;
    caret_ = on ? caret : Rect{};
}

}  // namespace kv
