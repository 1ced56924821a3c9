#pragma once
// The fortune teller's rankings and records: the roster ranked by level,
// maximum hit points, monsters killed, revivals and critical hits; the items
// found and monsters killed with their totals; and the complete lists of
// items and monsters where those not yet met hide behind question marks.
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

enum class RankingKind {
    Marks = 1,
    Revivals = 2,
    Level = 3,
    MaxHP = 4,
    ItemsFound = 5,
    MonstersKilled = 6,
    Criticals = 7,
    ItemList = 8,
    MonsterList = 9,
};

struct Ranking {
    std::vector<std::string> Rows;  // full-width, in the order shown
    std::string Summary;            // the line under the list ("" for the roster rankings)
};

// The rows and summary of a ranking; an unknown kind gives an empty one.
Ranking BuildRanking(const Game& game, RankingKind kind);

}  // namespace kv
