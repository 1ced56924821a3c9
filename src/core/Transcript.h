#pragma once
// The transcript: one JSON object per line for everything the player is
// shown. It is the public test and bug-report interface, so its kinds and
// fields stay stable (the README documents them).
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Builds one JSON object, in insertion order, with strict escaping.
class JsonLine {
  public:
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
    std::string Str() const;  // "{...}" without a line break

  private:
    void Key(std::string_view key);
    std::string body_;
};

std::string JsonQuote(std::string_view utf8);

class Transcript {
  public:
    bool Open(const std::string& path);  // false when the file cannot be written
    bool IsOpen() const { return out_.is_open(); }
    void Close();

    void Dialog(int kind, std::string_view text);
    void Menu(int state, std::string_view caption, const std::vector<std::string>& rows, int index);
    void List(std::string_view name, std::string_view caption, const std::vector<std::string>& rows,
              int index);
    void Party(const std::vector<std::vector<std::string>>& rows);
    void Music(int scene, std::string_view file);
    void Caption(std::string_view text);
    void Save(std::string_view file, bool ok);
    void Write(const JsonLine& line);  // any other kind; "t" comes first by convention

  private:
    std::ofstream out_;
};

}  // namespace kv
