#pragma once
// Coded names: the files keep a name as an array of 16-bit elements, one per
// character, each holding the character's CP932 code (as a signed 16-bit
// value, lead byte high) Xor 10000. Element 0 of every array is unused and a
// 0 element means "no character".
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv {

inline constexpr int16_t NameCodeKey = 10000;

// Decodes elements first..last (clamped to the array), skipping zeros.
std::string DecodeName(std::span<const int16_t> codes, size_t first, size_t last);

// Clears elements first..last (clamped to the array), then stores one element
// per character from first on; characters past last are cut off. A character
// CP932 cannot hold is stored as '?'. The one character whose code is 10000
// itself (a raw code, never a real character) would store as 0 and so is lost.
void EncodeName(std::string_view utf8, std::span<int16_t> codes, size_t first, size_t last);

}  // namespace kv
