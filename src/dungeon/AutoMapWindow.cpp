#include "dungeon/AutoMapWindow.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "core/MazeMap.h"
#include "core/TextFormat.h"
#include "core/Transcript.h"
#include "core/Utf8.h"
#include "dungeon/Automap.h"
#include "platform/Keys.h"
#include "platform/Screenshots.h"
#include "ui/Dialogs.h"
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

// The notebook: each note's number on its cell, the list to the right of the
// map, the cursor as a frame.
constexpr uint32_t NoteColour = Rgb(28, 64, 200);
constexpr uint32_t NoteBack = Rgb(255, 232, 110);  // seen on floor and hatch alike
constexpr int NoteDigitWidth = 5;
constexpr uint32_t CursorColour = Rgb(24, 170, 60);
constexpr int NoteMarkInset = 2;
constexpr int NoteMarkSize = 10;
constexpr int ListX = FormWidth + 4;
constexpr int ListY = 20;
constexpr int ListPitch = 16;
constexpr int ListSize = 12;
constexpr int WideFormWidth = 640;
constexpr int ListCells = (WideFormWidth - ListX - 4) * 2 / ListSize;  // half-width cells
constexpr int CursorThickness = 2;
constexpr const char* NotePrompt = "メモ（空にすると消えます）";
constexpr const char* EraseQuestion = "このメモを消しますか？";
constexpr const char* ExportedText = "地図を書き出しました\n";
constexpr const char* ExportFailedText = "地図を書き出せません\n";

// The text as far as it fits in cells half-width cells.
std::string Fit(const std::string& text, int cells) {
    std::string fitted;
    int used = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t start = pos;
        const char32_t c = NextCodePoint(text, pos);
        used += IsHalfWidth(c) ? 1 : 2;
        if (used > cells) break;
        fitted.append(text, start, pos - start);
    }
    return fitted;
}

std::string ListLine(size_t number, const FloorNote& note) {
    return std::to_string(number) + " (" + std::to_string(note.X) + "," + std::to_string(note.Y) +
           ") " + note.Text;
}

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
    : Window(windows),
      game_(game),
      place_(game.CurrentPlace),
      floor_(game.CurrentFloor),
      cursorX_(game.PartyX),
      cursorY_(game.PartyY) {
    Name = "frmAutoMap";
    Visible = false;
    BackColor = Back;
    ForeColor = TextColour;
    notes_ = ReadNotes(game.SaveFolder, notesProblem_);
    Resize();
    OnKeyDown = [this](int& keyCode, int) { KeyDown(keyCode); };
}

void AutoMapWindow::Resize() {
    const bool wide = !notes_.OnFloor(place_, floor_).empty();
    CentreOnCanvas(wide ? WideFormWidth : FormWidth, FormHeight);
}

void AutoMapWindow::ShowFloor(int place, int floor) {
    place_ = place;
    floor_ = floor;
    partyShown_ = false;
    cursorShown_ = false;
    Resize();
}

void AutoMapWindow::KeyDown(int& keyCode) {
    const int key = keyCode;
    if (Key::IsBack(key) || key == Key::Return) {
        keyCode = 0;
        Hide();
        return;
    }
    int dx = 0;
    int dy = 0;
    if (key == Key::Left) dx = -1;
    if (key == Key::Right) dx = 1;
    if (key == Key::Up) dy = -1;
    if (key == Key::Down) dy = 1;
    if (dx != 0 || dy != 0) {
        keyCode = 0;
        // The first arrow only brings the cursor out, on the party's cell.
        if (cursorShown_) {
            cursorX_ = std::clamp(cursorX_ + dx, 0, FloorSide - 1);
            cursorY_ = std::clamp(cursorY_ + dy, 0, FloorSide - 1);
        }
        cursorX_ = std::clamp(cursorX_, 0, FloorSide - 1);
        cursorY_ = std::clamp(cursorY_, 0, FloorSide - 1);
        cursorShown_ = true;
        Invalidate();
        return;
    }
    if (key == Key::Letter('N')) {
        keyCode = 0;
        WriteNote();
    } else if (key == Key::Letter('P')) {
        keyCode = 0;
        ExportPicture();
    }
}

void AutoMapWindow::WriteNote() {
    cursorX_ = std::clamp(cursorX_, 0, FloorSide - 1);
    cursorY_ = std::clamp(cursorY_, 0, FloorSide - 1);
    cursorShown_ = true;
    const NoteCell cell{place_, floor_, cursorX_, cursorY_};
    Dialogs dialogs(Manager(), {}, {});
    const std::string text = dialogs.ShowDialog(NotePrompt, DialogKind::Input, notes_.At(cell));
    // Esc empties the line too, so a note is only rubbed out when the player
    // says so; an empty line on a bare cell changes nothing.
    if (text.empty() &&
        (notes_.At(cell).empty() || dialogs.ShowDialog(EraseQuestion, DialogKind::YesNo) != "-1")) {
        Invalidate();
        return;
    }
    notes_.Set(cell, text);
    std::string error;
    if (!WriteNotes(game_.SaveFolder, notes_, error)) {
        dialogs.ShowDialog("メモを保存できません\n" + error, DialogKind::Message);
    }
    JsonLine line;
    line.Add("t", "note")
        .Add("place", place_)
        .Add("floor", floor_)
        .Add("x", cursorX_)
        .Add("y", cursorY_)
        .Add("text", notes_.At(cell));
    Manager().Log().Write(line);
    Resize();
    Invalidate();
}

