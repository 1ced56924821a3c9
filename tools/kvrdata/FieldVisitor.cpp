#include "FieldVisitor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "core/Cp932.h"
#include "core/NameCoding.h"
#include "core/Utf8.h"

namespace kv::kvrdata {

namespace {

std::string TypeName(int64_t min, int64_t max) {
    if (min == 0 && max == 255) return "a Byte (0..255)";
    if (max == std::numeric_limits<int16_t>::max()) return "an Integer (-32768..32767)";
    return "a Long (32-bit)";
}

// "0x..." strings carry the exact bits of a floating field.
bool ParseBits(std::string_view text, int maxDigits, uint64_t& bits) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return false;
    text.remove_prefix(2);
    if (static_cast<int>(text.size()) > maxDigits) return false;
    bits = 0;
    for (char ch : text) {
        int digit = -1;
        if (ch >= '0' && ch <= '9') digit = ch - '0';
        if (ch >= 'a' && ch <= 'f') digit = ch - 'a' + 10;
        if (ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
        if (digit < 0) return false;
        bits = bits * 16 + static_cast<uint64_t>(digit);
    }
    return true;
}

}  // namespace

std::string CheckCp932Text(const std::string& utf8) {
    size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t ch = NextCodePoint(utf8, pos);
        if (!UnicodeToCp932Code(ch)) {
            return "the character " + EncodeUtf8(ch) + " cannot be stored (not in CP932)";
        }
    }
    return {};
}

std::string CheckCodedText(const std::string& utf8, size_t capacity) {
    const size_t length = DecodeUtf8(utf8).size();
    if (length > capacity) {
        return std::to_string(length) + " characters, at most " + std::to_string(capacity) + " fit";
    }
    return CheckCp932Text(utf8);
}

FieldVisitor FieldVisitor::Reading(const toml::table& table, std::string where, Diagnostics& diag) {
    FieldVisitor f;
    f.table_ = &table;
    f.where_ = std::move(where);
    f.diag_ = &diag;
    return f;
}

FieldVisitor FieldVisitor::Writing(TomlLines& out) {
    FieldVisitor f;
    f.out_ = &out;
    return f;
}

bool FieldVisitor::Has(const char* key) const {
    return table_ != nullptr && table_->get(key) != nullptr;
}

void FieldVisitor::Claim(const char* key) {
    used_.insert(key);
}

const toml::node* FieldVisitor::Find(const char* key) {
    used_.insert(key);
    return table_->get(key);
}

void FieldVisitor::Finish() {
    if (table_ == nullptr) return;
    for (const auto& [key, node] : *table_) {
        if (used_.find(key.str()) == used_.end()) {
            diag_->Error(where_ + ": unknown key " + std::string(key.str()));
        }
    }
}

void FieldVisitor::Error(const char* key, const std::string& message) {
    diag_->Error(where_ + " " + key + ": " + message);
}

void FieldVisitor::Put(const char* key, std::string value) {
    out_->push_back({key, std::move(value)});
}

bool FieldVisitor::ReadInt(const char* key, const toml::node& node, int64_t min, int64_t max,
                           int64_t& out) {
    const auto* number = node.as_integer();
    if (number == nullptr) {
        Error(key, "expected a whole number");
        return false;
    }
    out = number->get();
    if (out < min || out > max) {
        Error(key, std::to_string(out) + " does not fit " + TypeName(min, max));
        return false;
    }
    return true;
}

template <class T>
void FieldVisitor::Int(const char* key, T& value, T fallback) {
    if (!IsReading()) {
        if (value != fallback) Put(key, std::to_string(value));
        return;
    }
    value = fallback;
    const toml::node* node = Find(key);
    if (node == nullptr) return;
    int64_t number = 0;
    if (ReadInt(key, *node, std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), number)) {
        value = static_cast<T>(number);
    }
}

