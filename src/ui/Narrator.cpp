#include "ui/Narrator.h"

#include <array>
#include <nlohmann/json.hpp>

#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

// What stands ahead, by what the edge in front holds.
constexpr const char* AheadDoor = "前は扉";
constexpr const char* AheadWall = "前は壁";
constexpr const char* AheadOpen = "前は通路";

// Line breaks read as pauses.
std::string Spoken(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

// A caption and the highlighted row of a menu or list line.
std::string Highlighted(const nlohmann::ordered_json& line) {
    std::string said = line.value("caption", "");
    const nlohmann::ordered_json& rows = line.value("rows", nlohmann::ordered_json::array());
    const int index = line.value("index", -1);
    if (rows.is_array() && index >= 0 && index < static_cast<int>(rows.size()) &&
        rows[static_cast<size_t>(index)].is_string()) {
        if (!said.empty()) said += "、";
        said += rows[static_cast<size_t>(index)].get<std::string>();
    }
    return Spoken(said);
}

}  // namespace

Narrator::~Narrator() {
    if (windows_ == nullptr) return;
    windows_->Log().Heard = nullptr;
    windows_->OnRowFocused = nullptr;
}

void Narrator::Attach(WindowManager& windows) {
    windows_ = &windows;
    windows.Log().Heard = [this](const JsonLine& line) { Heard(line); };
    windows.OnRowFocused = [this](std::string_view row) {
        speaker_.Speak(Spoken(std::string(row)), true);
    };
}

void Narrator::Heard(const JsonLine& line) {
    const std::string said = Sentence(line);
    if (said.empty()) return;
    // A new menu or a move makes what was being said stale.
    const std::string kind = line.Object().value("t", "");
    speaker_.Speak(said, kind != "dialog");
}

std::string Narrator::Sentence(const JsonLine& line) const {
    const nlohmann::ordered_json& o = line.Object();
    const std::string kind = o.value("t", "");
    if (kind == "dialog") return Spoken(o.value("text", ""));
    if (kind == "menu" || kind == "list") return Highlighted(o);
    if (kind == "where") {
        return WhereSentence(o.value("place", 0), o.value("floor", 0), o.value("x", 0),
                             o.value("y", 0), o.value("facing", 0));
    }
    return "";
}

std::string Narrator::WhereSentence(int place, int floor, int x, int y, int facing) const {
    if (floor < 1) return "";  // home in town: the castle's menu speaks for itself
    const int maze = MazeOf(place);
    const int16_t edge = EdgeOf(facing);
    const char* ahead = AheadOpen;
    if ((DoorMap(game_, maze, floor, x, y) & edge) != 0) {
        ahead = AheadDoor;
    } else if ((WallMap(game_, maze, floor, x, y) & edge) != 0) {
        ahead = AheadWall;
    }
    return "迷宮" + std::to_string(place) + "、" + std::to_string(floor) + "階、東" +
           std::to_string(x) + "、南" + std::to_string(y) + "、" +
           std::string(ResString(Str::FacingNorth, facing & 3)) + "。" + ahead;
}

}  // namespace kv
