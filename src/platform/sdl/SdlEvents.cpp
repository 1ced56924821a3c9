#include "platform/sdl/SdlEvents.h"

#include <algorithm>
#include <array>
#include <climits>

#include "platform/sdl/SdlKeys.h"

namespace kv {
namespace {

struct ButtonPair {
    Uint8 Sdl;
    int Button;
};

constexpr std::array<ButtonPair, 3> Buttons = {{
    {SDL_BUTTON_LEFT, 1},
    {SDL_BUTTON_RIGHT, 2},
    {SDL_BUTTON_MIDDLE, 3},
}};

// Window changes after which the picture must be painted again.
// (SIZE_CHANGED follows every resize, RESIZED only some, so it alone counts.)
constexpr std::array<Uint8, 4> RepaintEvents = {
    SDL_WINDOWEVENT_EXPOSED,
    SDL_WINDOWEVENT_SIZE_CHANGED,
    SDL_WINDOWEVENT_RESTORED,
    SDL_WINDOWEVENT_MAXIMIZED,
};

bool IsFullscreenKey(const SDL_Keysym& key) {
    if (key.sym == SDLK_F11) return true;
    const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return enter && (key.mod & KMOD_ALT) != 0;
}

InputEvent Of(InputEvent::Type kind) {
    InputEvent event;
    event.Kind = kind;
    return event;
}

}  // namespace

bool SdlEventSource::WaitEvent(InputEvent& event, int64_t deadlineMs) {
    for (;;) {
        SDL_Event raw;
        int got = 0;
        if (deadlineMs < 0) {
            got = SDL_WaitEvent(&raw);
        } else {
            const int64_t left = deadlineMs - clock_.NowMs();
            if (left <= 0) {
                got = SDL_PollEvent(&raw);
            } else {
                got =
                    SDL_WaitEventTimeout(&raw, static_cast<int>(std::min<int64_t>(left, INT_MAX)));
            }
        }
        if (got == 0) {
            // Timed out (or SDL failed): report the deadline once it has come.
            if (deadlineMs >= 0 && clock_.NowMs() >= deadlineMs) return false;
            if (deadlineMs < 0) SDL_Delay(1);  // SDL_WaitEvent failed; do not spin
            continue;
        }
        if (std::optional<InputEvent> translated = Translate(raw)) {
            event = std::move(*translated);
            return true;
        }
    }
}

std::optional<InputEvent> SdlEventSource::Translate(const SDL_Event& raw) {
    switch (raw.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return TranslateKey(raw.key);
        case SDL_TEXTINPUT: {
            InputEvent event = Of(InputEvent::Type::Text);
            event.Text = raw.text.text;
            return event;
        }
        case SDL_TEXTEDITING: {
            InputEvent event = Of(InputEvent::Type::Editing);
            event.Text = raw.edit.text;
            event.Cursor = raw.edit.start;
            return event;
        }
        case SDL_MOUSEBUTTONDOWN: {
            const auto button =
                std::find_if(Buttons.begin(), Buttons.end(),
                             [&](const ButtonPair& pair) { return pair.Sdl == raw.button.button; });
            if (button == Buttons.end()) return std::nullopt;
            const std::optional<Point> at = display_.WindowToCanvas(raw.button.x, raw.button.y);
            if (!at) return std::nullopt;  // on the letterbox
            InputEvent event = Of(InputEvent::Type::MouseDown);
            event.X = at->X;
            event.Y = at->Y;
            event.Button = button->Button;
            return event;
        }
        case SDL_WINDOWEVENT:
            return TranslateWindow(raw.window);
        case SDL_QUIT:
            return Of(InputEvent::Type::CloseAsked);
        case SDL_RENDER_DEVICE_RESET:
            display_.DropTexture();
            return Of(InputEvent::Type::Expose);
        case SDL_RENDER_TARGETS_RESET:
            return Of(InputEvent::Type::Expose);
        default:
            return pads_.Translate(raw);
    }
}

std::optional<InputEvent> SdlEventSource::TranslateKey(const SDL_KeyboardEvent& key) {
    const SDL_Scancode scancode = key.keysym.scancode;
    const bool known = scancode >= 0 && scancode < SDL_NUM_SCANCODES;
    if (key.type == SDL_KEYDOWN && IsFullscreenKey(key.keysym)) {
        if (key.repeat == 0) {
            display_.SetFullscreen(display_.State() != WindowState::Fullscreen);
        }
        if (known) swallowed_.set(scancode);
        return std::nullopt;
    }
    if (key.type == SDL_KEYUP && known && swallowed_.test(scancode)) {
        swallowed_.reset(scancode);
        return std::nullopt;
    }
    const int code = MapSdlKey(key.keysym);
    if (code == 0) return std::nullopt;
    InputEvent event =
        Of(key.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp);
    event.KeyCode = code;
    event.Shift = MapSdlModifiers(key.keysym.mod);
    event.Repeat = key.type == SDL_KEYDOWN && key.repeat != 0;
    return event;
}

std::optional<InputEvent> SdlEventSource::TranslateWindow(const SDL_WindowEvent& window) {
    if (window.windowID != display_.WindowId()) return std::nullopt;
    if (window.event == SDL_WINDOWEVENT_CLOSE) return Of(InputEvent::Type::CloseAsked);
    if (std::find(RepaintEvents.begin(), RepaintEvents.end(), window.event) !=
        RepaintEvents.end()) {
        display_.Redraw();
        return Of(InputEvent::Type::Expose);
    }
    return std::nullopt;
}

}  // namespace kv
