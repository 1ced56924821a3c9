#include "ui/FolderListing.h"

#include <algorithm>
#include <system_error>

namespace kv {

namespace fs = std::filesystem;

namespace {

// Deep folders stop moving right past this many levels, so their names
// stay in view.
constexpr int MaxIndentLevels = 8;
constexpr std::string_view IndentStep = "  ";

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// '*' any run of characters, '?' one byte; everything else itself.
bool MatchesGlob(std::string_view name, std::string_view glob) {
    size_t n = 0;
    size_t g = 0;
    size_t starAt = std::string_view::npos;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (g < glob.size() && glob[g] == '*') {
            starAt = g++;
            resumeAt = n;
        } else if (g < glob.size() &&
                   (glob[g] == '?' || FoldAscii(glob[g]) == FoldAscii(name[n]))) {
            ++g;
            ++n;
        } else if (starAt != std::string_view::npos) {
            g = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (g < glob.size() && glob[g] == '*') ++g;
    return g == glob.size();
}

bool NameLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
}

// The entries of folder that pass keep, by name, sorted.
template <typename Keep>
std::vector<std::string> Entries(const fs::path& folder, const Keep& keep) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (keep(*it, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), NameLess);
    return names;
}

std::string Indented(int depth, std::string_view name) {
    std::string text;
    for (int i = 0; i < std::min(depth, MaxIndentLevels); ++i) text += IndentStep;
    text += name;
    return text;
}

}  // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    while (true) {
        const size_t end = pattern.find(';');
        std::string_view glob = pattern.substr(0, end);
        while (!glob.empty() && glob.front() == ' ') glob.remove_prefix(1);
        while (!glob.empty() && glob.back() == ' ') glob.remove_suffix(1);
        if (!glob.empty() && MatchesGlob(name, glob)) return true;
        if (end == std::string_view::npos) return false;
        pattern.remove_prefix(end + 1);
    }
}

std::vector<std::string> MatchingFiles(const fs::path& folder, std::string_view pattern) {
    return Entries(folder, [pattern](const fs::directory_entry& entry, const std::string& name) {
        std::error_code error;
        return entry.is_regular_file(error) && MatchesPattern(name, pattern);
    });
}

FolderList ListFolders(const fs::path& folder) {
    FolderList list;
    std::error_code error;
    fs::path absolute = fs::absolute(folder, error).lexically_normal();
    if (error) absolute = folder.lexically_normal();
    // "/a/b/" names the same folder as "/a/b".
    if (absolute.has_relative_path() && absolute.filename().empty()) {
        absolute = absolute.parent_path();
    }
    fs::path way = absolute.root_path();
    list.Rows.push_back({way.string(), way});
    int depth = 0;
    for (const fs::path& part : absolute.relative_path()) {
        way /= part;
        list.Rows.push_back({Indented(++depth, part.string() + "/"), way});
    }
    list.Current = static_cast<int>(list.Rows.size()) - 1;
    const auto isFolder = [](const fs::directory_entry& entry, const std::string& name) {
        std::error_code ignored;
        return name.front() != '.' && entry.is_directory(ignored);
    };
    for (const std::string& name : Entries(absolute, isFolder)) {
        list.Rows.push_back({Indented(depth + 1, name + "/"), absolute / name});
    }
    return list;
}

}  // namespace kv
