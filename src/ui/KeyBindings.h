#pragma once
// Keys of one's own: the [Keys] section of the settings file names a key for
// each of the maze's actions ("Forward = K"). A key given to an action acts as
// that action's standard key, and the standard key it replaced does nothing
// in the maze. Key names are the key scripts' own (Up, Enter, A..Z, 0..9,
// F1..F12, ...).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/Settings.h"

namespace kv {

inline constexpr std::string_view KeysSection = "Keys";

enum class MazeAction {
    Forward,
    TurnLeft,
    TurnRight,
    TurnAround,
    Camp,
    Search,
    UseItem,
    PartyWindow,
    Reorder,
    Companions,
    Suspend,
};
inline constexpr size_t MazeActionCount = 11;

struct MazeActionRow {
    MazeAction Action;
    std::string_view Name;  // its key in the [Keys] section
    int StandardKey;        // the key the maze's handler is written against
    std::string_view Help;  // one line for --help and the manual page
};
extern const std::array<MazeActionRow, MazeActionCount> MazeActions;

class KeyBindings {
  public:
    KeyBindings();  // every action on its standard key

    // The entries of the [Keys] section. A bad entry (an unknown action or
    // key name, a key another entry took first) leaves that action on its
    // standard key and adds one line to problems.
    static KeyBindings Read(const SettingsFile& file, std::vector<std::string>& problems);

    int KeyOf(MazeAction action) const { return keys_[static_cast<size_t>(action)]; }
    // The key the maze's handler should see for a key pressed: the standard
    // key of the action it is bound to, 0 for a standard key given away,
    // anything else as it came. A controller's buttons keep the standard
    // layout whatever the keyboard's keys are, its camp button (Key::PadCamp)
    // standing for the camp's standard key.
    int Translate(int keyCode, bool fromPad = false) const;

  private:
    std::array<int, MazeActionCount> keys_{};
};

// The actions and their standard keys, a line each, for --help.
std::string KeyBindingsHelp();

}  // namespace kv
