#pragma once
// Magic outside battle: a character casts from the camp, an item casts the
// same effects for free and may break, the reference books show an entry,
// the teleport takes its typed distances and a wish is granted. Everything
// runs on a Game and a Player; what the camp needs of the maze around it
// (the automap, moving the party, a save point) comes through CampHost.
#include <array>
#include <string>
#include <string_view>

#include "core/Game.h"
#include "core/Player.h"

namespace kv {

// The maze as the camp sees it. The maze's screen hands one to the status
// window; the status window opened in town has one that moves nobody.
class CampHost {
  public:
    virtual ~CampHost() = default;
    // The automap of the party's floor, until the player closes it.
    virtual void ShowAutomap() = 0;
    // The party moves to the floor and cell of its place and where it landed
    // is checked; false when it did not survive the landing (it is gone
    // from the maze then and the castle is on screen).
    virtual bool MoveParty(int floor, int x, int y) = 0;
    // A save point.
    virtual void Save() = 0;
};

// What the status window does after a cast or a use.
enum class CampOutcome {
    Stay,           // redraw the sheet and list; the menu gets the focus
    CloseDialog,    // the camp is over (the party moved, or monsters come)
    OpenTeleport,   // the teleport boxes open
    OpenWish,       // the wish list opens
    OpenAppraisal,  // the item list opens for an appraisal
};

struct CampResult {
    CampOutcome Outcome = CampOutcome::Stay;
    int ItemPanel = 0;     // an item to show on the detail panel
    int MonsterPanel = 0;  // a monster to show on the monster panel
};

// The wish spell's place in the caster's book, which a granted wish forgets.
inline constexpr int WishSchool = 1;
inline constexpr int WishLevel = 9;
inline constexpr int WishSlot = 3;

// The current character casts the spell typed (or picked) by name.
CampOutcome CastOutsideBattle(Game& game, Player& player, CampHost& host, int casterSlot,
                              std::string_view name);
// The spell row is carried out for the caster: with byCharacter the
// caster's knowledge, silence and spell points are checked first.
CampOutcome CastSpellRow(Game& game, Player& player, CampHost& host, int casterSlot, int row,
                         bool byCharacter);

// U)使う on an inventory slot of the character.
CampResult UseItemOutsideBattle(Game& game, Player& player, CampHost& host, int userSlot, int slot);

// The three teleport boxes (floors down, squares east, squares south):
// only an optional "-" and digits count, anything else is 0.
int ParseMoveBox(std::string_view text);
// Enter on the teleport boxes. CloseDialog always: the party moved, was
// turned back, or is gone.
CampOutcome Teleport(Game& game, Player& player, CampHost& host,
                     const std::array<std::string, 3>& boxes);

// The rows of the wish list, in order.
inline constexpr int WishRows = 19;
std::string_view WishText(int row);
// The wish list's row chosen by the caster (-1: Esc, nothing granted).
CampOutcome GrantWish(Game& game, Player& player, CampHost& host, int casterSlot, int row);

// The monster panel's text for a monster row.
std::string MonsterDetails(const Game& game, int monster);

}  // namespace kv
