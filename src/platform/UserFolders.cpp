#include "platform/UserFolders.h"

#include <cstdlib>
#include <system_error>

namespace kv {
namespace {

// Relative values are ignored, as the XDG rules require: they would name a
// different folder depending on where the program was started.
bool IsUsable(const char* value) {
    return value && value[0] == '/';
}

}  // namespace

std::filesystem::path ResolveUserFolder(const char* xdgValue, const char* homeValue,
                                        const char* homeSuffix) {
    std::filesystem::path base;
    if (IsUsable(xdgValue)) {
        base = xdgValue;
    } else if (IsUsable(homeValue)) {
        base = std::filesystem::path(homeValue) / homeSuffix;
    } else {
        base = "/tmp";
    }
    return base / "korvane";
}

std::filesystem::path ConfigHome() {
    return ResolveUserFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config");
}

std::filesystem::path DataHome() {
    return ResolveUserFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), ".local/share");
}

std::filesystem::path ExecutableDir() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

}  // namespace kv
