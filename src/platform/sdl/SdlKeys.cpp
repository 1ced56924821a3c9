#include "platform/sdl/SdlKeys.h"

#include <array>

#include "platform/Keys.h"

namespace kv {
namespace {

struct KeyPair {
    SDL_Keycode Sdl;
    int Code;
};

// Runs of consecutive SDL keycodes that map onto consecutive game codes.
struct KeyRun {
    SDL_Keycode First;
    SDL_Keycode Last;
    int FirstCode;
};

constexpr std::array<KeyRun, 4> KeyRuns = {{
    {SDLK_a, SDLK_z, Key::A},
    {SDLK_0, SDLK_9, Key::Digit0},
    {SDLK_KP_1, SDLK_KP_9, Key::Numpad0 + 1},
    {SDLK_F1, SDLK_F12, Key::F1},
}};

constexpr std::array<KeyPair, 54> Singles = {{
    {SDLK_BACKSPACE, Key::Back},
    {SDLK_TAB, Key::Tab},
    {SDLK_RETURN, Key::Return},
    {SDLK_RETURN2, Key::Return},
    {SDLK_KP_ENTER, Key::Return},
    {SDLK_LSHIFT, Key::Shift},
    {SDLK_RSHIFT, Key::Shift},
    {SDLK_LCTRL, Key::Control},
    {SDLK_RCTRL, Key::Control},
    {SDLK_LALT, Key::Menu},
    {SDLK_RALT, Key::Menu},
    {SDLK_PAUSE, Key::Pause},
    {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, Key::Escape},
    {SDLK_SPACE, Key::Space},
    {SDLK_PAGEUP, Key::PageUp},
    {SDLK_PAGEDOWN, Key::PageDown},
    {SDLK_END, Key::End},
    {SDLK_HOME, Key::Home},
    {SDLK_LEFT, Key::Left},
    {SDLK_UP, Key::Up},
    {SDLK_RIGHT, Key::Right},
    {SDLK_DOWN, Key::Down},
    {SDLK_PRINTSCREEN, 44},
    {SDLK_INSERT, Key::Insert},
    {SDLK_DELETE, Key::Delete},
    {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},
    {SDLK_KP_0, Key::Numpad0},
    {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},
    {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DECIMAL, 110},
    {SDLK_KP_DIVIDE, 111},
    {SDLK_F13, 124},
    {SDLK_F14, 125},
    {SDLK_F15, 126},
    {SDLK_F16, 127},
    {SDLK_NUMLOCKCLEAR, 144},
    {SDLK_SCROLLLOCK, 145},
    {SDLK_SEMICOLON, 186},
    {SDLK_EQUALS, 187},
    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},
    {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},
    {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},
    {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221},
    {SDLK_QUOTE, 222},
    {SDLK_KP_CLEAR, 12},
}};

// The keypad with NumLock off: its keys are the navigation keys printed on them.
constexpr std::array<KeyPair, 11> KeypadNavigation = {{
    {SDLK_KP_0, Key::Insert},
    {SDLK_KP_1, Key::End},
    {SDLK_KP_2, Key::Down},
    {SDLK_KP_3, Key::PageDown},
    {SDLK_KP_4, Key::Left},
    {SDLK_KP_5, 12},  // Clear
    {SDLK_KP_6, Key::Right},
    {SDLK_KP_7, Key::Home},
    {SDLK_KP_8, Key::Up},
    {SDLK_KP_9, Key::PageUp},
    {SDLK_KP_PERIOD, Key::Delete},
}};

struct ModPair {
    int Sdl;
    int Bit;
};

constexpr std::array<ModPair, 3> Modifiers = {{
    {KMOD_SHIFT, Key::ShiftMask},
    {KMOD_CTRL, Key::CtrlMask},
    {KMOD_ALT, Key::AltMask},
}};

template <size_t N>
constexpr int Find(const std::array<KeyPair, N>& table, int sdlKeycode) {
    for (const KeyPair& pair : table) {
        if (pair.Sdl == sdlKeycode) return pair.Code;
    }
    return 0;
}

}  // namespace

int MapSdlKeycode(int sdlKeycode) {
    for (const KeyRun& run : KeyRuns) {
        if (sdlKeycode >= run.First && sdlKeycode <= run.Last) {
            return run.FirstCode + (sdlKeycode - run.First);
        }
    }
    return Find(Singles, sdlKeycode);
}

int MapSdlModifiers(int sdlMod) {
    int bits = 0;
    for (const ModPair& pair : Modifiers) {
        if ((sdlMod & pair.Sdl) != 0) bits |= pair.Bit;
    }
    return bits;
}

int MapSdlKey(const SDL_Keysym& key) {
    if ((key.mod & KMOD_NUM) == 0) {
        const int moved = Find(KeypadNavigation, key.sym);
        if (moved != 0) return moved;
    }
    const int code = MapSdlKeycode(key.sym);
    if (code != 0) return code;
    // A layout without Latin letters still has keys where A..Z would be.
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z) {
        return Key::A + (key.scancode - SDL_SCANCODE_A);
    }
    return 0;
}

}  // namespace kv
