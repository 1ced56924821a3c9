#pragma once
// The look the status, equipment and skill windows share: a darker ground
// than the main window's and lists in the smaller type.
#include <cstdint>

#include "ui/ListEx.h"
#include "ui/PanelArt.h"

namespace kv {

inline constexpr uint32_t ItemWindowBack = Rgb(6, 8, 22);
inline constexpr uint32_t ItemWindowText = Rgb(236, 232, 220);

inline void StyleItemList(ListEx& list) {
    list.BackColor = ItemWindowBack;
    list.ForeColor = ItemWindowText;
    list.FontSize = 14;
    list.BorderStyle = 2;
    list.SetFrame(GoldFrame(6));
    list.SelectStyle = 2;
    list.GradationColor = Rgb(24, 40, 120);
    list.SelectBackColor = Rgb(64, 96, 200);
    list.TabStop = true;
}

}  // namespace kv
