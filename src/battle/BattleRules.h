#pragma once
// The battle rules: encounters and groups, the attack and damage rules every
// side shares, the round, the party's actions and the ends of a battle. They
// run on a Game, a Player and a GameDisplay alone (the music, the picture
// and the save go through the display), so a whole battle runs without a
// window.
#include <cstdint>
#include <string>
#include <string_view>

#include "character/PartyMembers.h"
#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"
#include "items/Skills.h"

namespace kv {

// Party commands (Creature::Command).
enum CommandCode : int16_t {
    CommandNone = 0,
    CommandFight = 1,
    CommandSpell = 2,
    CommandItem = 4,
    CommandParry = 8,
    CommandDispel = 16,
    CommandHide = 32,
    CommandBreath = 64,
    CommandSteal = 128,
    CommandProbe = 512,
    CommandChainSpell = 1024,
    CommandInspect = 2048,
    CommandCoins = 4096,
    CommandSummon = 8192,
    CommandSong = 16384,
};

// --- the party and its members (BattleParty.cpp) ---

// PartyMember (dungeon/PartyMembers.h) and PartyHasSkill (items/Skills.h)
// serve the battle as they serve the maze and the status window.
// Monsters and summons carry Sex 4.
inline bool IsMonster(const Creature& c) {
    return c.Sex == 4;
}
// Whether the creature stands in the party's summon slots (Sex alone cannot
// tell a summon from a monster).
inline bool IsSummon(const Game& game, const Creature& c) {
    const Creature* first = game.Battle.Summons.data();
    return &c >= first && &c < first + game.Battle.Summons.size();
}
inline bool CanAct(const Creature& c) {
    return (c.Status & IdleMask) == 0;
}
// Whether every party member is down (an empty party counts as down).
bool PartyIsDown(Game& game);

// --- encounters and groups (Encounter.cpp, GroupLine.cpp) ---

// Starts the battle of an encounter number (0: a random one of the floor).
// Creates the groups, rolls the opening and, for a monster first strike or
// a back attack, runs the monsters' free round at once.
BattleEnd StartBattle(Game& game, Player& player, GameDisplay& display, int encounter);
// The first row 1..2000 of the encounter table holding that number, 0 if none.
int FindEncounterRow(const Game& game, int encounter);
// Creates the monster groups of an encounter row.
void CreateGroups(Game& game, Player& player, GameDisplay& display, int row);
// The first member 1..9 of a group whose dead bit is clear; 0 if none.
int FirstLivingMember(const Game& game, int group);
// The monster list row of a group; gives each living member its per-round
// recovery while counting.
std::string BuildGroupLine(Game& game, int group);
// Rebuilds the monster list: groups without a living member leave it.
void RebuildMonsterList(Game& game);

// --- the ends of a battle (Outcome.cpp) ---

// Books a dead monster into the pools; the death message, or "" unwanted.
// A summon only dies: the party earns nothing for losing its own.
std::string MonsterKilled(Game& game, Creature& monster, Creature* killer, bool withMessage);
// The common clean-up after every battle that did not end in defeat.
void EndBattle(Game& game);
// Victory: the payout, the end of the battle and the chest roll.
BattleEnd Victory(Game& game, Player& player, GameDisplay& display);
// Pays the experience and gold won to the party.
void PayOut(Game& game, Player& player, GameDisplay& display);
// The party is wiped out: where each member fell, the lost erased.
BattleEnd Defeat(Game& game, Player& player, GameDisplay& display);
// The current member tries to flee for the party; a failure runs the round.
BattleEnd Escape(Game& game, Player& player, GameDisplay& display);

// --- attack and damage (Resist.cpp, Attack.cpp, Conditions.cpp) ---

// Result bits of a resistance roll and of attribute damage.
enum ResistResult : int {
    NotResisted = 0,
    ResistedFirst = 1,
    Reflected = 2,
    Absorbed = 4,
    ResistedSecond = 8,
    Sealed = 16,
};
enum HitResult : int { Hit = 1, SureHit = 2, Miss = 4, Fumble = 8 };

int ResistRoll(Game& game, int first, int second);
int StatBonus(int value);
// The weapon record of an inventory slot; nullptr for bare hands or slot 0.
const ItemDef* WeaponIn(const Game& game, const Creature& attacker, int slot);
HitResult HitRoll(Game& game, const Creature& attacker, const Creature& defender,
                  const ItemDef* weapon);
int32_t WeaponDamage(Game& game, const Creature& attacker, const Creature& defender,
                     const ItemDef* weapon, int& hits);
// One attack command with the weapon of the slot, messages and death included.
void PhysicalAttack(Game& game, Player& player, Creature& attacker, Creature& defender,
                    int weaponSlot);
// Damage of an attribute (spells, breath, specials), already rolled.
int ApplyAttributeDamage(Game& game, Player& player, std::string_view prefix, int32_t damage,
                         Creature& attacker, Creature& target, int attribute, int second,
                         int extraKind, bool noReflect);
// One condition attack; killer is the actor credited with a monster's death.
void InflictCondition(Game& game, Player& player, std::string_view prefix, Creature& target,
                      int kind, int chance, bool dodgeable, int general,
                      Creature* killer = nullptr);
// Whether a party-wide ward stops a condition kind on the target.
bool PartyWardRoll(Game& game, const Creature& target, int kind);

// --- the round (Round.cpp, Initiative.cpp, RoundEnd.cpp) ---

void RollMonsterInitiative(Game& game);
void RollPartyInitiative(Game& game);
void RollSummonInitiative(Game& game);
// Runs one round from tick 50 down to 1, then its end; returns how it left
// the battle.
BattleEnd RunRound(Game& game, Player& player, GameDisplay& display);
// The end-of-round work after the actors: area effects, recovery, the list.
BattleEnd EndRound(Game& game, Player& player, GameDisplay& display);

// --- the party's turn (PartyActions.cpp, AutoCommand.cpp) ---

void RunPartyAction(Game& game, Player& player, Creature& actor);
// The monster's turn: one of its action rows (battle/MonsterActions.h).
void RunMonsterAction(Game& game, Player& player, Creature& monster,
                      GameDisplay* display = nullptr);
// The special commands (PartySkills.cpp), each aimed at TargetGroup.
void Probe(Game& game, Player& player, Creature& actor);
void Steal(Game& game, Player& player, Creature& actor);
void Inspect(Game& game, Player& player, Creature& actor);
void ThrowCoins(Game& game, Player& player, Creature& actor);
void Dispel(Game& game, Player& player, Creature& actor);
void Breathe(Game& game, Player& player, Creature& actor);
// The automatic command for every member who can act.
void AutoCommands(Game& game);
// Confirms the commands: rolls the party's initiative and runs the round.
BattleEnd StartRound(Game& game, Player& player, GameDisplay& display);

}  // namespace kv
