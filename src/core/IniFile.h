#pragma once
// An initialisation file: "[section]" headers and "key=value" lines, held as
// raw bytes so UTF-8 and CP932 text pass through untouched. Everything that is
// not a key line (comments, blank lines, odd lines) is kept verbatim, and an
// unchanged file serialises to exactly the bytes it was loaded from.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class IniFile {
  public:
    IniFile() = default;  // a new, empty file (CRLF line endings, no BOM)
    static IniFile Parse(std::string_view bytes);

    // Section "" holds the keys written before the first header. Names match
    // after trimming blanks; ASCII names match regardless of letter case.
    // When a key appears twice in a section, the first one counts.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::string GetOr(std::string_view section, std::string_view key,
                      std::string_view fallback) const;
    // Replaces the value in place, or adds the key at the end of its section
    // (a new section goes at the end of the file). Returns false, changing
    // nothing, for a name that cannot be written as one line ("=" or "]" in
    // it, line breaks, an empty key). Line breaks in the value become spaces.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    void Remove(std::string_view section, std::string_view key);    // every copy of the key
    std::vector<std::string> Keys(std::string_view section) const;  // in file order, no repeats
    std::vector<std::string> Sections() const;  // in file order, no repeats; "" if it has keys

    std::string Serialize() const;
    bool HasBom() const { return bom_; }
    bool UsesCrlf() const { return eol_ == "\r\n"; }

  private:
    enum class Kind { Verbatim, Section, Key };
    struct Line {
        Kind LineKind = Kind::Verbatim;
        std::string Text;   // whole line (Verbatim, Section) or the part before '=' (Key)
        std::string Name;   // trimmed section or key name
        std::string Value;  // Key only: everything after the first '='
        std::string Eol;    // "\r\n", "\n"; "" or "\r" for an unterminated last line
    };

    // Index of the first Key line of key in section, or npos.
    size_t Find(std::string_view section, std::string_view key) const;
    // Where a new key of section goes, or npos when the section is absent.
    size_t InsertionPoint(std::string_view section) const;

    std::vector<Line> lines_;
    std::string eol_ = "\r\n";  // for lines added later
    bool bom_ = false;
};

}  // namespace kv
