#pragma once
// Text shaping for list rows and messages: the full-width conversion every
// number shown passes through, and the "@" column masks rows are built with.
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// Replaces every half-width character by its full-width form: ASCII 21..7E by
// U+FF01..U+FF5E, the space by the ideographic space U+3000, and half-width
// katakana by full-width katakana, a following voiced or semi-voiced mark
// joining its kana into one character (ｶﾞ -> ガ, ﾊﾟ -> パ, ｳﾞ -> ヴ). Control
// characters, full-width text and undecodable bytes pass through unchanged.
std::string Wide(std::string_view text);
// The decimal digits of a number, full-width ("-" becomes "－").
std::string WideNumber(int64_t value);

// Fits a value into a column mask. Each "@" is one character position (a
// character, whatever its width, takes one); every other mask character is
// copied as it stands. A mask that starts with "!" fills left to right
// (value left-aligned, spaces after it); otherwise the mask fills right to
// left (value right-aligned, spaces before it). A value longer than its
// mask loses nothing: with "!" the characters that do not fit follow the
// filled mask, otherwise they stay in front of it, so the column only widens.
std::string FormatMask(std::string_view value, std::string_view mask);

}  // namespace kv
