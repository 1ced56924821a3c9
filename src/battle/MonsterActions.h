#pragma once
// What monsters and summons do on their turns. A monster has no behaviour of
// its own: each turn draws one of its 21 action rows, and the row either
// describes the action in data (damage, conditions, targets, message) or
// names a built-in action by its number: the plain attack, a spell, breath,
// flight, a call for help, a summoning, a theft or a special attack. Summons
// fight on the party's side with the same rows, the sides exchanged.
#include <string>
#include <vector>

#include "battle/BattleRules.h"

namespace kv {

// The target sets of the action table and the special attacks.
enum TargetType : int {
    TargetNone = 0,
    TargetSingle = 1,          // no party set; a summon chosen this turn takes it alone
    TargetOne = 2,             // one active member drawn at random
    TargetParty = 3,           // every member, in marching order
    TargetStanding = 4,        // every member who is not gone
    TargetDraws = 5,           // n draws of one active member
    TargetFrontSingle = 11,    // as TargetSingle
    TargetFrontOne = 12,       // one active member of the first three
    TargetFront = 13,          // the first three
    TargetFrontStanding = 14,  // the first three who are not gone
    TargetFrontDraws = 15,     // n draws among the first three
};

// A party member or summon the monsters can reach: there, and neither dead,
// ashes, lost nor hidden.
inline bool IsActive(const Creature& c) {
    return c.Id > 0 && (c.Status & AbsentMask) == 0;
}

// --- targets (MonsterActionsTargets.cpp) ---

// Up to 51 draws of a marching position; the first active member drawn.
Creature* RandomActiveMember(Game& game);
// The same among the first three positions.
Creature* RandomFrontMember(Game& game);
// Up to 50 draws of a group 1..4 with a member still standing; 0 if none.
int RandomLivingGroup(Game& game);
// The group of a random row of the monster list (groups are not renumbered
// as rows leave, so a random group number could name a dead one); 0 when
// the list is empty.
int RandomRowGroup(Game& game);
// The party members a target type reaches (n: the draws of types 5 and 15).
std::vector<Creature*> BuildTargetList(Game& game, int type, int n);
// Whether this turn's blow goes at a summon instead of the party: its slot,
// or 0 for the party.
int ChooseSummonTarget(Game& game);
// The party member a monster's blow goes for, weighed by the monster's wits;
// nullptr when nobody can be reached.
Creature* PickMonsterTarget(Game& game, const Creature& monster);

// Whom the actions of one turn reach.
struct ActionAim {
    Creature* Actor = nullptr;
    // A monster's turn: the summon slot it turned on instead of the party (0: the party).
    int Summon = 0;
    // A summon's turn: the monster group it fights (0 on a monster's turn)
    // and that group's first living member.
    int Group = 0;
    Creature* Single = nullptr;
    // What the screen is asked to show on this turn (none in a bare rule test).
    GameDisplay* Display = nullptr;
    bool BySummon() const { return Group != 0; }
};

// The targets of a target type on this turn: the party, the summon chosen
// (one) or every summon slot (several); for a summon, its single target or
// the members of its group.
std::vector<Creature*> AimTargets(Game& game, const ActionAim& aim, int type, int n);

// --- the rows of the action table (MonsterActionsData.cpp) ---

enum class ActionKind : int { Damage = 1, Conditions = 2, BuiltIn = 3, DamageAndConditions = 4 };

// A dice field of an action row: a decimal number, or "da", "db", "dc", "wc"
// for the actor's damage dice count, sides and add and its blows.
int32_t ActionDiceField(const Creature& actor, const std::string& field);
// Kinds 1, 2 and 4: damage and conditions as the row describes them.
void RunDataAction(Game& game, Player& player, const ActionAim& aim, const MonsterActionDef& row);

// The built-in actions a row number names.
enum class BuiltIn { Nothing, Attack, Spell, Flee, CallForHelp, Breath, Steal, Summon, Special };
struct BuiltInAction {
    BuiltIn Action = BuiltIn::Nothing;
    int School = 0;      // spells: the school
    int SpellLevel = 0;  // spells: the level
    int Attribute = 0;   // breath: the element
};
BuiltInAction FindBuiltIn(int row);

// --- the built-in actions (MonsterActionsBuiltIn.cpp, MonsterTurn.cpp) ---

// The word and the condition each element's breath brings.
struct ElementBreath {
    int Attribute = 0;
    const char* Word = "";
    int Extra = 0;
};
ElementBreath BreathOf(int attribute);

// The spell a caster of a school and level casts: one drawn among the
// monsters' spells of that school and level; 0 when there is none.
int ChooseMonsterSpell(Game& game, int school, int level);
// summon: the summon slot this turn strikes instead of the party (0: none).
void MonsterCastSpell(Game& game, Player& player, Creature& caster, int school, int level,
                      int summon = 0);
void MonsterBreath(Game& game, Player& player, const ActionAim& aim, int attribute);
void CallForHelp(Game& game, Player& player);
void Flee(Game& game, Player& player, Creature& monster);
void StealAndRun(Game& game, Player& player, Creature& monster);
// Rows 91..95: a new group of monsters joins the battle.
void SummonGroup(Game& game, Player& player, Creature& monster, int row);
// Row 1: the plain attack, with the party's guards, revenge and counters.
void MonsterAttack(Game& game, Player& player, const ActionAim& aim);

// --- special attacks (MonsterFeats.cpp) ---

// Rows 33, 34 and 42..318 for a monster, or for a summon the sides exchanged.
void RunSpecialAttack(Game& game, Player& player, const ActionAim& aim, int row);
// Whether a summon knows the special attack of a row.
bool SummonKnowsSpecial(int row);

// --- summons (Summons.cpp, SummonTurn.cpp) ---

// The summon command of the acting member (his CommandArg is the level).
void SummonMonsters(Game& game, Player& player, Creature& summoner);
// One summon's turn.
void RunSummonAction(Game& game, Player& player, Creature& summon);
// The summon panel's line; gives each summon its recovery while counting.
// Empty when no summon stands.
std::string BuildSummonLine(Game& game);
// At the end of a round summons may turn on the party and become a group.
void SummonBetrayal(Game& game, Player& player);

}  // namespace kv
