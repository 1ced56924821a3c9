#pragma once
// Event contents and an event on the maze fixture's square, for the event tests.
#include <functional>
#include <utility>
#include <vector>

#include "core/MazeEvents.h"

namespace kv::testing {

inline Contents ContentOf(int kind, int dataId = 0) {
    Contents c;
    c.Kind = kind;
    c.DataID = dataId;
    return c;
}

// A content with some of its fields filled in.
inline Contents ContentWith(Contents c, const std::function<void(Contents&)>& fill) {
    fill(c);
    return c;
}

// One event on (4, 5) of floor 1 of place 21, facing north, for the trigger.
inline EventClass SquareEvent(std::vector<Contents> contents, int trigger = 1, int dir = 0) {
    return EventClass{1, 21, 1, 4, 5, dir, trigger, std::move(contents)};
}

}  // namespace kv::testing
