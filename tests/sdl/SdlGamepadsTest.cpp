// A virtual controller through SDL's own game-controller interface: it is
// noted as it comes and goes, and its buttons and stick come out as the
// game's keys.
#include "platform/sdl/SdlGamepads.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/Keys.h"

namespace kv {
namespace {

class SdlGamepadsTest : public ::testing::Test {
  protected:
    // Every event SDL has now, as the game sees it.
    std::vector<InputEvent> Drain() {
        std::vector<InputEvent> seen;
        SDL_JoystickUpdate();
        SDL_Event raw;
        while (SDL_PollEvent(&raw)) {
            if (std::optional<InputEvent> event = pads_.Translate(raw)) seen.push_back(*event);
        }
        return seen;
    }
    // The one key event a change of the controller gives.
    InputEvent Only() {
        std::vector<InputEvent> seen = Drain();
        EXPECT_EQ(seen.size(), 1u);
        return seen.empty() ? InputEvent{} : seen.front();
    }

    std::ostringstream notes_;
    SdlGamepads pads_{notes_};
};

TEST_F(SdlGamepadsTest, AVirtualControllerIsNotedAndItsButtonsAndStickAreKeys) {
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    EXPECT_TRUE(Drain().empty());
    ASSERT_EQ(pads_.Attached(), 1) << notes_.str();
    EXPECT_EQ(notes_.str().rfind("korvane: controller attached: ", 0), 0u) << notes_.str();
    SDL_Joystick* stick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
    ASSERT_NE(stick, nullptr);

    const struct {
        SDL_GameControllerButton Button;
        int Key;
    } buttons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, Key::Up},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left},
        {SDL_CONTROLLER_BUTTON_A, Key::Return},
        {SDL_CONTROLLER_BUTTON_B, Key::Escape},
        {SDL_CONTROLLER_BUTTON_X, Key::PadCamp},
        {SDL_CONTROLLER_BUTTON_Y, Key::Letter('W')},
        {SDL_CONTROLLER_BUTTON_START, Key::End},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, Key::PageUp},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, Key::PageDown},
    };
    for (const auto& b : buttons) {
        for (const bool down : {true, false}) {
            SDL_JoystickSetVirtualButton(stick, b.Button, down ? 1 : 0);
            const InputEvent event = Only();
            EXPECT_EQ(event.Kind, down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp);
            EXPECT_EQ(event.KeyCode, b.Key) << b.Button;
            EXPECT_TRUE(event.FromPad);
        }
    }

    // The stick: a firm push presses, a wobble short of the middle holds, the
    // middle lets go.
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -16000);
    EXPECT_EQ(Only().KeyCode, Key::Up);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -8000);
    EXPECT_TRUE(Drain().empty());
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTY, -7999);
    EXPECT_EQ(Only().Kind, InputEvent::Type::KeyUp);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, 16000);
    EXPECT_EQ(Only().KeyCode, Key::Right);

    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    Drain();
    EXPECT_EQ(pads_.Attached(), 0);
    EXPECT_NE(notes_.str().find("\nkorvane: controller removed: "), std::string::npos)
        << notes_.str();
}

}  // namespace
}  // namespace kv
