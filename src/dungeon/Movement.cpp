#include "dungeon/Movement.h"

#include <array>
#include <string>

#include "character/CharacterRules.h"
#include "character/PartyMembers.h"
#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "dungeon/Automap.h"
#include "dungeon/Encounters.h"
#include "dungeon/Events.h"
#include "dungeon/MazeParty.h"
#include "dungeon/StepEffects.h"
#include "dungeon/TreasureSpots.h"

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
        if (Creature* c = game.Member(i)) c->StepCycles += 1;
    }
}

void StepOneCell(Game& game) {
    game.LastX = game.PartyX;
    game.LastY = game.PartyY;
    const StepDelta d = StepByFacing[static_cast<size_t>(game.PartyFacing & 3)];
    game.PartyX = Wrap(game.PartyX + d.Dx);
    game.PartyY = Wrap(game.PartyY + d.Dy);
}

MoveResult WipeOut(Game& game, Player& player, GameDisplay& display) {
    HandleWipeOut(game, player, display);
    return {MazeOutcome::WipedOut, 0};
}

// Monsters on this step or turn, or none.
MoveResult RollEncounter(Game& game) {
    if (!CheckEncounter(game)) return {};
    game.LastEventResult = 0;
    // Chosen, not played: the battle plays it only when monsters appear.
    game.Config.BattleScene = SceneBattle1;
    if (game.ScreenState == ScreenStates::Map && game.CurrentFloor > 0)
        return {MazeOutcome::RandomBattle, 0};
    return {};
}

MoveResult FromEvents(Game& game, Player& player, const EventRun& run, GameDisplay& display) {
    if (run.PartyGone) return WipeOut(game, player, display);
    if (run.WentHome) return {MazeOutcome::WentHome, 0};
    if (run.Result > 0) return {MazeOutcome::EventBattle, run.Result};
    return {};
}

// Steps 6..9 of a step, and all of a turn after the facing changed. A fight
// met before the step is fought now, in place of the arrival events and the
// encounter roll of the cell stepped onto: the battle has the keys.
MoveResult AfterMove(Game& game, Player& player, bool blocked, const MoveResult& fight,
                     GameDisplay& display) {
    RecordVisit(game);
    display.Redraw();
    if (PartyIsDown(game)) {
        game.ScreenState = ScreenStates::Map;
        return WipeOut(game, player, display);
    }
    if (fight.Outcome != MazeOutcome::None) return fight;
    MoveResult result;
    if (blocked) {
        result = RollEncounter(game);
    } else {
        const EventRun arrival = RunEvents(game, player, EventTrigger::Arrival, display);
        game.LastEventResult = arrival.Result;
        result = FromEvents(game, player, arrival, display);
        if (result.Outcome != MazeOutcome::None) return result;
        if (arrival.Result < 0) result = {MazeOutcome::PersonMet, 0};
        if (arrival.Result == 0) result = RollEncounter(game);
    }
    if (result.Outcome != MazeOutcome::RandomBattle && PartyIsDown(game)) {
        return WipeOut(game, player, display);
    }
    return result;
}

}  // namespace

bool PartyIsDown(const Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        const Creature* c = game.Member(i);
        if (c != nullptr && (c->Status & DownMask) == 0) return false;
    }
    return true;
}

void LoadFloor(Game& game, GameDisplay& display) {
    game.Layers = CopyFloorLayers(game, MazeOf(game.CurrentPlace), game.CurrentFloor);
    CollectFloorMonsters(game);
    game.Config.MazeScene = game.CurrentFloor == DeepestFloor ? SceneMaze2 : SceneMaze1;
    display.PlayScene(game.Config.MazeScene);
    SetEncounterOdds(game);
}

MoveResult TryStep(Game& game, Player& player, bool openDoor, GameDisplay& display) {
    const int16_t edge = EdgeOf(game.PartyFacing);
    const bool door = (game.Layers.FloorDoors.At(game.PartyX, game.PartyY) & edge) != 0;
    const bool wall = (game.Layers.FloorWalls.At(game.PartyX, game.PartyY) & edge) != 0;
    // Up walks only through open edges; Space also opens doors, hidden or not.
    const bool closed = openDoor ? wall && !door : wall || door;
    if (closed) {
        player.Message(BumpText);
        return {MazeOutcome::Bumped, 0};
    }
    return MoveParty(game, player, MoveKind::Step, display);
}

MoveResult MoveParty(Game& game, Player& player, MoveKind kind, GameDisplay& display) {
    bool blocked = false;
    MoveResult fight;
    if (kind == MoveKind::Step) {
        const EventRun before = RunEvents(game, player, EventTrigger::BeforeStep, display);
        game.LastEventResult = before.Result;
        fight = FromEvents(game, player, before, display);
        if (fight.Outcome == MazeOutcome::WipedOut || fight.Outcome == MazeOutcome::WentHome)
            return fight;
        // A fight met before the step does not hold the party back: it takes
        // the step all the same, so the fight is over behind it, and a
        // flight leads back to the cell the fight was met on.
        blocked = before.Blocked;
        if (!blocked) {
            AdvanceMoons(game);
            StepOneCell(game);
            display.ShowMove(kind);
            std::vector<std::string> deaths;
            const auto changes = ApplyStepEffects(game, deaths);
            for (const std::string& text : deaths) player.Message(text);
            if (!changes.empty()) display.RefreshParty();
        }
    } else {
        game.PartyFacing = static_cast<int16_t>((game.PartyFacing + static_cast<int>(kind)) & 3);
        display.ShowMove(kind);
    }
    return AfterMove(game, player, blocked, fight, display);
}

void TransferParty(Game& game, int floor, int x, int y, GameDisplay& display) {
    if (floor != game.CurrentFloor) {
        game.CurrentFloor = static_cast<int16_t>(floor);
        LoadFloor(game, display);
    }
    game.PartyX = game.LastX = static_cast<int16_t>(x);
    game.PartyY = game.LastY = static_cast<int16_t>(y);
    for (int i = 1; i <= game.PartyCount; ++i) {
        if (Creature* c = game.Member(i)) {
            c->Floor = static_cast<uint8_t>(floor);
            c->PosX = static_cast<int16_t>(x);
            c->PosY = static_cast<int16_t>(y);
        }
    }
    display.Redraw();
}

int CheckLanding(Game& game, Player& player, GameDisplay& display) {
    const bool inRock = game.Layers.FloorDoors.At(game.PartyX, game.PartyY) == 0 &&
                        game.Layers.FloorWalls.At(game.PartyX, game.PartyY) == AllEdges;
    if (inRock || game.CurrentFloor > DeepestFloor) {
        for (int i = 1; i <= game.PartyCount; ++i) {
            if (Creature* c = game.Member(i)) *c = game.Roster[0];
        }
        game.PartyList.fill(0);
        game.PartyCount = 0;
        display.Save();
        player.Message(InRockText);
        return -1;
    }
    if (game.CurrentFloor < 1) {
        for (int i = 1; i <= game.PartyCount; ++i) {
            Creature* c = game.Member(i);
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
        display.Save();
        player.Message(ResString(game.CurrentFloor < 0 ? Str::FellAboveTown : Str::FellInTown));
        return -1;
    }
    return 0;
}

}  // namespace kv
