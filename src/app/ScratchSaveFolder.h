#pragma once
// --start plays on a copy: the save folder is copied into a fresh temporary
// folder, the run saves there, and the copy goes when the run ends, so an
// author's save and roster stay as they were.
#include <filesystem>
#include <string>

namespace kv {

class ScratchSaveFolder {
  public:
    ScratchSaveFolder() = default;
    ~ScratchSaveFolder();
    ScratchSaveFolder(const ScratchSaveFolder&) = delete;
    ScratchSaveFolder& operator=(const ScratchSaveFolder&) = delete;

    // Copies the files of original into a new folder under the system's
    // temporary folder. False, with error set, when it cannot.
    bool CopyFrom(const std::filesystem::path& original, std::string& error);
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace kv
