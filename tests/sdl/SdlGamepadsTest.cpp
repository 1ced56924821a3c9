// A virtual controller through SDL's game-controller interface: noted as it
// comes and goes, its buttons and stick the game's keys.
#include "platform/sdl/SdlGamepads.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace kv {
namespace {

TEST(SdlGamepads, AVirtualControllerIsNotedAndItsButtonsAndStickAreKeys) {
    std::ostringstream notes;
    SdlGamepads pads(notes);
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    for (SDL_Event raw; SDL_PollEvent(&raw);) pads.Translate(raw);  // the controller is opened
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    // A button (-1: the stick's y) moved, and its keys: "+13" a press of 13, "-13" its release.
    const struct {
        int Button, Value;
        std::string Keys;
    } moves[] = {{SDL_CONTROLLER_BUTTON_A, 1, "+13"},
                 {SDL_CONTROLLER_BUTTON_A, 0, "-13"},
                 {SDL_CONTROLLER_BUTTON_X, 1, "+255"},
                 {SDL_CONTROLLER_BUTTON_START, 1, "+35"},
                 {-1, -16000, "+38"},
                 {-1, -8000, ""},
                 {-1, -7999, "-38"},
                 {-1, 16000, "+40"}};
    for (const auto& move : moves) {
        move.Button >= 0
            ? SDL_JoystickSetVirtualButton(stick, move.Button, static_cast<Uint8>(move.Value))
            : SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY,
                                         static_cast<Sint16>(move.Value));
        SDL_JoystickUpdate();
        std::string keys;
        for (SDL_Event raw; SDL_PollEvent(&raw);) {
            if (std::optional<InputEvent> e = pads.Translate(raw); e && e->FromPad)
                keys +=
                    (e->Kind == InputEvent::Type::KeyDown ? "+" : "-") + std::to_string(e->KeyCode);
        }
        EXPECT_EQ(keys, move.Keys) << move.Button << " " << move.Value;
    }
    SDL_JoystickClose(stick);
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    for (SDL_Event raw; SDL_PollEvent(&raw);) pads.Translate(raw);
    EXPECT_EQ(pads.Attached(), 0);
    EXPECT_TRUE(std::regex_match(notes.str(), std::regex("korvane: controller attached: .+\n"
                                                         "korvane: controller removed: .+\n")))
        << notes.str();
}

}  // namespace
}  // namespace kv
