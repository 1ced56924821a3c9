#pragma once
// Rebirth: a character of an earlier scenario starts again at level 1 in
// this game's roster. Name, race, class, sex, alignment, experience (up to a
// cap), marks and the base statistics come along; equipment, gold, hit
// points, spells and conditions do not. A finished scenario leaves an
// insignia. The earlier scenario's file is only read.
#include <optional>
#include <string>

#include "core/Game.h"
#include "core/Player.h"
#include "transfer/TransferSources.h"

namespace kv {

// Experience above this stays behind.
inline constexpr double TransferExpCap = 100000;

// Why an old record cannot come over, or nothing when it can. The record
// must have a name, a race and a class this game knows, a sex of 男 or 女
// and one of the three alignments; numbers that merely run out of range
// (statistics, experience, counters) are clamped instead.
std::optional<std::string> TransferRefusal(const Game& game, const TransferSource& source,
                                           const OldCharacter& old);

// Builds the reborn character in the roster slot from the old record (which
// TransferRefusal accepted), rolling its age, gold, hit points and first
// spells.
void BuildTransferredCharacter(Game& game, int slot, const TransferSource& source,
                               const OldCharacter& old);

// The whole import: the player picks a scenario and a character of its
// roster; the character comes into the first free roster slot unless its
// name is taken or it cannot come over (the player is told), or the roster
// is full (nothing happens). Returns the slot the character went to, 0 when
// none; the caller saves the game after an import.
int TransferCharacter(Game& game, Player& player);

}  // namespace kv
