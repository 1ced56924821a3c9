#pragma once
// What the maze rules ask of the screens around them. Every hook may be left
// empty: a rule test or a simulation runs the rules on a bare Game without
// any window.
#include <functional>

#include "town/CastleReturn.h"

namespace kv {

// MoveParty's kinds: a step forward, or a turn by that many quarters right.
enum class MoveKind : int { Step = 0, Right = 1, About = 2, Left = 3 };

// Music scenes the maze selects.
enum MazeScene : int {
    DungeonScene = 10,
    DeepestFloorScene = 11,
    RandomBattleScene = 12,
    SpecialBattleScene = 13,
    SpecialBattleSkillScene = 14,
    WipedOutScene = 17,
};

struct MazeHooks {
    std::function<void()> Redraw;            // the view, after a move, turn or transfer
    std::function<void()> Save;              // the save points of the maze
    std::function<void(int)> PlayScene;      // music by scene number
    std::function<void()> RefreshParty;      // the party panel, after hit points change
    std::function<void(MoveKind)> ShowMove;  // the move indicator
    // Seconds since start-up finished; without it the run counts as just begun.
    std::function<double()> SecondsRunning;
    // The way home: the rules set the party down, the screens show the castle.
    CastleReturnHooks Castle;
};

inline void Call(const std::function<void()>& hook) {
    if (hook) hook();
}

}  // namespace kv
