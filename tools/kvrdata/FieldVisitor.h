#pragma once
// One routine per record names its fields for the source files, the way Sync
// does for the binary files: the same routine reads a record from a TOML
// table or writes it as `key = value` lines, so the two directions cannot
// drift apart. Writing leaves out every field at its default, and chooses a
// form that reads back to exactly the same values.
#include <toml++/toml.h>
#include <cstdint>
#include <set>
#include <span>
#include <string>

#include "Diagnostics.h"
#include "TomlText.h"
#include "core/Creature.h"

namespace kv::kvrdata {

// A text kept in elements First..Last of a coded array.
struct CodedPart {
    const char* Key;
    size_t First;
    size_t Last;
};
// A single element of a coded array with a meaning of its own.
struct CodedExtra {
    const char* Key;
    size_t Index;
};

class FieldVisitor {
  public:
    // where names the record in messages, e.g. "items.toml line 4: item 12".
    static FieldVisitor Reading(const toml::table& table, std::string where, Diagnostics& diag);
    static FieldVisitor Writing(TomlLines& out);

    bool IsReading() const { return table_ != nullptr; }
    bool Has(const char* key) const;
    // Marks a key the caller handles itself, so Finish does not call it unknown.
    void Claim(const char* key);
    // Reading: reports every key no field asked for.
    void Finish();

    void Byte(const char* key, uint8_t& value, uint8_t fallback = 0) { Int(key, value, fallback); }
    void Integer(const char* key, int16_t& value, int16_t fallback = 0) {
        Int(key, value, fallback);
    }
    void Long(const char* key, int32_t& value, int32_t fallback = 0) { Int(key, value, fallback); }
    void Single(const char* key, float& value);
    void Double(const char* key, double& value);
    void Array(const char* key, std::span<uint8_t> values) { Ints(key, values); }
    void Array(const char* key, std::span<int16_t> values) { Ints(key, values); }
    void Array(const char* key, std::span<int32_t> values) { Ints(key, values); }
    // An array whose elements are blank unless the source gives them: reading
    // fills it with blank first, writing leaves the blank elements out.
    void Array(const char* key, std::span<int16_t> values, int16_t blank) {
        Ints(key, values, blank);
    }
    // A String field: UTF-8 here, CP932 in the file.
    void Text(const char* key, std::string& value);
    // A coded array holding texts; rawKey names the whole array for data whose
    // codes do not come back from their texts.
    void Coded(const char* rawKey, std::span<int16_t> codes, std::span<const CodedPart> parts,
               std::span<const CodedExtra> extras = {});

    // A Byte that may also be given by name: names[v] names value v (an empty
    // name: none). Written by name when it has one.
    void NamedByte(const char* key, uint8_t& value, uint8_t fallback,
                   std::span<const std::string_view> names);
    // An inventory as [[id, flags, count], ...], slot 0 first.
    void Inventory(const char* key, std::span<InventorySlot> slots);

    // Messages about one key of this record.
    void Error(const char* key, const std::string& message);
    const std::string& Where() const { return where_; }
    Diagnostics* Diag() const { return diag_; }

  private:
    FieldVisitor() = default;

    template <class T>
    void Int(const char* key, T& value, T fallback);
    template <class T>
    void Ints(const char* key, std::span<T> values, T blank = T{0});
    const toml::node* Find(const char* key);
    bool ReadInt(const char* key, const toml::node& node, int64_t min, int64_t max, int64_t& out);
    void Put(const char* key, std::string value);

    const toml::table* table_ = nullptr;
    std::string where_;
    Diagnostics* diag_ = nullptr;
    std::set<std::string, std::less<>> used_;
    TomlLines* out_ = nullptr;
};

// The largest number of characters a text given in a source may have, and
// whether CP932 can hold every one; the message is empty when it fits.
std::string CheckCodedText(const std::string& utf8, size_t capacity);
std::string CheckCp932Text(const std::string& utf8);

}  // namespace kv::kvrdata
