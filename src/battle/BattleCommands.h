#pragma once
// Command input before a round: which entries the command list offers a
// member, what each entry writes into his record, which monster rows his
// weapon reaches, and who is the member whose command is being entered. The
// battle screen shows the lists; everything it decides comes from here.
#include <optional>
#include <string_view>
#include <vector>

#include "battle/BattleRules.h"
#include "core/StringTable.h"

namespace kv {

// The entries of the battle command list.
enum class BattleEntry {
    Ambush,
    Fight,
    Steal,
    Parry,
    Hide,
    Probe,
    Inspect,
    Coins,
    Breath,
    Dispel,
    Escape,
    Status,
    Reorder,
    Auto,
    Back,
    Start,
    Redo,
    Spell,
    Item,
    Song,
    Summon,
};

// What an entry asks for once chosen.
enum class EntryTarget {
    None,          // the command is written and the next member comes
    MonsterGroup,  // a row of the monster list is chosen next
    Other,         // the entry does something else (escape, status, the phase)
    BySpell,       // the spell, item or instrument chosen next says
    Level,         // a summon level is asked for, then the next member comes
};

struct BattleEntryDef {
    BattleEntry Entry;
    Str Text;                // the row, access letter first
    char Key;                // the letter that picks it, whatever the list holds
    int16_t Command;         // written into Creature::Command; 0 for none
    std::string_view Label;  // the word the member's status label shows
    EntryTarget Target;
};

const BattleEntryDef& EntryDef(BattleEntry entry);
// The entry a letter key picks (upper case); none for a letter without one.
std::optional<BattleEntry> EntryForKey(int letter);

// The entries offered to the party member at this place of the marching
// order, in their order.
std::vector<BattleEntry> MemberEntries(const Game& game, const Creature& member, int position);
// The entries once every member has his command.
std::vector<BattleEntry> ConfirmationEntries();

// Moves the input index to a member who can act, forward (+1) or back (-1,
// never below 1). False when the index is past the party or the member
// there cannot act: the confirmation entries are due.
bool SettleInputIndex(Game& game, int direction);

// The reach of the weapon held in the main hand (0 without one).
int MainHandReach(const Game& game, const Creature& member);
// Whether the member at this place of the marching order can fight the
// monster list's row (0-based): the first two rows always, the third and
// fourth only with a weapon long enough.
bool ReachesRow(const Game& game, const Creature& member, int position, int row);

// Asks the summoner for the level to summon at and writes it into his
// CommandArg: the number typed, lowered to his own level.
void AskSummonLevel(Player& player, Creature& member);

// The word the status label shows while a command is entered: the
// member's condition, or his hit points when he has none.
std::string StateWord(const Creature& member);

}  // namespace kv
