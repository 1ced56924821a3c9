#pragma once
// Command input for spells, items and songs: the spell a typed or picked
// name stands for and the target it asks for, the items a member can use in
// battle and the instruments he can play.
#include <string>
#include <string_view>
#include <vector>

#include "battle/BattleRules.h"

namespace kv {

// What a chosen spell asks for next.
enum class SpellTarget {
    None,          // nothing: the next member comes
    MonsterGroup,  // a row of the monster list
    Member,        // a member of the party
};

// The target a spell row asks of this member (none for an unknown row).
SpellTarget TargetForSpell(const Game& game, const Creature& member, int spellRow);

// The typed (or picked) name: CommandArg becomes the first row 1..199 of
// that name, 0 when none has it (the cast then fails). The name comes back
// in upper case for the member's status label.
std::string EnterSpellByName(const Game& game, Creature& member, std::string_view name,
                             SpellTarget& target);

struct UsableRow {
    int Slot;          // the inventory slot 1..15
    std::string Text;  // "<slot in hex>:<name>"
};
// The items whose spell the member can cast in battle: no instruments, and
// amulets and orbs only with the skill for them.
std::vector<UsableRow> UsableItems(const Game& game, const Creature& member);
// The instruments he can play.
std::vector<UsableRow> Instruments(const Game& game, const Creature& member);

// The chosen item or instrument: ItemSlot and CommandArg (the row of its
// spell) are written and the item remembered; the target its spell asks for
// comes back.
SpellTarget ChooseItemForCommand(Game& game, Creature& member, int slot);

}  // namespace kv
