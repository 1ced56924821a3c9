// Names the first missing link when a story cannot be finished: from what
// the ending needs, back through whatever would give it, to the first thing
// on the way that nothing provides or no way leads to.
#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <set>

#include "Reachability.h"
#include "SourceEvents.h"
#include "StoryWalk.h"
#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "dungeon/EventContents.h"
#include "town/CastleReturn.h"

namespace kv::kvrdata {

namespace {

constexpr std::array<const char*, 4> Directions = {"north", "east", "south", "west"};

// Why something is out of reach. A located reason names a square and is the
// missing link itself; an unlocated one ("item 12 (剣), which nothing gives")
// completes the sentence of the link that needs it.
struct Why {
    std::string Text;
    bool Located = false;
};

// Something a content needs that the party cannot have.
struct Need {
    enum Sort { ItemHeld, FlagSet, FlagClear } What;
    int Number;
};

class LinkFinder {
  public:
    explicit LinkFinder(const StoryWalk& walk) : walk_(walk), game_(walk.Data()) {}

    std::string Ending() {
        std::optional<Why> why;
        if (!walk_.Known().Items[EndingItem]) why = Item(EndingItem);
        if (!why && !walk_.Known().CanBeSet[EndingFlag]) why = Flag(EndingFlag, true);
        if (walk_.PrizeWon() && !why) {
            if (walk_.PrizeSpots().empty()) return "no way leads back to the castle";
            const Spot& at = walk_.PrizeSpots().front();
            return "no way leads back to the castle from " + Where(at.Place, at.Floor) + " " +
                   Cell(at.X, at.Y) + ", where the final item or the story's flag is won";
        }
        if (!why) return "the final item and the story's flag are never both won";
        return why->Located ? why->Text : "the ending needs " + why->Text;
    }

  private:
    static std::string Cell(int x, int y) {
        return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
    }
    static std::string Where(int place, int floor) {
        const std::string name = place >= FirstWalkPlace && place <= LastWalkPlace
                                     ? std::string(ResString(Str::PlaceStoneAbyss, place - 21))
                                     : "place " + std::to_string(place);
        return "floor " + std::to_string(floor) + " of " + name;
    }
    std::string ItemName(int item) const {
        std::string text = "item " + std::to_string(item);
        if (item > 0 && item < ItemRows && !game_.Items[static_cast<size_t>(item)].Name.empty()) {
            text += " (" + game_.Items[static_cast<size_t>(item)].Name + ")";
        }
        return text;
    }
    std::string EventPlace(size_t group) const {
        const EventDef& h = walk_.Head(group);
        return Where(h.Dungeon, h.Floor) + ": ";
    }
    static std::string KindName(int kind) {
        const auto names = EventKindNames();
        return kind > 0 && static_cast<size_t>(kind) < names.size()
                   ? std::string(names[static_cast<size_t>(kind)])
                   : "content";
    }

    // Guards against chains that come back to where they started.
    bool Enter(const std::string& key) { return onStack_.insert(key).second; }
    void Leave(const std::string& key) { onStack_.erase(key); }

    bool Possible(const Need& need) const {
        const Knowledge& k = walk_.Known();
        const bool inRange = need.Number >= 0 && need.Number < EventFlagCount;
        switch (need.What) {
            case Need::ItemHeld:
                return need.Number > 0 && need.Number < ItemRows &&
                       k.Items[static_cast<size_t>(need.Number)];
            case Need::FlagSet:
                return inRange && k.CanBeSet[static_cast<size_t>(need.Number)];
            case Need::FlagClear:
                return !inRange || k.CanBeClear[static_cast<size_t>(need.Number)];
        }
        return false;
    }

