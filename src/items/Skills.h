#pragma once
// The skills a character has switched on: which ones may be offered (the
// class's from a level on, and those granted by worn items), how many may
// be on at once (more as the story goes on), and the check any rule makes
// of the party.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/SkillCodes.h"

namespace kv {

// 1 for class bit 1, otherwise the bit's number + 1 (the skill table's column).
int ClassIndexFromMask(int32_t classBit);

// One row of the skill window.
struct SkillRow {
    std::string Name;
    int Code = 0;  // the skill number switched on or off
    bool On = false;
};
// The class's skills the character's level reaches, then those granted by
// worn items not already offered, each checked when it is on now.
std::vector<SkillRow> OfferedSkills(const Game& game, const Creature& creature);

// How many skills may be on at once: 3, raised by story flags 50..56.
int SkillLimit(const Game& game);
// The refusal when too many rows are checked; "" when the choice stands.
std::string CheckSkillCount(const Game& game, const Creature& creature,
                            const std::vector<SkillRow>& rows);
// The refusal when a row may not be switched off (dual wielding while a
// weapon is in the secondary hand); "" when it may.
std::string CheckSkillOff(const Game& game, const Creature& creature, int code);
// The description shown for a row.
std::string SkillDescription(const Game& game, int code);

// Every skill goes off, then the rows' choices are written, with the
// resistances the fearless and frostproof skills give. A skill the window
// did not offer stays off.
void WriteBackSkills(Creature& creature, const std::vector<SkillRow>& rows);

// Whether any party member has the skill on.
bool PartyHasSkill(const Game& game, Skill skill);

}  // namespace kv
