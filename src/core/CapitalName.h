#pragma once
// The capital's name, kept in one place: the town window's caption, the castle
// menu, the star reader (its row, its menu and the ranking window) and the maze
// at the capital's heart all carry it.
#include <string>
#include <string_view>

namespace kv {

inline constexpr std::string_view CapitalName = "コルヴァーネ";

// Where a menu text carries the capital's name.
inline constexpr char CapitalNameMark = '$';

// The text with every CapitalNameMark replaced by the capital's name.
inline std::string WithCapitalName(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == CapitalNameMark) {
            out += CapitalName;
        } else {
            out += c;
        }
    }
    return out;
}

// "コルヴァーネ星占所": the star reader's menu and the ranking window.
inline std::string StarReaderName() {
    return WithCapitalName("$星占所");
}

}  // namespace kv
