#include "app/Folders.h"

#include <system_error>

#include "platform/UserFolders.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

// An installed program looks beside itself first: the build folder it was made
// in may still exist, but the demo installed with it is the one that belongs
// to it. A program run from its build folder has no share/ beside it.
fs::path DefaultDataFolder() {
    std::error_code ec;
    const fs::path exeDir = ExecutableDir();
    if (!exeDir.empty()) {
        const fs::path installed = exeDir / ".." / "share" / "korvane" / "demo";
        if (fs::is_directory(installed, ec)) return installed;
    }
    return KORVANE_DEMO_DIR;
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
