#pragma once
// What the file chooser lists: the way from the root down to a folder with
// the folders inside it, and the files of a folder that match the caller's
// pattern ("*.bmp;*.jpg;*.gif"). A folder that cannot be read lists nothing;
// nothing here throws.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// One or more '*' / '?' patterns separated by ';'. Letter case is ignored,
// as the scenarios name their files either way.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The files of folder matching pattern, sorted by name.
std::vector<std::string> MatchingFiles(const std::filesystem::path& folder,
                                       std::string_view pattern);

// A row of the folder list: its text (indented by depth) and its folder.
struct FolderRow {
    std::string Text;
    std::filesystem::path Folder;
};
struct FolderList {
    std::vector<FolderRow> Rows;
    int Current = 0;  // the row of the folder itself
};
// The root, each folder on the way down, the folder itself, then the folders
// inside it (hidden ones left out), sorted by name.
FolderList ListFolders(const std::filesystem::path& folder);

}  // namespace kv
