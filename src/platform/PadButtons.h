#pragma once
// A game controller in the standard layout, as the game sees it: each button
// stands for one of the game's keys (the d-pad and the left stick for the
// arrows, south for Enter, east for Esc, west for the camp in the maze, north
// for W, start for the menu's last row, the shoulders for a page up and down
// in lists). Key scripts spell a press as pad:NAME.
#include <array>
#include <optional>
#include <string_view>

#include "platform/Keys.h"

namespace kv {

enum class PadButton {
    Up,
    Down,
    Left,
    Right,
    South,
    East,
    West,
    North,
    Start,
    LeftShoulder,
    RightShoulder
};

struct PadButtonRow {
    PadButton Button;
    std::string_view Name;  // pad:NAME in key scripts
    int KeyCode;            // the game's key it stands for
};

// Each key code appears once, so the table reads both ways.
inline constexpr std::array<PadButtonRow, 11> PadButtons{{
    {PadButton::Up, "Up", Key::Up},
    {PadButton::Down, "Down", Key::Down},
    {PadButton::Left, "Left", Key::Left},
    {PadButton::Right, "Right", Key::Right},
    {PadButton::South, "South", Key::Return},
    {PadButton::East, "East", Key::Escape},
    {PadButton::West, "West", Key::PadCamp},
    {PadButton::North, "North", Key::Letter('W')},
    {PadButton::Start, "Start", Key::End},
    {PadButton::LeftShoulder, "LeftShoulder", Key::PageUp},
    {PadButton::RightShoulder, "RightShoulder", Key::PageDown},
}};

inline constexpr int PadKeyOf(PadButton button) {
    for (const PadButtonRow& row : PadButtons) {
        if (row.Button == button) return row.KeyCode;
    }
    return 0;
}

inline std::optional<PadButtonRow> PadButtonNamed(std::string_view name) {
    for (const PadButtonRow& row : PadButtons) {
        if (row.Name == name) return row;
    }
    return std::nullopt;
}

inline std::optional<PadButtonRow> PadButtonForKey(int keyCode) {
    for (const PadButtonRow& row : PadButtons) {
        if (row.KeyCode == keyCode) return row;
    }
    return std::nullopt;
}

}  // namespace kv
