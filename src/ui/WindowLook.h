#pragma once
// The look of the windows over the main window (the roster, the rankings,
// the status, equipment and skill windows): a darker ground than the main
// window's, and lists in the smaller type with a gold frame and a blue
// gradation behind the highlighted row. The command menu keeps a look of its
// own.
#include <cstdint>

#include "ui/ListEx.h"
#include "ui/PanelArt.h"

namespace kv {

inline constexpr uint32_t WindowBack = Rgb(6, 8, 22);
inline constexpr uint32_t WindowText = Rgb(236, 232, 220);

inline void StyleWindowList(ListEx& list, int fontSize = 14) {
    list.BackColor = WindowBack;
    list.ForeColor = WindowText;
    list.FontSize = fontSize;
    list.BorderStyle = 2;
    list.SetFrame(GoldFrame(6));
    list.SelectStyle = 2;
    list.GradationColor = Rgb(24, 40, 120);
    list.SelectBackColor = Rgb(64, 96, 200);
}

}  // namespace kv
