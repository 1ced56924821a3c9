#pragma once
// Whether a scenario can be finished: a party walks it as the rules let it,
// wins the final item and the story's flag, and brings them home. When it
// cannot, the first missing link of the chain is named in plain words
// ("floor 3 of 石造りの淵: the step east from (9,9) is barred without item
// 181 (銀の鍵), which nothing gives").
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv::kvrdata {

// Empty when the ending can be reached; otherwise one line naming the first
// missing link. The game holds the scenario and its new-game save.
std::vector<std::string> CheckEndingReachable(const Game& game);

}  // namespace kv::kvrdata
