#pragma once
// frmAutoMap: the current floor from above as far as the party knows it,
// its position and facing on the line below. Enter, Esc or Backspace
// closes it.
//
// The map notebook lives here too: the arrows move a cursor over the cells,
// N writes a short note on the cursor's cell (an emptied line rubs it out
// once the player says yes),
// each note shows as its number on the cell and is listed beside the map,
// and P writes the floor with its notes as a PNG.
#include <string>
#include <vector>

#include "core/Game.h"
#include "dungeon/MapNotes.h"
#include "ui/Window.h"

namespace kv {

class AutoMapWindow : public Window {
  public:
    AutoMapWindow(WindowManager& windows, const Game& game);

    void Paint(PaintContext& context) override;

    // One text row a map row: "?" never seen, "-" dark, "." known, "@" the
    // party; what the transcript records when the window opens.
    std::vector<std::string> Rows() const;
    // Writes what the window shows to the transcript.
    void Announce();
    // Announces the window and puts it on top without waiting for it.
    void Open();

    // Shows a floor as walked, for a picture: any place and floor, without
    // the party or the cursor.
    void ShowFloor(int place, int floor);
    // The window as it stands, as a picture.
    Image Picture();
    // The notebook's trouble when it was read ("" when none).
    const std::string& NotesProblem() const { return notesProblem_; }

  private:
    void PaintCell(PaintContext& context, int x, int y);
    void PaintNotes(PaintContext& context);
    void KeyDown(int& keyCode);
    void WriteNote();
    void ExportPicture();
    // Wide enough for the list of notes when the floor has some.
    void Resize();

    const Game& game_;
    int place_;
    int floor_;
    bool partyShown_ = true;
    MapNotes notes_;
    std::string notesProblem_;
    bool cursorShown_ = false;  // from the first arrow on
    int cursorX_ = 0;
    int cursorY_ = 0;
};

// Shows the automap modally until it is closed.
void ShowAutomap(WindowManager& windows, const Game& game);

// Writes the floor (place code, floor) as walked, with its notes, to a PNG.
bool ExportFloorPicture(WindowManager& windows, const Game& game, int place, int floor,
                        const std::string& file, std::string& error);

}  // namespace kv
