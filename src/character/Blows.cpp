#include "character/Blows.h"

#include <algorithm>

#include "character/CharacterRules.h"
#include "core/ClassRaceTables.h"

namespace kv {

namespace {

constexpr int ExtraBlowsWithSkill = 3;

}  // namespace

int NumberOfBlows(const Game& game, Creature& creature) {
    const int row = BitIndex(creature.Class);
    const ClassDef* def = row >= 0 && row < ClassRows ? &game.Classes[row] : nullptr;
    if (def == nullptr || def->AttackLevelStep == 0) {
        creature.AttackCount = 1;
        return 1;
    }
    const int most =
        def->MaxAttacks + (HasSkill(creature, Skill::MoreBlows) ? ExtraBlowsWithSkill : 0);
    creature.AttackCount = static_cast<int16_t>(
        std::max(1, std::min(creature.Level / def->AttackLevelStep + 1, most)));
    return creature.AttackCount;
}

}  // namespace kv
