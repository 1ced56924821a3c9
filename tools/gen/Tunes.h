#pragma once
// The nineteen scene tunes of the demo scenario, each written out note by note.
#include <vector>

#include "Song.h"

namespace kv::gen {

std::vector<Song> TownSongs();    // scenes 1..9: title and the town
std::vector<Song> MazeSongs();    // scenes 10, 11, 17, 18: maze, wipe-out, camp
std::vector<Song> BattleSongs();  // scenes 12..16 and 19: fights, victory, encounter

// All of them, in scene order (scene n at index n - 1).
std::vector<Song> AllSongs();

}  // namespace kv::gen
