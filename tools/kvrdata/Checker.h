#pragma once
// The data checker: reads a data folder the way the game does and names
// every reference that leads nowhere, one line each with file, record and
// field ("KVR3.DAT ItemDef 12 BrokenInto: item 2500 does not exist").
#include <filesystem>
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv::kvrdata {

struct CheckReport {
    std::vector<std::string> Problems;
    std::string Summary;  // one line counting what was checked
    bool Ok() const { return Problems.empty(); }
};

CheckReport CheckDataFolder(const std::filesystem::path& folder);

// The checks alone, on tables read with LoadDatabase (texts decoded); the
// new-game save may be null.
class DataChecker {
  public:
    DataChecker(const Database& db, const SavedState* newGame) : db_(db), save_(newGame) {}
    std::vector<std::string> Run();

    bool ItemExists(int item) const;
    bool MonsterExists(int monster) const;
    bool SpellCodeExists(int code) const;
    bool ActionRowUsed(int row) const;
    bool EncounterExists(int number) const;
    // Solid rock: all four walls and no door. Place is the code 21..26.
    bool IsRock(int place, int floor, int x, int y) const;

  private:
    void Report(std::string line) { problems_.push_back(std::move(line)); }
    void NeedItem(const std::string& where, int item);

    void CheckItems();
    void CheckTables();
    void CheckMonsters();
    void CheckEncounters();
    void CheckEvents();
    void CheckEventGroup(size_t first, size_t count);
    void CheckTarget(const std::string& where, int place, int floor, int x, int y);
    void CheckMaps();
    void CheckPlacesOffered();
    void CheckNewGame();
    void CheckNewGameAutomap();

    const Database& db_;
    const SavedState* save_;
    std::vector<std::string> problems_;
};

}  // namespace kv::kvrdata
