#pragma once
// The four database files of a scenario: KVR3.DAT (items), KVR4.DAT (tables
// and events), KVR5.DAT (monsters), KVR6.DAT (maps). Each file's layout is
// one routine that both reads and writes it, so the scenario tools write
// exactly what the game reads.
#include <filesystem>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/Serializer.h"

namespace kv {

// The size of each file when every String in it is empty: the least it can
// be. Start-up names them when a file is short, so they are constants rather
// than a blank database laid out on every run (a test holds them to the codec).
inline constexpr size_t ItemFileSize = 562485;
inline constexpr size_t TableFileSize = 560174;
inline constexpr size_t MonsterFileSize = 4116741;
inline constexpr size_t MapFileSize = 422400;

struct DatabaseFile {
    const char* Name;
    void (*Sync)(Serializer&, Database&);
    size_t MinimumSize;
};

void SyncItemFile(Serializer& s, Database& db);
void SyncTableFile(Serializer& s, Database& db);
void SyncMonsterFile(Serializer& s, Database& db);
void SyncMapFile(Serializer& s, Database& db);

// The four files in reading order.
const std::vector<DatabaseFile>& DatabaseFiles();

struct DatabaseReport {
    // One line per missing or short file, naming it and the size it needs.
    std::vector<std::string> Problems;
    bool Ok() const { return Problems.empty(); }
};

// Reads the four files from the folder into the game's tables, then decodes
// the coded texts, and with the spell-name setting on puts each spell's
// alternative name in place of its name. A missing or short file is reported
// (what was there is still read, the rest as zeros), so the caller can refuse
// to start on empty tables.
DatabaseReport LoadDatabase(Game& game, const std::filesystem::path& folder, bool useAltSpellNames);

// The decoding steps alone (the coded texts appended to whatever the String
// fields hold, row 0 never decoded), for data read some other way.
void DecodeDatabaseTexts(Database& db, bool useAltSpellNames);

}  // namespace kv
