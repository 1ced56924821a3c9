#pragma once
// The picture of the monster the party faces, from the settings file's
// picture section, read anew each time so a change made in the settings
// window shows at the next battle.
#include <string_view>

#include "ui/PictureBox.h"

namespace kv {

struct Game;
class WindowManager;

// Hides the box when the name has no picture, the file is not there (after
// the scenario-folder lookup) or it cannot be decoded. Otherwise centres the
// box, by the size it has now, in the client area of the window it belongs
// to (the canvas when it belongs to none), shows it and loads the picture.
void ShowMonsterPicture(PictureBox& box, std::string_view name, const Game& game,
                        WindowManager& manager);

// Where a box of this size sits centred in a client area of that size:
// each half taken with whole-number division.
Point CentredPosition(int clientWidth, int clientHeight, int boxWidth, int boxHeight);

}  // namespace kv
