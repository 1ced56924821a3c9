#pragma once
// What a step does to each member: the distance walked, poison and deadly
// poison eating hit points, regeneration giving them back.
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

// The change one step made to one member's hit points.
struct StepChange {
    int Slot = 0;
    int Delta = 0;  // negative for poison, positive for regeneration
    bool Died = false;
};

// Applies one step to every member not dead, ashed or lost. Members who die
// of poison are killed and their death messages ("…は\n死んだ・・・")
// returned in marching order through deaths.
std::vector<StepChange> ApplyStepEffects(Game& game, std::vector<std::string>& deaths);

}  // namespace kv