    // The needs on the ways through an event to a content (target > 0) or
    // to an end that lets the step go on (target 0), fewest first.
    std::vector<Need> NeedsWithin(size_t group, int target) const {
        const EventGroup& event = walk_.Groups()[group];
        const int ends = static_cast<int>(event.Count) + 1;
        struct Node {
            int Position;
            bool Blocked;
            std::vector<Need> Needs;
        };
        std::deque<Node> queue = {{1, false, {}}};
        std::set<std::pair<int, bool>> seen;
        std::vector<Need> found;
        while (!queue.empty()) {
            Node node = queue.front();
            queue.pop_front();
            // Every way to the goal counts, not just the first.
            const bool atEnd = node.Position < 1 || node.Position >= ends;
            if ((target > 0 && node.Position == target) ||
                (target == 0 && atEnd && !node.Blocked)) {
                for (const Need& n : node.Needs) found.push_back(n);
                continue;
            }
            if (!seen.insert({node.Position, node.Blocked}).second) continue;
            if (atEnd) continue;
            const EventDef& c = game_.Events[event.First + static_cast<size_t>(node.Position) - 1];
            auto go = [&](int position, bool blocked, std::optional<Need> need) {
                Node next{position, blocked, node.Needs};
                if (need && !Possible(*need)) {
                    next.Needs.push_back(*need);
                    queue.push_back(next);
                } else {
                    queue.push_front(next);
                }
            };
            const int after = node.Position + 1;
            switch (static_cast<ContentKind>(c.Kind)) {
                case ContentKind::ItemTest:
                    go(c.TrueID, node.Blocked, Need{Need::ItemHeld, c.DataID});
                    go(c.FalseID, node.Blocked, std::nullopt);
                    break;
                case ContentKind::FlagTest:
                    go(c.TrueID, node.Blocked, Need{Need::FlagSet, c.DataID});
                    go(c.FalseID, node.Blocked, Need{Need::FlagClear, c.DataID});
                    break;
                case ContentKind::Riddle:
                case ContentKind::Question:
                    go(c.TrueID, node.Blocked, std::nullopt);
                    go(c.FalseID, node.Blocked, std::nullopt);
                    break;
                case ContentKind::Jump:
                    go(c.DataID, node.Blocked, std::nullopt);
                    break;
                case ContentKind::Barrier:
                    go(after, true, std::nullopt);
                    break;
                case ContentKind::Lock:
                    go(after, false, std::nullopt);
                    break;
                default:
                    if (c.Kind < 1 || c.Kind > static_cast<int>(ContentKind::Lock)) break;
                    go(after, node.Blocked, std::nullopt);
                    break;
            }
        }
        return found;
    }

    // The first need of a list that can be traced to a reason; an
    // unlocated one is completed by `link` ("the step east ... is barred").
    std::optional<Why> FirstNeed(const std::vector<Need>& needs, const std::string& link) {
        for (const Need& need : needs) {
            std::optional<Why> why;
            if (need.What == Need::ItemHeld) why = Item(need.Number);
            if (need.What == Need::FlagSet) why = Flag(need.Number, true);
            if (need.What == Need::FlagClear) why = Flag(need.Number, false);
            if (!why) continue;
            if (why->Located) return why;
            return Why{link + " without " + why->Text, true};
        }
        return std::nullopt;
    }

    std::optional<Why> Item(int item) {
        const std::string key = "item " + std::to_string(item);
        if (!Enter(key)) return std::nullopt;
        std::optional<Why> why = ItemSources(item);
        Leave(key);
        return why;
    }

    std::optional<Why> ItemSources(int item) {
        if (item < 1 || item >= ItemRows || game_.Items[static_cast<size_t>(item)].Name.empty()) {
            return Why{"item " + std::to_string(item) + ", which does not exist"};
        }
        bool anySource = false;
        for (size_t row = 1; row < game_.Events.size(); ++row) {
            const EventDef& c = game_.Events[row];
            if (walk_.GroupOfRow(row) == SIZE_MAX || walk_.RowReached(row)) continue;
            const bool gives = c.Kind == static_cast<int>(ContentKind::Gift) && c.DataID == item &&
                               (c.Target == 1 || c.Target == 2) && c.DA > 0;
            if (!gives) continue;
            anySource = true;
            if (auto why = Content(row)) return why;
        }
        for (size_t p = 0; p < game_.NpcTrades.size(); ++p) {
            const auto& wares = game_.NpcTrades[p].TradeItems;
            if (std::find(wares.begin() + 1, wares.end(), item) == wares.end()) continue;
            anySource = true;
            if (auto why = Person(static_cast<int>(p))) return why;
        }
        for (size_t m = 1; m < game_.Monsters.size(); ++m) {
            if (game_.Monsters[m].DropItem() != item) continue;
            anySource = true;  // a fight the walk never reached: named by the first other source
        }
        if (anySource) return std::nullopt;
        return Why{ItemName(item) + ", which nothing gives"};
    }

    std::optional<Why> Person(int person) {
        for (size_t row = 1; row < game_.Events.size(); ++row) {
            const EventDef& c = game_.Events[row];
            if (walk_.GroupOfRow(row) == SIZE_MAX || walk_.RowReached(row)) continue;
            if (c.Kind != static_cast<int>(ContentKind::Person) || c.DataID != person) continue;
            if (auto why = Content(row)) return why;
        }
        return std::nullopt;
    }

