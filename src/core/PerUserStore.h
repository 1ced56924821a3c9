#pragma once
// The per-user settings store: for each application name one ini file,
// <folder>/<application>.ini, read on first use and written back on Flush.
// A missing, unreadable or garbled file reads as empty; it never stops the game.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "core/IniFile.h"

namespace kv {

class PerUserStore {
  public:
    explicit PerUserStore(std::filesystem::path folder);

    std::string Get(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view fallback);
    // False (nothing stored) for an application name that is not a plain
    // file name or a section/key name the ini format cannot hold.
    bool Set(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value);
    // Writes every changed file (creating the folder if needed). On failure
    // error names each file that could not be written; those stay pending.
    bool Flush(std::string& error);

    std::filesystem::path FileFor(std::string_view app) const;
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    struct Entry {
        IniFile Ini;
        bool Dirty = false;
    };
    // The loaded entry of app, or nullptr when the name is unusable.
    Entry* Load(std::string_view app);

    std::filesystem::path folder_;
    std::map<std::string, Entry, std::less<>> files_;
};

}  // namespace kv
