#include "core/IniFile.h"

#include <algorithm>

namespace kv {
namespace {

constexpr std::string_view Bom = "\xEF\xBB\xBF";
constexpr size_t npos = std::string::npos;

std::string_view Trim(std::string_view text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == npos) return {};
    size_t end = text.find_last_not_of(" \t");
    return text.substr(begin, end - begin + 1);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Letter case is ignored only for all-ASCII names: in CP932 the second byte of
// a double-byte character may fall on an ASCII letter, and folding it would
// merge two different names.
bool NamesEqual(std::string_view a, std::string_view b) {
    a = Trim(a);
    b = Trim(b);
    if (a.size() != b.size()) return false;
    if (!IsAscii(a) || !IsAscii(b)) return a == b;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

bool HasAny(std::string_view text, std::string_view chars) {
    return text.find_first_of(chars) != npos;
}

}  // namespace

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile ini;
    if (bytes.substr(0, Bom.size()) == Bom) {
        ini.bom_ = true;
        bytes.remove_prefix(Bom.size());
    }
    bool eolChosen = false;
    while (!bytes.empty()) {
        Line line;
        size_t newline = bytes.find('\n');
        std::string_view text = bytes.substr(0, newline);
        if (newline == npos) {
            bytes = {};
            // A carriage return that ends the file is a line break cut off,
            // not part of the value; it is written back as it was.
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                line.Eol = "\r";
            }
        } else {
            bytes.remove_prefix(newline + 1);
            const bool crlf = !text.empty() && text.back() == '\r';
            if (crlf) text.remove_suffix(1);
            line.Eol = std::string(crlf ? "\r\n" : "\n");
            if (!eolChosen) {
                ini.eol_ = line.Eol;
                eolChosen = true;
            }
        }

        std::string_view trimmed = Trim(text);
        size_t close = trimmed.find(']');
        size_t equals = text.find('=');
        if (!trimmed.empty() && trimmed.front() == ';') {
            line.LineKind = Kind::Verbatim;
        } else if (!trimmed.empty() && trimmed.front() == '[' && close != npos) {
            line.LineKind = Kind::Section;
            line.Name = Trim(trimmed.substr(1, close - 1));
        } else if (equals != npos && !Trim(text.substr(0, equals)).empty()) {
            line.LineKind = Kind::Key;
            line.Name = Trim(text.substr(0, equals));
            line.Value = text.substr(equals + 1);
            text = text.substr(0, equals);
        }
        line.Text = text;
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

size_t IniFile::Find(std::string_view section, std::string_view key) const {
    std::string_view current;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.LineKind == Kind::Section) {
            current = line.Name;
        } else if (line.LineKind == Kind::Key && NamesEqual(current, section) &&
                   NamesEqual(line.Name, key)) {
            return i;
        }
    }
    return npos;
}

size_t IniFile::InsertionPoint(std::string_view section) const {
    const bool global = Trim(section).empty();
    size_t afterHeader = npos;
    size_t afterLastKey = npos;
    size_t firstHeader = lines_.size();
    std::string_view current;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.LineKind == Kind::Section) {
            current = line.Name;
            firstHeader = std::min(firstHeader, i);
            if (afterHeader == npos && NamesEqual(current, section)) afterHeader = i + 1;
        } else if (line.LineKind == Kind::Key && NamesEqual(current, section)) {
            afterLastKey = i + 1;
        }
    }
    if (afterLastKey != npos) return afterLastKey;
    // Keys without a section belong before the first header.
    return global ? firstHeader : afterHeader;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    size_t i = Find(section, key);
    if (i == npos) return std::nullopt;
    return lines_[i].Value;
}

std::string IniFile::GetOr(std::string_view section, std::string_view key,
                           std::string_view fallback) const {
    size_t i = Find(section, key);
    return i == npos ? std::string(fallback) : lines_[i].Value;
}

bool IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (key.empty() || HasAny(key, "=\r\n") || key.front() == '[' || key.front() == ';') {
        return false;
    }
    if (HasAny(section, "]\r\n")) return false;

    std::string clean(value);
    std::replace(clean.begin(), clean.end(), '\r', ' ');
    std::replace(clean.begin(), clean.end(), '\n', ' ');

    if (size_t i = Find(section, key); i != npos) {
        lines_[i].Value = std::move(clean);
        return true;
    }
    Line line{Kind::Key, std::string(key), std::string(key), std::move(clean), eol_};
    size_t at = InsertionPoint(section);
    if (at == npos) {
        std::string header = "[";
        header.append(section).append("]");
        lines_.push_back(Line{Kind::Section, std::move(header), std::string(section), {}, eol_});
        at = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<ptrdiff_t>(at), std::move(line));
    return true;
}

void IniFile::Remove(std::string_view section, std::string_view key) {
    for (size_t i = Find(section, key); i != npos; i = Find(section, key)) {
        lines_.erase(lines_.begin() + static_cast<ptrdiff_t>(i));
    }
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    std::string_view current;
    for (const Line& line : lines_) {
        if (line.LineKind == Kind::Section) {
            current = line.Name;
        } else if (line.LineKind == Kind::Key && NamesEqual(current, section) &&
                   std::none_of(keys.begin(), keys.end(),
                                [&](const std::string& k) { return NamesEqual(k, line.Name); })) {
            keys.push_back(line.Name);
        }
    }
    return keys;
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> sections;
    auto add = [&](std::string_view name) {
        if (std::none_of(sections.begin(), sections.end(),
                         [&](const std::string& s) { return NamesEqual(s, name); })) {
            sections.emplace_back(name);
        }
    };
    bool inGlobal = true;
    for (const Line& line : lines_) {
        if (line.LineKind == Kind::Section) {
            inGlobal = false;
            add(line.Name);
        } else if (line.LineKind == Kind::Key && inGlobal) {
            add("");
        }
    }
    return sections;
}

std::string IniFile::Serialize() const {
    std::string out;
    if (bom_) out += Bom;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        out += line.Text;
        if (line.LineKind == Kind::Key) {
            out += '=';
            out += line.Value;
        }
        // Only the last line may stay unterminated (or end in a bare
        // carriage return); one that lost that place to an added line ends
        // in a whole line break instead.
        const bool cutOff = line.Eol.empty() || line.Eol == "\r";
        out += (cutOff && i + 1 < lines_.size()) ? eol_ : line.Eol;
    }
    return out;
}

}  // namespace kv
