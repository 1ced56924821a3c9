#pragma once
// Whole-file reads and crash-safe whole-file writes. A write goes to a
// temporary file beside the target and is renamed over it, so a reader (or a
// crash) sees either the old file or the new one, never half of each.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// The system calls the writes below go through. Tests put calls that fail at
// a chosen moment in their place (a folder turned read-only, a rename the
// file system refuses) instead of filling a disk.
struct FileCalls {
    int (*Open)(const char* path, int flags, mode_t mode);
    ssize_t (*Write)(int fd, const void* data, size_t size);
    int (*Fsync)(int fd);
    int (*Rename)(const char* from, const char* to);
};
FileCalls& CurrentFileCalls();

// Replaces path with bytes. On failure the old file is left as it was, no
// temporary is left behind and error says what went wrong.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// Reads the whole file. Fails (nullopt + error) on a missing or unreadable
// file, a folder, or a file larger than maxBytes.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::string& error,
                                         size_t maxBytes = size_t{1} << 30);

// Removes the temporaries of writes cut short (a crash, a kill) from folder:
// files named as this module names a write in progress whose writer is no
// longer running. Call it before this process writes into folder: a
// temporary bearing this process's own id is then another's, from before the
// id came round again. Returns what it removed; what it could not remove is
// added to problems.
std::vector<std::filesystem::path> RemoveStaleTemporaries(const std::filesystem::path& folder,
                                                          std::vector<std::string>& problems);

// The name of the n-th backup of path: "KVR1.DAT" -> "KVR1.DAT.bak1".
std::filesystem::path BackupPath(const std::filesystem::path& path, int n);

// Keeps the last `keep` copies of path: .bak1 is the newest (a copy of the
// current file), .bak<keep> the oldest; older ones drop off. Nothing to do
// when path does not exist yet.
bool RotateBackups(const std::filesystem::path& path, int keep, std::string& error);

}  // namespace kv
