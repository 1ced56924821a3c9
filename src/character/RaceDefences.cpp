#include "character/RaceDefences.h"

#include <algorithm>

namespace kv {

namespace {

// What a creature of no known race stands on.
constexpr int32_t UnknownRaceAC = 10;
constexpr uint8_t FullDamage = 100;

}  // namespace

void ResetRaceDefences(const Game& game, Creature& creature) {
    creature.Regen = 0;
    creature.GrantFlags1 = 0;
    creature.GrantFlags2 = 0;
    const int row = BitIndex(creature.Race);
    const RaceDef* race = row >= 0 && row < RaceRows ? &game.Races[row] : nullptr;
    creature.BaseAC = race != nullptr ? race->BaseAC : UnknownRaceAC;
    // Entry 0 is not an attribute and keeps whatever it holds.
    for (size_t a = 1; a < AttackAttributes; ++a) {
        creature.Resist[a] =
            race != nullptr ? static_cast<uint8_t>(std::clamp<int>(race->RaceResist[a], 0, 255))
                            : 0;
        creature.DamageRate[a] = race != nullptr ? race->RaceDamageRate[a] : FullDamage;
    }
}

}  // namespace kv
