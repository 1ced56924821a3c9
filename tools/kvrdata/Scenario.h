#pragma once
// A scenario in memory, as the data files hold it (coded texts not decoded,
// String fields as stored), and the two ways it is kept on disk: the source
// folder of TOML and map files, and the data folder the game reads.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "Diagnostics.h"
#include "core/Game.h"

namespace kv::kvrdata {

struct ScenarioData {
    std::unique_ptr<Database> Db = std::make_unique<Database>();
    std::unique_ptr<SavedState> NewGame;  // KVR1.DAT; none when the scenario has no new-game save
    std::optional<std::string> Ini;       // KVR.ini, copied byte for byte
};

// Source files by path relative to the source folder ("items.toml", "maps/21-01.txt").
using SourceFiles = std::map<std::string, std::string>;

// Compiling: every problem goes to diag; data is only usable when diag.Ok().
void ReadSources(const SourceFiles& files, ScenarioData& data, Diagnostics& diag);
// Decompiling: a source set that reads back to exactly these bytes.
SourceFiles WriteSources(const ScenarioData& data);

// The bytes of each data file ("KVR3.DAT", ..., "KVR1.DAT", "KVR.ini").
std::map<std::string, std::string> DataFileBytes(const ScenarioData& data);
// Reads the data files as they are, without decoding anything.
void ReadDataFiles(const std::map<std::string, std::string>& bytes, ScenarioData& data,
                   Diagnostics& diag);

// Disk helpers.
SourceFiles LoadSourceFolder(const std::filesystem::path& folder, Diagnostics& diag);
bool SaveFiles(const std::map<std::string, std::string>& files, const std::filesystem::path& folder,
               Diagnostics& diag);
std::map<std::string, std::string> LoadDataFolder(const std::filesystem::path& folder,
                                                  Diagnostics& diag);

}  // namespace kv::kvrdata
