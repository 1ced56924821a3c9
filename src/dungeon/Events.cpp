#include "dungeon/Events.h"

#include <algorithm>
#include <array>

#include "character/PartyMembers.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "dungeon/EventContents.h"
#include "dungeon/TreasureSpots.h"

namespace kv {

namespace {

constexpr int LastStartingRow = 499;
// A jump back that nothing ever leaves (a jump to itself, a question whose
// answers both point backwards) would hold the game for ever; an event ends
// after this many contents however its jumps go.
constexpr int MostContentsRun = 1000;

// The special encounter of the two deepest places: a chance meeting on one
// random square and facing, once a run, after a while in the game.
constexpr double SpecialEncounterAfterSeconds = 1000;
constexpr int SkilledEncounterBase = 511;
constexpr int PlainEncounterBase = 494;

bool IsSpecialPlace(int place) {
    return place == 24 || place == 25;
}

int ChestLevelHere(const Game& game) {
    if (game.CurrentPlace == 24) return 4;
    if (game.CurrentPlace == 25) return 5;
    if (game.CurrentFloor == 1) return 1;
    if (game.CurrentFloor == 2) return 2;
    return 3;
}

int16_t SpecialEncounter(Game& game, Player& player, GameDisplay& display) {
    if (game.SpecialEncounterUsed) return 0;
    const double running = display.SecondsRunning();
    if (running <= SpecialEncounterAfterSeconds) return 0;
    const int y = Dice(game.Rng, 1, 20, -1);
    const int x = Dice(game.Rng, 1, 20, -1);
    const int facing = Dice(game.Rng, 1, 4, -1);
    if (y != game.PartyY || x != game.PartyX || facing != game.PartyFacing) return 0;
    game.SpecialEncounterUsed = true;
    if (Dice(game.Rng, 1, 2, 0) != 1) return 0;
    const int warnings =
        static_cast<int>(Str::SpecialWarningLast) - static_cast<int>(Str::SpecialWarningFirst);
    for (int i = 0; i <= warnings; ++i) player.Message(ResString(Str::SpecialWarningFirst, i));
    if (!player.Ask(ResString(Str::SpecialQuestion))) return 0;
    player.Message(ResString(Str::SpecialAccept));
    if (PartyMemberHasSkill(game, Skill::SummonsTheGuardian)) {
        game.Config.BattleScene = SceneBoss1;
        return static_cast<int16_t>(SkilledEncounterBase + Dice(game.Rng, 1, 2, 0));
    }
    // The battle that follows plays the scene chosen here.
    game.Config.BattleScene = SceneBattle2;
    return static_cast<int16_t>(PlainEncounterBase + Dice(game.Rng, 1, 4, 0));
}

bool Matches(const Game& game, const EventClass& event, EventTrigger trigger) {
    return event.EventCase == static_cast<int>(trigger) && event.Floor == game.CurrentFloor &&
           event.Dungeon == game.CurrentPlace && event.X == game.PartyX && event.Y == game.PartyY &&
           event.Dir == game.PartyFacing;
}

Contents ContentOf(const EventDef& row) {
    Contents c;
    c.ID = row.ContentId;
    c.Kind = row.Kind;
    c.Target = row.Target;
    c.DataID = row.DataID;
    c.Message = row.Message;
    c.Location = {row.LocX, row.LocY, row.LocFloor, row.LocDirection, row.LocDungeon};
    c.Dice = {row.DA, row.DB, row.DC};
    c.State = row.State;
    c.JudgeString = row.JudgeString;
    c.TrueID = row.TrueID;
    c.FalseID = row.FalseID;
    return c;
}

}  // namespace

std::vector<EventClass> BuildEvents(const std::vector<EventDef>& rows) {
    std::vector<EventClass> events;
    const int last = std::min<int>(LastStartingRow, static_cast<int>(rows.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const EventDef& first = rows[static_cast<size_t>(i)];
        if (first.ID == 0) continue;
        EventClass event{first.ID, first.Dungeon, first.Floor,     first.X,
                         first.Y,  first.Dir,     first.EventCase, {}};
        event.Content.push_back(ContentOf(first));
        while (i + 1 < static_cast<int>(rows.size()) &&
               rows[static_cast<size_t>(i + 1)].ID == first.ID) {
            ++i;
            event.Content.push_back(ContentOf(rows[static_cast<size_t>(i)]));
        }
        events.push_back(std::move(event));
    }
    return events;
}

EventRun RunEvents(Game& game, Player& player, EventTrigger trigger, GameDisplay& display) {
    EventRun run;
    for (const EventClass& event : game.MazeEvents) {
        if (!Matches(game, event, trigger)) continue;
        const int count = static_cast<int>(event.Content.size());
        int contentsRun = 0;
        for (int p = 1; p >= 1 && p <= count && contentsRun < MostContentsRun; ++contentsRun) {
            run.Fired = true;
            p = RunContent(game, player, event.Content[static_cast<size_t>(p - 1)], p, run,
                           display);
            if (run.PartyGone || run.WentHome) return run;
        }
    }
    if (!run.Fired && trigger == EventTrigger::Search && game.CurrentPlace >= 21 &&
        game.CurrentPlace <= 25 && FindHiddenChest(game, player)) {
        run.Fired = true;
        run.ChestLevel = ChestLevelHere(game);
        return run;
    }
    if (!run.Fired && trigger == EventTrigger::Arrival) {
        DroppedItemHint(game, player);
        if (IsSpecialPlace(game.CurrentPlace)) run.Result = SpecialEncounter(game, player, display);
    }
    return run;
}

}  // namespace kv
