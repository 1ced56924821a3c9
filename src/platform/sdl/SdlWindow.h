#pragma once
// The main window: the canvas shown through a streaming texture, scaled and
// letterboxed, plus the window's own chores (caption, fullscreen, IME place).
#include <SDL.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace kv {

class SdlDisplay final : public Display {
  public:
    // Needs the video part already started; nullptr and error on failure.
    static std::unique_ptr<SdlDisplay> Create(std::string& error);
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    void Present(const Image& canvas) override;
    void SetCaption(const std::string& utf8) override;
    std::string Caption() const override;
    void SetFullscreen(bool on) override;
    void Minimise() override;
    void ToggleMaximise() override;
    WindowState State() const override;
    Point Position() const override;
    void SetPosition(Point topLeft) override;
    void SetTextInput(bool on, Rect caret) override;

    SDL_Window* Window() const { return window_; }
    Uint32 WindowId() const { return SDL_GetWindowID(window_); }
    // The canvas pixel under a point in window coordinates, if on the picture.
    std::optional<Point> WindowToCanvas(int x, int y) const;
    // Shows the last presented canvas again (after a resize or an expose).
    void Redraw();
    // The renderer lost its textures: make them anew on the next present.
    void DropTexture();

  private:
    SdlDisplay() = default;
    Rect PictureInWindow() const;
    bool EnsureTexture(int width, int height);

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int canvasW_ = 640;
    int canvasH_ = 480;
    bool hasFrame_ = false;
};

}  // namespace kv
