#pragma once
// What the town's service screens share: the help panel beside the command
// menu that carries the shopkeeper's or innkeeper's words.
#include <string>
#include <string_view>

#include "ui/MainWindow.h"

namespace kv {

// The panel's width in half-width columns: longer lines are broken.
inline constexpr int TownLabelColumns = 26;

// Breaks the text into lines that fit the panel ("\r" counts as a line break;
// a full-width character takes two columns).
inline std::string FitTownLabel(std::string_view text) {
    std::string out;
    int columns = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::string_view ch = text.substr(i, length);
        i += length;
        if (ch == "\r" || ch == "\n") {
            if (ch == "\n" || i >= text.size() || text[i] != '\n') out += '\n';
            columns = 0;
            continue;
        }
        const int width = length == 1 ? 1 : 2;
        if (columns + width > TownLabelColumns) {
            out += '\n';
            columns = 0;
        }
        out += ch;
        columns += width;
    }
    return out;
}

// Shows a text in the help panel; an empty text hides the panel.
inline void SetTownLabel(MainWindow& main, std::string_view text) {
    main.lblHelp.SetCaption(FitTownLabel(text));
    main.fraHelp.Visible = !text.empty();
}

}  // namespace kv
