#include "dungeon/Movement.h"

#include <array>
#include <string>

#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "dungeon/Automap.h"
#include "dungeon/Encounters.h"
#include "dungeon/Events.h"
#include "dungeon/MazeParty.h"
#include "dungeon/PartyMembers.h"
#include "dungeon/StepEffects.h"
#include "dungeon/TreasureSpots.h"
#include "town/CharacterRules.h"

namespace kv {

namespace {

constexpr int LunaCycle = 480;
constexpr int ArtemisCycle = 640;
constexpr const char* BumpText = "いてっ！";
constexpr const char* InRockText = "\r石の中にいる";

struct StepDelta {
    int Dx;
    int Dy;
};
constexpr std::array<StepDelta, 4> StepByFacing{{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};

// The maze wraps at its edges.
int16_t Wrap(int coordinate) {
    if (coordinate < 0) return static_cast<int16_t>(coordinate + FloorSide);
    if (coordinate >= FloorSide) return static_cast<int16_t>(coordinate - FloorSide);
    return static_cast<int16_t>(coordinate);
}

void AdvanceMoons(Game& game) {
    game.LunaCount = static_cast<int16_t>(game.LunaCount + 1 >= LunaCycle ? 0 : game.LunaCount + 1);
    game.ArtemisCount =
        static_cast<int16_t>(game.ArtemisCount + 1 >= ArtemisCycle ? 0 : game.ArtemisCount + 1);
    if (game.LunaCount != 0 || game.ArtemisCount != 0) return;
    // Both moons new again: the hidden treasure moves and every member has
    // walked one more cycle.
    PlaceTreasureSpots(game);
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = PartyMember(game, i)) c->StepCycles += 1;
    }
}

void StepOneCell(Game& game) {
    game.LastX = game.PartyX;
    game.LastY = game.PartyY;
    const StepDelta d = StepByFacing[static_cast<size_t>(game.PartyFacing & 3)];
    game.PartyX = Wrap(game.PartyX + d.Dx);
    game.PartyY = Wrap(game.PartyY + d.Dy);
}

MoveResult WipeOut(Game& game, Player& player, const MazeHooks& hooks) {
    HandleWipeOut(game, player, hooks);
    return {MazeOutcome::WipedOut, 0};
}

// Monsters on this step or turn, or none.
MoveResult RollEncounter(Game& game, const MazeHooks& hooks) {
    if (!CheckEncounter(game)) return {};
    game.LastEventResult = 0;
    if (hooks.PlayScene) hooks.PlayScene(RandomBattleScene);
    if (game.ScreenState == ScreenStates::Map && game.CurrentFloor > 0)
        return {MazeOutcome::RandomBattle, 0};
    return {};
}

MoveResult FromEvents(Game& game, Player& player, const EventRun& run, const MazeHooks& hooks) {
    if (run.PartyGone) return WipeOut(game, player, hooks);
    if (run.WentHome) return {MazeOutcome::WentHome, 0};
    if (run.Result > 0) return {MazeOutcome::EventBattle, run.Result};
    return {};
}

// Steps 6..9 of a step, and all of a turn after the facing changed.
MoveResult AfterMove(Game& game, Player& player, bool blocked, const MazeHooks& hooks) {
    RecordVisit(game);
    Call(hooks.Redraw);
    if (PartyIsDown(game)) {
        game.ScreenState = ScreenStates::Map;
        return WipeOut(game, player, hooks);
    }
    MoveResult result;
    if (blocked) {
        result = RollEncounter(game, hooks);
    } else {
        const EventRun arrival = RunEvents(game, player, EventTrigger::Arrival, hooks);
        game.LastEventResult = arrival.Result;
        result = FromEvents(game, player, arrival, hooks);
        if (result.Outcome != MazeOutcome::None) return result;
        if (arrival.Result < 0) result = {MazeOutcome::PersonMet, 0};
        if (arrival.Result == 0) result = RollEncounter(game, hooks);
    }
    if (result.Outcome != MazeOutcome::RandomBattle && PartyIsDown(game)) {
        return WipeOut(game, player, hooks);
    }
    return result;
}

}  // namespace

bool PartyIsDown(const Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* c = PartyMember(game, i);
        if (c != nullptr && (c->Status & DownMask) == 0) return false;
    }
    return true;
}

