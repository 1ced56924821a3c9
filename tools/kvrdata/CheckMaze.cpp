#include <array>

#include "Checker.h"
#include "MapArt.h"
#include "SourceEvents.h"

namespace kv::kvrdata {

namespace {

constexpr int FirstMaze = 21;
constexpr int LastMaze = 26;
constexpr int LastFloor = 21;
constexpr size_t MismatchesShown = 10;
// The place menu offers these whatever the flags say; the others open later.
constexpr std::array<int, 3> PlacesAlwaysOffered = {21, 22, 23};
constexpr int ReturnKind = 16;

// Content kinds that continue at TrueID or FalseID.
constexpr bool UsesJumps(int kind) {
    return kind == 5 || kind == 6 || kind == 9 || kind == 10;
}
// Content kinds whose DataID is an item.
constexpr bool TakesItem(int kind) {
    return kind == 1 || kind == 2 || kind == 9;
}
// Content kinds whose DataID is a progress flag: test, set, clear, toggle.
constexpr bool TakesFlag(int kind) {
    return kind >= 10 && kind <= 13;
}
// The game repeats a gift or a take at most this often (every roster slot
// full) and rolls at most this many dice for a trap or a heal.
constexpr int MostRepeats = 50 * 15 * 9;
constexpr int MostDice = 1000;
constexpr bool RepeatsDA(int kind) {
    return kind == 1 || kind == 2;
}
constexpr bool RollsDA(int kind) {
    return kind == 8 || kind == 18;
}

std::string EventRow(size_t row) {
    return "KVR4.DAT EventDef " + std::to_string(row);
}

std::string KindName(int kind) {
    const auto names = EventKindNames();
    if (kind > 0 && static_cast<size_t>(kind) < names.size()) {
        return std::string(names[static_cast<size_t>(kind)]);
    }
    return std::to_string(kind);
}

constexpr std::array<const char*, 4> SideNames = {"north", "east", "south", "west"};

}  // namespace

bool DataChecker::IsRock(int place, int floor, int x, int y) const {
    return IsSolidRock(db_, MazeOf(place), floor, x, y);
}

void DataChecker::CheckTarget(const std::string& where, int place, int floor, int x, int y) {
    const std::string square = "place " + std::to_string(place) + " floor " +
                               std::to_string(floor) + " (" + std::to_string(x) + "," +
                               std::to_string(y) + ")";
    if (place < FirstMaze || place > LastMaze || floor < 1 || floor > LastFloor || x < 0 ||
        x >= FloorSide || y < 0 || y >= FloorSide) {
        Report(where + ": " + square + " is off the maze");
    } else if (IsRock(place, floor, x, y)) {
        Report(where + ": " + square + " is solid rock");
    }
}

void DataChecker::CheckEvents() {
    const size_t last = db_.Events.size() - 1;
    if (db_.Events[last].ID != 0) {
        Report(EventRow(last) + " ID: the last row is never read as an event");
    }
    // Groups as the game builds them: consecutive rows with the same ID.
    size_t r = 1;
    while (r < last) {
        if (db_.Events[r].ID == 0) {
            ++r;
            continue;
        }
        size_t end = r + 1;
        while (end < last && db_.Events[end].ID == db_.Events[r].ID) ++end;
        CheckEventGroup(r, end - r);
        r = end;
    }
}

void DataChecker::CheckEventGroup(size_t first, size_t count) {
    const EventDef& head = db_.Events[first];
    const std::string where = EventRow(first) + " (event " + std::to_string(head.ID) + ")";
    if (head.Dungeon < FirstMaze || head.Dungeon > LastMaze) {
        Report(where + " Dungeon: place " + std::to_string(head.Dungeon) +
               " is not a maze place (21..26)");
    }
    if (head.Floor < 1 || head.Floor > LastFloor) {
        Report(where + " Floor: " + std::to_string(head.Floor) + " is not 1..21");
    }
    if (head.X >= FloorSide || head.Y >= FloorSide) {
        Report(where + " X/Y: (" + std::to_string(head.X) + "," + std::to_string(head.Y) +
               ") is outside 0..19");
    }
    if (head.Dir > 3) Report(where + " Dir: " + std::to_string(head.Dir) + " is not 0..3");
    if (head.EventCase < 1 || head.EventCase > 5) {
        Report(where + " EventCase: " + std::to_string(head.EventCase) + " is not 1..5");
    }
    const int ends = static_cast<int>(count) + 1;  // the position that ends the event
    for (size_t p = 1; p <= count; ++p) {
        const size_t row = first + p - 1;
        const EventDef& e = db_.Events[row];
        const std::string at = EventRow(row) + " (event " + std::to_string(head.ID) + " content " +
                               std::to_string(p) + ", " + KindName(e.Kind) + ")";
        auto jump = [&](const char* field, int target) {
            if (target <= 0) {
                Report(at + " " + field + ": jumps to position " + std::to_string(target));
            } else if (target > ends) {
                Report(at + " " + field + ": jumps to position " + std::to_string(target) +
                       ", past the end of its " + std::to_string(count) + " contents");
            }
        };
        if (e.Kind < 1 || e.Kind > 23) {
            Report(at + " Kind: " + std::to_string(e.Kind) + " is not a content kind (1..23)");
            continue;
        }
        if (UsesJumps(e.Kind)) {
            jump("TrueID", e.TrueID);
            jump("FalseID", e.FalseID);
        }
        if (e.Kind == 21) jump("DataID", e.DataID);
        if (TakesItem(e.Kind)) NeedItem(at + " DataID", e.DataID);
        // The game reads an unknown flag as 0 and never writes it: the event
        // would quietly do nothing.
        if (TakesFlag(e.Kind) && (e.DataID < 0 || e.DataID >= EventFlagCount)) {
            Report(at + " DataID: flag " + std::to_string(e.DataID) + " is not 0..100");
        }
        if (RepeatsDA(e.Kind) && (e.DA < 0 || e.DA > MostRepeats)) {
            Report(at + " DA: " + std::to_string(e.DA) + " repetitions, the game makes at most " +
                   std::to_string(MostRepeats));
        }
        if (RollsDA(e.Kind) && (e.DA < 0 || e.DA > MostDice)) {
            Report(at + " DA: " + std::to_string(e.DA) + " dice, the game rolls at most " +
                   std::to_string(MostDice));
        }
        if (e.Kind == 14 && !EncounterExists(e.DataID)) {
            Report(at + " DataID: no encounter row has the number " + std::to_string(e.DataID));
        }
        if (e.Kind == 15 && (e.DataID < 0 || e.DataID >= NpcTradeRows)) {
            Report(at + " DataID: person " + std::to_string(e.DataID) + " is not 0..20");
        }
        if (e.Kind == 3 || e.Kind == 7) {
            CheckTarget(at + " LocFloor/LocX/LocY", head.Dungeon, e.LocFloor, e.LocX, e.LocY);
        }
        if (e.Kind == 8 && (e.State < 0 || e.State > 36)) {
            Report(at + " State: attack attribute " + std::to_string(e.State) + " is not 0..36");
        }
        if (e.Kind == 22 && e.LocDirection > 4) {
            Report(at + " LocDirection: " + std::to_string(e.LocDirection) + " is not 0..4");
        }
    }
}

void DataChecker::CheckMaps() {
    static constexpr std::array<const char*, 2> LayerNames = {"WallMap", "DoorMap"};
    for (int maze = 0; maze < MazeCount; ++maze) {
        for (int floor = 0; floor < MazeFloors; ++floor) {
            const FloorCells cells = GetFloor(db_, maze, floor);
            if (cells.Empty()) continue;
            const std::string where = "KVR6.DAT place " + std::to_string(maze + FirstMazePlace) +
                                      " floor " + std::to_string(floor);
            std::vector<std::string> found;
            for (int y = 0; y < FloorSide; ++y) {
                for (int x = 0; x < FloorSide; ++x) {
                    const size_t i = static_cast<size_t>(y * FloorSide + x);
                    std::string cell = "(";
                    cell += std::to_string(x);
                    cell += ',';
                    cell += std::to_string(y);
                    cell += ')';
                    for (size_t layer = 0; layer < 2; ++layer) {
                        const auto& values = layer == 0 ? cells.Walls : cells.Doors;
                        if (values[i] < 0 || values[i] > 15) {
                            found.push_back(std::string(LayerNames[layer]) + " " + cell + ": " +
                                            std::to_string(values[i]) + " is not 0..15");
                            continue;
                        }
                        // East against the west of the next cell, south against the north below.
                        const std::array<std::array<int, 4>, 2> sides = {
                            {{1, 0, EdgeEast, EdgeWest}, {0, 1, EdgeSouth, EdgeNorth}}};
                        // The maze wraps, so the last column meets the first and
                        // the last row the first.
                        for (const auto& [dx, dy, bit, opposite] : sides) {
                            const int nx = (x + dx) % FloorSide, ny = (y + dy) % FloorSide;
                            const int16_t other = values[static_cast<size_t>(ny * FloorSide + nx)];
                            if (((values[i] & bit) != 0) == ((other & opposite) != 0)) continue;
                            const size_t side = bit == EdgeEast ? 1 : 2;
                            found.push_back(std::string(LayerNames[layer]) + " " + cell + " " +
                                            SideNames[side] + " and (" + std::to_string(nx) + "," +
                                            std::to_string(ny) + ") " + SideNames[(side + 2) % 4] +
                                            ": " + (layer == 0 ? "wall" : "door") +
                                            " not mirrored in the neighbouring cell");
                        }
                    }
                    if ((cells.Flags[i] & ~(DarkCell | TeleportProofCell)) != 0) {
                        found.push_back("CellFlagMap " + cell + ": " +
                                        std::to_string(cells.Flags[i]) + " has unused bits");
                    }
                }
            }
            for (size_t k = 0; k < found.size() && k < MismatchesShown; ++k) {
                Report(where + " " + found[k]);
            }
            if (found.size() > MismatchesShown) {
                Report(where + ": " + std::to_string(found.size() - MismatchesShown) +
                       " more problems on this floor");
            }
        }
    }
}

// A place the menu always offers must have a first floor to land on and a
// way back to the castle somewhere in it.
void DataChecker::CheckPlacesOffered() {
    for (int place : PlacesAlwaysOffered) {
        const std::string where = "place " + std::to_string(place);
        if (GetFloor(db_, MazeOf(place), 1).Empty()) {
            Report("KVR6.DAT " + where + ": the place menu offers it, but it has no floor 1");
        }
        bool wayBack = false;
        for (size_t r = 1; r + 1 < db_.Events.size() && !wayBack; ++r) {
            const EventDef& e = db_.Events[r];
            if (e.ID == 0 || e.Kind != ReturnKind) continue;
            // Only the first row of an event names its place.
            size_t head = r;
            while (head > 1 && db_.Events[head - 1].ID == e.ID) --head;
            wayBack = db_.Events[head].Dungeon == place;
        }
        if (!wayBack) {
            Report("KVR4.DAT " + where +
                   ": the place menu offers it, but no event in it leads back to the castle");
        }
    }
}

// The game draws a cell as unexplored only while its automap holds -1; a new
// game that starts with anything else shows squares nobody has walked.
void DataChecker::CheckNewGameAutomap() {
    struct SeenLayer {
        const char* Name;
        int16_t (*Read)(const SavedState&, int, int, int, int);
    };
    static constexpr std::array<SeenLayer, 2> SeenLayers = {
        {{"SeenWalls", SeenWalls}, {"SeenDoors", SeenDoors}}};
    for (const SeenLayer& layer : SeenLayers) {
        size_t count = 0;
        std::string first;
        for (int maze = 0; maze < MazeCount; ++maze) {
            for (int floor = 0; floor < MazeFloors; ++floor) {
                for (int y = 0; y < FloorSide; ++y) {
                    for (int x = 0; x < FloorSide; ++x) {
                        const int16_t value = layer.Read(*save_, maze, floor, x, y);
                        if (value == Unseen) continue;
                        if (count++ == 0) {
                            first = "place " + std::to_string(maze + FirstMazePlace) + " floor " +
                                    std::to_string(floor) + " (" + std::to_string(x) + "," +
                                    std::to_string(y) + ") holds " + std::to_string(value);
                        }
                    }
                }
            }
        }
        if (count > 0) {
            Report(std::string("KVR1.DAT ") + layer.Name + ": " + std::to_string(count) +
                   (count == 1 ? " cell is" : " cells are") + " not -1 (unseen), first " + first +
                   "; a new game has seen nothing of the mazes");
        }
    }
}

}  // namespace kv::kvrdata
