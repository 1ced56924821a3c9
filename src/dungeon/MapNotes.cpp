#include "dungeon/MapNotes.h"

#include <toml++/toml.h>
#include <algorithm>
#include <sstream>
#include <system_error>

#include "core/AtomicFile.h"
#include "core/MazeMap.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

constexpr size_t NotesMaxFileBytes = size_t{1} << 22;

bool OnMaps(const NoteCell& cell) {
    return cell[1] >= 1 && OnMap(MazeOf(cell[0]), cell[1], cell[2], cell[3]);
}

// Cut at a character's edge, and one line only.
std::string Trimmed(std::string_view text) {
    std::string line(text.substr(0, text.find_first_of("\r\n")));
    if (line.size() <= NoteMaxBytes) return line;
    size_t end = NoteMaxBytes;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) --end;
    return line.substr(0, end);
}

}  // namespace

std::string MapNotes::At(const NoteCell& cell) const {
    const auto found = notes_.find(cell);
    return found == notes_.end() ? std::string() : found->second;
}

void MapNotes::Set(const NoteCell& cell, std::string_view text) {
    const std::string line = Trimmed(text);
    if (line.empty() || !OnMaps(cell)) {
        notes_.erase(cell);
        return;
    }
    notes_[cell] = line;
}

std::vector<FloorNote> MapNotes::OnFloor(int place, int floor) const {
    std::vector<FloorNote> notes;
    for (const auto& [cell, text] : notes_) {
        if (cell[0] == place && cell[1] == floor) notes.push_back({cell[2], cell[3], text});
    }
    std::stable_sort(notes.begin(), notes.end(), [](const FloorNote& a, const FloorNote& b) {
        return a.Y != b.Y ? a.Y < b.Y : a.X < b.X;
    });
    return notes;
}

std::string MapNotes::ToToml() const {
    toml::array rows;
    for (const auto& [cell, text] : notes_) {
        rows.push_back(toml::table{{"place", cell[0]},
                                   {"floor", cell[1]},
                                   {"x", cell[2]},
                                   {"y", cell[3]},
                                   {"text", text}});
    }
    toml::table file{{"note", std::move(rows)}};
    std::ostringstream out;
    out << "# The map notebook: one [[note]] per cell written on.\n" << file << "\n";
    return out.str();
}

MapNotes MapNotes::FromToml(std::string_view text, std::string& problem) {
    MapNotes notes;
    toml::table file;
    try {
        file = toml::parse(text);
    } catch (const toml::parse_error& error) {
        problem = "the map notebook is damaged (line " + std::to_string(error.source().begin.line) +
                  ": " + std::string(error.description()) + "); it starts empty";
        return notes;
    }
    const toml::node* list = file.get("note");
    if (list != nullptr && !list->is_array_of_tables()) {
        problem = "the map notebook is damaged ('note' is not a list of notes); it starts empty";
        return notes;
    }
    if (list == nullptr) return notes;
    for (const toml::node& row : *list->as_array()) {
        const toml::table& note = *row.as_table();
        const auto text = note["text"].value<std::string>();
        const NoteCell cell{note["place"].value_or(-1), note["floor"].value_or(-1),
                            note["x"].value_or(-1), note["y"].value_or(-1)};
        if (!text || !OnMaps(cell)) continue;
        notes.Set(cell, *text);
    }
    return notes;
}

MapNotes ReadNotes(const fs::path& saveFolder, std::string& problem) {
    const fs::path path = saveFolder / NotesFileName;
    std::error_code ec;
    if (!fs::exists(path, ec)) return {};
    std::string error;
    const std::optional<std::string> bytes = ReadFileBytes(path, error, NotesMaxFileBytes);
    if (!bytes) {
        problem = "the map notebook cannot be read (" + error + "); it starts empty";
        return {};
    }
    return MapNotes::FromToml(*bytes, problem);
}

bool WriteNotes(const fs::path& saveFolder, const MapNotes& notes, std::string& error) {
    const fs::path path = saveFolder / NotesFileName;
    std::string problem;
    ReadNotes(saveFolder, problem);
    if (!problem.empty()) {
        std::error_code ec;
        fs::rename(path, fs::path(path.string() + ".bad"), ec);
    }
    return WriteFileAtomic(path, notes.ToToml(), error);
}

}  // namespace kv