    std::optional<Why> Flag(int flag, bool set) {
        const std::string key = (set ? "set " : "clear ") + std::to_string(flag);
        if (!Enter(key)) return std::nullopt;
        std::optional<Why> why;
        bool anySource = false;
        for (size_t row = 1; row < game_.Events.size() && !why; ++row) {
            const EventDef& c = game_.Events[row];
            if (walk_.GroupOfRow(row) == SIZE_MAX || walk_.RowReached(row) || c.DataID != flag) {
                continue;
            }
            const auto kind = static_cast<ContentKind>(c.Kind);
            if (kind != ContentKind::FlagToggle &&
                kind != (set ? ContentKind::FlagSet : ContentKind::FlagClear)) {
                continue;
            }
            anySource = true;
            why = Content(row);
        }
        for (const HandOver& handOver : HandOvers) {
            if (!set || why || handOver.Flag != flag) continue;
            anySource = true;
            if (!walk_.Known().Items[static_cast<size_t>(handOver.Item)]) {
                why = Item(handOver.Item);
                if (why && !why->Located) {
                    why->Text =
                        "flag " + std::to_string(flag) + ", set only by handing over " + why->Text;
                }
            } else {
                why = Person(handOver.Person);
            }
        }
        Leave(key);
        if (why || anySource) return why;
        return Why{set ? "flag " + std::to_string(flag) + ", which nothing sets"
                       : "flag " + std::to_string(flag) + " cleared, which nothing does"};
    }

    // A content the walk never ran.
    std::optional<Why> Content(size_t row) {
        const size_t group = walk_.GroupOfRow(row);
        const std::string key = "event " + std::to_string(group);
        if (!Enter(key)) return std::nullopt;
        std::optional<Why> why;
        if (!walk_.EventRan(group)) {
            why = NeverFired(group);
        } else {
            const EventDef& h = walk_.Head(group);
            const int position = static_cast<int>(row - walk_.Groups()[group].First) + 1;
            why = FirstNeed(NeedsWithin(group, position),
                            EventPlace(group) + "the " + KindName(game_.Events[row].Kind) +
                                " of the event at " + Cell(h.X, h.Y) + " is never reached");
        }
        Leave(key);
        return why;
    }

    std::optional<Why> NeverFired(size_t group) {
        const EventDef& h = walk_.Head(group);
        if (h.Dungeon < FirstWalkPlace || h.Dungeon > LastWalkPlace || h.Floor < 1 ||
            h.Floor >= WalkFloors || h.X >= FloorSide || h.Y >= FloorSide || h.Dir > 3) {
            return Why{EventPlace(group) + "the event at " + Cell(h.X, h.Y) + " is off the maze",
                       true};
        }
        if (!walk_.CellVisited(h.Dungeon, h.Floor, h.X, h.Y)) {
            return Square(h.Dungeon, h.Floor, h.X, h.Y);
        }
        if (h.EventCase == static_cast<int>(EventTrigger::AfterBattle)) {
            for (size_t g = 0; g < walk_.Groups().size(); ++g) {
                const EventDef& o = walk_.Head(g);
                if (o.Dungeon != h.Dungeon || o.Floor != h.Floor || o.X != h.X || o.Y != h.Y) {
                    continue;
                }
                const EventGroup& event = walk_.Groups()[g];
                for (size_t row = event.First; row < event.First + event.Count; ++row) {
                    if (game_.Events[row].Kind == static_cast<int>(ContentKind::Battle) &&
                        !walk_.RowReached(row)) {
                        if (auto why = Content(row)) return why;
                    }
                }
            }
            return Why{EventPlace(group) + "the event after a battle at " + Cell(h.X, h.Y) +
                           " follows no battle there",
                       true};
        }
        return Why{EventPlace(group) + "the event at " + Cell(h.X, h.Y) + " facing " +
                       Directions[h.Dir] + " never fires",
                   true};
    }

    // Why the step from a square is barred by its events.
    std::optional<Why> StepBarred(const Spot& from) {
        const std::string link = Where(from.Place, from.Floor) + ": the step " +
                                 Directions[static_cast<size_t>(from.Facing)] + " from " +
                                 Cell(from.X, from.Y) + " is barred";
        for (size_t g : walk_.EventsAt(EventTrigger::BeforeStep, from)) {
            const std::string key = "event " + std::to_string(g);
            if (!Enter(key)) continue;
            std::optional<Why> why = FirstNeed(NeedsWithin(g, 0), link);
            Leave(key);
            if (why) return why;
        }
        return Why{link, true};
    }

    std::optional<Why> Square(int place, int floor, int x, int y) {
        const std::string key =
            "square " + std::to_string(place) + Where(place, floor) + Cell(x, y);
        if (!Enter(key)) return std::nullopt;
        std::optional<Why> why = SquareReason(place, floor, x, y);
        Leave(key);
        return why;
    }

