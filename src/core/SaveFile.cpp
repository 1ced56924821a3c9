#include "core/SaveFile.h"

#include <system_error>

#include "core/AtomicFile.h"
#include "core/NameCoding.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

constexpr size_t NameFirst = 1;
constexpr size_t NameLast = 50;

// The first free "KVR1.DAT.short", "KVR1.DAT.short2", ... beside the save.
fs::path AsideName(const fs::path& save) {
    std::error_code ec;
    fs::path candidate = save;
    candidate += ".short";
    for (int n = 2; fs::exists(candidate, ec); ++n) {
        candidate = save;
        candidate += ".short" + std::to_string(n);
    }
    return candidate;
}

bool CopyNewGameFiles(const Game& game, std::vector<std::string>& problems) {
    PrepareSaveFolder(game, problems);
    std::error_code ec;
    return fs::is_regular_file(game.SaveFolder / SaveFileName, ec);
}

}  // namespace

void PrepareSaveFolder(const Game& game, std::vector<std::string>& problems) {
    std::error_code ec;
    // A save cut short by a crash or a kill leaves its temporary (the size of
    // a save) behind; the instance lock means no other copy is writing here.
    if (fs::is_directory(game.SaveFolder, ec)) RemoveStaleTemporaries(game.SaveFolder, problems);
    if (game.DataFolder.empty()) return;
    // Each file on its own: a folder that has a save but lost its settings
    // file still gets the scenario's music and pictures back.
    for (const char* name : {SaveFileName, SettingsFileName}) {
        const fs::path from = game.DataFolder / name;
        const fs::path to = game.SaveFolder / name;
        if (!fs::is_regular_file(from, ec) || fs::exists(to, ec)) continue;
        fs::copy_file(from, to, ec);
        if (ec) {
            problems.push_back(std::string(name) + " cannot be copied from the scenario (" +
                               from.string() + "): " + ec.message());
        }
    }
}

void SyncSaveFile(Serializer& s, SavedState& state) {
    s.Array(state.EventFlags, "EventFlags");
    s.Integer(state.LunaCount, "LunaCount");
    s.Integer(state.ArtemisCount, "ArtemisCount");
    s.Array(std::span<int32_t>(state.MonsterKillCount), "MonsterKillCount");
    s.Array(std::span<int32_t>(state.ItemFound), "ItemFound");
    s.Array(std::span<int32_t>(state.Stock), "Stock");
    s.Array(state.TreasureSpots, "TreasureSpots");
    s.Array(std::span<int16_t>(state.SeenWalls), "SeenWalls");
    s.Array(std::span<int16_t>(state.SeenDoors), "SeenDoors");
    s.Array(state.QuestState, "QuestState");
    s.Records(std::span<Creature>(state.Roster), "Roster");
}

bool LoadSaveBytes(Game& game, std::string_view bytes) {
    SavedState& state = game;
    state = SavedState{};
    Serializer s = Serializer::Loading(bytes);
    SyncSaveFile(s, state);
    // Slot 0 is the blank template for erasing characters, whatever the file held.
    state.Roster[0] = Creature{};
    for (size_t slot = 1; slot < state.Roster.size(); ++slot) {
        Creature& c = state.Roster[slot];
        c.Name += DecodeName(c.NameCodes, NameFirst, NameLast);
    }
    return !s.Short();
}

std::string SaveBytes(Game& game) {
    std::vector<Creature>& roster = game.Roster;
    std::vector<std::string> names(roster.size());
    for (size_t slot = 1; slot < roster.size(); ++slot) {
        Creature& c = roster[slot];
        if (!c.Name.empty()) EncodeName(c.Name, c.NameCodes, NameFirst, NameLast);
        // The name travels in its codes; the string is written empty.
        names[slot] = std::move(c.Name);
        c.Name.clear();
    }
    Serializer s = Serializer::Saving(SaveFileSize);
    SyncSaveFile(s, game);
    for (size_t slot = 1; slot < roster.size(); ++slot) roster[slot].Name = std::move(names[slot]);
    return s.TakeOutput();
}

SaveLoadReport OpenAndLoadSave(Game& game) {
    SaveLoadReport report;
    std::error_code ec;
    const fs::path path = game.SaveFolder / SaveFileName;
    if (!fs::exists(path, ec)) {
        if (!CopyNewGameFiles(game, report.Problems)) {
            report.From = SaveLoadReport::Source::Blank;
            LoadSaveBytes(game, {});
            return report;
        }
        report.From = SaveLoadReport::Source::NewGame;
    }
    std::string error;
    std::optional<std::string> bytes = ReadFileBytes(path, error);
    if (!bytes) {
        // Each line names its file first: the title shows these lines.
        report.Problems.push_back(std::string(SaveFileName) + " cannot be read: " + error);
        report.Fatal = true;
        return report;
    }
    if (!LoadSaveBytes(game, *bytes)) {
        report.Short = true;
        report.KeptAside = AsideName(path);
        fs::copy_file(path, report.KeptAside, ec);
        if (ec) {
            report.Problems.push_back(std::string(SaveFileName) +
                                      " is short and cannot be kept as " +
                                      report.KeptAside.string() + ": " + ec.message());
            report.KeptAside.clear();
        }
    }
    return report;
}

SaveResult SaveGame(Game& game, int64_t nowMs) {
    SaveResult result;
    const fs::path path = game.SaveFolder / SaveFileName;
    const std::string bytes = SaveBytes(game);
    std::string error;
    std::error_code ec;
    // Saves come in bursts (a held key, a row of save points): within a
    // minute of the last move the backups stay, so they keep three moments.
    const int64_t since = nowMs - game.BackupsMovedAtMs;
    const bool due = game.BackupsMovedAtMs < 0 || since < 0 || since >= BackupIntervalMs;
    if (due && fs::exists(path, ec)) {
        if (RotateBackups(path, SaveBackups, error)) {
            game.BackupsMovedAtMs = nowMs;
        } else {
            // A backup that cannot be made must not stop the save itself.
            result.Message = error;
        }
    }
    if (!WriteFileAtomic(path, bytes, error)) {
        result.Ok = false;
        result.Message = error;
    }
    return result;
}

}  // namespace kv
