#pragma once
// The save file KVR1.DAT: the roster, the progress flags, the quest states,
// the kill and find records, the shop stock, the hidden treasure spots, the
// automap and the moon counters, in one fixed layout.
//
// Korvane never writes the save in place: each save goes to a temporary file
// that is renamed over the old one, so a crash or a full disk can never leave
// a half-written save. Three earlier saves are kept as KVR1.DAT.bak1 (newest)
// to .bak3; they move along at most once a minute, so a burst of saves leaves
// them three different moments apart.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Serializer.h"

namespace kv {

inline constexpr const char* SaveFileName = "KVR1.DAT";
inline constexpr const char* SettingsFileName = "KVR.ini";
inline constexpr size_t SaveFileSize = 410158;  // with every String empty
inline constexpr int SaveBackups = 3;
inline constexpr int64_t BackupIntervalMs = 60'000;  // the backups move at most this often

void SyncSaveFile(Serializer& s, SavedState& state);

struct SaveLoadReport {
    enum class Source { Existing, NewGame, Blank };
    Source From = Source::Existing;
    bool Short = false;               // the file was shorter than a save; its tail read as zeros
    std::filesystem::path KeptAside;  // where the short original was copied, if it was
    std::vector<std::string> Problems;
    // The save exists but cannot be read: the game must not start (a later
    // save would overwrite what the player has).
    bool Fatal = false;
};

// Start-up, before anything is written to the save folder: the temporaries of
// saves cut short by a crash are removed, and whichever of the scenario's
// new-game save and settings file the folder lacks is copied in (neither is
// overwritten when already there).
void PrepareSaveFolder(const Game& game, std::vector<std::string>& problems);

// Start-up: reads the save from the save folder. A save folder without one
// gets the scenario's new-game save (and settings file) copied in first;
// without that either, the game starts blank. A short save loads with a zero
// tail, after the original is copied aside so nothing is lost. Roster slot 0
// is blank afterwards whatever the file held, and the roster names are
// decoded from their codes.
SaveLoadReport OpenAndLoadSave(Game& game);

// The state as the save file holds it (names coded, name strings written
// empty), without touching the disk.
std::string SaveBytes(Game& game);
// Reads save bytes into the game as loading does (slot 0 blank, names decoded).
// False when the bytes were short (the tail read as zeros).
bool LoadSaveBytes(Game& game, std::string_view bytes);

struct SaveResult {
    bool Ok = true;
    std::string Message;  // why it failed; the old save is then untouched
};

// Writes the whole state. Encodes each roster name into its codes first
// (clearing all 50 codes, so a shorter name leaves nothing behind). nowMs is
// the run's clock: within BackupIntervalMs of the backups' last move the save
// is replaced and the backups are left as they are.
SaveResult SaveGame(Game& game, int64_t nowMs);

}  // namespace kv
