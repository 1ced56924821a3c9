#include "ui/KeyBindings.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/KeyScript.h"
#include "platform/Keys.h"

namespace kv {
namespace {

// Action names match as the file's other names do: regardless of letter case.
bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

const std::array<MazeActionRow, MazeActionCount> MazeActions{{
    {MazeAction::Forward, "Forward", Key::Up, "step forward (Space and Enter also step)"},
    {MazeAction::TurnLeft, "TurnLeft", Key::Left, "turn left"},
    {MazeAction::TurnRight, "TurnRight", Key::Right, "turn right"},
    {MazeAction::TurnAround, "TurnAround", Key::Down, "turn about, to step back the way you came"},
    {MazeAction::Camp, "Camp", Key::Letter('I'), "camp: choose a member and open the camp"},
    {MazeAction::Search, "Search", Key::Letter('F'), "search the square"},
    {MazeAction::UseItem, "UseItem", Key::Letter('U'), "use an item here"},
    {MazeAction::PartyWindow, "PartyWindow", Key::Letter('W'), "show or hide the party window"},
    {MazeAction::Reorder, "Reorder", Key::Letter('E'), "change the marching order"},
    {MazeAction::Companions, "Companions", Key::Letter('S'), "look for fallen companions"},
    {MazeAction::Suspend, "Suspend", Key::Letter('Q'), "leave the party here and go home"},
}};

KeyBindings::KeyBindings() {
    for (const MazeActionRow& row : MazeActions)
        keys_[static_cast<size_t>(row.Action)] = row.StandardKey;
}

KeyBindings KeyBindings::Read(const SettingsFile& file, std::vector<std::string>& problems) {
    KeyBindings bindings;
    std::array<bool, MazeActionCount> given{};
    for (const std::string& name : file.Text().Keys(KeysSection)) {
        const std::string value = file.Read(KeysSection, name);
        const std::string where = "[Keys] " + name + " = " + value + ": ";
        const auto row =
            std::find_if(MazeActions.begin(), MazeActions.end(),
                         [&](const MazeActionRow& r) { return SameName(r.Name, name); });
        if (row == MazeActions.end()) {
            problems.push_back(where + "no such action; the keys stay as they were");
            continue;
        }
        const size_t index = static_cast<size_t>(row->Action);
        const std::string keeps =
            "; " + std::string(row->Name) + " keeps " + KeyNameFromCode(row->StandardKey);
        const std::optional<int> code = KeyCodeFromName(value);
        if (!code) {
            problems.push_back(where + "no such key" + keeps);
            continue;
        }
        const auto taken =
            std::find_if(MazeActions.begin(), MazeActions.end(), [&](const MazeActionRow& r) {
                return given[static_cast<size_t>(r.Action)] && bindings.KeyOf(r.Action) == *code;
            });
        // (A name given twice is read once, the first time, as every name of the file.)
        if (taken != MazeActions.end()) {
            problems.push_back(where + "the key is " + std::string(taken->Name) + "'s already" +
                               keeps);
            continue;
        }
        bindings.keys_[index] = *code;
        given[index] = true;
    }
    return bindings;
}

int KeyBindings::Translate(int keyCode, bool fromPad) const {
    if (keyCode == Key::PadCamp)
        return MazeActions[static_cast<size_t>(MazeAction::Camp)].StandardKey;
    if (fromPad) return keyCode;
    // A key given to an action first, then the actions still on their own
    // standard keys; a standard key given away is left with nothing.
    for (const bool moved : {true, false}) {
        for (const MazeActionRow& row : MazeActions) {
            const int key = KeyOf(row.Action);
            if ((key != row.StandardKey) == moved && key == keyCode) return row.StandardKey;
        }
    }
    const bool givenAway =
        std::any_of(MazeActions.begin(), MazeActions.end(),
                    [&](const MazeActionRow& row) { return row.StandardKey == keyCode; });
    return givenAway ? 0 : keyCode;
}

std::string KeyBindingsHelp() {
    std::string text = "Maze actions (the [Keys] section of KVR.ini, e.g. \"Forward = K\"):\n";
    for (const MazeActionRow& row : MazeActions) {
        std::string line = "  " + std::string(row.Name);
        line.resize(std::max<size_t>(line.size() + 1, 16), ' ');
        std::string key = KeyNameFromCode(row.StandardKey);
        key.resize(std::max<size_t>(key.size() + 1, 7), ' ');
        text += line + key + std::string(row.Help) + "\n";
    }
    return text;
}

}  // namespace kv
