#include "dungeon/MazeParty.h"

#include <algorithm>
#include <array>

#include "character/Party.h"
#include "character/PartyMembers.h"
#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "dungeon/Automap.h"
#include "dungeon/Movement.h"
#include "town/CastleReturn.h"

namespace kv {

namespace {

constexpr const char* PartyWipedText = "そのパーティーは全滅しています";
constexpr const char* PartyFullText = "これ以上パーティーを増やせません";
constexpr const char* NobodyText = "誰もいない";
constexpr const char* FoundCaption = "見つかりました";
constexpr int EntryFloor = 1;
constexpr int16_t EntryFacing = 2;   // south
constexpr int16_t ResumeFacing = 0;  // north

// The members carry the party's place with them.
void WriteLocation(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr) continue;
        c->PosX = game.PartyX;
        c->PosY = game.PartyY;
        c->Place = static_cast<uint8_t>(game.CurrentPlace);
        c->Floor = static_cast<uint8_t>(game.CurrentFloor);
        c->PartyNo = static_cast<uint8_t>(game.CurrentPartyNo);
        c->PartyPos = static_cast<uint8_t>(i);
    }
}

void ToCastle(Game& game, Player& player, GameDisplay& display) {
    game.PartyCount = 0;
    game.CurrentFloor = 0;
    game.CurrentPartyNo = 0;
    ReturnToCastle(game, player, display);
}

}  // namespace

int FreePartyNumber(const Game& game) {
    for (int n = 1; n <= 50; ++n) {
        bool held = false;
        for (int slot = 1; slot < static_cast<int>(game.Roster.size()) && !held; ++slot) {
            held = game.Roster[static_cast<size_t>(slot)].PartyNo == n;
        }
        if (!held) return n;
    }
    return 0;
}

bool EnterMaze(Game& game, Player& player, int place, GameDisplay& display) {
    if (RefuseEmptyParty(game, player)) return false;
    const int number = FreePartyNumber(game);
    game.CurrentPartyNo = static_cast<int16_t>(number);
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = game.Member(i)) c->PartyNo = static_cast<uint8_t>(number);
    }
    if (number == 0 || IsPartyWiped(game, number)) {
        player.Message(PartyWipedText);
        return false;
    }
    game.CurrentPlace = place;
    game.CurrentFloor = EntryFloor;
    game.PartyX = game.PartyY = game.LastX = game.LastY = 0;
    game.PartyFacing = EntryFacing;
    game.ScreenState = ScreenStates::Map;
    WriteLocation(game);
    LoadFloor(game, display);
    display.RefreshParty();
    display.Save();
    display.Redraw();
    return true;
}

bool ResumeAdventure(Game& game, Player& player, int slot, GameDisplay& display) {
    const Creature* chosen = game.Character(slot);
    if (chosen == nullptr || chosen->PartyNo == 0 || chosen->Floor == 0) return false;
    const Creature leader = *chosen;
    // Marching order is each member's place in the list when the party stopped.
    std::array<int, 7> byPosition{};
    std::vector<int> unplaced;
    for (int s = 1; s < static_cast<int>(game.Roster.size()); ++s) {
        const Creature& c = game.Roster[static_cast<size_t>(s)];
        if (c.Id < 1 || c.PartyNo != leader.PartyNo) continue;
        if (c.PartyPos >= 1 && c.PartyPos <= 6 && byPosition[c.PartyPos] == 0) {
            byPosition[c.PartyPos] = s;
        } else {
            unplaced.push_back(s);
        }
    }
    game.PartyList.fill(0);
    game.PartyCount = 0;
    auto join = [&](int s) {
        if (game.PartyCount >= 6) return;
        game.PartyCount = static_cast<int16_t>(game.PartyCount + 1);
        game.PartyList[static_cast<size_t>(game.PartyCount)] = static_cast<int16_t>(s);
    };
    for (int p = 1; p <= 6; ++p) {
        if (byPosition[static_cast<size_t>(p)] != 0) join(byPosition[static_cast<size_t>(p)]);
    }
    for (int s : unplaced) join(s);
    game.CurrentPartyNo = leader.PartyNo;
    game.CurrentPlace = leader.Place;
    game.CurrentFloor = leader.Floor;
    game.PartyX = game.LastX = leader.PosX;
    game.PartyY = game.LastY = leader.PosY;
    game.PartyFacing = ResumeFacing;
    game.ScreenState = ScreenStates::Map;
    WriteLocation(game);
    LoadFloor(game, display);
    display.RefreshParty();
    display.Save();
    display.Redraw();
    if (CheckLanding(game, player, display) < 0) {
        HandleWipeOut(game, player, display);
        return false;
    }
    return true;
}

