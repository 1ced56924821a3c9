#pragma once
// Reading the string table's language file (strings.ja.txt). The build checks
// the file before embedding it; this reader is the run-time half and stays
// safe on any input, reporting faults instead of stopping.
#include <string>
#include <string_view>
#include <vector>

namespace kv {

struct StringEntry {
    int Id = 0;
    std::string Text;  // escapes decoded
};

// One entry a line: number, TAB, text (escapes \n \r \t \\), optionally TAB and
// a '#' comment. Blank lines and '#' lines are skipped. Faulty lines are left
// out and described in errors (when given) as "line N: ...". The result is
// sorted by Id; of a repeated number the first entry wins.
std::vector<StringEntry> ParseStringTable(std::string_view text,
                                          std::vector<std::string>* errors = nullptr);

// The language file as compiled into the program (generated at build time).
std::string_view EmbeddedStringTableText();

}  // namespace kv
