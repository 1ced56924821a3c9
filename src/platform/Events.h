#pragma once
#include <string>

namespace kv {

// One thing that happened at the keyboard, mouse or window, already in the
// game's terms (its own key codes, canvas coordinates).
struct InputEvent {
    enum class Type {
        KeyDown,     // KeyCode + Shift
        KeyUp,       // KeyCode + Shift
        Text,        // Text: committed UTF-8 text for the focused text box
        Editing,     // Text + Cursor: IME composition in progress ("" ends it)
        MouseDown,   // X, Y in canvas pixels; Button 1 left, 2 right, 3 middle
        CloseAsked,  // the player asked the window to close (close box)
        Quit,        // the run ends now (script exhausted, process told to stop)
        Screenshot,  // Text: write a PNG of the canvas to this path now
        Expose,      // the window needs repainting (resize, restore)
    };
    Type Kind = Type::KeyDown;
    int KeyCode = 0;
    int Shift = 0;
    bool Repeat = false;   // KeyDown: the key is held and this press is the system's repeat
    bool FromPad = false;  // KeyDown/KeyUp: a controller's button (PadButtons.h), not a key
    std::string Text;
    int Cursor = 0;
    int X = 0;
    int Y = 0;
    int Button = 0;
};

}  // namespace kv