bool StartAtCell(Game& game, Player& player, const CellPosition& cell, GameDisplay& display,
                 std::string& why) {
    if (!OnMap(MazeOf(cell.Place), cell.Floor, cell.X, cell.Y) || cell.Floor < 1) {
        why = "no such cell in the maps";
        return false;
    }
    game.PartyList.fill(0);
    game.PartyCount = 0;
    for (int s = 1; s < static_cast<int>(game.Roster.size()) && game.PartyCount < MaxPartySize;
         ++s) {
        Creature& c = game.Roster[static_cast<size_t>(s)];
        if (c.Id < 1 || (c.Status & GoneMask) != 0) continue;
        c.PartyNo = 0;  // whatever trip it was on, it starts this one
        game.PartyCount = static_cast<int16_t>(game.PartyCount + 1);
        game.PartyList[static_cast<size_t>(game.PartyCount)] = static_cast<int16_t>(s);
    }
    if (game.PartyCount == 0) {
        why = "no living character in the roster";
        return false;
    }
    game.CurrentPartyNo = static_cast<int16_t>(FreePartyNumber(game));
    game.CurrentPlace = cell.Place;
    game.CurrentFloor = static_cast<int16_t>(cell.Floor);
    game.PartyX = game.LastX = static_cast<int16_t>(cell.X);
    game.PartyY = game.LastY = static_cast<int16_t>(cell.Y);
    game.PartyFacing = static_cast<int16_t>(cell.Facing & 3);
    game.ScreenState = ScreenStates::Map;
    WriteLocation(game);
    LoadFloor(game, display);
    RecordVisit(game);
    display.RefreshParty();
    display.Redraw();
    if (CheckLanding(game, player, display) < 0) {
        HandleWipeOut(game, player, display);
        why = "the party did not survive landing there";
        return false;
    }
    return true;
}

void SetPartyDown(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr) continue;
        c->PosX = game.PartyX;
        c->PosY = game.PartyY;
        c->Place = static_cast<uint8_t>(game.CurrentPlace);
        c->Floor = static_cast<uint8_t>(game.CurrentFloor);
        c->AC = c->BaseAC;
        if ((c->Status & StatusLost) != 0) *c = game.Roster[0];
    }
    game.PartyList.fill(0);
    game.PartyCount = 0;
}

void SuspendAdventure(Game& game, Player& player, GameDisplay& display) {
    SetPartyDown(game);
    ToCastle(game, player, display);
}

void HandleWipeOut(Game& game, Player& player, GameDisplay& display) {
    SetPartyDown(game);
    display.Save();
    display.PlayScene(SceneWipeOut);
    player.Message(ResString(Str::PartyWipedOut));
    display.HideMonsterPicture();
    game.ScreenState = ScreenStates::Map;
    ToCastle(game, player, display);
}

void FindCompanions(Game& game, Player& player, GameDisplay& display) {
    if (game.PartyCount >= MaxPartySize) {
        player.Message(PartyFullText);
        return;
    }
    std::vector<std::string> names;
    std::vector<int32_t> slots;
    for (int s = 1; s < static_cast<int>(game.Roster.size()); ++s) {
        const Creature& c = game.Roster[static_cast<size_t>(s)];
        if (c.Id < 1 || c.Place != game.CurrentPlace || c.Floor != game.CurrentFloor ||
            c.PosX != game.PartyX || c.PosY != game.PartyY || c.PartyNo == game.CurrentPartyNo)
            continue;
        names.push_back(c.Name);
        slots.push_back(s);
    }
    if (names.empty()) {
        player.Message(NobodyText);
        return;
    }
    const int chosen = player.ChooseFromList(names, slots, FoundCaption);
    if (std::find(slots.begin(), slots.end(), chosen) == slots.end()) return;
    Creature* c = game.Character(chosen);
    if (c == nullptr) return;
    game.PartyCount = static_cast<int16_t>(game.PartyCount + 1);
    game.PartyList[static_cast<size_t>(game.PartyCount)] = static_cast<int16_t>(chosen);
    c->Place = static_cast<uint8_t>(game.CurrentPlace);
    c->Floor = static_cast<uint8_t>(game.CurrentFloor);
    c->PosX = game.PartyX;
    c->PosY = game.PartyY;
    c->PartyNo = static_cast<uint8_t>(game.CurrentPartyNo);
    c->PartyPos = static_cast<uint8_t>(game.PartyCount);
    display.RefreshParty();
}

}  // namespace kv
