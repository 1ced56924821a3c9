#pragma once
// SDL events in the game's terms. The window's own keys (F11, Alt+Enter for
// fullscreen) are handled here and never reach the game.
#include <SDL.h>

#include <bitset>
#include <optional>

#include "platform/Platform.h"
#include "platform/sdl/SdlGamepads.h"
#include "platform/sdl/SdlWindow.h"

namespace kv {

class SdlEventSource final : public EventSource {
  public:
    // Controller notes (attached, removed) go to notes.
    SdlEventSource(SdlDisplay& display, const Clock& clock, std::ostream& notes)
        : display_(display), clock_(clock), pads_(notes) {}
    bool WaitEvent(InputEvent& event, int64_t deadlineMs) override;

    // One SDL event as the game sees it; nothing for events it does not see.
    std::optional<InputEvent> Translate(const SDL_Event& event);

  private:
    std::optional<InputEvent> TranslateKey(const SDL_KeyboardEvent& key);
    std::optional<InputEvent> TranslateWindow(const SDL_WindowEvent& window);

    SdlDisplay& display_;
    const Clock& clock_;
    // Keys whose press the window took, so their release is taken too.
    std::bitset<SDL_NUM_SCANCODES> swallowed_;
    SdlGamepads pads_;
};

}  // namespace kv
