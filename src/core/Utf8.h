#pragma once
// UTF-8 helpers for the text the game shows. Invalid bytes decode as U+FFFD,
// one per byte, so a broken string never stalls or crashes a loop.
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Decodes the code point at pos and moves pos past it.
char32_t NextCodePoint(std::string_view utf8, size_t& pos);
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(char32_t codePoint);
std::string EncodeUtf8(std::u32string_view text);
// Half-width cells are ASCII and half-width katakana; every other character
// takes two cells, as in the code page the texts are laid out for.
bool IsHalfWidth(char32_t codePoint);
int CellWidth(std::string_view utf8);  // in half-width cells
// Removes the last code point (Backspace in a text box).
void PopCodePoint(std::string& utf8);

}  // namespace kv
