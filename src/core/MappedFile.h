#pragma once
// A whole file seen in place. A large read-only file (the monster file is
// 4 MB) is mapped rather than copied: its pages come straight from the page
// cache, which costs start-up far less than filling fresh memory with a copy.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class MappedFile {
  public:
    // The file's bytes, or nullopt with error saying why (the same words a
    // plain read gives: a missing file, a folder, an unreadable file).
    static std::optional<MappedFile> Open(const std::filesystem::path& path, std::string& error);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::string_view Bytes() const;

    // Lets go of the pages wholly before offset once a reader has moved past
    // them, so a large file read front to back is never resident all at once
    // beside the tables it fills. The bytes stay readable (a page looked at
    // again comes back from the page cache); a copy ignores this.
    void ReleaseBefore(size_t offset);

  private:
    MappedFile() = default;
    void Release();

    void* map_ = nullptr;  // the mapping, when the file could be mapped
    size_t size_ = 0;
    size_t released_ = 0;  // bytes at the front already let go of
    std::string copy_;     // the bytes read the plain way otherwise (empty files, pipes)
};

}  // namespace kv
