#pragma once
// What the status window's item commands do to the characters: the rows of
// its command menu, trading, collecting gold, dropping, identifying and
// appraising. The window only picks the rows; every rule and every message
// is here.
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// How the status window was opened.
enum class StatusMode : int16_t {
    ViewOnly = 1,  // training grounds and creation: nothing can change
    Town = 2,
    Camp = 3,
};

// The command menu of the status window for a character, in order.
std::vector<std::string> StatusCommands(const Creature& creature, StatusMode mode);

enum class TradeOutcome {
    Refused,        // cursed or worn: nothing moves
    Moved,          // the whole slot went across
    Partial,        // some stayed with the giver
    NothingFitted,  // the target had no room at all
};
// Hands a slot to another character (or to the end of the giver's own list).
TradeOutcome TradeItem(Game& game, Player& player, Creature& giver, int slot, Creature& target);

// Every party member's gold goes to the character.
void CollectGold(Game& game, Creature& creature);

// Drops one piece of a slot. The text the prompt line then shows
// ("* name を\n捨てました"), or "" when the drop was refused (with its message).
std::string DropItem(Game& game, Player& player, Creature& creature, int slot);

enum class IdentifyOutcome {
    NotNeeded,   // already identified: try another
    Identified,  // success: the list stays for another try
    Frightened,  // the character took fright
    Cursed,      // the item is now worn and cursed
    Failed,
};
IdentifyOutcome IdentifyItem(Game& game, Player& player, Creature& creature, int slot);

// The details of an item, when the character can appraise it; "" after
// the refusal message.
std::string AppraiseItem(Game& game, Player& player, const Creature& creature, int slot);
// The details panel's text for an item.
std::string ItemDetails(const Game& game, const ItemDef& item);

}  // namespace kv
