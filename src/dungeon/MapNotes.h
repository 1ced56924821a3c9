#pragma once
// The map notebook: a short note a player writes on a cell of the automap.
// The notes live beside the save in KVR1.notes, a TOML file of their own, so
// the save's layout stays as it is:
//
//   [[note]]
//   place = 21
//   floor = 3
//   x = 4
//   y = 7
//   text = "泉：回復"
#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr const char* NotesFileName = "KVR1.notes";
// A note is one short line; longer ones are cut at a character's edge.
inline constexpr size_t NoteMaxBytes = 120;

// place code, floor, x, y.
using NoteCell = std::array<int, 4>;

struct FloorNote {
    int X = 0;
    int Y = 0;
    std::string Text;
};

class MapNotes {
  public:
    std::string At(const NoteCell& cell) const;
    // An empty text rubs the note out.
    void Set(const NoteCell& cell, std::string_view text);
    // The notes of one floor, row by row, left to right.
    std::vector<FloorNote> OnFloor(int place, int floor) const;
    bool Empty() const { return notes_.empty(); }

    // The file's text, and back. A text that is not such a file gives an
    // empty notebook and a one-line problem; a note off the maps is skipped.
    std::string ToToml() const;
    static MapNotes FromToml(std::string_view text, std::string& problem);

  private:
    std::map<NoteCell, std::string> notes_;
};

// The notebook of a save folder: empty when there is none yet; empty with a
// one-line problem when the file is unreadable or not a notebook.
MapNotes ReadNotes(const std::filesystem::path& saveFolder, std::string& problem);

// Writes the notebook atomically, as the save is written. A damaged notebook
// already there is first kept aside as KVR1.notes.bad, so nothing typed is
// lost unseen.
bool WriteNotes(const std::filesystem::path& saveFolder, const MapNotes& notes, std::string& error);

}  // namespace kv
