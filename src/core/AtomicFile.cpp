#include "core/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <system_error>

namespace kv {

FileCalls& CurrentFileCalls() {
    static FileCalls calls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }, ::write,
        ::fsync,
        [](const char* from, const char* to) {
            std::error_code ec;
            std::filesystem::rename(from, to, ec);
            if (ec) errno = ec.value();
            return ec ? -1 : 0;
        }};
    return calls;
}

namespace {

namespace fs = std::filesystem;

// Attempts at finding a free temporary name before giving up; a clash only
// happens when stale temporaries from an earlier crash share our pid.
constexpr int TempNameAttempts = 1000;

std::string Describe(const char* what, const fs::path& path, int err) {
    return std::string(what) + " '" + path.string() + "': " + std::strerror(err);
}

// Closes a descriptor when it leaves scope unless released first.
class FdGuard {
  public:
    explicit FdGuard(int fd) : fd_(fd) {}
    ~FdGuard() {
        if (fd_ >= 0) ::close(fd_);
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports the result (close can report a late write error).
    int Close() {
        int fd = fd_;
        fd_ = -1;
        return fd >= 0 ? ::close(fd) : 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = CurrentFileCalls().Write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A write in progress is ".<name>.tmp-<pid>-<n>" beside its file: hidden,
// and carrying the id of the process writing it so a later start can tell a
// crashed writer's leftovers from a live one's.
constexpr std::string_view TempMark = ".tmp-";

int OpenFreshTemp(const fs::path& folder, const std::string& name, fs::path& tempPath) {
    const std::string stem = "." + name + std::string(TempMark) + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < TempNameAttempts; ++attempt) {
        tempPath = folder / (stem + std::to_string(attempt));
        int fd = CurrentFileCalls().Open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                         0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The writer's process id when name is a temporary of ours, else 0.
pid_t TempWriter(std::string_view name) {
    const size_t mark = name.rfind(TempMark);
    // A hidden name with the target's own name before the mark.
    if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark < 2) return 0;
    const std::string_view tail = name.substr(mark + TempMark.size());
    const size_t dash = tail.find('-');
    if (dash == std::string_view::npos) return 0;
    const std::string_view pidText = tail.substr(0, dash);
    const std::string_view attempt = tail.substr(dash + 1);
    auto allDigits = [](std::string_view text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(pidText) || !allDigits(attempt)) return 0;
    pid_t pid = 0;
    const auto [end, ec] = std::from_chars(pidText.data(), pidText.data() + pidText.size(), pid);
    if (ec != std::errc() || end != pidText.data() + pidText.size() || pid <= 0) return 0;
    return pid;
}

bool ProcessRunning(pid_t pid) {
    // Signal 0 only asks; a process of another user answers EPERM but runs.
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

bool WriteFileAtomic(const fs::path& path, std::string_view bytes, std::string& error) {
    if (path.empty() || !path.has_filename()) {
        error = "cannot write '" + path.string() + "': not a file name";
        return false;
    }
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    fs::path tempPath;
    FdGuard fd(OpenFreshTemp(folder, path.filename().string(), tempPath));
    if (fd.Get() < 0) {
        error = Describe("cannot create a temporary file for", path, errno);
        return false;
    }
    auto fail = [&](const char* what, const fs::path& subject) {
        int err = errno;
        fd.Close();
        ::unlink(tempPath.c_str());
        error = Describe(what, subject, err);
        return false;
    };

    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd.Get(), old.st_mode & 07777);
    }
    if (!WriteAll(fd.Get(), bytes)) return fail("cannot write", tempPath);
    if (CurrentFileCalls().Fsync(fd.Get()) != 0) return fail("cannot flush", tempPath);
    if (fd.Close() != 0) return fail("cannot close", tempPath);
    if (CurrentFileCalls().Rename(tempPath.c_str(), path.c_str()) != 0)
        return fail("cannot replace", path);

    // Make the rename itself durable. Some file systems cannot sync a folder
    // (EINVAL); the data is written all the same there.
    FdGuard dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() < 0 || (::fsync(dir.Get()) != 0 && errno != EINVAL)) {
        error = Describe("wrote the file but cannot flush its folder", folder, errno);
        return false;
    }
    return true;
}

std::optional<std::string> ReadFileBytes(const fs::path& path, std::string& error,
                                         size_t maxBytes) {
    FdGuard fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        error = Describe("cannot open", path, errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        error = Describe("cannot read", path, errno);
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        error = Describe("cannot read", path, EISDIR);
        return std::nullopt;
    }
    std::string bytes;
    if (info.st_size > 0 && static_cast<uintmax_t>(info.st_size) <= maxBytes) {
        bytes.reserve(static_cast<size_t>(info.st_size));
    }
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = Describe("cannot read", path, errno);
            return std::nullopt;
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
            error = "cannot read '" + path.string() + "': larger than " + std::to_string(maxBytes) +
                    " bytes";
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

fs::path BackupPath(const fs::path& path, int n) {
    fs::path backup = path;
    backup += ".bak" + std::to_string(n);
    return backup;
}

bool RotateBackups(const fs::path& path, int keep, std::string& error) {
    if (keep <= 0) return true;
    std::error_code ec;
    if (!fs::exists(path, ec)) return true;
    // Each move only renames a whole backup, so a move that fails half way
    // leaves every copy whole (at worst one number is skipped).
    for (int n = keep - 1; n >= 1; --n) {
        const fs::path from = BackupPath(path, n);
        if (!fs::exists(from, ec)) continue;
        if (CurrentFileCalls().Rename(from.c_str(), BackupPath(path, n + 1).c_str()) != 0) {
            error = Describe("cannot move the backup", from, errno);
            return false;
        }
    }
    std::optional<std::string> current = ReadFileBytes(path, error);
    return current && WriteFileAtomic(BackupPath(path, 1), *current, error);
}

std::vector<fs::path> RemoveStaleTemporaries(const fs::path& folder,
                                             std::vector<std::string>& problems) {
    std::vector<fs::path> removed;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        problems.push_back("cannot look for unfinished saves in '" + folder.string() +
                           "': " + ec.message());
        return removed;
    }
    const pid_t self = ::getpid();
    for (const fs::directory_entry& entry : it) {
        const fs::path& path = entry.path();
        const pid_t writer = TempWriter(path.filename().string());
        if (writer == 0 || !entry.is_regular_file(ec)) continue;
        // Our own id: nothing of ours is being written yet (see the header).
        if (writer != self && ProcessRunning(writer)) continue;
        if (fs::remove(path, ec)) {
            removed.push_back(path);
        } else if (ec) {
            problems.push_back("cannot remove the unfinished save '" + path.string() +
                               "': " + ec.message());
        }
    }
    return removed;
}

}  // namespace kv
