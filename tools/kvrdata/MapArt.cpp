#include "MapArt.h"

#include <charconv>
#include <vector>

namespace kv::kvrdata {

namespace {

constexpr int Grid = 2 * FloorSide + 1;
constexpr std::string_view CentreChars = ".dtx";

size_t Cell(int x, int y) {
    return static_cast<size_t>(y * FloorSide + x);
}

struct EdgeBits {
    bool Wall = false;
    bool Door = false;
};

char EdgeChar(EdgeBits bits, char wallChar) {
    if (bits.Wall && bits.Door) return 'D';
    if (bits.Door) return 'H';
    return bits.Wall ? wallChar : ' ';
}

bool ParseEdgeChar(char ch, EdgeBits& bits) {
    switch (ch) {
        case ' ':
            bits = {false, false};
            return true;
        case '-':
        case '|':
            bits = {true, false};
            return true;
        case 'D':
            bits = {true, true};
            return true;
        case 'H':
            bits = {false, true};
            return true;
        default:
            return false;
    }
}

// The bits of one edge seen from a cell; nothing when the two cells beside
// it disagree.
std::optional<EdgeBits> SharedEdge(const FloorCells& c, int ax, int ay, int16_t aBit, int bx,
                                   int by, int16_t bBit) {
    const bool hasA = ax >= 0 && ax < FloorSide && ay >= 0 && ay < FloorSide;
    const bool hasB = bx >= 0 && bx < FloorSide && by >= 0 && by < FloorSide;
    std::optional<EdgeBits> a, b;
    if (hasA)
        a = EdgeBits{(c.Walls[Cell(ax, ay)] & aBit) != 0, (c.Doors[Cell(ax, ay)] & aBit) != 0};
    if (hasB)
        b = EdgeBits{(c.Walls[Cell(bx, by)] & bBit) != 0, (c.Doors[Cell(bx, by)] & bBit) != 0};
    if (a && b && (a->Wall != b->Wall || a->Door != b->Door)) return std::nullopt;
    return a ? a : b;
}

void SetEdge(FloorCells& c, int x, int y, int16_t bit, EdgeBits bits) {
    if (x < 0 || x >= FloorSide || y < 0 || y >= FloorSide) return;
    if (bits.Wall) c.Walls[Cell(x, y)] |= bit;
    if (bits.Door) c.Doors[Cell(x, y)] |= bit;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool ParseNumbers(const std::vector<std::pair<int, std::string_view>>& lines,
                  const std::string& file, FloorCells& cells, Diagnostics& diag) {
    constexpr std::array<std::string_view, 3> Heads = {"walls", "doors", "flags"};
    std::array<int16_t*, 3> layers = {cells.Walls.data(), cells.Doors.data(), cells.Flags.data()};
    constexpr size_t Needed = 3 * (FloorSide + 1);
    if (lines.size() != Needed) {
        diag.Error(file + ": the number form needs " + std::to_string(Needed) +
                   " lines (walls, 20 rows, doors, 20 rows, flags, 20 rows), found " +
                   std::to_string(lines.size()));
        return false;
    }
    bool ok = true;
    for (size_t layer = 0; layer < 3; ++layer) {
        const auto& [headLine, head] = lines[layer * (FloorSide + 1)];
        if (TrimRight(head) != Heads[layer]) {
            diag.Error(file + " line " + std::to_string(headLine) + ": expected \"" +
                       std::string(Heads[layer]) + "\"");
            ok = false;
            continue;
        }
        for (int y = 0; y < FloorSide; ++y) {
            const auto& [number, text] =
                lines[layer * (FloorSide + 1) + 1 + static_cast<size_t>(y)];
            const char* p = text.data();
            const char* end = text.data() + text.size();
            int x = 0;
            for (; x < FloorSide; ++x) {
                while (p < end && (*p == ' ' || *p == '\t')) ++p;
                int value = 0;
                const auto result = std::from_chars(p, end, value);
                if (result.ec != std::errc() || value < -32768 || value > 32767) break;
                layers[layer][Cell(x, y)] = static_cast<int16_t>(value);
                p = result.ptr;
            }
            while (p < end && (*p == ' ' || *p == '\t')) ++p;
            if (x < FloorSide || p != end) {
                diag.Error(file + " line " + std::to_string(number) +
                           ": expected 20 numbers (-32768..32767)");
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace

bool FloorCells::Empty() const {
    for (size_t i = 0; i < Walls.size(); ++i) {
        if (Walls[i] != 0 || Doors[i] != 0 || Flags[i] != 0) return false;
    }
    return true;
}

FloorCells GetFloor(const Database& db, int maze, int floor) {
    FloorCells cells;
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            cells.Walls[Cell(x, y)] = WallMap(db, maze, floor, x, y);
            cells.Doors[Cell(x, y)] = DoorMap(db, maze, floor, x, y);
            cells.Flags[Cell(x, y)] = CellFlagMap(db, maze, floor, x, y);
        }
    }
    return cells;
}

void PutFloor(Database& db, int maze, int floor, const FloorCells& cells) {
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            SetWallMap(db, maze, floor, x, y, cells.Walls[Cell(x, y)]);
            SetDoorMap(db, maze, floor, x, y, cells.Doors[Cell(x, y)]);
            SetCellFlagMap(db, maze, floor, x, y, cells.Flags[Cell(x, y)]);
        }
    }
}

std::optional<std::string> DrawFloor(const FloorCells& c) {
    std::vector<std::string> grid(Grid, std::string(Grid, ' '));
    for (int y = 0; y <= FloorSide; ++y) {
        for (int x = 0; x <= FloorSide; ++x) grid[2 * y][2 * x] = '+';
    }
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            const int16_t walls = c.Walls[Cell(x, y)], doors = c.Doors[Cell(x, y)];
            const int16_t flags = c.Flags[Cell(x, y)];
            if (walls < 0 || walls > 15 || doors < 0 || doors > 15 || flags < 0 || flags > 3) {
                return std::nullopt;
            }
            const bool rock = walls == 15 && doors == 0 && flags == 0;
            grid[2 * y + 1][2 * x + 1] = rock ? '#' : CentreChars[static_cast<size_t>(flags)];
        }
    }
    for (int y = 0; y <= FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            const auto edge = SharedEdge(c, x, y, EdgeNorth, x, y - 1, EdgeSouth);
            if (!edge) return std::nullopt;
            grid[2 * y][2 * x + 1] = EdgeChar(*edge, '-');
        }
    }
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x <= FloorSide; ++x) {
            const auto edge = SharedEdge(c, x, y, EdgeWest, x - 1, y, EdgeEast);
            if (!edge) return std::nullopt;
            grid[2 * y + 1][2 * x] = EdgeChar(*edge, '|');
        }
    }
    std::string out;
    for (const std::string& line : grid) {
        out += TrimRight(line);
        out += '\n';
    }
    return out;
}

