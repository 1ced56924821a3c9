#include "town/RosterRows.h"

#include "core/Names.h"
#include "core/TextFormat.h"

namespace kv {

std::string RosterRow(const Game& game, int slot, int number) {
    if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) return "";
    const Creature& c = game.Roster[static_cast<size_t>(slot)];
    std::string row = FormatMask(std::to_string(number), "!@@") + "）" +
                      FormatMask(c.Name, "!@@@@@@@@@@@@ ") + "ＬＶ" +
                      FormatMask(std::to_string(c.Level), "@@@@@") +
                      FormatMask(ClassLabel(c.Alignment, c.Class, game.Classes), "! @@@@@") +
                      FormatMask(RaceName(c.Race, game.Races), "! @@@ ");
    row = Wide(row);
    if ((c.Status & StatusAshes) != 0) {
        row += "Ａｓｈｅｓ．";
    } else if ((c.Status & StatusDead) != 0) {
        row += "Ｄｅａｄ．";
    }
    if (c.Floor != 0) row += "Ｏｕｔ";
    return row;
}

}  // namespace kv
