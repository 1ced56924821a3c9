// Hit points and conditions: the routines every other rule wounds, heals,
// kills and afflicts through, so that a message always reads the same.
#include <algorithm>
#include <limits>

#include "character/CharacterRules.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// Hit points are a Long: sums beyond it stop at its ends instead of wrapping.
int32_t ClampToLong(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

std::string Said(const Creature& creature, Str textId) {
    return creature.Name + std::string(ResString(textId));
}

}  // namespace

std::string HealCreature(Creature& creature, int32_t amount, bool quiet) {
    std::string text;
    if ((creature.Status & NoHealMask) != 0) {
        text = Said(creature, Str::NoEffect);
    } else {
        creature.HP = ClampToLong(static_cast<int64_t>(creature.HP) + amount);
        if (creature.HP < creature.MaxHP) {
            text = Said(creature, Str::NameBreak) + WideNumber(amount) +
                   std::string(ResString(Str::PointsHealed));
        } else {
            creature.HP = creature.MaxHP;
            text = Said(creature, Str::FullyHealed);
        }
    }
    return quiet ? std::string() : text;
}

std::string DamageCreature(Creature& creature, int32_t amount, bool quiet) {
    std::string text;
    if ((creature.Status & GoneMask) != 0) {
        text = Said(creature, Str::NoEffect);
    } else {
        creature.HP = ClampToLong(static_cast<int64_t>(creature.HP) - amount);
        text = Said(creature, Str::NameBreak) + WideNumber(amount) +
               std::string(ResString(Str::DamageTaken));
        if (creature.HP < 1) text += "\r" + KillCreature(creature, true);
    }
    return quiet ? std::string() : text;
}

std::string KillCreature(Creature& creature, bool withMessage) {
    SetCondition(creature.Status, StatusDead);
    creature.HP = 0;
    return withMessage ? Said(creature, Str::Died) : std::string();
}

std::string SetCondition(int32_t& status, int32_t bit) {
    status |= bit;
    // The lost are dead as well, so every rule that looks for the dead sees them.
    if (bit == StatusLost) status |= StatusDead;
    const Str textId = ConditionMessageId(bit);
    return textId != Str{} ? std::string(ResString(textId)) : std::string();
}

std::string ClearCondition(int32_t& status, int32_t bits) {
    status &= ~bits;
    return std::string(ResString(Str::Recovered));
}

bool HasSkill(const Creature& creature, Skill skill) {
    const auto code = static_cast<size_t>(skill);
    return code < creature.Skills.size() && creature.Skills[code] != 0;
}

}  // namespace kv