template <class T>
void FieldVisitor::Ints(const char* key, std::span<T> values, T blank) {
    if (!IsReading()) {
        std::vector<int64_t> wide(values.begin(), values.end());
        bool any = false;
        for (int64_t v : wide) any = any || v != blank;
        if (any) Put(key, FormatIntArray(wide, blank));
        return;
    }
    std::fill(values.begin(), values.end(), blank);
    const toml::node* node = Find(key);
    if (node == nullptr) return;
    constexpr int64_t min = std::numeric_limits<T>::min();
    constexpr int64_t max = std::numeric_limits<T>::max();
    const std::string size = std::to_string(values.size());
    if (const auto* list = node->as_array()) {
        if (list->size() > values.size()) {
            Error(key, std::to_string(list->size()) + " elements, the array has " + size);
            return;
        }
        for (size_t i = 0; i < list->size(); ++i) {
            int64_t number = 0;
            const std::string element = std::string(key) + "[" + std::to_string(i) + "]";
            if (ReadInt(element.c_str(), *list->get(i), min, max, number)) {
                values[i] = static_cast<T>(number);
            }
        }
        return;
    }
    if (const auto* indexed = node->as_table()) {
        for (const auto& [index, element] : *indexed) {
            const std::string name = std::string(key) + "[" + std::string(index.str()) + "]";
            size_t i = 0;
            bool digits = !index.str().empty() && index.str().size() < 7;
            for (char ch : index.str()) {
                digits = digits && ch >= '0' && ch <= '9';
                if (digits) i = i * 10 + static_cast<size_t>(ch - '0');
            }
            if (!digits || i >= values.size()) {
                Error(name.c_str(),
                      "not an element of the array (0.." + std::to_string(values.size() - 1) + ")");
                continue;
            }
            int64_t number = 0;
            if (ReadInt(name.c_str(), element, min, max, number)) {
                values[i] = static_cast<T>(number);
            }
        }
        return;
    }
    Error(key, "expected a list [a, b, ...] or an index table { 1 = a, ... }");
}

void FieldVisitor::Single(const char* key, float& value) {
    if (!IsReading()) {
        const auto bits = std::bit_cast<uint32_t>(value);
        if (bits == 0) return;
        Put(key, std::isfinite(value) ? FormatTomlFloat(value) : FormatBits(bits, 8));
        return;
    }
    if (const toml::node* node = table_->get(key); node != nullptr && node->is_string()) {
        used_.insert(key);
        uint64_t bits = 0;
        value = 0;
        if (ParseBits(node->as_string()->get(), 8, bits)) {
            value = std::bit_cast<float>(static_cast<uint32_t>(bits));
        } else {
            Error(key, "expected a number or \"0x\" and up to 8 hex digits");
        }
        return;
    }
    double wide = 0;
    Double(key, wide);
    value = static_cast<float>(wide);
}

void FieldVisitor::Double(const char* key, double& value) {
    if (!IsReading()) {
        const auto bits = std::bit_cast<uint64_t>(value);
        if (bits == 0) return;
        Put(key, std::isfinite(value) ? FormatTomlFloat(value) : FormatBits(bits, 16));
        return;
    }
    value = 0;
    const toml::node* node = Find(key);
    if (node == nullptr) return;
    if (const auto* f = node->as_floating_point()) {
        value = f->get();
    } else if (const auto* i = node->as_integer()) {
        value = static_cast<double>(i->get());
    } else if (const auto* s = node->as_string()) {
        uint64_t bits = 0;
        if (ParseBits(s->get(), 16, bits)) {
            value = std::bit_cast<double>(bits);
        } else {
            Error(key, "expected a number or \"0x\" and up to 16 hex digits");
        }
    } else {
        Error(key, "expected a number");
    }
}

void FieldVisitor::Text(const char* key, std::string& value) {
    if (!IsReading()) {
        if (!value.empty()) Put(key, QuoteToml(value));
        return;
    }
    value.clear();
    const toml::node* node = Find(key);
    if (node == nullptr) return;
    const auto* text = node->as_string();
    if (text == nullptr) {
        Error(key, "expected a string");
        return;
    }
    value = text->get();
    if (std::string problem = CheckCp932Text(value); !problem.empty()) {
        Error(key, problem);
    } else if (Utf8ToCp932(value).size() > 65535) {
        Error(key, "longer than the 65535 bytes a stored text can hold");
    }
}

