#pragma once
// The program's own version, from the build.
#include <string>

namespace kv {

struct ProgramVersion {
    int Major = KORVANE_VERSION_MAJOR;
    int Minor = KORVANE_VERSION_MINOR;
    int Revision = KORVANE_VERSION_REVISION;
};

inline std::string VersionString(const ProgramVersion& v = {}) {
    return std::to_string(v.Major) + "." + std::to_string(v.Minor) + "." +
           std::to_string(v.Revision);
}

}  // namespace kv
