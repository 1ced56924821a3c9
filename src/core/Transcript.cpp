#include "core/Transcript.h"

#include <nlohmann/json.hpp>

namespace kv {

JsonLine::JsonLine() = default;
JsonLine::~JsonLine() = default;
JsonLine::JsonLine(JsonLine&&) noexcept = default;
JsonLine& JsonLine::operator=(JsonLine&&) noexcept = default;

JsonLine& JsonLine::Add(std::string_view key, std::string_view value) {
    Object()[std::string(key)] = std::string(value);
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, long long value) {
    Object()[std::string(key)] = value;
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, bool value) {
    Object()[std::string(key)] = value;
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<std::string>& values) {
    Object()[std::string(key)] = values;
    return *this;
}

JsonLine& JsonLine::Add(std::string_view key, const std::vector<std::vector<std::string>>& rows) {
    Object()[std::string(key)] = rows;
    return *this;
}

nlohmann::ordered_json& JsonLine::Object() {
    // Made on first use, so a line that was moved from is an empty line again.
    if (!object_)
        object_ = std::make_unique<nlohmann::ordered_json>(nlohmann::ordered_json::object());
    return *object_;
}

const nlohmann::ordered_json& JsonLine::Object() const {
    static const nlohmann::ordered_json Empty = nlohmann::ordered_json::object();
    return object_ ? *object_ : Empty;
}

std::string JsonLine::Str() const {
    if (!object_) return "{}";
    // No indent, UTF-8 written as is, broken bytes replaced rather than thrown on.
    return object_->dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
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

void Transcript::Dialog(int kind, std::string_view text, std::string_view title) {
    JsonLine line;
    line.Add("t", "dialog").Add("kind", kind).Add("text", text);
    // Untitled dialogs keep the line they always had.
    if (!title.empty()) line.Add("title", title);
    Write(line);
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
    if (out_.is_open()) {
        out_ << line.Str() << '\n';
        out_.flush();
    }
    if (Heard) Heard(line);
}

}  // namespace kv
