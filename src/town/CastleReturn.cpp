#include "town/CastleReturn.h"

#include "core/StringTable.h"

namespace kv {

namespace {

Creature* Member(Game& game, int i) {
    const int slot = game.PartyList[static_cast<size_t>(i)];
    if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) return nullptr;
    return &game.Roster[static_cast<size_t>(slot)];
}

}  // namespace

void BringPartyHome(Game& game) {
    game.PartyEffects = 0;
    game.PartyBlessings = 0;
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = Member(game, i)) {
            c->Place = 1;
            c->Floor = 0;
            c->PosX = 0;
            c->PosY = 0;
        }
    }
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = Member(game, i);
        if (c == nullptr) continue;
        if ((c->Status & StatusLost) != 0) {
            *c = Creature{};
            continue;
        }
        c->Status &= ~WearsOffAtCastle;
        if ((c->Status & DropsOutAtCastle) != 0) {
            // Out of the party: no place, no floor, and no party number, so
            // the party left in the maze is not counted as still holding him.
            c->Floor = 0;
            c->Place = 0;
            c->PartyNo = 0;
            c->PartyPos = 0;
        }
        c->AC = c->BaseAC;
    }
}

bool EndingEarned(const Game& game) {
    if (game.EventFlags[EndingFlag] != 1) return false;
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) continue;
        const Creature& c = game.Roster[static_cast<size_t>(slot)];
        for (int item = 1; item <= 15; ++item) {
            if (c.Items[static_cast<size_t>(item)].ItemId == EndingItem) return true;
        }
    }
    return false;
}

bool ShowEndingIfEarned(Game& game, Player& player) {
    if (!EndingEarned(game)) return false;
    const int endingTexts = static_cast<int>(Str::EndingLast) - static_cast<int>(Str::EndingFirst);
    for (int i = 0; i <= endingTexts; ++i) player.Message(ResString(Str::EndingFirst, i));
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = Member(game, i)) c->Insignia[1] = 1;
    }
    game.EventFlags[EndingFlag] = 0;
    return true;
}

void ReturnToCastle(Game& game, Player& player, GameDisplay& display) {
    BringPartyHome(game);
    display.Save();
    game.CurrentFloor = 0;
    game.CurrentPlace = 1;
    display.ShowCastle();
    if (EndingEarned(game)) {
        display.ShowPartyWindow(false);
        ShowEndingIfEarned(game, player);
    }
    display.ShowPartyWindow(true);
}

}  // namespace kv
