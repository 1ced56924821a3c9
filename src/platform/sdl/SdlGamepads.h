#pragma once
// Game controllers through SDL's game-controller interface: each attached
// controller is opened as it comes (hot-plug) and closed as it goes, with one
// line on standard error either way; its buttons and left stick come out as
// the game's keys (PadButtons.h). The stick presses an arrow past a firm push
// and lets it go only once back near the middle, so a wobble never repeats.
#include <SDL.h>

#include <map>
#include <optional>
#include <ostream>

#include "platform/Events.h"

namespace kv {

class SdlGamepads {
  public:
    explicit SdlGamepads(std::ostream& notes);
    ~SdlGamepads();
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // A controller's event as the game sees it; nothing for any other event
    // or one the game does not use (a device arriving or leaving included).
    std::optional<InputEvent> Translate(const SDL_Event& raw);
    int Attached() const { return static_cast<int>(open_.size()); }

  private:
    void Attach(int deviceIndex);
    void Remove(SDL_JoystickID id);
    std::optional<InputEvent> Stick(const SDL_ControllerAxisEvent& axis);

    struct Pad {
        SDL_GameController* Controller = nullptr;
        int StickX = 0;  // -1, 0, 1: the arrow the stick holds down
        int StickY = 0;
    };
    std::ostream& notes_;
    bool started_ = false;
    std::map<SDL_JoystickID, Pad> open_;
};

}  // namespace kv
