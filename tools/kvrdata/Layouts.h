#pragma once
// Byte layouts of the stored records, by record name, for `kvrdata layout`.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::kvrdata {

// The layout table of a record ("ItemDef", "Creature", ...), or nothing for an unknown name.
std::optional<std::string> RecordLayout(std::string_view record);
std::vector<std::string_view> LayoutNames();

}  // namespace kv::kvrdata
