#pragma once
// When a quest is fulfilled: the forty quests the game knows how to judge,
// each one row of a table (what is tested, on what, how many). A quest
// that asks for items takes them from the party once it is fulfilled.
#include "core/Game.h"

namespace kv {

inline constexpr int JudgedQuests = 40;

// What a quest's row tests.
enum class QuestTest {
    Never,          // no rule: the quest can only be declined
    HoldsItems,     // Count pieces of item Subject (and one of Other, when set)
    Killed,         // monster Subject (or Other, when set) killed Count times
    KindsKilled,    // Count kinds of monster killed
    ClassAtLevel,   // a member of class Subject at level Count
    AtLevel,        // a member at level Count
    HasStatus,      // a member with a bit of Subject in his status
    YoungOfRace,    // a member of race Subject younger than Count
    KilledOfClass,  // a monster of class exactly Subject killed
    Revived,        // a member revived Count times
    AtAge,          // a member aged Count
    FlagSet,        // event flag Subject is 1
    EverySpell,     // a member who knows every spell of the four schools
};

struct QuestRule {
    QuestTest Test = QuestTest::Never;
    int Subject = 0;
    int Count = 1;
    int Other = 0;
};

// The rule of quest 1..40; quests outside them are never fulfilled.
QuestRule QuestRuleOf(int quest);

// Whether the party fulfils the quest now; nothing changes.
bool QuestConditionHolds(const Game& game, int quest);
// Whether the party fulfils the quest; when it does, the items it asks
// for are taken, one piece at a time from the first holder in marching order.
bool QuestConditionMet(Game& game, int quest);

}  // namespace kv
