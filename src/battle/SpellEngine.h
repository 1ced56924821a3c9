#pragma once
// The spell engine of the battle: a member's spell, an item that casts one
// and an instrument's song all come here. The engine works on a copy of the
// spell row and carries out its effect code against the chosen target, on a
// Game and a Player alone, so it runs without a window. The camp shares the
// spell table, the damage and the break chance (character/SpellBook.h).
#include <string>

#include "battle/BattleRules.h"
#include "character/SpellBook.h"

namespace kv {

// General resistance a spell passes on monsters; songs pass their own.
inline constexpr int MagicResistance = 2;
inline constexpr int SongResistance = 35;
// Races for whom every spell aimed at the party is void.
inline constexpr int16_t SpellImmuneRace = 256;

// One cast under way.
struct SpellCast {
    Creature& Caster;
    SpellDef Spell;      // a copy: the engine may be handed a changed row
    std::string Prefix;  // "<caster>は\n<spell>の呪文を唱えた" or the song's
    int Target = 0;      // a group 1..4, or the roster slot of a member
    int General = MagicResistance;
    bool Song = false;
};

// The member casts the spell row in CommandArg at TargetGroup: the checks,
// the spell point, then the effect.
void CastSpell(Game& game, Player& player, Creature& actor);
// The chain caster's spell: cast, and cast again while its target stands.
void CastSpellTwice(Game& game, Player& player, Creature& actor);
// The member uses the item in ItemSlot: its spell, and maybe it breaks.
void UseItemInBattle(Game& game, Player& player, Creature& actor);
// The member plays the instrument in ItemSlot.
void PlaySong(Game& game, Player& player, Creature& actor);

// The item in the member's ItemSlot is remembered at input; by his turn the
// slot must still hold it, or nothing happens and nothing is used up.
void RememberChosenItem(Game& game, const Creature& member);
bool ChosenItemStillThere(const Game& game, const Creature& member);

// Carries out a spell's effect code (after the checks). False when the
// engine knows no such code (nothing happened).
bool RunSpellEffect(Game& game, Player& player, SpellCast& cast);
// The same for a song's effect code.
bool RunSongEffect(Game& game, Player& player, SpellCast& cast);

// --- shared by the effect files (SpellTargets.cpp) ---

// Whether the creature is dead, ashes or lost (or gone from the battle).
bool IsDown(const Creature& c);
// The living members 1..9 of a group (dead bit clear, Id > 0).
std::vector<Creature*> LivingMembers(Game& game, int group);
// The groups a spell's target kind reaches: the target group, or every
// group that exists for kind 3.
std::vector<int> SpellGroups(const Game& game, const SpellCast& cast);
// The party members a party spell reaches: the chosen member for kind 4,
// every member otherwise.
std::vector<Creature*> SpellMembers(Game& game, const SpellCast& cast, bool whole);
// A member of the immune race: the void message is shown and true comes back.
bool VoidsSpell(Player& player, const SpellCast& cast, const Creature& member);
// The armour-class change of a protection spell on one target.
void ChangeArmour(Game& game, Player& player, const SpellCast& cast, Creature& target, int amount);
// The roster slot of a party member, 0 for anyone else.
int RosterSlotOf(const Game& game, const Creature& c);
// "<prefix>\n<text>" shown at once.
void Say(Player& player, const SpellCast& cast, const std::string& text);

}  // namespace kv
