#pragma once
// The spell table as every caster reads it, in battle and in camp: finding a
// spell by its typed name or by the code an item carries, whether a caster
// knows it, the damage (or healing) it rolls with the caster's attribute
// mastery, and the chance that an item breaks when it is used.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Game.h"

namespace kv {

// Spell flags: where a spell may be cast.
inline constexpr uint8_t SpellInBattle = 1;
inline constexpr uint8_t SpellInCamp = 2;
inline constexpr uint8_t SpellForMonsters = 4;

// The spell row 1..200, or nullptr for any other number.
const SpellDef* SpellRow(const Game& game, int number);
// The first row 1..last whose name matches (ASCII compared in upper case);
// 0 when none does.
int FindSpellByName(const Game& game, std::string_view name, int last = SpellRows - 1);
// The first row 1..200 whose Code is the item's spell number; 0 when none.
int FindSpellByCode(const Game& game, int code);
// The name the player types, ASCII letters in upper case.
std::string SpellNameUpper(std::string_view name);

// Whether the caster holds the spell in his spell book.
bool KnowsSpell(const Creature& caster, const SpellDef& spell);
// Whether he knows any spell of level 1 in any school.
bool KnowsAnyFirstLevelSpell(const Creature& caster);
// The spell points left for the spell's school and level.
int SpellPointsFor(const Creature& caster, const SpellDef& spell);
// Spends one point of the spell's school and level, not below 0.
void SpendSpellPoint(Creature& caster, const SpellDef& spell);

// A roll less a fifth for every shield level, the fraction dropped (worked
// in whole fifths, so three levels leave exactly two fifths).
int32_t ShieldedRoll(int32_t rolled, int shieldLevel);
// The caster's attribute mastery added to a spell's damage.
int32_t SpellDamageBonus(const Creature& caster, int attribute, int32_t damage);
// A spell's damage on a target: the dice less a fifth a shield level, the
// mastery bonus, and a target's own damping by his IQ.
int32_t SpellDamage(Game& game, const Creature& caster, const Creature& target,
                    const SpellDef& spell, int shieldLevel);

// The condition an attack spell adds by its attribute: cold freezes (19),
// lightning shocks (20), the rest add none (0).
int SpellExtraCondition(int attribute);

// Whether one use of an item breaks it: 1d100 + bonus below its chance.
bool ItemBreaks(Game& game, int useBreakChance, int bonus = 0);

// "<caster>は\n<ＳＰＥＬＬ>の呪文を唱えた": how every cast begins.
std::string CastingPrefix(const Creature& caster, const SpellDef& spell);

}  // namespace kv
