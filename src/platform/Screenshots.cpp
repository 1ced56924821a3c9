#include "platform/Screenshots.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "platform/UserFolders.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view PicturesKey = "XDG_PICTURES_DIR=";

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<fs::path> PicturesFromUserDirs(std::string_view text, const fs::path& home) {
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, PicturesKey.size(), PicturesKey)) {
            continue;
        }
        std::string value = line.substr(start + PicturesKey.size());
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        fs::path folder;
        if (value.starts_with("$HOME")) {
            if (home.empty()) return std::nullopt;
            folder = home / fs::path(value.substr(5)).relative_path();
        } else {
            folder = value;
        }
        if (!folder.is_absolute() || folder.lexically_normal() == home.lexically_normal() ||
            folder.lexically_normal() == (home / "").lexically_normal()) {
            return std::nullopt;
        }
        return folder;
    }
    return std::nullopt;
}

fs::path ScreenshotFolder() {
    const char* pictures = std::getenv("XDG_PICTURES_DIR");
    if (pictures && pictures[0] == '/') return fs::path(pictures) / "korvane";
    const char* home = std::getenv("HOME");
    const fs::path homeDir = home && home[0] == '/' ? fs::path(home) : fs::path();
    // user-dirs.dirs sits beside our own settings folder, in the config home.
    const fs::path userDirs = ConfigHome().parent_path() / "user-dirs.dirs";
    std::error_code ec;
    if (fs::is_regular_file(userDirs, ec)) {
        if (auto named = PicturesFromUserDirs(ReadText(userDirs), homeDir)) {
            return *named / "korvane";
        }
    }
    return ResolveUserFolder(nullptr, home, "Pictures");
}

fs::path ScreenshotPath(const fs::path& folder, std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "korvane-%Y-%m-%d-%H%M%S", &local);
    std::error_code ec;
    fs::path path = folder / (std::string(stamp) + ".png");
    for (int n = 2; fs::exists(path, ec); ++n) {
        path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".png");
    }
    return path;
}

fs::path NewScreenshotPath(std::string& error) {
    const fs::path folder = ScreenshotFolder();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) {
        error = "cannot make the folder " + folder.string();
        return {};
    }
    return ScreenshotPath(folder, std::time(nullptr));
}

}  // namespace kv
