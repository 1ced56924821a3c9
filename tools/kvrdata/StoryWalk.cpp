#include "StoryWalk.h"

#include <algorithm>

#include "core/CommandMenus.h"
#include "core/MazeMap.h"
#include "dungeon/EventContents.h"
#include "town/CastleReturn.h"
#include "town/Quests.h"

namespace kv::kvrdata {

namespace {

constexpr int Places = LastWalkPlace - FirstWalkPlace + 1;
constexpr size_t SpotCount = static_cast<size_t>(Places * WalkFloors * FloorCellCount * 4);
constexpr int EncounterRowCount = MonsterRows;
constexpr int ChestRows = 50;
constexpr int ChestItemColumn = 51;
// The rare encounter of the two hidden mazes: 494 + 1d4, or 511 + 1d2 for a
// party with the skill that calls the stronger one.
constexpr std::array<int, 2> RareEncounterPlaces = {24, 25};
constexpr std::array<int, 6> RareEncounters = {495, 496, 497, 498, 512, 513};

bool ValidItem(int item) {
    return item > 0 && item < ItemRows;
}
bool ValidFlag(int flag) {
    return flag >= 0 && flag < EventFlagCount;
}

long EventKey(int trigger, int place, int floor, int x, int y, int dir) {
    return ((((static_cast<long>(trigger) * Places + (place - FirstWalkPlace)) * WalkFloors +
              floor) *
                 FloorSide +
             y) *
                FloorSide +
            x) *
               4 +
           dir;
}

}  // namespace

StoryWalk::StoryWalk(const Game& game)
    : game_(game),
      rowReached_(game.Events.size()),
      cellVisited_(SpotCount / 4),
      standing_(SpotCount),
      afterBattleRun_(SpotCount),
      menuProbe_(std::make_unique<Game>()) {
    // Events as the game builds them: consecutive rows with the same ID, the
    // last row never part of one.
    groupOfRow_.assign(game.Events.size(), SIZE_MAX);
    const size_t last = game.Events.size() - 1;
    for (size_t r = 1; r < last;) {
        if (game.Events[r].ID == 0) {
            ++r;
            continue;
        }
        size_t end = r + 1;
        while (end < last && game.Events[end].ID == game.Events[r].ID) ++end;
        for (size_t k = r; k < end; ++k) groupOfRow_[k] = groups_.size();
        groups_.push_back({r, end - r});
        r = end;
    }
    eventRan_.assign(groups_.size(), false);
    for (size_t g = 0; g < groups_.size(); ++g) {
        const EventDef& h = Head(g);
        if (h.Dungeon < FirstWalkPlace || h.Dungeon > LastWalkPlace || h.Floor >= WalkFloors ||
            h.X >= FloorSide || h.Y >= FloorSide || h.Dir > 3) {
            continue;  // never matches the party
        }
        eventsAt_[EventKey(h.EventCase, h.Dungeon, h.Floor, h.X, h.Y, h.Dir)].push_back(g);
    }
}

StoryWalk::~StoryWalk() = default;

size_t StoryWalk::SpotIndex(const Spot& s) const {
    return static_cast<size_t>(
        ((((s.Place - FirstWalkPlace) * WalkFloors + s.Floor) * FloorSide + s.Y) * FloorSide +
         s.X) *
            4 +
        s.Facing);
}

bool StoryWalk::CellVisited(int place, int floor, int x, int y) const {
    return cellVisited_[SpotIndex({place, floor, x, y, 0}) / 4];
}

const std::vector<size_t>& StoryWalk::EventsAt(EventTrigger trigger, const Spot& s) const {
    static const std::vector<size_t> none;
    const auto found =
        eventsAt_.find(EventKey(static_cast<int>(trigger), s.Place, s.Floor, s.X, s.Y, s.Facing));
    return found == eventsAt_.end() ? none : found->second;
}

std::vector<int> StoryWalk::OpenPlaces() const {
    for (int f = 0; f < EventFlagCount; ++f) {
        menuProbe_->EventFlags[static_cast<size_t>(f)] = known_.CanBeSet[static_cast<size_t>(f)];
    }
    std::vector<int> places;
    for (const PlaceRow& row : MazeEntryRows(*menuProbe_)) {
        if (row.Place >= FirstWalkPlace && row.Place <= LastWalkPlace) places.push_back(row.Place);
    }
    return places;
}

int StoryWalk::FlagOpening(int place) const {
    auto offered = [&] {
        const auto rows = MazeEntryRows(*menuProbe_);
        return std::any_of(rows.begin(), rows.end(),
                           [&](const PlaceRow& row) { return row.Place == place; });
    };
    menuProbe_->EventFlags.fill(0);
    if (offered()) return -1;
    for (size_t f = 0; f < EventFlagCount; ++f) {
        menuProbe_->EventFlags[f] = 1;
        const bool opens = offered();
        menuProbe_->EventFlags[f] = 0;
        if (opens) return static_cast<int>(f);
    }
    return -1;
}

std::optional<Spot> StoryWalk::Landing(const Spot& from, int floor, int x, int y) const {
    // Above floor 1 the party dies, below 21 or in rock it is lost.
    if (floor < 1 || floor >= WalkFloors || x < 0 || x >= FloorSide || y < 0 || y >= FloorSide ||
        IsSolidRock(game_, MazeOf(from.Place), floor, x, y)) {
        return std::nullopt;
    }
    return Spot{from.Place, floor, x, y, from.Facing};
}

std::optional<Spot> StoryWalk::StepAhead(const Spot& from) const {
    const int maze = MazeOf(from.Place);
    const int16_t edge = EdgeOf(from.Facing);
    // A door, shown or hidden, passes with the open-door keys.
    const bool door = (DoorMap(game_, maze, from.Floor, from.X, from.Y) & edge) != 0;
    if (!door && (WallMap(game_, maze, from.Floor, from.X, from.Y) & edge) != 0) {
        return std::nullopt;
    }
    static constexpr std::array<std::array<int, 2>, 4> Ahead = {{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};
    Spot next = from;
    next.X = (from.X + Ahead[static_cast<size_t>(from.Facing)][0] + FloorSide) % FloorSide;
    next.Y = (from.Y + Ahead[static_cast<size_t>(from.Facing)][1] + FloorSide) % FloorSide;
    return next;
}

bool StoryWalk::PrizeWon() const {
    return known_.Items[EndingItem] && known_.CanBeSet[EndingFlag];
}

void StoryWalk::LearnItem(int item) {
    if (!ValidItem(item) || known_.Items[static_cast<size_t>(item)]) return;
    known_.Items[static_cast<size_t>(item)] = true;
    known_.AnyItem = true;
    changed_ = true;
}

void StoryWalk::LearnFlag(int flag, bool set) {
    if (!ValidFlag(flag)) return;
    bool& fact = set ? known_.CanBeSet[static_cast<size_t>(flag)]
                     : known_.CanBeClear[static_cast<size_t>(flag)];
    if (fact) return;
    fact = true;
    changed_ = true;
}

void StoryWalk::LearnFought(int encounter) {
    if (known_.EncountersFought.insert(encounter).second) changed_ = true;
}

// What the town, the people met, the fights and the chests add.
void StoryWalk::LearnInTown() {
    for (size_t i = 1; i < game_.Stock.size() && i < ItemRows; ++i) {
        if (game_.Stock[i] > 0) LearnItem(static_cast<int>(i));
    }
    int quests = 0;
    for (size_t q = 1; q < game_.Quests.size(); ++q) {
        if (game_.Quests[q].QuestTitle.empty()) continue;
        ++quests;
        LearnItem(game_.Quests[q].QuestTextCodes[201]);
        if (q == LastQuest) LearnFlag(LastQuestFlag, true);
    }
    if (quests >= AllQuestsCount) {
        LearnItem(AllQuestsItem);
        LearnFlag(AllQuestsFlag, true);
    }
    auto held = [&](int item) {
        return ValidItem(item) && known_.Items[static_cast<size_t>(item)];
    };
    for (size_t i = 1; i <= 120; ++i) {
        const int first = game_.AlchemyTable[121 + i], second = game_.AlchemyTable[242 + i];
        if (held(first) && (second == 0 || held(second))) LearnItem(game_.AlchemyTable[i]);
    }
    for (size_t k = 1; k <= 60; ++k) {
        bool all = true;
        for (size_t j = 0; j < 4; ++j) {
            const int item = game_.FusionTable[183 + 61 * j + k];
            all = all && (item == 0 || held(item));
        }
        if (all) LearnItem(game_.FusionTable[61 + k]);
    }
    if (known_.InMaze) {
        for (size_t r = 1; r <= ChestRows; ++r) {
            if (game_.ChestItemTable[r] != 0) LearnItem(game_.ChestItemTable[r + ChestItemColumn]);
        }
    }
    for (size_t p = 0; p < known_.PeopleMet.size(); ++p) {
        if (!known_.PeopleMet[p]) continue;
        for (size_t i = 1; i <= 10; ++i) LearnItem(game_.NpcTrades[p].TradeItems[i]);
        for (const HandOver& handOver : HandOvers) {
            if (static_cast<size_t>(handOver.Person) == p && held(handOver.Item)) {
                LearnFlag(handOver.Flag, true);
            }
        }
    }
    for (const auto& [place, floor] : floorsStood_) {
        if (std::find(RareEncounterPlaces.begin(), RareEncounterPlaces.end(), place) ==
            RareEncounterPlaces.end()) {
            continue;
        }
        for (int number : RareEncounters) LearnFought(number);
    }
    const auto column = [&](int c, int r) {
        return game_.EncounterTable[static_cast<size_t>(c * EncounterRowCount + r)];
    };
    for (int r = 1; r < EncounterRowCount; ++r) {
        const int number = column(0, r);
        if (number == 0) continue;
        if (floorsStood_.count({column(1, r) + FirstMazePlace, column(2, r)}) != 0) {
            LearnFought(number);
        }
        if (known_.EncountersFought.count(number) == 0) continue;
        for (int g = 0; g < 4; ++g) {
            const int monster = column(3 + g, r);
            if (monster > 0 && monster < MonsterRows) {
                LearnItem(game_.Monsters[static_cast<size_t>(monster)].DropItem());
            }
        }
    }
}

void StoryWalk::Run() {
    for (size_t f = 0; f < EventFlagCount; ++f) {
        (game_.EventFlags[f] == 1 ? known_.CanBeSet[f] : known_.CanBeClear[f]) = true;
    }
    for (size_t r = 1; r < game_.Roster.size(); ++r) {
        if (game_.Roster[r].Id == 0) continue;
        for (size_t s = 1; s < game_.Roster[r].Items.size(); ++s) {
            LearnItem(game_.Roster[r].Items[s].ItemId);
        }
    }
    do {
        changed_ = false;
        LearnInTown();
        std::vector<Spot> entrances;
        for (int place : OpenPlaces()) entrances.push_back({place, 1, 0, 0, 2});
        Walk(entrances, false);
    } while (changed_);
    if (!PrizeWon()) return;
    if (wentHomeWithPrize_) {
        broughtHome_ = true;
        return;
    }
    std::vector<Spot> seeds = prizeSpots_;
    if (seeds.empty()) {  // both were had in town: any way in and out will do
        for (int place : OpenPlaces()) seeds.push_back({place, 1, 0, 0, 2});
    }
    Walk(seeds, true);
}

void StoryWalk::Walk(const std::vector<Spot>& seeds, bool lookingForHome) {
    lookingForHome_ = lookingForHome;
    std::fill(standing_.begin(), standing_.end(), false);
    std::fill(afterBattleRun_.begin(), afterBattleRun_.end(), false);
    queue_.clear();
    for (const Spot& seed : seeds) Stand(seed);
    while (!queue_.empty()) {
        const Spot here = queue_.back();
        queue_.pop_back();
        for (int facing = 0; facing < 4; ++facing) {
            if (facing == here.Facing) continue;
            Spot turned = here;
            turned.Facing = facing;
            Arrive(turned);
        }
        // The step goes on when every event of the edge lets it.
        bool open = true;
        for (size_t g : EventsAt(EventTrigger::BeforeStep, here)) {
            const std::vector<Outcome> outcomes = RunEvent(g, here);
            Follow(outcomes);
            open = open && std::any_of(outcomes.begin(), outcomes.end(), [&](const Outcome& o) {
                       return !o.Home && !o.Blocked && o.At == here;
                   });
        }
        if (open) {
            if (const auto next = StepAhead(here)) Arrive(*next);
        }
        if (known_.AnyItem) RunAll(EventTrigger::ItemUsed, here);
        RunAll(EventTrigger::Search, here);
    }
}

void StoryWalk::Stand(const Spot& spot) {
    const size_t at = SpotIndex(spot);
    if (standing_[at]) return;
    standing_[at] = true;
    cellVisited_[at / 4] = true;
    queue_.push_back(spot);
    if (floorsStood_.insert({spot.Place, spot.Floor}).second) changed_ = true;
    if (!known_.InMaze) {
        known_.InMaze = true;
        changed_ = true;
    }
}

void StoryWalk::Arrive(const Spot& spot) {
    cellVisited_[SpotIndex(spot) / 4] = true;
    const std::vector<size_t>& events = EventsAt(EventTrigger::Arrival, spot);
    if (events.empty()) Stand(spot);
    for (size_t g : events) Follow(RunEvent(g, spot));
}

void StoryWalk::RunAll(EventTrigger trigger, const Spot& spot) {
    for (size_t g : EventsAt(trigger, spot)) Follow(RunEvent(g, spot));
}

void StoryWalk::Follow(const std::vector<Outcome>& outcomes) {
    for (const Outcome& o : outcomes) {
        if (o.Home) {
            broughtHome_ = broughtHome_ || lookingForHome_;
            wentHomeWithPrize_ = wentHomeWithPrize_ || o.Prize;
            continue;
        }
        if (o.Prize &&
            std::find(prizeSpots_.begin(), prizeSpots_.end(), o.At) == prizeSpots_.end()) {
            prizeSpots_.push_back(o.At);
        }
        Stand(o.At);
        if (o.Battle && !afterBattleRun_[SpotIndex(o.At)]) {
            afterBattleRun_[SpotIndex(o.At)] = true;
            RunAll(EventTrigger::AfterBattle, o.At);
        }
    }
}

// Every way through one event's contents with what the party can have.
std::vector<StoryWalk::Outcome> StoryWalk::RunEvent(size_t group, const Spot& start) {
    struct Path {
        int Position;
        Outcome State;
    };
    eventRan_[group] = true;
    const EventGroup& event = groups_[group];
    std::vector<Outcome> outcomes;
    std::set<std::pair<int, long>> seen;
    std::vector<Path> paths = {{1, {start}}};
    while (!paths.empty()) {
        Path path = paths.back();
        paths.pop_back();
        const Outcome& now = path.State;
        const long key = (static_cast<long>(SpotIndex(now.At)) * 2 + now.Blocked) * 4 +
                         now.Battle * 2 + now.Prize;
        if (!seen.insert({path.Position, key}).second) continue;
        // A jump to 0 or past the last content, or an unknown kind, ends the event.
        const size_t row = event.First + static_cast<size_t>(path.Position) - 1;
        const int kind = path.Position >= 1 && static_cast<size_t>(path.Position) <= event.Count
                             ? game_.Events[row].Kind
                             : 0;
        if (kind < static_cast<int>(ContentKind::Gift) ||
            kind > static_cast<int>(ContentKind::Lock)) {
            outcomes.push_back(now);
            continue;
        }
        rowReached_[row] = true;
        const EventDef& c = game_.Events[row];
        const size_t flag = static_cast<size_t>(std::clamp<int>(c.DataID, 0, EventFlagCount - 1));
        const bool flagValid = ValidFlag(c.DataID);
        auto go = [&](int position, Outcome next) { paths.push_back({position, next}); };
        const int after = path.Position + 1;
        Outcome next = now;
        switch (static_cast<ContentKind>(kind)) {
            case ContentKind::Gift:
                if ((c.Target == 1 || c.Target == 2) && c.DA > 0 && ValidItem(c.DataID)) {
                    LearnItem(c.DataID);
                    next.Prize = next.Prize || c.DataID == EndingItem;
                }
                go(after, next);
                break;
            case ContentKind::Stairs:
                go(after, next);  // "no"
                [[fallthrough]];
            case ContentKind::Teleport:
                if (const auto landed = Landing(now.At, c.LocFloor, c.LocX, c.LocY)) {
                    next.At = *landed;
                    go(after, next);
                }
                break;
            case ContentKind::Riddle:
            case ContentKind::Question:
                go(c.TrueID, next);
                go(c.FalseID, next);
                break;
            case ContentKind::ItemTest:
                if (c.Target >= 1 && c.Target <= 4 && ValidItem(c.DataID) &&
                    known_.Items[static_cast<size_t>(c.DataID)]) {
                    go(c.TrueID, next);
                }
                go(c.FalseID, next);  // the holder can stay in town
                break;
            case ContentKind::FlagTest:
                if (flagValid && known_.CanBeSet[flag]) go(c.TrueID, next);
                if (!flagValid || known_.CanBeClear[flag]) go(c.FalseID, next);
                break;
            case ContentKind::FlagSet:
                LearnFlag(c.DataID, true);
                next.Prize = next.Prize || c.DataID == EndingFlag;
                go(after, next);
                break;
            case ContentKind::FlagClear:
                LearnFlag(c.DataID, false);
                go(after, next);
                break;
            case ContentKind::FlagToggle:
                if (flagValid) {
                    const bool wasSet = known_.CanBeSet[flag], wasClear = known_.CanBeClear[flag];
                    if (wasClear) LearnFlag(c.DataID, true);
                    if (wasSet) LearnFlag(c.DataID, false);
                    next.Prize = next.Prize || (wasClear && c.DataID == EndingFlag);
                }
                go(after, next);
                break;
            case ContentKind::Battle:
                LearnFought(c.DataID);
                next.Battle = true;
                go(after, next);
                break;
            case ContentKind::Person:
                if (c.DataID >= 0 && c.DataID < NpcTradeRows &&
                    !known_.PeopleMet[static_cast<size_t>(c.DataID)]) {
                    known_.PeopleMet[static_cast<size_t>(c.DataID)] = true;
                    changed_ = true;
                }
                go(after, next);
                break;
            case ContentKind::Return: {
                Outcome home = now;
                home.Home = true;
                outcomes.push_back(home);
                go(after, next);
                break;
            }
            case ContentKind::Barrier:
                next.Blocked = true;
                go(after, next);
                break;
            case ContentKind::Lock:  // someone may open it, or not
                next.Blocked = true;
                go(after, next);
                next.Blocked = false;
                go(after, next);
                break;
            case ContentKind::Spinner:
                for (int facing = 0; facing < 4; ++facing) {
                    if (c.LocDirection < 4 && facing != c.LocDirection) continue;
                    next.At.Facing = facing;
                    go(after, next);
                }
                break;
            case ContentKind::Jump:
                go(c.DataID, next);
                break;
            default:  // take, message, trap, heal, cure, nothing
                go(after, next);
                break;
        }
    }
    return outcomes;
}

}  // namespace kv::kvrdata
