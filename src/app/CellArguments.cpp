#include "app/CellArguments.h"

#include <charconv>
#include <vector>

namespace kv {

namespace {

constexpr int FirstPlace = 20;
constexpr int LastPlace = 27;
constexpr int LastFloor = 21;
constexpr int LastCell = 19;
constexpr int DefaultFacing = 2;  // south
constexpr std::string_view FacingLetters = "NESW";

std::vector<std::string_view> Split(std::string_view text, char by) {
    std::vector<std::string_view> parts;
    size_t from = 0;
    for (size_t at = text.find(by); at != text.npos; at = text.find(by, from)) {
        parts.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(text.substr(from));
    return parts;
}

// A plain decimal number within [low, high].
std::optional<int> Number(std::string_view text, int low, int high) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

std::optional<int> Facing(std::string_view text) {
    if (text.size() != 1) return std::nullopt;
    const size_t letter = FacingLetters.find(static_cast<char>(text[0] & ~0x20));
    if (letter != FacingLetters.npos) return static_cast<int>(letter);
    return Number(text, 0, 3);
}

bool PlaceAndFloor(std::string_view place, std::string_view floor, std::array<int, 2>& out,
                   std::string& error) {
    const std::optional<int> p = Number(place, FirstPlace, LastPlace);
    const std::optional<int> f = Number(floor, 1, LastFloor);
    if (!p) error = "the place must be a maze's code, 20 to 27, got '" + std::string(place) + "'";
    if (p && !f) error = "the floor must be 1 to 21, got '" + std::string(floor) + "'";
    if (!p || !f) return false;
    out = {*p, *f};
    return true;
}

}  // namespace

std::optional<std::array<int, 5>> ParseStartCell(std::string_view text, std::string& error) {
    const std::vector<std::string_view> parts = Split(text, ':');
    const std::vector<std::string_view> xy =
        parts.size() >= 3 ? Split(parts[2], ',') : std::vector<std::string_view>{};
    if (parts.size() < 3 || parts.size() > 4 || xy.size() != 2) {
        error = "--start needs PLACE:FLOOR:X,Y[:FACING], got '" + std::string(text) + "'";
        return std::nullopt;
    }
    std::array<int, 2> placeFloor{};
    if (!PlaceAndFloor(parts[0], parts[1], placeFloor, error)) {
        error = "--start: " + error;
        return std::nullopt;
    }
    const std::optional<int> x = Number(xy[0], 0, LastCell);
    const std::optional<int> y = Number(xy[1], 0, LastCell);
    if (!x || !y) {
        error =
            "--start: the cell must be X,Y with each 0 to 19, got '" + std::string(parts[2]) + "'";
        return std::nullopt;
    }
    std::optional<int> facing = DefaultFacing;
    if (parts.size() == 4) facing = Facing(parts[3]);
    if (!facing) {
        error = "--start: the facing must be N, E, S or W, got '" + std::string(parts[3]) + "'";
        return std::nullopt;
    }
    return std::array<int, 5>{placeFloor[0], placeFloor[1], *x, *y, *facing};
}

std::optional<std::array<int, 2>> ParseMapFloor(std::string_view text, std::string& error) {
    const std::vector<std::string_view> parts = Split(text, '-');
    std::array<int, 2> placeFloor{};
    if (parts.size() != 2) {
        error = "--export-map needs PLACE-FLOOR, got '" + std::string(text) + "'";
        return std::nullopt;
    }
    if (!PlaceAndFloor(parts[0], parts[1], placeFloor, error)) {
        error = "--export-map: " + error;
        return std::nullopt;
    }
    return placeFloor;
}

}  // namespace kv
