#include "app/Folders.h"

#include <system_error>

#include "platform/UserFolders.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

fs::path DefaultDataFolder() {
    const fs::path built = KORVANE_DEMO_DIR;
    std::error_code ec;
    if (fs::is_directory(built, ec)) return built;
    return ExecutableDir() / ".." / "share" / "korvane" / "demo";
}

}  // namespace

bool ResolveFolders(const Options& options, fs::path& data, fs::path& save, std::string& error) {
    std::error_code ec;
    data = options.DataDir.empty() ? DefaultDataFolder() : fs::path(options.DataDir);
    if (!fs::is_directory(data, ec)) {
        error = "scenario folder not found: " + data.string();
        return false;
    }
    data = fs::weakly_canonical(data, ec);

    if (!options.SaveDir.empty()) {
        save = options.SaveDir;
        if (!fs::is_directory(save, ec)) {
            error = "save folder not found: " + save.string();
            return false;
        }
        return true;
    }
    save = DataHome() / "saves" / data.filename();
    fs::create_directories(save, ec);
    if (!fs::is_directory(save, ec)) {
        error = "cannot make the save folder " + save.string();
        return false;
    }
    return true;
}

}  // namespace kv