void LoadFloor(Game& game, const MazeHooks& hooks) {
    game.Layers = CopyFloorLayers(game, MazeOf(game.CurrentPlace), game.CurrentFloor);
    CollectFloorMonsters(game);
    if (hooks.PlayScene) {
        hooks.PlayScene(game.CurrentFloor == DeepestFloor ? DeepestFloorScene : DungeonScene);
    }
    const EncounterOdds odds = PartyEncounterOdds(game, game.CurrentFloor);
    game.EncounterRate = odds.Rate;
    game.EncounterBase = odds.Base;
}

MoveResult TryStep(Game& game, Player& player, bool openDoor, const MazeHooks& hooks) {
    const int16_t edge = EdgeOf(game.PartyFacing);
    const bool door = (game.Layers.FloorDoors.At(game.PartyX, game.PartyY) & edge) != 0;
    const bool wall = (game.Layers.FloorWalls.At(game.PartyX, game.PartyY) & edge) != 0;
    // Up walks only through open edges; Space also opens doors, hidden or not.
    const bool closed = openDoor ? wall && !door : wall || door;
    if (closed) {
        player.Message(BumpText);
        return {MazeOutcome::Bumped, 0};
    }
    return MoveParty(game, player, MoveKind::Step, hooks);
}

MoveResult MoveParty(Game& game, Player& player, MoveKind kind, const MazeHooks& hooks) {
    bool blocked = false;
    if (kind == MoveKind::Step) {
        const EventRun before = RunEvents(game, player, EventTrigger::BeforeStep, hooks);
        game.LastEventResult = before.Result;
        // A fight in the way is fought before the party moves on.
        if (MoveResult r = FromEvents(game, player, before, hooks); r.Outcome != MazeOutcome::None)
            return r;
        blocked = before.Blocked;
        if (!blocked) {
            AdvanceMoons(game);
            StepOneCell(game);
            if (hooks.ShowMove) hooks.ShowMove(kind);
            std::vector<std::string> deaths;
            const auto changes = ApplyStepEffects(game, deaths);
            for (const std::string& text : deaths) player.Message(text);
            if (!changes.empty()) Call(hooks.RefreshParty);
        }
    } else {
        game.PartyFacing = static_cast<int16_t>((game.PartyFacing + static_cast<int>(kind)) & 3);
        if (hooks.ShowMove) hooks.ShowMove(kind);
    }
    return AfterMove(game, player, blocked, hooks);
}

void TransferParty(Game& game, int floor, int x, int y, const MazeHooks& hooks) {
    if (floor != game.CurrentFloor) {
        game.CurrentFloor = static_cast<int16_t>(floor);
        LoadFloor(game, hooks);
    }
    game.PartyX = game.LastX = static_cast<int16_t>(x);
    game.PartyY = game.LastY = static_cast<int16_t>(y);
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = PartyMember(game, i)) {
            c->Floor = static_cast<uint8_t>(floor);
            c->PosX = static_cast<int16_t>(x);
            c->PosY = static_cast<int16_t>(y);
        }
    }
    Call(hooks.Redraw);
}

int CheckLanding(Game& game, Player& player, const MazeHooks& hooks) {
    const bool inRock = game.Layers.FloorDoors.At(game.PartyX, game.PartyY) == 0 &&
                        game.Layers.FloorWalls.At(game.PartyX, game.PartyY) == AllEdges;
    if (inRock || game.CurrentFloor > DeepestFloor) {
        for (int i = 1; i <= game.PartyCount; ++i) {
            if (Creature* c = PartyMember(game, i)) *c = game.Roster[0];
        }
        game.PartyList.fill(0);
        game.PartyCount = 0;
        Call(hooks.Save);
        player.Message(InRockText);
        return -1;
    }
    if (game.CurrentFloor < 1) {
        for (int i = 1; i <= game.PartyCount; ++i) {
            Creature* c = PartyMember(game, i);
            if (c == nullptr) continue;
            KillCreature(*c, false);
            // The bodies are in town: no place in the maze, no party holding them.
            c->Floor = 0;
            c->PosX = 0;
            c->PosY = 0;
            c->Place = 0;
            c->PartyNo = 0;
            c->PartyPos = 0;
            c->AC = c->BaseAC;
        }
        game.PartyList.fill(0);
        game.PartyCount = 0;
        Call(hooks.Save);
        player.Message(ResString(game.CurrentFloor < 0 ? Str::FellAboveTown : Str::FellInTown));
        return -1;
    }
    return 0;
}

}  // namespace kv
