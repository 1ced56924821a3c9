#include "dungeon/SearchAndUse.h"

#include "character/PartyMembers.h"
#include "dungeon/MazeParty.h"

namespace kv {

namespace {

constexpr const char* ChooseText = "キャラクターを選んでください";
constexpr const char* NothingFoundText = "何も見つからなかった";

MoveResult Outcome(Game& game, Player& player, const EventRun& run, GameDisplay& display) {
    game.LastEventResult = run.Result;
    if (run.PartyGone) {
        HandleWipeOut(game, player, display);
        return {MazeOutcome::WipedOut, 0};
    }
    if (run.WentHome) return {MazeOutcome::WentHome, 0};
    if (run.Result > 0) return {MazeOutcome::EventBattle, run.Result};
    if (run.Result < 0) return {MazeOutcome::PersonMet, 0};
    return {};
}

}  // namespace

MoveResult UseItemHere(Game& game, Player& player, GameDisplay& display) {
    const int slot = player.ChooseMember(ChooseText, true);
    if (game.Character(slot) == nullptr) return {};
    if (player.ChooseItem(slot) < 1) return {};
    game.CurrentChar = static_cast<int16_t>(slot);
    return Outcome(game, player, RunEvents(game, player, EventTrigger::ItemUsed, display), display);
}

MoveResult SearchHere(Game& game, Player& player, GameDisplay& display, int& chestLevel) {
    const EventRun run = RunEvents(game, player, EventTrigger::Search, display);
    chestLevel = run.ChestLevel;
    if (!run.Fired && game.Config.ShowSearchFailure == 1) player.Message(NothingFoundText);
    return Outcome(game, player, run, display);
}

}  // namespace kv
