#include "core/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "core/AtomicFile.h"

namespace kv {

namespace {

// Bytes let go of at a time: one call a page would cost more processor
// time than the memory is worth.
constexpr size_t ReleaseBatch = size_t{256} << 10;

}  // namespace

std::optional<MappedFile> MappedFile::Open(const std::filesystem::path& path, std::string& error) {
    MappedFile file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            const auto size = static_cast<size_t>(info.st_size);
            void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (map != MAP_FAILED) {
                // The kernel maps a large file's cached pages 2 MiB at a
                // touch, which would sit resident beside the tables however
                // soon the reader let go of them. Alternate stretches marked
                // for random reading become areas of their own, and a touch
                // maps no more than its area.
                for (size_t at = 0; at < size; at += 2 * ReleaseBatch) {
                    ::madvise(static_cast<char*>(map) + at, std::min(ReleaseBatch, size - at),
                              MADV_RANDOM);
                }
                file.map_ = map;
                file.size_ = size;
            }
        }
        ::close(fd);
        if (file.map_ != nullptr) return file;
    }
    // Anything that cannot be mapped is read the plain way, which also words the errors.
    std::optional<std::string> bytes = ReadFileBytes(path, error);
    if (!bytes) return std::nullopt;
    file.copy_ = std::move(*bytes);
    return file;
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : map_(std::exchange(other.map_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      released_(std::exchange(other.released_, 0)),
      copy_(std::move(other.copy_)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Release();
        map_ = std::exchange(other.map_, nullptr);
        size_ = std::exchange(other.size_, 0);
        released_ = std::exchange(other.released_, 0);
        copy_ = std::move(other.copy_);
    }
    return *this;
}

MappedFile::~MappedFile() {
    Release();
}

void MappedFile::Release() {
    if (map_ != nullptr) ::munmap(map_, size_);
    map_ = nullptr;
    size_ = 0;
    released_ = 0;
}

void MappedFile::ReleaseBefore(size_t offset) {
    static const auto pageSize = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
    if (map_ == nullptr || pageSize == 0) return;
    const size_t end = std::min(offset, size_) / pageSize * pageSize;
    if (end < released_ + ReleaseBatch) return;  // the rest goes when the file is closed
    ::madvise(static_cast<char*>(map_) + released_, end - released_, MADV_DONTNEED);
    released_ = end;
}

std::string_view MappedFile::Bytes() const {
    if (map_ != nullptr) return {static_cast<const char*>(map_), size_};
    return copy_;
}

}  // namespace kv
