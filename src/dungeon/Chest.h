#pragma once
// A chest in front of the party, from its appearance to its end: the
// battle's chest and the hidden one, who may work on it, the inspection, the
// identification spell, the disarm, the opening and the leaving. The chest
// menu (ChestScreen) turns its keys into these calls.
#include <functional>
#include <string>
#include <string_view>

#include "core/Game.h"
#include "core/GameDisplay.h"
#include "core/Player.h"
#include "dungeon/Movement.h"

namespace kv {

inline constexpr int ChestTrapRows = 50;

// The chest the victory left: its item level and its trap, as the battle
// drew them; not a hidden chest.
void PrepareBattleChest(Game& game);
// The hidden chest a search found: the level of its square, a trap of rows
// 1..50; the item level stays that of the last battle chest.
void PrepareHiddenChest(Game& game, int level);

// False, with "無理だ" shown, for a member dead, ashed, stoned, paralysed
// or lost.
bool CanWorkChest(Player& player, const Creature& member);

// What an inspection or the spell tells: a trap's name, or the trap sprung.
struct TrapReading {
    bool Sprung = false;
    std::string Name;
};
// The member looks the chest over: the true name, a wrong one, or the trap
// goes off, by the member's skills, class and dexterity (agility without the
// inspection skill).
TrapReading InspectChest(Game& game, const Creature& member);

// The identification spell (the first of spell rows 1..60 with effect 41):
// known and with a point left at its level, one point is spent and a name
// comes back (a wrong one on a 1d20 of 1). Otherwise "唱える力がありません"
// is shown and the name is empty.
std::string CastTrapIdentify(Game& game, Player& player, Creature& member);

// The player names the trap, picked from the trap names or typed as the
// settings say; in upper case, "" when cancelled.
std::string NameTheTrap(Game& game, Player& player);

enum class DisarmResult { Sprung, Failed, Disarmed };
// The member tries to take off the trap named: a wrong name springs it; a
// failed dexterity roll leaves it ("罠を外すことができなかった"); a success
// says "罠を外した".
DisarmResult TryDisarm(Game& game, Player& player, const Creature& member, std::string_view answer);

// The chest opens after its trap sprang or came off: the trap's effect, the
// disarm's experience, the items, the music, the events that follow an
// event's battle, the save. The result says what follows: a battle, the
// end of the trip, or nothing. putAway takes the chest off the screen once
// it is done with, before a wiped-out party is carried home.
MoveResult OpenChest(Game& game, Player& player, GameDisplay& display, int openerSlot, bool sprung,
                     const std::function<void()>& putAway = {});

// The party walks away from the chest; the game is saved.
MoveResult LeaveChest(Game& game, Player& player, GameDisplay& display);

}  // namespace kv
