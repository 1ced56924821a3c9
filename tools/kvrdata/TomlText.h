#pragma once
// Writing TOML by hand, so the sources come out in field order with arrays on
// one line. Reading goes through toml++.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kv::kvrdata {

// A basic string literal with every control character escaped.
std::string QuoteToml(std::string_view utf8);
// A float literal that reads back as exactly this value; only for finite values.
std::string FormatTomlFloat(double value);
// "0x" followed by the hex digits of the value's bits (NaN and infinities).
std::string FormatBits(uint64_t bits, int hexDigits);

// The shorter of the list form "[1, 2, 0, 4]" (trailing blanks dropped) and the
// index form "{ 3 = 7, 90 = 1 }" (blanks left out); "[]" when everything is blank.
std::string FormatIntArray(std::span<const int64_t> values, int64_t blank = 0);

// One `key = value` line of a record, the value already in TOML syntax.
struct TomlLine {
    std::string Key;
    std::string Value;
};
using TomlLines = std::vector<TomlLine>;

void AppendLines(std::string& out, const TomlLines& lines, std::string_view indent = "");

}  // namespace kv::kvrdata
