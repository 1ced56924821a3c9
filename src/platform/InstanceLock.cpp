#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace kv {

InstanceLock::~InstanceLock() {
    Release();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

void InstanceLock::Release() {
    // Closing the only descriptor of this open file drops the lock.
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool InstanceLock::Acquire(const std::filesystem::path& folder, std::string& error) {
    Release();
    const std::filesystem::path file = folder / LockFileName;
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot create the lock file '" + file.string() + "': " + std::strerror(errno);
        return false;
    }
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) {
            error.clear();
        } else {
            error = "cannot lock '" + file.string() + "': " + std::strerror(err);
        }
        return false;
    }
    // Leave our process id in the file for whoever wonders who holds it.
    const std::string pid = std::to_string(::getpid()) + "\n";
    // Only informative; the lock itself is what counts, so failures are ignored.
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] ssize_t written = ::pwrite(fd, pid.data(), pid.size(), 0);
    }
    fd_ = fd;
    return true;
}

}  // namespace kv
