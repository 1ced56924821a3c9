#pragma once
// The party in town: who may join under the alignment rule, joining and
// leaving, sharing the gold, dissolving the party at the training grounds,
// and whether a party left in the maze is wiped out.
#include <cstdint>
#include <string>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

inline constexpr int MaxPartySize = 6;

// Alignment bits of characters (秩序 1, 中立 2, 混沌 4) and the bit that
// matches nobody.
inline constexpr int AlignLawful = 1;
inline constexpr int AlignNeutral = 2;
inline constexpr int AlignChaotic = 4;
inline constexpr int AlignNobody = 8;

// The alignments that may join a party whose alignment mask is partyMask.
// A party holding both 秩序 and 混沌 still takes 中立 when the list is first
// opened, but nobody once the list is rebuilt after a join.
int JoinableAlignments(int partyMask, bool rebuiltAfterJoin);

// 2 Or the alignment of every member in PartyList.
int CurrentPartyAlignmentMask(const Game& game);

// The character (roster Id) joins at the back of the marching order. True
// when the party is now full.
bool JoinParty(Game& game, int id);

// The member in the roster slot leaves the party; the others close up.
void LeaveParty(Game& game, int slot);

// Every member leaves; the party is on its way to the training grounds.
void DissolveParty(Game& game);

// True when every roster character of that party number is down (also when
// nobody has that number).
bool IsPartyWiped(const Game& game, int partyNo);

// Refuses a command that needs a party when there is none (string 1063).
// True when refused.
bool RefuseEmptyParty(const Game& game, Player& player);

// Shares the members' gold equally; the remainder of the division is lost.
// Tells the player the share and returns it. The caller saves.
double ShareGold(Game& game, Player& player);

// "お金を山分けしました\r一人" + the share in full-width digits + "です".
std::string GoldShareMessage(double share);

}  // namespace kv