    // Every square a party could get to if no event stopped it, from the
    // squares the walk reached, and how it would first get there.
    std::optional<Why> SquareReason(int place, int floor, int x, int y) {
        const auto places = walk_.OpenPlaces();
        const bool open = std::find(places.begin(), places.end(), place) != places.end();
        if (!open) {
            const std::string name(ResString(Str::PlaceStoneAbyss, place - 21));
            const int flag = walk_.FlagOpening(place);
            if (flag < 0) return Why{"the place menu never offers " + name, true};
            auto why = Flag(flag, true);
            if (why && !why->Located) {
                why = Why{"the place menu offers " + name + " only with " + why->Text, true};
            }
            return why;
        }
        struct Link {
            int From = -1;   // cell index on the place, -1 for a starting cell
            int Facing = 0;  // the step's facing
            size_t Row = 0;  // the transfer's row, 0 for a step
        };
        auto index = [](int f, int cx, int cy) { return (f * FloorSide + cy) * FloorSide + cx; };
        std::map<int, Link> came;
        std::deque<int> queue;
        for (int f = 1; f < WalkFloors; ++f) {
            for (int cy = 0; cy < FloorSide; ++cy) {
                for (int cx = 0; cx < FloorSide; ++cx) {
                    if (!walk_.CellVisited(place, f, cx, cy)) continue;
                    came[index(f, cx, cy)] = {};
                    queue.push_back(index(f, cx, cy));
                }
            }
        }
        if (came.emplace(index(1, 0, 0), Link{}).second) queue.push_back(index(1, 0, 0));
        const int goal = index(floor, x, y);
        while (!queue.empty() && came.count(goal) == 0) {
            const int at = queue.front();
            queue.pop_front();
            const Spot here{place, at / (FloorSide * FloorSide), at % FloorSide,
                            at / FloorSide % FloorSide, 0};
            auto reach = [&](const Spot& to, Link link) {
                if (came.emplace(index(to.Floor, to.X, to.Y), link).second) {
                    queue.push_back(index(to.Floor, to.X, to.Y));
                }
            };
            for (int facing = 0; facing < 4; ++facing) {
                Spot turned = here;
                turned.Facing = facing;
                if (const auto next = walk_.StepAhead(turned)) reach(*next, {at, facing, 0});
            }
            for (size_t g = 0; g < walk_.Groups().size(); ++g) {
                const EventDef& h = walk_.Head(g);
                if (h.Dungeon != place || h.Floor != here.Floor || h.X != here.X || h.Y != here.Y) {
                    continue;
                }
                const EventGroup& event = walk_.Groups()[g];
                for (size_t row = event.First; row < event.First + event.Count; ++row) {
                    const EventDef& c = game_.Events[row];
                    if (c.Kind != static_cast<int>(ContentKind::Stairs) &&
                        c.Kind != static_cast<int>(ContentKind::Teleport)) {
                        continue;
                    }
                    if (const auto landed = walk_.Landing(here, c.LocFloor, c.LocX, c.LocY)) {
                        reach(*landed, {at, 0, row});
                    }
                }
            }
        }
        if (came.count(goal) == 0) {
            return Why{Where(place, floor) + ": no way leads to " + Cell(x, y) +
                           " from where the party can go",
                       true};
        }
        // The first link of the way that the walk never passed.
        std::vector<int> way;
        for (int at = goal; at >= 0; at = came[at].From) way.push_back(at);
        std::reverse(way.begin(), way.end());
        for (size_t k = 1; k < way.size(); ++k) {
            const int to = way[k];
            const int toFloor = to / (FloorSide * FloorSide);
            if (walk_.CellVisited(place, toFloor, to % FloorSide, to / FloorSide % FloorSide)) {
                continue;
            }
            const Link& link = came[to];
            if (link.Row != 0) return Content(link.Row);
            const int from = link.From;
            const Spot step{place, from / (FloorSide * FloorSide), from % FloorSide,
                            from / FloorSide % FloorSide, link.Facing};
            return StepBarred(step);
        }
        return std::nullopt;
    }

    const StoryWalk& walk_;
    const Game& game_;
    std::set<std::string> onStack_;
};

}  // namespace

std::vector<std::string> CheckEndingReachable(const Game& game) {
    StoryWalk walk(game);
    walk.Run();
    if (walk.PrizeWon() && walk.BroughtHome()) return {};
    return {"the story cannot be finished: " + LinkFinder(walk).Ending()};
}

}  // namespace kv::kvrdata
