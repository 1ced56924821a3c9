#include "platform/sdl/SdlGamepads.h"

#include <array>
#include <string>

#include "platform/PadButtons.h"

namespace kv {
namespace {

struct ButtonPair {
    SDL_GameControllerButton Sdl;
    PadButton Button;
};

constexpr std::array<ButtonPair, 11> Buttons{{
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::Up},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::Down},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::Right},
    {SDL_CONTROLLER_BUTTON_A, PadButton::South},
    {SDL_CONTROLLER_BUTTON_B, PadButton::East},
    {SDL_CONTROLLER_BUTTON_X, PadButton::West},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::North},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::RightShoulder},
}};

// A firm push presses; only a stick nearly back in the middle lets go.
constexpr int PressAt = 16000;
constexpr int ReleaseBelow = 8000;

InputEvent PadKey(bool down, int keyCode) {
    InputEvent event;
    event.Kind = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
    event.KeyCode = keyCode;
    event.FromPad = true;
    return event;
}

std::string NameOf(SDL_GameController* controller) {
    const char* name = SDL_GameControllerName(controller);
    return name != nullptr ? name : "a controller";
}

}  // namespace

SdlGamepads::SdlGamepads(std::ostream& notes) : notes_(notes) {
    // Without the subsystem there are no controllers, and the keyboard
    // plays on as before.
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

SdlGamepads::~SdlGamepads() {
    for (auto& [id, pad] : open_) SDL_GameControllerClose(pad.Controller);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

std::optional<InputEvent> SdlGamepads::Translate(const SDL_Event& raw) {
    switch (raw.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Attach(raw.cdevice.which);
            return std::nullopt;
        case SDL_CONTROLLERDEVICEREMOVED:
            Remove(raw.cdevice.which);
            return std::nullopt;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            for (const ButtonPair& pair : Buttons) {
                if (pair.Sdl == raw.cbutton.button) {
                    return PadKey(raw.type == SDL_CONTROLLERBUTTONDOWN, PadKeyOf(pair.Button));
                }
            }
            return std::nullopt;
        case SDL_CONTROLLERAXISMOTION:
            return Stick(raw.caxis);
        default:
            return std::nullopt;
    }
}

void SdlGamepads::Attach(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (open_.contains(id)) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        notes_ << "korvane: a controller was attached but cannot be opened: " << SDL_GetError()
               << "\n";
        return;
    }
    open_[id].Controller = controller;
    notes_ << "korvane: controller attached: " << NameOf(controller) << "\n";
}

void SdlGamepads::Remove(SDL_JoystickID id) {
    const auto pad = open_.find(id);
    if (pad == open_.end()) return;
    notes_ << "korvane: controller removed: " << NameOf(pad->second.Controller) << "\n";
    SDL_GameControllerClose(pad->second.Controller);
    open_.erase(pad);
}

std::optional<InputEvent> SdlGamepads::Stick(const SDL_ControllerAxisEvent& axis) {
    const auto pad = open_.find(axis.which);
    if (pad == open_.end()) return std::nullopt;
    const bool across = axis.axis == SDL_CONTROLLER_AXIS_LEFTX;
    if (!across && axis.axis != SDL_CONTROLLER_AXIS_LEFTY) return std::nullopt;
    int& held = across ? pad->second.StickX : pad->second.StickY;
    int now = held;
    if (axis.value <= -PressAt) now = -1;
    if (axis.value >= PressAt) now = 1;
    if (axis.value > -ReleaseBelow && axis.value < ReleaseBelow) now = 0;
    if (now == held) return std::nullopt;
    // SDL's y grows downwards: a stick pushed up reads negative.
    const auto key = [across](int side) {
        if (across) return PadKeyOf(side < 0 ? PadButton::Left : PadButton::Right);
        return PadKeyOf(side < 0 ? PadButton::Up : PadButton::Down);
    };
    const int before = held;
    held = now;
    return now == 0 ? PadKey(false, key(before)) : PadKey(true, key(now));
}

}  // namespace kv
