#pragma once
// The transcript: one JSON object per line for everything the player is
// shown. It is the public test and bug-report interface, so its kinds and
// fields stay stable (the README documents them).
#include <fstream>
#include <functional>
#include <memory>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// One JSON object, its fields in the order they were added. Text is UTF-8
// and stays readable in the file (not \u escaped); bytes that are not UTF-8
// become U+FFFD, so every line is valid JSON whatever a text held.
class JsonLine {
  public:
    JsonLine();
    ~JsonLine();
    JsonLine(JsonLine&&) noexcept;
    JsonLine& operator=(JsonLine&&) noexcept;

    JsonLine& Add(std::string_view key, std::string_view value);
    JsonLine& Add(std::string_view key, const char* value) {
        return Add(key, std::string_view(value));
    }
    JsonLine& Add(std::string_view key, long long value);
    JsonLine& Add(std::string_view key, int value) {
        return Add(key, static_cast<long long>(value));
    }
    JsonLine& Add(std::string_view key, bool value);
    JsonLine& Add(std::string_view key, const std::vector<std::string>& values);
    JsonLine& Add(std::string_view key, const std::vector<std::vector<std::string>>& rows);
    // The object itself, for a field the Adds do not cover.
    nlohmann::ordered_json& Object();
    const nlohmann::ordered_json& Object() const;
    std::string Str() const;  // "{...}" without a line break

  private:
    std::unique_ptr<nlohmann::ordered_json> object_;
};

class Transcript {
  public:
    bool Open(const std::string& path);  // false when the file cannot be written
    bool IsOpen() const { return out_.is_open(); }
    void Close();

    // title: only when the dialog has one.
    void Dialog(int kind, std::string_view text, std::string_view title = "");
    void Menu(int state, std::string_view caption, const std::vector<std::string>& rows, int index);
    void List(std::string_view name, std::string_view caption, const std::vector<std::string>& rows,
              int index);
    void Party(const std::vector<std::vector<std::string>>& rows);
    void Music(int scene, std::string_view file);
    void Caption(std::string_view text);
    void Save(std::string_view file, bool ok);
    void Write(const JsonLine& line);  // any other kind; "t" comes first by convention

    // Hears every line as it is written, the file open or not (the voice of
    // --speech listens here). Empty by default.
    std::function<void(const JsonLine&)> Heard;

  private:
    std::ofstream out_;
};

}  // namespace kv
