#include "core/StringTable.h"

#include <algorithm>
#include <charconv>

#include "core/StringTableParse.h"

namespace kv {

namespace {

constexpr int MaxId = 999999;  // six digits, as the build's check allows

// Decodes the escapes of one text; false on an unknown escape or a lone
// backslash at the end.
bool DecodeEscapes(std::string_view raw, std::string& out) {
    out.clear();
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) return false;
        switch (raw[i]) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case '\\':
                out += '\\';
                break;
            default:
                return false;
        }
    }
    return true;
}

// A name: a capital letter, then letters and digits.
bool IsEntryName(std::string_view field) {
    if (field.empty() || field.front() < 'A' || field.front() > 'Z') return false;
    return std::all_of(field.begin(), field.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

// Parses one entry line; returns the fault, or "" when the entry is good.
std::string ParseLine(std::string_view line, StringEntry& entry) {
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return "expected a number, a TAB and the text";
    const std::string_view number = line.substr(0, tab);
    std::string_view rest = line.substr(tab + 1);
    int id = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), id);
    if (number.empty() || number.front() == '0' || ec != std::errc() ||
        end != number.data() + number.size() || id < 1 || id > MaxId) {
        std::string fault = "'";
        return fault.append(number).append("' is not an entry number");
    }
    size_t commentTab = rest.find('\t');
    if (commentTab != std::string_view::npos && rest.substr(commentTab + 1).substr(0, 1) != "#") {
        // Two fields that are not a comment: the first names the entry for the code.
        if (!IsEntryName(rest.substr(0, commentTab))) {
            return "after the text a TAB may only start a '#' comment";
        }
        rest = rest.substr(commentTab + 1);
        commentTab = rest.find('\t');
    }
    if (commentTab != std::string_view::npos) {
        if (rest.substr(commentTab + 1).substr(0, 1) != "#") {
            return "after the text a TAB may only start a '#' comment";
        }
        rest = rest.substr(0, commentTab);
    }
    if (rest.empty()) return "entry " + std::string(number) + " has no text";
    entry.Id = id;
    if (!DecodeEscapes(rest, entry.Text)) {
        return "entry " + std::string(number) + " has an unknown escape";
    }
    return "";
}

// Parsed once, at the first lookup; ascending by Id.
const std::vector<StringEntry>& Entries() {
    static const std::vector<StringEntry> entries = ParseStringTable(EmbeddedStringTableText());
    return entries;
}

const StringEntry* Find(int id) {
    const auto& entries = Entries();
    const auto it = std::lower_bound(entries.begin(), entries.end(), id,
                                     [](const StringEntry& e, int value) { return e.Id < value; });
    return it != entries.end() && it->Id == id ? &*it : nullptr;
}

}  // namespace

std::vector<StringEntry> ParseStringTable(std::string_view text, std::vector<std::string>* errors) {
    std::vector<StringEntry> entries;
    auto report = [errors](int lineNo, const std::string& fault) {
        if (errors) errors->push_back("line " + std::to_string(lineNo) + ": " + fault);
    };
    int lineNo = 0;
    int previous = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // tolerate CRLF
        if (line.empty() || line.front() == '#') continue;
        StringEntry entry;
        const std::string fault = ParseLine(line, entry);
        if (!fault.empty()) {
            report(lineNo, fault);
            continue;
        }
        if (entry.Id <= previous) {
            report(lineNo, entry.Id == previous
                               ? "entry " + std::to_string(entry.Id) + " appears twice"
                               : "entry " + std::to_string(entry.Id) + " is out of order");
        }
        previous = std::max(previous, entry.Id);
        entries.push_back(std::move(entry));
    }
    // Sorting keeps the first of a repeated number, so lookups stay predictable.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const StringEntry& a, const StringEntry& b) { return a.Id < b.Id; });
    entries.erase(
        std::unique(entries.begin(), entries.end(),
                    [](const StringEntry& a, const StringEntry& b) { return a.Id == b.Id; }),
        entries.end());
    return entries;
}

std::string_view ResStringNumber(int id) {
    const StringEntry* entry = Find(id);
    return entry ? std::string_view(entry->Text) : std::string_view();
}

std::string_view ResString(Str id) {
    return ResStringNumber(static_cast<int>(id));
}

std::string_view ResString(Str first, int offset) {
    return ResStringNumber(static_cast<int>(first) + offset);
}

bool HasResString(int id) {
    return Find(id) != nullptr;
}

std::vector<int> ResStringIds() {
    std::vector<int> ids;
    ids.reserve(Entries().size());
    for (const StringEntry& entry : Entries()) ids.push_back(entry.Id);
    return ids;
}

}  // namespace kv
