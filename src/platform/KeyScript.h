#pragma once
// Key scripts: the text form of a play session, read by headless runs and
// written by --record. Tokens are separated by white space; '#' starts a
// comment that runs to the end of the line.
//
//   Enter Esc Backspace Space Tab Up Down Left Right Home End PageUp PageDown
//   Insert Delete Ctrl Shift Alt F1..F12   named keys
//   A..Z 0..9                             that key (letters as upper-case codes)
//   Shift+X Ctrl+X Alt+X (combinable)      a key with shift states
//   Repeat+X (with the above)              a held key's repeat: a key-down alone
//   "text"                                 UTF-8 text for the focused text box
//                                          (\" and \\ escape inside the quotes)
//   wait:MS                                advance the clock MS milliseconds
//   shot:FILE                              write a PNG of the canvas now
//   click:X,Y                              left mouse click at canvas pixel X,Y
//   seed:N                                 the RNG seed, unless --seed is given
//   close                                  the player closes the window
//   pad:BUTTON                             a controller's button (PadButtons.h):
//                                          Up Down Left Right South East West
//                                          North Start LeftShoulder RightShoulder
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

struct ScriptStep {
    enum class Type { Key, Text, Wait, Shot, Click, Seed, Close, Pad };
    Type Kind = Type::Key;
    int KeyCode = 0;
    int Shift = 0;
    bool Repeat = false;  // Key: the system repeating a held key (no release follows)
                          // Pad: KeyCode is the key the button stands for
    std::string Text;     // Text: the text; Shot: the file
    int64_t Ms = 0;
    int X = 0;
    int Y = 0;
    uint64_t Seed = 0;
    int Line = 0;  // 1-based line of the script it came from
};

struct KeyScript {
    std::vector<ScriptStep> Steps;
    std::string Error;  // empty when the whole script parsed; else "line N: ..."
};

KeyScript ParseKeyScript(std::string_view text);

// The grammar's own spelling of one step, so a recording reads back the same.
std::string FormatStep(const ScriptStep& step);

std::optional<int> KeyCodeFromName(std::string_view name);
std::string KeyNameFromCode(int keyCode);  // "" when the grammar has no name for it

}  // namespace kv
