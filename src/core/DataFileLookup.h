#pragma once
// Files named in the settings (music, monster pictures) were often written on
// another system: "C:\Music\castle.mid" names nothing here. Such a name, and
// a plain or relative one, is looked up in the scenario folder too, so a
// scenario that ships its files beside its data works wherever it is copied.
#include <filesystem>
#include <string_view>

namespace kv {

// Where the file is on this system, or an empty path. In order: the name as
// written when it is an absolute path here; a relative name (either slash)
// inside dataFolder; the bare file name inside dataFolder, exact first, then
// ignoring the letter case of ASCII letters.
std::filesystem::path ResolveDataFile(std::string_view written,
                                      const std::filesystem::path& dataFolder);

}  // namespace kv
