#include "character/PartyMembers.h"

#include "character/CharacterRules.h"

namespace kv {

namespace {

constexpr int FirstItemSlot = 1;
constexpr int LastItemSlot = 15;

}  // namespace

bool PartyMemberHasSkill(const Game& game, Skill skill) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* c = game.Member(i);
        if (c != nullptr && HasSkill(*c, skill)) return true;
    }
    return false;
}

bool CarriesItem(const Creature& creature, int item) {
    if (item == 0) return false;
    for (int slot = FirstItemSlot; slot <= LastItemSlot; ++slot) {
        if (creature.Items[static_cast<size_t>(slot)].ItemId == item) return true;
    }
    return false;
}

bool PartyCarriesItem(const Game& game, int item) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* c = game.Member(i);
        if (c != nullptr && CarriesItem(*c, item)) return true;
    }
    return false;
}

bool RosterCarriesItem(const Game& game, int item) {
    for (int slot = 1; slot < static_cast<int>(game.Roster.size()); ++slot) {
        if (CarriesItem(game.Roster[static_cast<size_t>(slot)], item)) return true;
    }
    return false;
}

}  // namespace kv