Image AutoMapWindow::Picture() {
    Manager().Redraw();
    const Rect r = CanvasBounds();
    const Image& frame = Manager().Frame();
    Image part(r.W, r.H);
    for (int y = 0; y < r.H; ++y) {
        for (int x = 0; x < r.W; ++x) part.At(x, y) = frame.At(r.X + x, r.Y + y);
    }
    return part;
}

void AutoMapWindow::ExportPicture() {
    // The picture shows the floor, not where the cursor happened to be.
    const bool cursor = cursorShown_;
    cursorShown_ = false;
    Invalidate();
    const Image picture = Picture();
    cursorShown_ = cursor;
    Invalidate();
    std::string error;
    std::filesystem::path folder = ScreenshotFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::filesystem::path file =
        folder / ("korvane-map-" + std::to_string(place_) + "-" + std::to_string(floor_) + ".png");
    Dialogs dialogs(Manager(), {}, {});
    if (Manager().Host().Images().SavePng(picture, file.string())) {
        dialogs.ShowDialog(ExportedText + file.string(), DialogKind::Message);
    } else {
        dialogs.ShowDialog(ExportFailedText + file.string(), DialogKind::Message);
    }
}

void AutoMapWindow::PaintCell(PaintContext& context, int x, int y) {
    Canvas& canvas = context.Surface;
    const int left = context.X + Origin + Cell * x;
    const int top = context.Y + Origin + Cell * y;
    const AutomapCell cell = AutomapCellAt(game_, place_, floor_, x, y);
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
    const std::string position =
        partyShown_ ? AutomapPositionLine(game_) : Wide(std::to_string(floor_) + "階");
    canvas.DrawText(context.Glyphs, context.X + PositionX, context.Y + PositionY, position,
                    TextColour, FontFace::Gothic, PositionSize);
    for (int x = 0; x < FloorSide; ++x) {
        for (int y = 0; y < FloorSide; ++y) PaintCell(context, x, y);
    }
    PaintNotes(context);
    if (partyShown_ && game_.PartyX >= 0 && game_.PartyX < FloorSide && game_.PartyY >= 0 &&
        game_.PartyY < FloorSide) {
        const int cx = context.X + Origin + Cell * game_.PartyX + Cell / 2;
        const int cy = context.Y + Origin + Cell * game_.PartyY + Cell / 2;
        const Rect dot{cx - PartyRadius, cy - PartyRadius, 2 * PartyRadius, 2 * PartyRadius};
        canvas.RoundRect(dot, 2 * PartyRadius, 2 * PartyRadius, PartyColour, PartyColour);
    }
}

void AutoMapWindow::PaintNotes(PaintContext& context) {
    Canvas& canvas = context.Surface;
    const std::vector<FloorNote> notes = notes_.OnFloor(place_, floor_);
    for (size_t i = 0; i < notes.size(); ++i) {
        const FloorNote& note = notes[i];
        const int left = context.X + Origin + Cell * note.X + NoteMarkInset;
        const int top = context.Y + Origin + Cell * note.Y + NoteMarkInset;
        const std::string number = std::to_string(i + 1);
        canvas.FillRect(
            {left, top, NoteDigitWidth * static_cast<int>(number.size()) + 2, NoteMarkSize + 1},
            NoteBack);
        canvas.DrawText(context.Glyphs, left + 1, top, number, NoteColour, FontFace::Gothic,
                        NoteMarkSize);
        canvas.DrawText(
            context.Glyphs, context.X + ListX, context.Y + ListY + ListPitch * static_cast<int>(i),
            Fit(ListLine(i + 1, note), ListCells), TextColour, FontFace::Gothic, ListSize);
    }
    if (cursorShown_) {
        const Rect frame{context.X + Origin + Cell * cursorX_, context.Y + Origin + Cell * cursorY_,
                         Cell, Cell};
        for (int i = 0; i < CursorThickness; ++i) {
            canvas.FrameRect({frame.X + i, frame.Y + i, frame.W - 2 * i, frame.H - 2 * i},
                             CursorColour);
        }
    }
}

std::vector<std::string> AutoMapWindow::Rows() const {
    std::vector<std::string> rows;
    for (int y = 0; y < FloorSide; ++y) {
        std::string row;
        for (int x = 0; x < FloorSide; ++x) {
            if (partyShown_ && x == game_.PartyX && y == game_.PartyY) {
                row += '@';
                continue;
            }
            switch (AutomapCellAt(game_, place_, floor_, x, y).State) {
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
    // Only a floor written on says so: a transcript without notes reads as before.
    const std::vector<FloorNote> notes = notes_.OnFloor(place_, floor_);
    std::vector<std::string> listed;
    for (size_t i = 0; i < notes.size(); ++i) listed.push_back(ListLine(i + 1, notes[i]));
    if (!listed.empty()) line.Add("notes", listed);
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

bool ExportFloorPicture(WindowManager& windows, const Game& game, int place, int floor,
                        const std::string& file, std::string& error) {
    AutoMapWindow window(windows, game);
    window.ShowFloor(place, floor);
    window.Show();
    const Image picture = window.Picture();
    window.Hide();
    if (!windows.Host().Images().SavePng(picture, file)) {
        error = "cannot write the picture '" + file + "'";
        return false;
    }
    return true;
}

}  // namespace kv
