#pragma once
// The people met in the maze: what they answer when asked about a topic,
// what they make of a gift (two gifts are the keys to the hidden mazes),
// the five wares they offer from their ten, and what they pay for the
// party's goods. The person is the one met last (Game::CurrentPerson).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

inline constexpr int WaresOffered = 5;
inline constexpr int WaresHeld = 10;

// The answer of the current person to a topic, one message a page (the
// answer's "||" splits it); empty when nobody of this person's rows holds
// exactly that topic.
std::vector<std::string> TalkPages(const Game& game, std::string_view topic);
// Tells the answer page by page, or that the person knows nothing of the
// topic. The result is always 0 (what the talk leaves as the event result).
int16_t TalkAbout(Game& game, Player& player, std::string_view topic);

// The person's reaction to a gift that has already left the party.
void PersonReceives(Game& game, Player& player, int32_t itemId);
// The give command: a member, one of his items, one piece handed over.
void GiveToPerson(Game& game, Player& player);

// One row of the wares list: the text shown and the item it sells.
struct Ware {
    std::string Text;
    int32_t Item = 0;
};
// Five draws from the person's ten (the same item may come twice). A
// person out of the table has nothing to sell.
std::vector<Ware> DrawWares(Game& game);
// Whether the party has room for a purchase; tells the player when not.
bool RoomToBuy(Game& game, Player& player);
// Buys one identified piece: the first member in marching order whose own
// gold covers the price pays, the first member with room receives it.
// True when it was bought.
bool BuyWare(Game& game, Player& player, int32_t itemId);

// What the current person pays for an identified item: its price times the
// person's factor, fractions kept (to the fifteen digits a decimal text
// holds). An unidentified item fetches 1 whatever it is.
double PersonSellPrice(const Game& game, int32_t itemId, bool unidentified);
// The sell command: a member, one of his items, one piece sold.
void SellToPerson(Game& game, Player& player);

}  // namespace kv
