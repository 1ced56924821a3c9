#include "dungeon/AutoMapWindow.h"

#include <array>

#include "core/MazeMap.h"
#include "core/Transcript.h"
#include "dungeon/Automap.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

// The map's own layout: cell (x, y) covers (20 + 20x, 20 + 20y) to
// (40 + 20x, 40 + 20y); the numbers run above, left of and below it and the
// position line sits under it.
constexpr int Cell = 20;
constexpr int Origin = 20;
constexpr int LabelInset = 3;
constexpr int TopLabelY = 10;
constexpr int BottomLabelY = 390;
constexpr int PositionX = 20;
constexpr int PositionY = 423;
constexpr int FormWidth = Origin + FloorSide * Cell + 12;
constexpr int FormHeight = PositionY + 24;
constexpr int LabelSize = 10;
constexpr int PositionSize = 14;

constexpr uint32_t Back = Rgb(6, 8, 22);
constexpr uint32_t TextColour = Rgb(236, 232, 220);
constexpr uint32_t HatchBack = Rgb(36, 40, 58);
constexpr uint32_t HatchLine = Rgb(104, 112, 138);
constexpr uint32_t Floor = Rgb(244, 242, 232);
constexpr uint32_t WallColour = Rgb(16, 16, 24);
constexpr uint32_t DoorColour = Rgb(184, 100, 28);
constexpr uint32_t PartyColour = Rgb(220, 24, 24);
constexpr int WallThickness = 2;
constexpr int DoorLength = 10;
constexpr int DoorThickness = 4;
constexpr int HatchStep = 4;
constexpr int PartyRadius = 6;

struct Side {
    int16_t Bit;
    Rect Wall;  // within the cell
    Rect Door;
};
constexpr int DoorFrom = (Cell - DoorLength) / 2;
constexpr std::array<Side, 4> Sides = {{
    {EdgeNorth, {0, 0, Cell, WallThickness}, {DoorFrom, 0, DoorLength, DoorThickness}},
    {EdgeEast,
     {Cell - WallThickness, 0, WallThickness, Cell},
     {Cell - DoorThickness, DoorFrom, DoorThickness, DoorLength}},
    {EdgeSouth,
     {0, Cell - WallThickness, Cell, WallThickness},
     {DoorFrom, Cell - DoorThickness, DoorLength, DoorThickness}},
    {EdgeWest, {0, 0, WallThickness, Cell}, {0, DoorFrom, DoorThickness, DoorLength}},
}};

Rect Offset(Rect r, int x, int y) {
    return Rect{r.X + x, r.Y + y, r.W, r.H};
}

}  // namespace

AutoMapWindow::AutoMapWindow(WindowManager& windows, const Game& game)
    : Window(windows), game_(game) {
    Name = "frmAutoMap";
    Visible = false;
    BackColor = Back;
    ForeColor = TextColour;
    CentreOnCanvas(FormWidth, FormHeight);
    CloseOnBackOrEnter(*this);
}

void AutoMapWindow::PaintCell(PaintContext& context, int x, int y) {
    Canvas& canvas = context.Surface;
    const int left = context.X + Origin + Cell * x;
    const int top = context.Y + Origin + Cell * y;
    const AutomapCell cell = AutomapCellAt(game_, x, y);
    if (cell.State != AutomapCellState::Known) {
        canvas.FillRect({left, top, Cell, Cell}, HatchBack);
        for (int dy = 0; dy < Cell; ++dy) {
            for (int dx = 0; dx < Cell; ++dx) {
                if ((dx + dy) % HatchStep == 0) canvas.SetPixel(left + dx, top + dy, HatchLine);
            }
        }
        return;
    }
    canvas.FillRect({left, top, Cell, Cell}, Floor);
    for (const Side& side : Sides) {
        if ((cell.Walls & side.Bit) != 0) canvas.FillRect(Offset(side.Wall, left, top), WallColour);
    }
    for (const Side& side : Sides) {
        if ((cell.Doors & side.Bit) != 0) canvas.FillRect(Offset(side.Door, left, top), DoorColour);
    }
}

void AutoMapWindow::Paint(PaintContext& context) {
    PaintBackground(context, *this);
    Canvas& canvas = context.Surface;
    for (int i = 0; i < FloorSide; ++i) {
        const std::string number = std::to_string(i);
        const int along = Origin + Cell * i + LabelInset;
        canvas.DrawText(context.Glyphs, context.X + along, context.Y + TopLabelY, number,
                        TextColour, FontFace::Gothic, LabelSize);
        canvas.DrawText(context.Glyphs, context.X, context.Y + along, number, TextColour,
                        FontFace::Gothic, LabelSize);
        canvas.DrawText(context.Glyphs, context.X + along, context.Y + BottomLabelY, number,
                        TextColour, FontFace::Gothic, LabelSize);
    }
    canvas.DrawText(context.Glyphs, context.X + PositionX, context.Y + PositionY,
                    AutomapPositionLine(game_), TextColour, FontFace::Gothic, PositionSize);
    for (int x = 0; x < FloorSide; ++x) {
        for (int y = 0; y < FloorSide; ++y) PaintCell(context, x, y);
    }
    if (game_.PartyX >= 0 && game_.PartyX < FloorSide && game_.PartyY >= 0 &&
        game_.PartyY < FloorSide) {
        const int cx = context.X + Origin + Cell * game_.PartyX + Cell / 2;
        const int cy = context.Y + Origin + Cell * game_.PartyY + Cell / 2;
        const Rect dot{cx - PartyRadius, cy - PartyRadius, 2 * PartyRadius, 2 * PartyRadius};
        canvas.RoundRect(dot, 2 * PartyRadius, 2 * PartyRadius, PartyColour, PartyColour);
    }
}

std::vector<std::string> AutoMapWindow::Rows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < FloorSide; ++y) {
        std::string row;
        for (int x = 0; x < FloorSide; ++x) {
            if (x == game_.PartyX && y == game_.PartyY) {
                row += '@';
                continue;
            }
            switch (AutomapCellAt(game_, x, y).State) {
                case AutomapCellState::Unseen:
                    row += '?';
                    break;
                case AutomapCellState::Dark:
                    row += '-';
                    break;
                case AutomapCellState::Known:
                    row += '.';
                    break;
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void AutoMapWindow::Announce() {
    JsonLine line;
    line.Add("t", "automap").Add("text", AutomapPositionLine(game_)).Add("rows", Rows());
    Manager().Log().Write(line);
}

void AutoMapWindow::Open() {
    Announce();
    Show();
}

void ShowAutomap(WindowManager& windows, const Game& game) {
    AutoMapWindow window(windows, game);
    window.Announce();
    window.ShowModal();
}

}  // namespace kv
