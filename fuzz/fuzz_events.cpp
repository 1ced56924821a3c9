// Any bytes as maze event rows, built and run by the interpreter with a
// player whose answers come from the input too. Whatever the rows say, the
// run ends (no jump loops for ever), nothing reads outside its tables, and
// the party it leaves is sound: at most six members from the roster, on the
// grid and facing one of the four ways.
//
// The first byte is the trigger the square is walked with first; then come
// whole 641-byte rows (at most eight), then the answers. Every row is put on
// the party's square and facing so its contents run.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RoundTrip.h"
#include "core/EventRecord.h"
#include "core/Game.h"
#include "core/NameCoding.h"
#include "core/Player.h"
#include "dungeon/Events.h"

namespace kv::fuzz {
namespace {

constexpr size_t MostRows = 8;
constexpr int PartySize = 3;
constexpr int Triggers = 5;

// Takes its answers from the input's last bytes; once they run out it
// answers no, types nothing and cancels, as a cautious player would.
class BytePlayer : public Player {
  public:
    explicit BytePlayer(std::string_view answers) : answers_(answers) {}

    void Message(std::string_view) override {}
    bool Ask(std::string_view) override { return (Next() & 1) != 0; }
    std::string Input(std::string_view, std::string_view) override {
        const uint8_t b = Next();
        return b == 0 ? std::string() : std::to_string(b % 10);
    }
    // Members, non-members and cancels alike.
    int ChooseMember(std::string_view, bool) override {
        const uint8_t b = Next();
        return b % 5 == 0 ? -1 : b % 8;
    }
    int ChooseItem(int) override { return static_cast<int>(Next() % 17) - 1; }
    int ChooseFromList(const std::vector<std::string>&, const std::vector<int32_t>&,
                       std::string_view, int) override {
        return static_cast<int>(Next() % 4) - 1;
    }

  private:
    uint8_t Next() {
        if (at_ >= answers_.size()) return 0;
        return static_cast<uint8_t>(answers_[at_++]);
    }
    std::string_view answers_;
    size_t at_ = 0;
};

// Three members on (5, 5) of floor 1 of place 21, facing north; the maze is
// all open, so every landing but one off the floors is safe.
std::unique_ptr<Game> MakeGame() {
    auto game = std::make_unique<Game>();
    for (int slot = 1; slot <= PartySize; ++slot) {
        Creature& c = game->Roster[static_cast<size_t>(slot)];
        c.Id = slot;
        c.Name = "Ａ";
        c.Level = 3;
        c.MaxHP = c.HP = 20;
        c.Dexterity = c.Luck = 10;
        c.Class = c.Race = c.Sex = 1;
        c.Items[1] = {1, 0, 1};
        game->PartyList[static_cast<size_t>(slot)] = static_cast<int16_t>(slot);
    }
    game->PartyCount = PartySize;
    game->CurrentPlace = 21;
    game->CurrentFloor = 1;
    game->PartyX = game->PartyY = 5;
    game->Items[1].Name = "剣";
    return game;
}

void CheckParty(const Game& game) {
    Check(game.PartyCount >= 0 && game.PartyCount <= 6);
    for (int i = 1; i <= game.PartyCount; ++i) {
        const int slot = game.PartyList[static_cast<size_t>(i)];
        Check(slot >= 1 && slot < RosterRows);
    }
    if (game.PartyCount == 0) return;
    Check(game.PartyX >= 0 && game.PartyX < FloorSide);
    Check(game.PartyY >= 0 && game.PartyY < FloorSide);
    Check(game.PartyFacing >= 0 && game.PartyFacing <= 3);
}

}  // namespace
}  // namespace kv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kv;
    if (size == 0) return 0;
    static const std::unique_ptr<Game> start = fuzz::MakeGame();
    const fuzz::Choice input = fuzz::Split(data, size);

    std::vector<EventDef> rows(1);
    Serializer in = Serializer::Loading(input.Bytes);
    size_t used = 0;
    while (rows.size() <= fuzz::MostRows) {
        EventDef row;
        Sync(in, row);
        if (in.Short()) break;
        used = in.Position();
        row.Message = DecodeName(row.MessageCodes, 1, 200);
        row.JudgeString = DecodeName(row.JudgeCodes, 1, 100);
        row.Dungeon = 21;
        row.Floor = 1;
        row.X = row.Y = 5;
        row.Dir = 0;
        rows.push_back(std::move(row));
    }
    if (rows.size() == 1) return 0;

    // One game for every input, its changeable parts put back as they were
    // (copying the whole game, tables and all, would cost most of the run).
    static const std::unique_ptr<Game> game = fuzz::MakeGame();
    game->Roster = start->Roster;
    game->PartyList = start->PartyList;
    game->PartyCount = start->PartyCount;
    game->EventFlags = start->EventFlags;
    game->ItemFound = start->ItemFound;
    game->PartyEffects = 0;
    game->CurrentPerson = 0;
    game->SpecialEncounterUsed = false;
    game->Rng = start->Rng;
    game->MazeEvents = BuildEvents(rows);
    fuzz::BytePlayer player(input.Bytes.substr(used));
    NullGameDisplay display;
    for (int t = 0; t < fuzz::Triggers && game->PartyCount > 0; ++t) {
        const auto trigger = static_cast<EventTrigger>((input.Selector + t) % fuzz::Triggers + 1);
        // Each trigger on the square as it was, whatever the last one did.
        game->CurrentPlace = 21;
        game->CurrentFloor = 1;
        game->PartyX = game->PartyY = 5;
        game->PartyFacing = 0;
        RunEvents(*game, player, trigger, display);
        fuzz::CheckParty(*game);
    }
    return 0;
}
