#include "SourceEvents.h"

#include <array>
#include <vector>

#include "RecordFields.h"
#include "SourceRows.h"
#include "core/Serializer.h"

namespace kv::kvrdata {

namespace {

constexpr std::array<std::string_view, 24> KindNames = {
    "",           "gift",        "take",    "stairs",    "message",   "riddle",
    "question",   "teleport",    "trap",    "item_test", "flag_test", "flag_set",
    "flag_clear", "flag_toggle", "battle",  "person",    "return",    "barrier",
    "heal",       "cure",        "nothing", "jump",      "spinner",   "lock"};
constexpr std::array<std::string_view, 6> CaseNames = {"",    "arrive",       "step",
                                                       "use", "after_battle", "search"};

// The keys an event gives once for all its rows; a content may repeat one to
// give its own row a different value. Reading, fallback is the event's value.
void VisitHeader(FieldVisitor& f, EventDef& e, const EventDef& fallback) {
    f.Integer("ID", e.ID, fallback.ID);
    f.Byte("Dungeon", e.Dungeon, fallback.Dungeon);
    f.Byte("Floor", e.Floor, fallback.Floor);
    f.Byte("X", e.X, fallback.X);
    f.Byte("Y", e.Y, fallback.Y);
    f.Byte("Dir", e.Dir, fallback.Dir);
    f.NamedByte("EventCase", e.EventCase, fallback.EventCase, CaseNames);
}

void VisitContent(FieldVisitor& f, EventDef& e, const EventDef& header, int position) {
    f.NamedByte("Kind", e.Kind, 0, KindNames);
    VisitHeader(f, e, header);
    VisitContentFields(f, e, position);
}

}  // namespace

std::span<const std::string_view> EventKindNames() {
    return KindNames;
}
std::span<const std::string_view> EventCaseNames() {
    return CaseNames;
}

void ReadEvents(FieldVisitor& root, const toml::table& table, const std::string& file,
                std::span<EventDef> rows) {
    root.Claim("event");
    const toml::node* node = table.get("event");
    if (node == nullptr) return;
    const toml::array* list = node->as_array();
    if (list == nullptr) {
        root.Error("event", "expected [[event]] tables");
        return;
    }
    Diagnostics& diag = *root.Diag();
    std::vector<bool> used(rows.size());
    int nextRow = 1;
    int16_t previousId = 0;
    for (const toml::node& element : *list) {
        const std::string where = Where(file, element, "event");
        const toml::table* event = element.as_table();
        if (event == nullptr) {
            diag.Error(where + ": expected a table");
            continue;
        }
        FieldVisitor f = FieldVisitor::Reading(*event, where, diag);
        int32_t first = nextRow;
        f.Long("row", first, nextRow);
        EventDef previous{};
        previous.ID = static_cast<int16_t>(previousId + 1);
        EventDef header{};
        VisitHeader(f, header, previous);
        f.Claim("content");
        const toml::node* contentNode = event->get("content");
        const toml::array* contents = contentNode ? contentNode->as_array() : nullptr;
        if (contents == nullptr || contents->empty()) {
            diag.Error(where + ": needs at least one [[event.content]]");
            f.Finish();
            continue;
        }
        if (first < 0 || first + static_cast<int64_t>(contents->size()) > ssize(rows)) {
            diag.Error(where + ": rows " + std::to_string(first) + ".." +
                       std::to_string(first + static_cast<int64_t>(contents->size()) - 1) +
                       " do not fit the event table (rows 0.." + std::to_string(rows.size() - 1) +
                       ")");
            f.Finish();
            continue;
        }
        if (header.ID != 0 && first == nextRow && header.ID == previousId) {
            diag.Error(where + ": ID " + std::to_string(header.ID) +
                       " is the ID of the event just before it; the game would read both as one");
        }
        for (size_t i = 0; i < contents->size(); ++i) {
            const toml::node& item = *contents->get(i);
            const int position = static_cast<int>(i) + 1;
            const std::string contentWhere = Where(file, item, "event content") + " " +
                                             std::to_string(position) + " (row " +
                                             std::to_string(first + static_cast<int>(i)) + ")";
            const toml::table* content = item.as_table();
            if (content == nullptr) {
                diag.Error(contentWhere + ": expected a table");
                continue;
            }
            const auto row = static_cast<size_t>(first) + i;
            if (used[row]) diag.Error(contentWhere + ": the row is used by an earlier event");
            used[row] = true;
            FieldVisitor c = FieldVisitor::Reading(*content, contentWhere, diag);
            EventDef e{};
            VisitContent(c, e, header, position);
            c.Finish();
            rows[row] = e;
        }
        f.Finish();
        nextRow = first + static_cast<int>(contents->size());
        previousId = header.ID;
    }
}

void WriteEvents(std::string& out, std::span<const EventDef> rows) {
    const std::string blank = SaveRecord(EventDef{});
    int nextRow = 1;
    int16_t previousId = 0;
    size_t r = 0;
    while (r < rows.size()) {
        if (SaveRecord(rows[r]) == blank) {
            ++r;
            continue;
        }
        // A run of rows with the same ID is one event; rows with ID 0 stand alone.
        size_t end = r + 1;
        while (rows[r].ID != 0 && end < rows.size() && rows[end].ID == rows[r].ID) ++end;

        TomlLines lines;
        FieldVisitor f = FieldVisitor::Writing(lines);
        int32_t first = static_cast<int32_t>(r);
        f.Long("row", first, nextRow);
        EventDef previous{};
        previous.ID = static_cast<int16_t>(previousId + 1);
        EventDef header = rows[r];
        VisitHeader(f, header, previous);
        out += "\n[[event]]\n";
        AppendLines(out, lines);
        for (size_t i = r; i < end; ++i) {
            TomlLines contentLines;
            FieldVisitor c = FieldVisitor::Writing(contentLines);
            EventDef e = rows[i];
            VisitContent(c, e, rows[r], static_cast<int>(i - r) + 1);
            out += "\n  [[event.content]]\n";
            AppendLines(out, contentLines, "  ");
        }
        nextRow = static_cast<int>(end);
        previousId = rows[r].ID;
        r = end;
    }
}

}  // namespace kv::kvrdata
