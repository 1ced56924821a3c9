#pragma once
// A walk through a scenario as a party could make it: from the entrance of
// every place the menu offers, over open edges and doors (hidden or not),
// through the events of each square with the items and flags gathered so far.
// What a party can come to hold and know only grows, so walking again until
// nothing new turns up reaches a fixed point.
//
// The walk over-approximates, so that it never calls a finishable story
// broken: every fight is won, every riddle answered, every question answered
// both ways, every lock opened by someone, every quest on offer fulfilled;
// an item once held stays held (takes are ignored) and each flag is tracked
// on its own as "can be 1" and "can be other than 1", never in combination
// with the others; every chest item is found once the party has been in a
// maze.
#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "core/Game.h"
#include "dungeon/Events.h"

namespace kv::kvrdata {

inline constexpr int FirstWalkPlace = 21;
inline constexpr int LastWalkPlace = 26;
inline constexpr int WalkFloors = 22;  // floors 1..21; 0 is never entered

// The two hand-overs of the person panel that open the hidden mazes: the
// person, the item given to him, the flag it sets.
struct HandOver {
    int Person;
    int Item;
    int Flag;
};
inline constexpr std::array<HandOver, 2> HandOvers = {{{1, 253, 21}, {6, 250, 22}}};

// Where a party stands: a maze square and a facing.
struct Spot {
    int Place = 0;
    int Floor = 0;
    int X = 0;
    int Y = 0;
    int Facing = 0;
    bool operator==(const Spot&) const = default;
};

// One event: its rows of the event table, and where and when it fires.
struct EventGroup {
    size_t First = 0;  // row of its first content
    size_t Count = 0;
};

// What the party can come to hold and know.
struct Knowledge {
    std::vector<bool> Items = std::vector<bool>(ItemRows);
    bool AnyItem = false;                           // something to use on a square
    std::array<bool, EventFlagCount> CanBeSet{};    // the flag can be 1
    std::array<bool, EventFlagCount> CanBeClear{};  // the flag can be other than 1
    std::vector<bool> PeopleMet = std::vector<bool>(NpcTradeRows);
    std::set<int> EncountersFought;
    bool InMaze = false;
};

class StoryWalk {
  public:
    explicit StoryWalk(const Game& game);
    ~StoryWalk();

    // Walks to the fixed point, then from where the ending's item and flag
    // are won, looking for the way home.
    void Run();

    bool PrizeWon() const;  // the ending's item held and its flag set
    bool BroughtHome() const { return broughtHome_; }
    const std::vector<Spot>& PrizeSpots() const { return prizeSpots_; }

    const Game& Data() const { return game_; }
    const Knowledge& Known() const { return known_; }
    bool RowReached(size_t row) const { return rowReached_[row]; }
    bool EventRan(size_t group) const { return eventRan_[group]; }
    bool CellVisited(int place, int floor, int x, int y) const;
    const std::vector<EventGroup>& Groups() const { return groups_; }
    size_t GroupOfRow(size_t row) const { return groupOfRow_[row]; }
    const EventDef& Head(size_t group) const { return game_.Events[groups_[group].First]; }
    const std::vector<size_t>& EventsAt(EventTrigger trigger, const Spot& spot) const;
    // The places the menu offers with the flags as they can be.
    std::vector<int> OpenPlaces() const;
    // The flag that opens a place on the menu, or -1 when none does.
    int FlagOpening(int place) const;
    // Where a transfer lands, or nothing when the party dies there.
    std::optional<Spot> Landing(const Spot& from, int floor, int x, int y) const;
    // The square one step ahead when the edge lets the party through.
    std::optional<Spot> StepAhead(const Spot& from) const;

  private:
    struct Outcome {
        Spot At;
        bool Blocked = false;
        bool Battle = false;  // a battle follows the run
        bool Prize = false;   // the ending's item or flag was won on the way
        bool Home = false;    // the party went back to the castle
    };

    void Walk(const std::vector<Spot>& seeds, bool lookingForHome);
    void LearnItem(int item);
    void LearnFlag(int flag, bool set);
    void LearnFought(int encounter);
    void LearnInTown();
    std::vector<Outcome> RunEvent(size_t group, const Spot& start);
    void Stand(const Spot& spot);
    void Arrive(const Spot& spot);
    void Follow(const std::vector<Outcome>& outcomes);
    void RunAll(EventTrigger trigger, const Spot& spot);
    size_t SpotIndex(const Spot& spot) const;

    const Game& game_;
    Knowledge known_;
    bool changed_ = false;
    std::vector<EventGroup> groups_;
    std::vector<size_t> groupOfRow_;
    std::unordered_map<long, std::vector<size_t>> eventsAt_;
    std::vector<bool> rowReached_;
    std::vector<bool> eventRan_;
    std::vector<bool> cellVisited_;
    std::vector<bool> standing_;
    std::vector<bool> afterBattleRun_;
    std::vector<Spot> queue_;
    std::vector<Spot> prizeSpots_;
    std::set<std::pair<int, int>> floorsStood_;  // (place, floor)
    bool lookingForHome_ = false;
    bool wentHomeWithPrize_ = false;
    bool broughtHome_ = false;
    std::unique_ptr<Game> menuProbe_;  // asks the place menu which places the flags open
};

}  // namespace kv::kvrdata
