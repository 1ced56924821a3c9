#pragma once
// --export-map PLACE-FLOOR FILE.png: the floor as the save has walked it,
// with the notebook's notes, written as a picture without opening a window.
// The save folder is only read.
#include <iosfwd>

#include "app/CommandLine.h"
#include "core/Game.h"

namespace kv {

// The program's exit status: 0 written, 2 a bad file or folder, 3 the
// scenario or the save would not load.
int ExportMapPicture(const Options& options, Game& game, std::ostream& errors);

}  // namespace kv
