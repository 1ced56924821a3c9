#pragma once
// The key codes and shift states the game's handlers are written against
// (Enter 13, Up 38, letters as their upper-case codes). The platform maps its own keys to these;
// nothing above the platform sees anything else.
namespace kv::Key {

constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Shift = 16;
constexpr int Control = 17;
constexpr int Menu = 18;  // Alt
constexpr int Pause = 19;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48;   // '0'..'9' are 48..57
constexpr int A = 65;        // 'A'..'Z' are 65..90
constexpr int Numpad0 = 96;  // numeric keypad 0..9 are 96..105
constexpr int F1 = 112;      // F1..F12 are 112..123
constexpr int F11 = 122;
constexpr int F12 = 123;
// The controller's camp button: no key of the keyboard has it, so the maze
// reads it as the camp whichever key the player gave the camp.
constexpr int PadCamp = 255;

// The key of a letter 'A'..'Z' (a menu row's access letter).
constexpr int Letter(char upper) {
    return A + (upper - 'A');
}

// Esc and Backspace both mean "back" in every list and window.
constexpr bool IsBack(int keyCode) {
    return keyCode == Escape || keyCode == Back;
}

// Shift-state bits, as the key handlers receive them.
constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;

}  // namespace kv::Key
