#include "platform/sdl/SdlWindow.h"

#include <array>
#include <cstring>

#include "core/CapitalName.h"
#include "platform/sdl/SdlLayout.h"

namespace kv {
namespace {

constexpr int InitialWidth = 640;
constexpr int InitialHeight = 480;
constexpr int MinimumWidth = 160;
constexpr int MinimumHeight = 120;
// How much of a window's top-left must lie on some display to keep a saved
// position (a monitor may have gone since it was saved).
constexpr int VisibleMargin = 32;

// Drivers that show nothing. SDL falls back to them when there is no
// display; a player would then face a game running out of sight, so they are
// used only when asked for by name (SDL_VIDEODRIVER), as tests do.
constexpr std::array<const char*, 3> InvisibleDrivers = {"offscreen", "dummy", "evdev"};

bool InvisibleByChance() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr) return false;
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    if (asked != nullptr && *asked != '\0') return false;
    for (const char* invisible : InvisibleDrivers) {
        if (std::strcmp(driver, invisible) == 0) return true;
    }
    return false;
}

bool OnSomeDisplay(Point topLeft) {
    const int displays = SDL_GetNumVideoDisplays();
    for (int i = 0; i < displays; ++i) {
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
        const Rect area{bounds.x, bounds.y, bounds.w - VisibleMargin, bounds.h - VisibleMargin};
        if (area.Contains(topLeft.X, topLeft.Y)) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<SdlDisplay> SdlDisplay::Create(std::string& error) {
    if (InvisibleByChance()) {
        error = "cannot open the display: no display found (SDL fell back to its \"" +
                std::string(SDL_GetCurrentVideoDriver()) + "\" driver)";
        return nullptr;
    }
    // Pixel art: whole-number scaling with no smoothing.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    // Closing the window asks the game; it must not also arrive as SDL_QUIT.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");

    std::unique_ptr<SdlDisplay> display(new SdlDisplay());
    display->window_ =
        SDL_CreateWindow(CapitalName.data(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         InitialWidth, InitialHeight, SDL_WINDOW_RESIZABLE);
    if (display->window_ == nullptr) {
        error = std::string("cannot open the window: ") + SDL_GetError();
        return nullptr;
    }
    SDL_SetWindowMinimumSize(display->window_, MinimumWidth, MinimumHeight);
    display->renderer_ = SDL_CreateRenderer(display->window_, -1, SDL_RENDERER_ACCELERATED);
    if (display->renderer_ == nullptr) {
        display->renderer_ = SDL_CreateRenderer(display->window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (display->renderer_ == nullptr) {
        error = std::string("cannot draw in the window: ") + SDL_GetError();
        return nullptr;
    }
    if (!display->EnsureTexture(InitialWidth, InitialHeight)) {
        error = std::string("cannot make the canvas texture: ") + SDL_GetError();
        return nullptr;
    }
    // SDL starts with text input on; it stays off until a text box has the focus.
    SDL_StopTextInput();
    return display;
}

SdlDisplay::~SdlDisplay() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    if (window_ != nullptr) SDL_DestroyWindow(window_);
}

bool SdlDisplay::EnsureTexture(int width, int height) {
    if (texture_ != nullptr && width == canvasW_ && height == canvasH_) return true;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (texture_ == nullptr) return false;
    canvasW_ = width;
    canvasH_ = height;
    hasFrame_ = false;
    return true;
}

void SdlDisplay::Present(const Image& canvas) {
    const bool usable = !canvas.Empty() &&
                        canvas.Pixels.size() >= static_cast<size_t>(canvas.Width) * canvas.Height;
    if (usable && EnsureTexture(canvas.Width, canvas.Height)) {
        // 0x00RRGGBB rows are exactly SDL's RGB888.
        SDL_UpdateTexture(texture_, nullptr, canvas.Pixels.data(),
                          canvas.Width * static_cast<int>(sizeof(uint32_t)));
        hasFrame_ = true;
    }
    Redraw();
}

void SdlDisplay::Redraw() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    if (hasFrame_ && texture_ != nullptr) {
        int outW = 0;
        int outH = 0;
        SDL_GetRendererOutputSize(renderer_, &outW, &outH);
        const Rect picture = FitCanvas(outW, outH, canvasW_, canvasH_);
        const SDL_Rect target{picture.X, picture.Y, picture.W, picture.H};
        SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    }
    SDL_RenderPresent(renderer_);
}

void SdlDisplay::DropTexture() {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    hasFrame_ = false;
}

Rect SdlDisplay::PictureInWindow() const {
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return FitCanvas(w, h, canvasW_, canvasH_);
}

std::optional<Point> SdlDisplay::WindowToCanvas(int x, int y) const {
    return OutputToCanvas(PictureInWindow(), canvasW_, canvasH_, x, y);
}

void SdlDisplay::SetCaption(const std::string& utf8) {
    SDL_SetWindowTitle(window_, utf8.c_str());
}

std::string SdlDisplay::Caption() const {
    const char* title = SDL_GetWindowTitle(window_);
    return title != nullptr ? title : "";
}

void SdlDisplay::SetFullscreen(bool on) {
    SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    Redraw();
}

void SdlDisplay::Minimise() {
    SDL_MinimizeWindow(window_);
}

void SdlDisplay::ToggleMaximise() {
    if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0) {
        SDL_RestoreWindow(window_);
    } else {
        SDL_MaximizeWindow(window_);
    }
}

WindowState SdlDisplay::State() const {
    const Uint32 flags = SDL_GetWindowFlags(window_);
    if ((flags & SDL_WINDOW_FULLSCREEN) != 0) return WindowState::Fullscreen;
    if ((flags & SDL_WINDOW_MINIMIZED) != 0) return WindowState::Minimised;
    if ((flags & SDL_WINDOW_MAXIMIZED) != 0) return WindowState::Maximised;
    return WindowState::Normal;
}

Point SdlDisplay::Position() const {
    Point at;
    SDL_GetWindowPosition(window_, &at.X, &at.Y);
    return at;
}

void SdlDisplay::SetPosition(Point topLeft) {
    if (OnSomeDisplay(topLeft)) {
        SDL_SetWindowPosition(window_, topLeft.X, topLeft.Y);
    } else {
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

void SdlDisplay::SetTextInput(bool on, Rect caret) {
    if (!on) {
        SDL_StopTextInput();
        return;
    }
    const Rect area = CanvasToOutput(PictureInWindow(), canvasW_, canvasH_, caret);
    SDL_Rect rect{area.X, area.Y, area.W, area.H};
    SDL_SetTextInputRect(&rect);
    if (!SDL_IsTextInputActive()) SDL_StartTextInput();
}

}  // namespace kv
