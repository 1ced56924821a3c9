#pragma once
// Keeps two copies of the program from using the same save folder at once:
// an exclusive advisory lock on "<folder>/.korvane.lock", held for the life of
// the object. Each object opens the file itself, so two objects conflict even
// inside one process; the lock goes away with the process, even on a crash.
#include <filesystem>
#include <string>

namespace kv {

class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;

    // Never waits. False with an empty error when someone else holds the
    // folder (the caller steps aside quietly), false with a message when the
    // lock file cannot be made or locked. Acquiring again releases the old lock.
    bool Acquire(const std::filesystem::path& folder, std::string& error);
    void Release();
    bool IsHeld() const { return fd_ >= 0; }

    static constexpr const char* LockFileName = ".korvane.lock";

  private:
    int fd_ = -1;
};

}  // namespace kv
