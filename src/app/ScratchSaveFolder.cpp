#include "app/ScratchSaveFolder.h"

#include <unistd.h>

#include <system_error>

namespace kv {

namespace fs = std::filesystem;

ScratchSaveFolder::~ScratchSaveFolder() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
}

bool ScratchSaveFolder::CopyFrom(const fs::path& original, std::string& error) {
    std::error_code ec;
    const fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        error = "no temporary folder for --start: " + ec.message();
        return false;
    }
    // A name no other run holds: this process's id and a count.
    for (int n = 1; n < 1000 && path_.empty(); ++n) {
        const fs::path candidate =
            base / ("korvane-start-" + std::to_string(::getpid()) + "-" + std::to_string(n));
        if (fs::create_directory(candidate, ec)) path_ = candidate;
    }
    if (path_.empty()) {
        error = "cannot make a temporary folder for --start under " + base.string();
        return false;
    }
    fs::copy(original, path_, fs::copy_options::recursive, ec);
    if (ec) {
        error = "cannot copy the save folder " + original.string() + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace kv
