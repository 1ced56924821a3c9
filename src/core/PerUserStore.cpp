#include "core/PerUserStore.h"

#include <system_error>
#include <utility>

#include "core/AtomicFile.h"

namespace kv {
namespace {

// A settings file is a handful of lines; anything far larger is not ours.
constexpr size_t MaxStoreBytes = size_t{1} << 20;

bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

}  // namespace

PerUserStore::PerUserStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::filesystem::path PerUserStore::FileFor(std::string_view app) const {
    return folder_ / (std::string(app) + ".ini");
}

PerUserStore::Entry* PerUserStore::Load(std::string_view app) {
    if (!IsPlainFileName(app)) return nullptr;
    if (auto it = files_.find(app); it != files_.end()) return &it->second;
    Entry entry;
    std::string error;
    if (auto bytes = ReadFileBytes(FileFor(app), error, MaxStoreBytes)) {
        entry.Ini = IniFile::Parse(*bytes);
    }
    return &files_.emplace(std::string(app), std::move(entry)).first->second;
}

std::string PerUserStore::Get(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view fallback) {
    Entry* entry = Load(app);
    return entry ? entry->Ini.GetOr(section, key, fallback) : std::string(fallback);
}

bool PerUserStore::Set(std::string_view app, std::string_view section, std::string_view key,
                       std::string_view value) {
    Entry* entry = Load(app);
    if (!entry || !entry->Ini.Set(section, key, value)) return false;
    entry->Dirty = true;
    return true;
}

bool PerUserStore::Flush(std::string& error) {
    error.clear();
    bool ok = true;
    auto report = [&](const std::string& message) {
        if (!error.empty()) error += "; ";
        error += message;
        ok = false;
    };
    for (auto& [app, entry] : files_) {
        if (!entry.Dirty) continue;
        std::error_code ec;
        std::filesystem::create_directories(folder_, ec);
        if (ec) {
            report("cannot create the settings folder '" + folder_.string() + "': " + ec.message());
            continue;
        }
        std::string message;
        if (WriteFileAtomic(FileFor(app), entry.Ini.Serialize(), message)) {
            entry.Dirty = false;
        } else {
            report(message);
        }
    }
    return ok;
}

}  // namespace kv
