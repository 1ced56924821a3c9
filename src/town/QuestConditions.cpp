#include "town/QuestConditions.h"

#include <algorithm>
#include <array>

#include "character/Equipment.h"
#include "character/Inventory.h"

namespace kv {

namespace {

using enum QuestTest;

// Row n is quest n; row 0 is no quest.
constexpr std::array<QuestRule, JudgedQuests + 1> QuestRules = {{
    {},
    {HoldsItems, 102, 1, 88},
    {Killed, 69, 1},
    {HoldsItems, 185, 5},
    {KindsKilled, 0, 20},
    {ClassAtLevel, 2, 5},
    {HoldsItems, 208, 5},
    {HoldsItems, 242, 1},
    {AtLevel, 0, 10},
    {HoldsItems, 243, 1},
    {KindsKilled, 0, 50},
    {HoldsItems, 184, 3},
    {Killed, 122, 1},
    {HoldsItems, 244, 1},
    {HasStatus, StatusParalysis},
    {YoungOfRace, 2, 21},
    {KilledOfClass, 128},
    {AtLevel, 0, 20},
    {KindsKilled, 0, 100},
    {Killed, 74, 30},
    {HoldsItems, 245, 1},
    {Killed, 39, 50},
    {HasStatus, StatusDead},
    {KindsKilled, 0, 150},
    {Revived, 0, 20},
    {HasStatus, StatusAshes},
    {HoldsItems, 197, 1},
    {AtAge, 0, 60},
    {HoldsItems, 240, 1},
    {Killed, 150, 200},
    {HasStatus, StatusStone},
    {FlagSet, 30},
    {HoldsItems, 215, 1},
    {Killed, 191, 10},
    {Killed, 137, 100},
    {HoldsItems, 11, 1},
    {EverySpell},
    {HoldsItems, 241, 1},
    {HoldsItems, 180, 1},
    {Killed, 209, 1, 208},
    {Killed, 210, 1},
}};

constexpr int EverySpellSchools = 4;
constexpr int EverySpellLevels = 9;
constexpr int EverySpellSlots = 3;

// Pieces of an item the party carries; a held item counts at least once
// whatever its slot's count says.
int PiecesHeld(const Game& game, int32_t itemId) {
    int pieces = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* m = game.Member(i);
        if (m == nullptr) continue;
        for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
            const InventorySlot& held = m->Items[static_cast<size_t>(slot)];
            if (held.ItemId == itemId) pieces += std::max(1, held.ItemCount);
        }
    }
    return pieces;
}

int KillsOf(const Game& game, int monster) {
    if (monster < 0 || monster >= static_cast<int>(game.MonsterKillCount.size())) return 0;
    return game.MonsterKillCount[static_cast<size_t>(monster)];
}

int CountKindsKilled(const Game& game) {
    return static_cast<int>(std::count_if(game.MonsterKillCount.begin(),
                                          game.MonsterKillCount.end(),
                                          [](int32_t kills) { return kills > 0; }));
}

bool ClassWasKilled(const Game& game, int monsterClass) {
    const size_t rows = std::min(game.Monsters.size(), game.MonsterKillCount.size());
    for (size_t m = 0; m < rows; ++m) {
        if (game.Monsters[m].Class == monsterClass && game.MonsterKillCount[m] > 0) return true;
    }
    return false;
}

bool KnowsEverySpell(const Creature& c) {
    for (int school = 0; school < EverySpellSchools; ++school) {
        for (int level = 1; level <= EverySpellLevels; ++level) {
            for (int slot = 1; slot <= EverySpellSlots; ++slot) {
                if (c.Spell(school, level, slot) == 0) return false;
            }
        }
    }
    return true;
}

// Whether one member meets a rule about members.
bool MemberMeets(const Creature& c, const QuestRule& rule) {
    switch (rule.Test) {
        case ClassAtLevel:
            return c.Class == rule.Subject && c.Level >= rule.Count;
        case AtLevel:
            return c.Level >= rule.Count;
        case HasStatus:
            return (c.Status & rule.Subject) != 0;
        case YoungOfRace:
            return c.Race == rule.Subject && c.Age < rule.Count;
        case Revived:
            return c.Revivals >= rule.Count;
        case AtAge:
            return c.Age >= rule.Count;
        case EverySpell:
            return KnowsEverySpell(c);
        default:
            return false;
    }
}

bool SomeMemberMeets(const Game& game, const QuestRule& rule) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* m = game.Member(i);
        if (m != nullptr && MemberMeets(*m, rule)) return true;
    }
    return false;
}

bool Holds(const Game& game, const QuestRule& rule) {
    switch (rule.Test) {
        case Never:
            return false;
        case HoldsItems:
            return PiecesHeld(game, rule.Subject) >= rule.Count &&
                   (rule.Other == 0 || PiecesHeld(game, rule.Other) >= 1);
        case Killed:
            return KillsOf(game, rule.Subject) >= rule.Count ||
                   (rule.Other != 0 && KillsOf(game, rule.Other) >= rule.Count);
        case KindsKilled:
            return CountKindsKilled(game) >= rule.Count;
        case KilledOfClass:
            return ClassWasKilled(game, rule.Subject);
        case FlagSet:
            return game.EventFlags[static_cast<size_t>(rule.Subject)] == 1;
        default:
            return SomeMemberMeets(game, rule);
    }
}

// One piece from the first holder in marching order; a piece taken from a
// worn slot takes its defences with it.
void TakeOne(Game& game, int32_t itemId) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* m = game.Member(i);
        if (m == nullptr) continue;
        for (int slot = FirstInventorySlot; slot <= LastInventorySlot; ++slot) {
            const InventorySlot& held = m->Items[static_cast<size_t>(slot)];
            if (held.ItemId != itemId) continue;
            const bool worn = (held.ItemFlags & ItemPositionMask) != 0;
            RemoveItemCount(*m, slot, 1);
            // Recomputed from the race up.
            if (worn) ApplyEquipment(game, *m);
            return;
        }
    }
}

}  // namespace

QuestRule QuestRuleOf(int quest) {
    if (quest < 1 || quest > JudgedQuests) return {};
    return QuestRules[static_cast<size_t>(quest)];
}

bool QuestConditionHolds(const Game& game, int quest) {
    return Holds(game, QuestRuleOf(quest));
}

bool QuestConditionMet(Game& game, int quest) {
    const QuestRule rule = QuestRuleOf(quest);
    if (!Holds(game, rule)) return false;
    if (rule.Test == HoldsItems) {
        for (int n = 0; n < rule.Count; ++n) TakeOne(game, rule.Subject);
        if (rule.Other != 0) TakeOne(game, rule.Other);
    }
    return true;
}

}  // namespace kv
