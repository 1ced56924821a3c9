#pragma once
// Where F12 puts its pictures: the user's pictures folder (as the desktop
// names it), under korvane/, one file per shot named by the local time.
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// $XDG_PICTURES_DIR, else the pictures folder named in
// $XDG_CONFIG_HOME/user-dirs.dirs (desktops keep it there, often translated),
// else $HOME/Pictures; then "korvane". /tmp/korvane without a home.
std::filesystem::path ScreenshotFolder();

// The XDG_PICTURES_DIR line of a user-dirs.dirs text, "$HOME" replaced by
// home. Nothing when the line is missing, relative or names the home itself
// (the desktop's way of saying there is no such folder).
std::optional<std::filesystem::path> PicturesFromUserDirs(std::string_view text,
                                                          const std::filesystem::path& home);

// folder/korvane-YYYY-MM-DD-HHMMSS.png for the local time `when`; a second
// shot within the same second gets -2, -3, ... instead of replacing the first.
std::filesystem::path ScreenshotPath(const std::filesystem::path& folder, std::time_t when);

// A fresh path for a shot taken now, its folder made; empty (and error set)
// when the folder cannot be made.
std::filesystem::path NewScreenshotPath(std::string& error);

}  // namespace kv