std::string FloorNumbers(const FloorCells& c) {
    std::string out;
    constexpr std::array<std::string_view, 3> Heads = {"walls", "doors", "flags"};
    const std::array<const int16_t*, 3> layers = {c.Walls.data(), c.Doors.data(), c.Flags.data()};
    for (size_t layer = 0; layer < 3; ++layer) {
        out += Heads[layer];
        out += '\n';
        for (int y = 0; y < FloorSide; ++y) {
            for (int x = 0; x < FloorSide; ++x) {
                if (x > 0) out += ' ';
                out += std::to_string(layers[layer][Cell(x, y)]);
            }
            out += '\n';
        }
    }
    return out;
}

std::string WriteFloor(const FloorCells& cells) {
    if (auto art = DrawFloor(cells)) return *art;
    return "; these cells cannot be drawn: WallMap, DoorMap and CellFlagMap as numbers\n" +
           FloorNumbers(cells);
}

bool ParseFloor(std::string_view text, const std::string& file, FloorCells& cells,
                Diagnostics& diag) {
    cells = FloorCells{};
    std::vector<std::pair<int, std::string_view>> lines;  // 1-based line number, text
    int number = 0;
    for (std::string_view line : SplitLines(text)) {
        ++number;
        if (!line.empty() && line[0] == ';') continue;
        lines.emplace_back(number, line);
    }
    // Blank lines after a complete drawing are harmless.
    while (lines.size() > Grid && TrimRight(lines.back().second).empty()) lines.pop_back();
    if (!lines.empty() && TrimRight(lines.front().second) == "walls") {
        return ParseNumbers(lines, file, cells, diag);
    }
    if (lines.size() != Grid) {
        diag.Error(file + ": a floor drawing has 41 lines, found " + std::to_string(lines.size()));
        return false;
    }
    bool ok = true;
    auto fail = [&](int line, size_t column, const std::string& message) {
        diag.Error(file + " line " + std::to_string(line) + " column " +
                   std::to_string(column + 1) + ": " + message);
        ok = false;
    };
    std::vector<std::string> grid;
    for (const auto& [line, raw] : lines) {
        const std::string_view trimmed = TrimRight(raw);
        if (trimmed.size() > Grid) fail(line, Grid, "the line is longer than 41 characters");
        std::string padded(trimmed.substr(0, Grid));
        padded.resize(Grid, ' ');
        grid.push_back(std::move(padded));
    }
    std::vector<bool> rock(FloorSide * FloorSide);
    for (int row = 0; row < Grid; ++row) {
        const int line = lines[static_cast<size_t>(row)].first;
        for (int col = 0; col < Grid; ++col) {
            const char ch = grid[static_cast<size_t>(row)][static_cast<size_t>(col)];
            const auto column = static_cast<size_t>(col);
            if (row % 2 == 0 && col % 2 == 0) continue;  // corners: any character
            if (row % 2 == 1 && col % 2 == 1) {
                const int x = col / 2, y = row / 2;
                const size_t found = CentreChars.find(ch);
                if (ch == '#') {
                    rock[Cell(x, y)] = true;
                } else if (ch == ' ') {
                    // a plain cell, as '.'; editors may eat the dots' neighbours
                } else if (found != std::string_view::npos) {
                    cells.Flags[Cell(x, y)] = static_cast<int16_t>(found);
                } else {
                    fail(line, column, std::string("'") + ch + "' is not a cell (. d t x #)");
                }
                continue;
            }
            EdgeBits bits;
            if (!ParseEdgeChar(ch, bits)) {
                fail(line, column, std::string("'") + ch + "' is not an edge (space - | D H)");
                continue;
            }
            if (row % 2 == 0) {  // between (x, y-1) and (x, y)
                const int x = col / 2, y = row / 2;
                SetEdge(cells, x, y, EdgeNorth, bits);
                SetEdge(cells, x, y - 1, EdgeSouth, bits);
            } else {  // between (x-1, y) and (x, y)
                const int x = col / 2, y = row / 2;
                SetEdge(cells, x, y, EdgeWest, bits);
                SetEdge(cells, x - 1, y, EdgeEast, bits);
            }
        }
    }
    for (int y = 0; y < FloorSide; ++y) {
        for (int x = 0; x < FloorSide; ++x) {
            if (rock[Cell(x, y)] &&
                (cells.Walls[Cell(x, y)] != 15 || cells.Doors[Cell(x, y)] != 0)) {
                fail(lines[static_cast<size_t>(2 * y + 1)].first, static_cast<size_t>(2 * x + 1),
                     "rock cell (" + std::to_string(x) + "," + std::to_string(y) +
                         ") needs a wall on all four sides and no door");
            }
        }
    }
    return ok;
}

std::string FloorFileName(int placeCode, int floor) {
    std::string name = "maps/" + std::to_string(placeCode) + "-";
    if (floor < 10) name += '0';
    return name + std::to_string(floor) + ".txt";
}

bool ParseFloorFileName(std::string_view name, int& placeCode, int& floor) {
    if (name.size() != 14 || name.substr(0, 5) != "maps/" || name[7] != '-' ||
        name.substr(10) != ".txt") {
        return false;
    }
    auto number = [&](size_t at, int& out) {
        const auto r = std::from_chars(name.data() + at, name.data() + at + 2, out);
        return r.ec == std::errc() && r.ptr == name.data() + at + 2;
    };
    if (!number(5, placeCode) || !number(8, floor)) return false;
    return placeCode >= FirstMazePlace && placeCode < FirstMazePlace + MazeCount && floor >= 0 &&
           floor < MazeFloors;
}

}  // namespace kv::kvrdata
