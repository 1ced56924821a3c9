#pragma once
// Tables of records in a source file: `[[name]]` tables carrying a `row`
// key, and tables of plain numbers written one row per record with a key per
// column.
#include <toml++/toml.h>
#include <span>
#include <string>
#include <vector>

#include "FieldVisitor.h"
#include "RecordFields.h"
#include "core/Serializer.h"

namespace kv::kvrdata {

// Where a table of a source file sits, for messages.
std::string Where(const std::string& file, const toml::node& node, const std::string& what);

// The tables of the array `key` in root, each with its row (0..rows-1)
// checked for range and repeats; calls read(table, row, where) for each.
template <class Read>
void ForEachRow(FieldVisitor& root, const toml::table& table, const std::string& file,
                const char* key, size_t rows, Read read) {
    root.Claim(key);
    const toml::node* node = table.get(key);
    if (node == nullptr) return;
    const toml::array* list = node->as_array();
    if (list == nullptr) {
        root.Error(key, std::string("expected [[") + key + "]] tables");
        return;
    }
    std::vector<bool> seen(rows);
    for (const toml::node& element : *list) {
        const toml::table* record = element.as_table();
        std::string where = Where(file, element, key);
        if (record == nullptr) {
            root.Diag()->Error(where + ": expected a table");
            continue;
        }
        const auto* row = record->get("row") ? record->get("row")->as_integer() : nullptr;
        if (row == nullptr || row->get() < 0 || row->get() >= static_cast<int64_t>(rows)) {
            root.Diag()->Error(where + ": needs row = 0.." + std::to_string(rows - 1));
            continue;
        }
        const auto r = static_cast<size_t>(row->get());
        where += " " + std::to_string(r);
        if (seen[r]) {
            root.Diag()->Error(where + ": row given twice");
            continue;
        }
        seen[r] = true;
        read(*record, static_cast<int>(r), where);
    }
}

template <class R>
void ReadRecords(FieldVisitor& root, const toml::table& table, const std::string& file,
                 const char* key, std::span<R> rows) {
    ForEachRow(root, table, file, key, rows.size(),
               [&](const toml::table& record, int row, const std::string& where) {
                   FieldVisitor f = FieldVisitor::Reading(record, where, *root.Diag());
                   f.Claim("row");
                   R value{};
                   VisitFields(f, value, row);
                   f.Finish();
                   rows[static_cast<size_t>(row)] = std::move(value);
               });
}

// Every row that is not all zero, in row order.
template <class R>
void WriteRecords(std::string& out, const char* key, std::span<const R> rows) {
    const std::string blank = SaveRecord(R{});
    for (size_t r = 0; r < rows.size(); ++r) {
        if (SaveRecord(rows[r]) == blank) continue;
        TomlLines lines;
        FieldVisitor f = FieldVisitor::Writing(lines);
        R copy = rows[r];
        VisitFields(f, copy, static_cast<int>(r));
        out += "\n[[" + std::string(key) + "]]\nrow = " + std::to_string(r) + "\n";
        AppendLines(out, lines);
    }
}

// A table of plain numbers stored column after column: column c of row r
// at c * rows + r. A column's value in the source is the stored value plus
// its offset (place codes stored minus 20).
struct Column {
    const char* Key;
    int Offset = 0;
};
struct ColumnTable {
    const char* Key;  // the [[key]] tables
    size_t Rows;
    std::span<const Column> Columns;
};

void ReadColumns(FieldVisitor& root, const toml::table& table, const std::string& file,
                 const ColumnTable& shape, std::span<int16_t> values);
void WriteColumns(std::string& out, const ColumnTable& shape, std::span<const int16_t> values);

}  // namespace kv::kvrdata
