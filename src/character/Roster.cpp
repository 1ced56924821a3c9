#include "character/Roster.h"

#include "core/Names.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// The columns of a roster row. The blanks between columns stand outside the
// masks, so a value too long for its column (a long name, "ミュータント")
// widens the column instead of being split by the blank.
constexpr std::string_view NumberMask = "!@@";
constexpr std::string_view NameMask = "!@@@@@@@@@@@@";
constexpr std::string_view LevelMask = "@@@@@";
constexpr std::string_view ClassMask = "!@@@@@";
constexpr std::string_view RaceMask = "!@@@";

bool IsRosterSlot(int slot) {
    return slot >= 1 && slot < RosterRows;
}

}  // namespace

std::string RosterRowText(const Game& game, int slot, int number) {
    if (!IsRosterSlot(slot)) return {};
    const Creature& c = game.Roster[static_cast<size_t>(slot)];
    std::string row = FormatMask(std::to_string(number), NumberMask) + "）" +
                      FormatMask(c.Name, NameMask) + " ＬＶ" +
                      FormatMask(std::to_string(c.Level), LevelMask) + " " +
                      FormatMask(ClassLabel(c.Alignment, c.Class, game.Classes), ClassMask) + " " +
                      FormatMask(RaceName(c.Race, game.Races), RaceMask) + " ";
    row = Wide(row);
    if ((c.Status & StatusAshes) != 0) {
        row += "Ａｓｈｅｓ．";
    } else if ((c.Status & StatusDead) != 0) {
        row += "Ｄｅａｄ．";
    }
    if (c.Floor != 0) row += "Ｏｕｔ";
    return row;
}

void EraseCharacter(Game& game, int slot) {
    if (!IsRosterSlot(slot)) return;
    game.Roster[static_cast<size_t>(slot)] = game.Roster[0];
}

int CountRoster(Game& game) {
    int count = 0;
    for (int slot = 1; slot < RosterRows; ++slot) {
        if (game.Roster[static_cast<size_t>(slot)].Id < 1) {
            EraseCharacter(game, slot);
        } else {
            ++count;
        }
    }
    return count;
}

int FirstFreeSlot(const Game& game) {
    for (int slot = 1; slot < RosterRows; ++slot) {
        if (game.Roster[static_cast<size_t>(slot)].Id < 1) return slot;
    }
    return 0;
}

int FindCharacterByName(const Game& game, std::string_view name) {
    if (name.empty()) return 0;
    for (int slot = 1; slot < RosterRows; ++slot) {
        if (game.Roster[static_cast<size_t>(slot)].Name == name) return slot;
    }
    return 0;
}

}  // namespace kv
