#include "core/Transcript.h"

#include <array>

namespace kv {

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at s[pos], or 0 when the byte
// there does not start one (overlong forms, surrogates and code points past
// U+10FFFF count as broken, so every line stays valid JSON).
size_t ValidSequenceLength(std::string_view s, size_t pos) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // past U+10FFFF
    } else {
        return 0;
    }
    if (pos + length > s.size()) return 0;
    unsigned char second = byte(pos + 1);
    if (second < low || second > high) return 0;
    for (size_t i = 2; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if (next < 0x80 || next > 0xBF) return 0;
    }
    return length;
}

void AppendStringArray(std::string& out, const std::vector<std::string>& values) {
    out += '[';
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += JsonQuote(values[i]);
    }
    out += ']';
}

}  // namespace

std::string JsonQuote(std::string_view utf8) {
    static constexpr std::array<char, 16> Hex{'0', '1', '2', '3', '4', '5', '6', '7',
                                              '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t length = ValidSequenceLength(utf8, pos);
        if (length == 0) {
            out += Replacement;
            ++pos;
            continue;
        }
        if (length > 1) {
            out.append(utf8.substr(pos, length));
            pos += length;
            continue;
        }
        char c = utf8[pos++];
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "\\u00";
                    out += Hex[(c >> 4) & 0xF];
                    out += Hex[c & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

void JsonLine::Key(std::string_view key) {
    if (!body_.empty()) body_ += ',';
    body_ += JsonQuote(key);
    body_ += ':';
}

JsonLine& JsonLine::Add(std::string_view key, std::string_view value) {
    Key(key);
    body_ += JsonQuote(value);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, long long value) {
    Key(key);
    body_ += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, bool value) {
    Key(key);
    body_ += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<std::string>& values) {
    Key(key);
    AppendStringArray(body_, values);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<std::vector<std::string>>& rows) {
    Key(key);
    body_ += '[';
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) body_ += ',';
        AppendStringArray(body_, rows[i]);
    }
    body_ += ']';
    return *this;
}

std::string JsonLine::Str() const {
    return "{" + body_ + "}";
}

bool Transcript::Open(const std::string& path) {
    Close();
    out_.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
    return out_.is_open();
}

void Transcript::Close() {
    if (out_.is_open()) out_.close();
    out_.clear();
}

void Transcript::Dialog(int kind, std::string_view text) {
    Write(JsonLine().Add("t", "dialog").Add("kind", kind).Add("text", text));
}

void Transcript::Menu(int state, std::string_view caption, const std::vector<std::string>& rows,
                      int index) {
    Write(JsonLine()
              .Add("t", "menu")
              .Add("state", state)
              .Add("caption", caption)
              .Add("rows", rows)
              .Add("index", index));
}

void Transcript::List(std::string_view name, std::string_view caption,
                      const std::vector<std::string>& rows, int index) {
    Write(JsonLine()
              .Add("t", "list")
              .Add("name", name)
              .Add("caption", caption)
              .Add("rows", rows)
              .Add("index", index));
}

void Transcript::Party(const std::vector<std::vector<std::string>>& rows) {
    Write(JsonLine().Add("t", "party").Add("rows", rows));
}

void Transcript::Music(int scene, std::string_view file) {
    Write(JsonLine().Add("t", "music").Add("scene", scene).Add("file", file));
}

void Transcript::Caption(std::string_view text) {
    Write(JsonLine().Add("t", "caption").Add("text", text));
}

void Transcript::Save(std::string_view file, bool ok) {
    Write(JsonLine().Add("t", "save").Add("file", file).Add("ok", ok));
}

void Transcript::Write(const JsonLine& line) {
    if (!out_.is_open()) return;
    out_ << line.Str() << '\n';
    out_.flush();
}

}  // namespace kv
