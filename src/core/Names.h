#pragma once
// The names and labels the screens show for a creature's codes: condition,
// race, alignment and class, item kind, and the party's alignment mask.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/ClassRaceTables.h"
#include "core/StringIds.h"

namespace kv {

// The name of the most important condition set in status ("死" wins over
// "毒"), or "" when no named condition is set.
std::string_view StatusName(int32_t status);

// The string-table entry shown when the condition bit is inflicted; Str{} for
// a bit without a message (the protective battle states) or not a single
// condition bit.
Str ConditionMessageId(int32_t bit);

// RaceTitle of the race bit's row; "" for a value that is not a known race.
std::string RaceName(int32_t race, const RaceTable& races);

// "Ｌ－", "Ｎ－" or "Ｃ－" for alignment 1, 2, 4 (nothing for any other value),
// then the ClassTitle of the class bit's row ("" for a value with no class).
std::string ClassLabel(int32_t alignment, int32_t classBit, const ClassTable& classes);

// The display name of an item kind; "その他" for any kind without its own.
std::string_view ItemKindName(int32_t kind);

// 2 Or the alignment of every party member: 2 for an empty party.
int PartyAlignmentMask(std::span<const uint8_t> alignments);

}  // namespace kv
