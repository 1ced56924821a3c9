#pragma once
// What the town's service screens share: the help panel beside the command
// menu that carries the shopkeeper's or innkeeper's words.
#include <string_view>

#include "ui/MainWindow.h"

namespace kv {

// Shows a text in the help panel; an empty text hides the panel.
inline void SetTownLabel(MainWindow& main, std::string_view text) {
    main.lblHelp.SetCaption(text);  // the label wraps it to the panel
    main.fraHelp.Visible = !text.empty();
}

}  // namespace kv
