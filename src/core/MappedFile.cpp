#include "core/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "core/AtomicFile.h"

namespace kv {

std::optional<MappedFile> MappedFile::Open(const std::filesystem::path& path, std::string& error) {
    MappedFile file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            const auto size = static_cast<size_t>(info.st_size);
            void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
            if (map != MAP_FAILED) {
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
      copy_(std::move(other.copy_)) {}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        Release();
        map_ = std::exchange(other.map_, nullptr);
        size_ = std::exchange(other.size_, 0);
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
}

std::string_view MappedFile::Bytes() const {
    if (map_ != nullptr) return {static_cast<const char*>(map_), size_};
    return copy_;
}

}  // namespace kv
