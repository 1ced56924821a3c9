#pragma once
#include <filesystem>
#include <string>

#include "app/CommandLine.h"

namespace kv {

// The scenario folder: --data, else the demo scenario built with the program
// (beside the build, or installed next to the executable). The save folder:
// --save-dir, which must exist, else a per-user data folder named after the
// scenario, made on first use. False with a one-line reason otherwise.
bool ResolveFolders(const Options& options, std::filesystem::path& data,
                    std::filesystem::path& save, std::string& error);

}  // namespace kv
