#include "Tunes.h"

#include <algorithm>

namespace kv::gen {

std::vector<Song> AllSongs() {
    std::vector<Song> all;
    for (auto group : {TownSongs(), MazeSongs(), BattleSongs()}) {
        for (Song& song : group) all.push_back(std::move(song));
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Song& a, const Song& b) { return a.Scene < b.Scene; });
    return all;
}

}  // namespace kv::gen