void FieldVisitor::Coded(const char* rawKey, std::span<int16_t> codes,
                         std::span<const CodedPart> parts, std::span<const CodedExtra> extras) {
    if (!IsReading()) {
        // The texts are written only when encoding them gives these very codes.
        std::vector<int16_t> rebuilt(codes.size());
        std::vector<std::string> texts;
        for (const CodedPart& part : parts) {
            texts.push_back(DecodeName(codes, part.First, part.Last));
            EncodeName(texts.back(), rebuilt, part.First, part.Last);
        }
        for (const CodedExtra& extra : extras) rebuilt[extra.Index] = codes[extra.Index];
        if (!std::equal(rebuilt.begin(), rebuilt.end(), codes.begin())) {
            Ints(rawKey, codes);
            return;
        }
        for (size_t i = 0; i < parts.size(); ++i) Text(parts[i].Key, texts[i]);
        for (const CodedExtra& extra : extras) Integer(extra.Key, codes[extra.Index]);
        return;
    }
    std::fill(codes.begin(), codes.end(), int16_t{0});
    if (Has(rawKey)) {
        for (const CodedPart& part : parts) {
            if (Has(part.Key)) Error(part.Key, std::string("give either this or ") + rawKey);
        }
        for (const CodedExtra& extra : extras) {
            if (Has(extra.Key)) Error(extra.Key, std::string("give either this or ") + rawKey);
        }
        Ints(rawKey, codes);
        return;
    }
    for (const CodedPart& part : parts) {
        const toml::node* node = Find(part.Key);
        if (node == nullptr) continue;
        const auto* text = node->as_string();
        if (text == nullptr) {
            Error(part.Key, "expected a string");
            continue;
        }
        const std::string& utf8 = text->get();
        if (std::string problem = CheckCodedText(utf8, part.Last - part.First + 1);
            !problem.empty()) {
            Error(part.Key, problem);
        }
        EncodeName(utf8, codes, part.First, part.Last);
    }
    for (const CodedExtra& extra : extras) Integer(extra.Key, codes[extra.Index]);
}

void FieldVisitor::Inventory(const char* key, std::span<InventorySlot> slots) {
    if (!IsReading()) {
        size_t used = slots.size();
        while (used > 0 && slots[used - 1].ItemId == 0 && slots[used - 1].ItemFlags == 0 &&
               slots[used - 1].ItemCount == 0) {
            --used;
        }
        if (used == 0) return;
        std::string text = "[";
        for (size_t i = 0; i < used; ++i) {
            if (i > 0) text += ", ";
            text.append("[").append(std::to_string(slots[i].ItemId));
            text.append(", ").append(std::to_string(slots[i].ItemFlags));
            text.append(", ").append(std::to_string(slots[i].ItemCount)).append("]");
        }
        Put(key, text + "]");
        return;
    }
    const toml::node* node = Find(key);
    if (node == nullptr) return;
    const auto* list = node->as_array();
    if (list == nullptr || list->size() > slots.size()) {
        Error(key, "expected a list of at most " + std::to_string(slots.size()) +
                       " slots [item, flags, count]");
        return;
    }
    for (size_t i = 0; i < list->size(); ++i) {
        const std::string name = std::string(key) + "[" + std::to_string(i) + "]";
        const auto* slot = list->get(i)->as_array();
        if (slot == nullptr || slot->size() > 3) {
            Error(name.c_str(), "expected [item, flags, count]");
            continue;
        }
        std::array<int32_t*, 3> fields = {&slots[i].ItemId, &slots[i].ItemFlags,
                                          &slots[i].ItemCount};
        for (size_t j = 0; j < slot->size(); ++j) {
            int64_t number = 0;
            if (ReadInt(name.c_str(), *slot->get(j), std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max(), number)) {
                *fields[j] = static_cast<int32_t>(number);
            }
        }
    }
}

void FieldVisitor::NamedByte(const char* key, uint8_t& value, uint8_t fallback,
                             std::span<const std::string_view> names) {
    if (!IsReading()) {
        if (value == fallback) return;
        if (value < names.size() && !names[value].empty()) {
            Put(key, QuoteToml(names[value]));
        } else {
            Put(key, std::to_string(value));
        }
        return;
    }
    const toml::node* node = table_->get(key);
    if (node == nullptr || !node->is_string()) {
        Byte(key, value, fallback);
        return;
    }
    used_.insert(key);
    value = fallback;
    const std::string_view name = node->as_string()->get();
    for (size_t i = 0; i < names.size(); ++i) {
        if (!names[i].empty() && names[i] == name) {
            value = static_cast<uint8_t>(i);
            return;
        }
    }
    std::string known;
    for (std::string_view n : names) {
        if (n.empty()) continue;
        known += known.empty() ? "" : ", ";
        known += n;
    }
    Error(key, "unknown name \"" + std::string(name) + "\" (one of " + known + ", or a number)");
}

// The field widths the records use.
template void FieldVisitor::Int<uint8_t>(const char*, uint8_t&, uint8_t);
template void FieldVisitor::Int<int16_t>(const char*, int16_t&, int16_t);
template void FieldVisitor::Int<int32_t>(const char*, int32_t&, int32_t);
template void FieldVisitor::Ints<uint8_t>(const char*, std::span<uint8_t>, uint8_t);
template void FieldVisitor::Ints<int16_t>(const char*, std::span<int16_t>, int16_t);
template void FieldVisitor::Ints<int32_t>(const char*, std::span<int32_t>, int32_t);

}  // namespace kv::kvrdata
