#include "platform/sdl/SdlKeys.h"

#include <gtest/gtest.h>

#include "platform/Keys.h"

namespace kv {
namespace {

TEST(SdlKeys, LettersDigitsKeypadAndFunctionKeysMapToTheirRuns) {
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(MapSdlKeycode(SDLK_a + i), 65 + i) << static_cast<char>('a' + i);
    }
    for (int i = 0; i < 10; ++i) EXPECT_EQ(MapSdlKeycode(SDLK_0 + i), 48 + i) << i;
    const SDL_Keycode keypad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                                  SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(MapSdlKeycode(keypad[i]), 96 + i) << "keypad " << i;
    const SDL_Keycode functionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                        SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(MapSdlKeycode(functionKeys[i]), 112 + i) << "F" << i + 1;
}

TEST(SdlKeys, NamedKeysTakeTheGameCodes) {
    struct Case {
        SDL_Keycode Sdl;
        int Code;
    };
    const Case cases[] = {
        {SDLK_LEFT, 37},   {SDLK_UP, 38},       {SDLK_RIGHT, 39},      {SDLK_DOWN, 40},
        {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},     {SDLK_BACKSPACE, 8},
        {SDLK_TAB, 9},     {SDLK_SPACE, 32},    {SDLK_HOME, 36},       {SDLK_END, 35},
        {SDLK_PAGEUP, 33}, {SDLK_PAGEDOWN, 34}, {SDLK_INSERT, 45},     {SDLK_DELETE, 46},
        {SDLK_LSHIFT, 16}, {SDLK_RSHIFT, 16},   {SDLK_LCTRL, 17},      {SDLK_RCTRL, 17},
        {SDLK_LALT, 18},   {SDLK_RALT, 18},     {SDLK_SEMICOLON, 186}, {SDLK_COMMA, 188},
        {SDLK_MINUS, 189}, {SDLK_PERIOD, 190},  {SDLK_SLASH, 191},     {SDLK_LEFTBRACKET, 219},
        {SDLK_QUOTE, 222},
    };
    for (const Case& c : cases) EXPECT_EQ(MapSdlKeycode(c.Sdl), c.Code) << SDL_GetKeyName(c.Sdl);
}

TEST(SdlKeys, KeysTheGameDoesNotKnowGiveZero) {
    const SDL_Keycode unknown[] = {SDLK_UNKNOWN, SDLK_MUTE, SDLK_VOLUMEUP, SDLK_F24, SDLK_AUDIOPLAY,
                                   SDLK_POWER,   -1,        0x7FFFFFFF};
    for (SDL_Keycode key : unknown) EXPECT_EQ(MapSdlKeycode(key), 0) << key;
}

TEST(SdlKeys, ModifiersBecomeShiftBitsAndLocksAreIgnored) {
    EXPECT_EQ(MapSdlModifiers(KMOD_NONE), 0);
    EXPECT_EQ(MapSdlModifiers(KMOD_LSHIFT), Key::ShiftMask);
    EXPECT_EQ(MapSdlModifiers(KMOD_RSHIFT), Key::ShiftMask);
    EXPECT_EQ(MapSdlModifiers(KMOD_RCTRL), Key::CtrlMask);
    EXPECT_EQ(MapSdlModifiers(KMOD_LALT), Key::AltMask);
    EXPECT_EQ(MapSdlModifiers(KMOD_LSHIFT | KMOD_RCTRL | KMOD_RALT), 7);
    EXPECT_EQ(MapSdlModifiers(KMOD_NUM | KMOD_CAPS | KMOD_GUI | KMOD_MODE), 0);
}

SDL_Keysym Keysym(SDL_Keycode sym, SDL_Scancode scancode, int mod) {
    SDL_Keysym key{};
    key.sym = sym;
    key.scancode = scancode;
    key.mod = static_cast<Uint16>(mod);
    return key;
}

TEST(SdlKeys, KeypadMovesWithNumLockOffAndTypesDigitsWithItOn) {
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NUM)), 104);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_8, SDL_SCANCODE_KP_8, KMOD_NONE)), Key::Up);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_2, SDL_SCANCODE_KP_2, KMOD_NONE)), Key::Down);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NONE)), Key::Left);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_6, SDL_SCANCODE_KP_6, KMOD_NONE)), Key::Right);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NONE)), Key::Insert);
    // Keys off the keypad do not care about NumLock.
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE)), Key::Up);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_NONE)), Key::Return);
}

TEST(SdlKeys, LetterKeysOfNonLatinLayoutsFallBackToTheirPlace) {
    constexpr SDL_Keycode cyrillicEf = 0x0444;  // where A is on a Latin layout
    EXPECT_EQ(MapSdlKey(Keysym(cyrillicEf, SDL_SCANCODE_A, KMOD_NONE)), Key::A);
    // A layout's own letters win over the key's place (AZERTY: A sits on Q).
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_a, SDL_SCANCODE_Q, KMOD_NONE)), Key::A);
    EXPECT_EQ(MapSdlKey(Keysym(SDLK_MUTE, SDL_SCANCODE_MUTE, KMOD_NONE)), 0);
}

}  // namespace
}  // namespace kv
