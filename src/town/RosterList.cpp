#include "town/RosterList.h"

#include "character/Party.h"

namespace kv {

namespace {

constexpr int FirstSlot = 1;
constexpr int LastSlot = 50;
constexpr std::string_view WipedOut = "そのパーティーは全滅しています";

bool Listed(const Creature& c, int mode, int joinable) {
    if (c.Id <= 0) return false;
    switch (static_cast<RosterListMode>(mode)) {
        case RosterListMode::Join:
            return c.Place == 0 && c.Floor == 0 && (c.Alignment & joinable) != 0;
        case RosterListMode::Resume:
            return c.Floor != 0;
        case RosterListMode::ChangeClass:
            return c.Floor == 0;
        default:
            return true;
    }
}

}  // namespace

std::vector<int> RosterListSlots(const Game& game, int mode, bool rebuiltAfterJoin) {
    const int joinable = mode == static_cast<int>(RosterListMode::Join)
                             ? JoinableAlignments(CurrentPartyAlignmentMask(game), rebuiltAfterJoin)
                             : 0;
    std::vector<int> slots;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (Listed(game.Roster[static_cast<size_t>(slot)], mode, joinable)) slots.push_back(slot);
    }
    return slots;
}

std::string_view RosterListEmptyMessage(int mode) {
    switch (static_cast<RosterListMode>(mode)) {
        case RosterListMode::Join:
            return "パーティーを組めるキャラクターがいません";
        case RosterListMode::Resume:
            return "ダンジョンの中には誰もいません";
        default:
            return "";
    }
}

RowOutcome RosterRowChosen(Game& game, Player& player, int mode, int id) {
    game.CurrentChar = static_cast<int16_t>(id);
    switch (static_cast<RosterListMode>(mode)) {
        case RosterListMode::Join:
            return JoinParty(game, id) ? RowOutcome::Close : RowOutcome::Rebuild;
        case RosterListMode::Resume: {
            const bool valid = id >= FirstSlot && id <= LastSlot;
            if (valid && IsPartyWiped(game, game.Roster[static_cast<size_t>(id)].PartyNo)) {
                player.Message(WipedOut);
                return RowOutcome::StayOpen;
            }
            return RowOutcome::Close;
        }
        default:
            return RowOutcome::Close;
    }
}

}  // namespace kv
