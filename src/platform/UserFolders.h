#pragma once
// Where the program keeps per-user files, following the XDG base directory
// rules, and where its own executable lives.
#include <filesystem>

namespace kv {

// $XDG_CONFIG_HOME/korvane, else $HOME/.config/korvane, else /tmp/korvane.
std::filesystem::path ConfigHome();
// $XDG_DATA_HOME/korvane, else $HOME/.local/share/korvane, else /tmp/korvane.
std::filesystem::path DataHome();
// The folder of the running executable; empty if it cannot be found.
std::filesystem::path ExecutableDir();

// The rule behind ConfigHome/DataHome, given the two variables' values
// (nullptr when unset): xdgValue if absolute, else homeValue/homeSuffix if
// homeValue is absolute, else /tmp; then "korvane".
std::filesystem::path ResolveUserFolder(const char* xdgValue, const char* homeValue,
                                        const char* homeSuffix);

}  // namespace kv
