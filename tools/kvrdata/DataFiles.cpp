#include <system_error>

#include "Scenario.h"
#include "core/AtomicFile.h"
#include "core/Database.h"
#include "core/SaveFile.h"

namespace kv::kvrdata {

namespace fs = std::filesystem;

namespace {

constexpr size_t MaxSourceFile = size_t{64} << 20;

}  // namespace

std::map<std::string, std::string> DataFileBytes(const ScenarioData& data) {
    std::map<std::string, std::string> out;
    for (const DatabaseFile& file : DatabaseFiles()) {
        Serializer s = Serializer::Saving();
        file.Sync(s, *data.Db);  // Sync reads the tables when saving; nothing changes them
        out[file.Name] = s.TakeOutput();
    }
    if (data.NewGame) {
        Serializer s = Serializer::Saving();
        SyncSaveFile(s, *data.NewGame);
        out[SaveFileName] = s.TakeOutput();
    }
    if (data.Ini) out[SettingsFileName] = *data.Ini;
    return out;
}

void ReadDataFiles(const std::map<std::string, std::string>& bytes, ScenarioData& data,
                   Diagnostics& diag) {
    *data.Db = Database{};
    auto load = [&](const std::string& name, auto&& sync) {
        const auto found = bytes.find(name);
        if (found == bytes.end()) return false;
        Serializer s = Serializer::Loading(found->second);
        sync(s);
        if (s.Short()) {
            diag.Warning(name + " is short: " + std::to_string(found->second.size()) +
                         " bytes of " + std::to_string(s.Position()) + "; the rest read as zeros");
        } else if (s.BytesRead() < found->second.size()) {
            diag.Warning(name + " has " + std::to_string(found->second.size() - s.BytesRead()) +
                         " bytes after its tables; they are not kept");
        }
        return true;
    };
    for (const DatabaseFile& file : DatabaseFiles()) {
        if (!load(file.Name, [&](Serializer& s) { file.Sync(s, *data.Db); })) {
            diag.Error(std::string(file.Name) + " is missing");
        }
    }
    data.NewGame = std::make_unique<SavedState>();
    if (!load(SaveFileName, [&](Serializer& s) { SyncSaveFile(s, *data.NewGame); })) {
        data.NewGame.reset();
    }
    data.Ini.reset();
    if (auto ini = bytes.find(SettingsFileName); ini != bytes.end()) data.Ini = ini->second;
}

SourceFiles LoadSourceFolder(const fs::path& folder, Diagnostics& diag) {
    SourceFiles files;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        diag.Error(folder.string() + " is not a folder");
        return files;
    }
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string relative = it->path().lexically_relative(folder).generic_string();
        const bool wanted = relative.ends_with(".toml") || relative == SettingsFileName ||
                            (relative.rfind("maps/", 0) == 0 && relative.ends_with(".txt"));
        if (!wanted) continue;
        std::string error;
        if (auto bytes = ReadFileBytes(it->path(), error, MaxSourceFile)) {
            files[relative] = std::move(*bytes);
        } else {
            diag.Error(error);
        }
    }
    if (ec) diag.Error(folder.string() + ": " + ec.message());
    return files;
}

bool SaveFiles(const std::map<std::string, std::string>& files, const fs::path& folder,
               Diagnostics& diag) {
    bool ok = true;
    for (const auto& [name, bytes] : files) {
        const fs::path path = folder / fs::path(name);
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        std::string error;
        if (ec || !WriteFileAtomic(path, bytes, error)) {
            diag.Error(path.string() + ": " + (ec ? ec.message() : error));
            ok = false;
        }
    }
    return ok;
}

std::map<std::string, std::string> LoadDataFolder(const fs::path& folder, Diagnostics& diag) {
    std::map<std::string, std::string> out;
    std::error_code folderError;
    if (!fs::is_directory(folder, folderError)) {
        diag.Error(folder.string() + " is not a folder");
        return out;
    }
    std::vector<std::string> names = {SaveFileName, SettingsFileName};
    for (const DatabaseFile& file : DatabaseFiles()) names.emplace_back(file.Name);
    for (const std::string& name : names) {
        std::error_code ec;
        const fs::path path = folder / name;
        if (!fs::exists(path, ec)) continue;
        std::string error;
        if (auto bytes = ReadFileBytes(path, error)) {
            out[name] = std::move(*bytes);
        } else {
            diag.Error(error);
        }
    }
    return out;
}

}  // namespace kv::kvrdata
