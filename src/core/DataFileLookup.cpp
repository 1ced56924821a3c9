#include "core/DataFileLookup.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace kv {
namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return FoldAscii(x) == FoldAscii(y);
           });
}

// "C:\..." or "C:/...": a drive letter means the name came from elsewhere.
bool HasDriveLetter(std::string_view name) {
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

std::filesystem::path FindByName(const std::filesystem::path& folder, std::string_view name) {
    if (name.empty() || name == "." || name == "..") return {};
    if (IsFile(folder / std::string(name))) return folder / std::string(name);
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string entry = it->path().filename().string();
        if (SameIgnoringCase(entry, name) && IsFile(it->path())) return it->path();
    }
    return {};
}

}  // namespace

std::filesystem::path ResolveDataFile(std::string_view written,
                                      const std::filesystem::path& dataFolder) {
    if (written.empty()) return {};
    const bool foreign = HasDriveLetter(written) || written.front() == '\\';
    if (!foreign && written.front() == '/') {
        if (IsFile(std::string(written))) return std::string(written);
    } else if (!foreign && !dataFolder.empty()) {
        std::string relative(written);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        if (IsFile(dataFolder / relative)) return dataFolder / relative;
    }
    if (dataFolder.empty()) return {};
    const size_t slash = written.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? written : written.substr(slash + 1);
    if (slash == std::string_view::npos && HasDriveLetter(name))
        name.remove_prefix(2);  // "C:x.mid"
    return FindByName(dataFolder, name);
}

}  // namespace kv
