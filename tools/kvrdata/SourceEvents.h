#pragma once
// events.toml: each [[event]] is a run of event rows sharing an ID, one row
// per [[event.content]].
#include <toml++/toml.h>
#include <span>
#include <string>
#include <string_view>

#include "FieldVisitor.h"
#include "core/EventRecord.h"

namespace kv::kvrdata {

// Names of content kinds 1..23 and of triggers 1..5 (index 0 has none).
std::span<const std::string_view> EventKindNames();
std::span<const std::string_view> EventCaseNames();

void ReadEvents(FieldVisitor& root, const toml::table& table, const std::string& file,
                std::span<EventDef> rows);
void WriteEvents(std::string& out, std::span<const EventDef> rows);

}  // namespace kv::kvrdata
