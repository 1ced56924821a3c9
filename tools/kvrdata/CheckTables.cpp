#include <map>
#include <memory>

#include "Checker.h"
#include "MapArt.h"
#include "Reachability.h"
#include "core/AtomicFile.h"
#include "core/Database.h"
#include "core/SaveFile.h"
#include "core/Serializer.h"

namespace kv::kvrdata {

namespace {

template <class R>
bool IsBlank(const R& record) {
    static const std::string blank = SaveRecord(R{});
    return SaveRecord(record) == blank;
}

std::string Row(const char* file, const char* table, size_t row) {
    return std::string(file) + " " + table + " " + std::to_string(row);
}

}  // namespace

bool DataChecker::ItemExists(int item) const {
    if (item < 1 || item >= ItemRows) return false;
    const ItemDef& def = db_.Items[static_cast<size_t>(item)];
    return def.Id != 0 || !def.Name.empty();
}

bool DataChecker::MonsterExists(int monster) const {
    if (monster < 1 || monster >= MonsterRows) return false;
    const Creature& def = db_.Monsters[static_cast<size_t>(monster)];
    return def.Id != 0 || !def.Name.empty();
}

bool DataChecker::SpellCodeExists(int code) const {
    for (size_t r = 1; r < db_.Spells.size(); ++r) {
        if (db_.Spells[r].Code == code && !IsBlank(db_.Spells[r])) return true;
    }
    return false;
}

bool DataChecker::ActionRowUsed(int row) const {
    return row >= 0 && row < MonsterActionRows &&
           !IsBlank(db_.MonsterActions[static_cast<size_t>(row)]);
}

bool DataChecker::EncounterExists(int number) const {
    if (number == 0) return false;
    for (size_t r = 1; r < static_cast<size_t>(MonsterRows); ++r) {
        if (db_.EncounterTable[r] == number) return true;
    }
    return false;
}

void DataChecker::NeedItem(const std::string& where, int item) {
    if (!ItemExists(item)) Report(where + ": item " + std::to_string(item) + " does not exist");
}

std::vector<std::string> DataChecker::Run() {
    problems_.clear();
    CheckItems();
    CheckTables();
    CheckMonsters();
    CheckEncounters();
    CheckEvents();
    CheckMaps();
    CheckPlacesOffered();
    CheckNewGame();
    return problems_;
}

void DataChecker::CheckItems() {
    for (size_t r = 1; r < db_.Items.size(); ++r) {
        const ItemDef& item = db_.Items[r];
        if (!ItemExists(static_cast<int>(r))) continue;
        const std::string where = Row("KVR3.DAT", "ItemDef", r);
        if (item.Id != static_cast<int32_t>(r)) {
            Report(where + " Id: " + std::to_string(item.Id) + " is not the item's row");
        }
        if (item.Name.empty()) Report(where + " Name: the item has no name");
        if (item.BrokenInto != 0) NeedItem(where + " BrokenInto", item.BrokenInto);
        if (item.SpellNo != 0 && !SpellCodeExists(item.SpellNo)) {
            Report(where + " SpellNo: no spell has the code " + std::to_string(item.SpellNo));
        }
        if (item.GrantSkill != 0 && (item.GrantSkill < 1 || item.GrantSkill >= SkillRows ||
                                     IsBlank(db_.Skills[static_cast<size_t>(item.GrantSkill)]))) {
            Report(where + " GrantSkill: skill " + std::to_string(item.GrantSkill) +
                   " does not exist");
        }
    }
    for (size_t r = 1; r <= 50; ++r) {
        if (db_.ChestItemTable[r] == 0) continue;  // no least level: an empty row
        NeedItem(Row("KVR3.DAT", "ChestItemTable row", r) + " Item", db_.ChestItemTable[r + 51]);
    }
}

void DataChecker::CheckTables() {
    for (size_t r = 0; r < db_.NpcTrades.size(); ++r) {
        for (size_t i = 1; i <= 10; ++i) {
            const int item = db_.NpcTrades[r].TradeItems[i];
            if (item != 0) {
                NeedItem(
                    Row("KVR4.DAT", "NpcTradeDef", r) + " TradeItems[" + std::to_string(i) + "]",
                    item);
            }
        }
    }
    for (size_t r = 1; r < db_.Quests.size(); ++r) {
        const QuestDef& quest = db_.Quests[r];
        if (quest.QuestTitle.empty()) continue;  // no quest
        NeedItem(Row("KVR4.DAT", "QuestDef", r) + " reward (QuestTextCodes[201])",
                 quest.QuestTextCodes[201]);
    }
    for (size_t r = 1; r < db_.Talks.size(); ++r) {
        const int person = db_.Talks[r].TalkPerson;
        if (!IsBlank(db_.Talks[r]) && (person < 0 || person >= NpcTradeRows)) {
            Report(Row("KVR4.DAT", "TalkDef", r) + " TalkPerson: person " + std::to_string(person) +
                   " is not 0..20");
        }
    }
    // Alchemy: result, ingredient 1, ingredient 2 by recipe.
    for (size_t i = 1; i <= 120; ++i) {
        if (db_.AlchemyTable[i] == 0) continue;
        const std::string where = "KVR4.DAT AlchemyTable recipe " + std::to_string(i);
        NeedItem(where + " result", db_.AlchemyTable[i]);
        if (db_.AlchemyTable[121 + i] == 0) Report(where + " ingredient 1: none given");
        if (db_.AlchemyTable[121 + i] != 0)
            NeedItem(where + " ingredient 1", db_.AlchemyTable[121 + i]);
        if (db_.AlchemyTable[242 + i] != 0)
            NeedItem(where + " ingredient 2", db_.AlchemyTable[242 + i]);
    }
    for (size_t k = 1; k <= 60; ++k) {
        if (db_.FusionTable[61 + k] == 0) continue;
        const std::string where = "KVR4.DAT FusionTable recipe " + std::to_string(k);
        NeedItem(where + " result", db_.FusionTable[61 + k]);
        for (size_t j = 0; j < 4; ++j) {
            const int item = db_.FusionTable[183 + 61 * j + k];
            if (item != 0) NeedItem(where + " ingredient " + std::to_string(j + 1), item);
        }
    }
    for (size_t x = 7; x <= 36; ++x) {
        const int monster = db_.MonsterAttributeTable[74 + x];
        if (monster != 0 && !MonsterExists(monster)) {
            Report("KVR4.DAT MonsterAttributeTable[" + std::to_string(74 + x) + "]: monster " +
                   std::to_string(monster) + " does not exist");
        }
    }
}

void DataChecker::CheckMonsters() {
    for (size_t r = 1; r < db_.Monsters.size(); ++r) {
        if (!MonsterExists(static_cast<int>(r))) continue;
        const Creature& m = db_.Monsters[r];
        const std::string where = Row("KVR5.DAT", "Monster", r);
        if (m.Name.empty()) Report(where + " Name: the monster has no name");
        if (m.DropItem() != 0) NeedItem(where + " DropItem (Items[3])", m.DropItem());
        // One line per broken action number, listing every entry that uses it.
        std::map<int, std::string> broken;
        for (size_t i = 1; i < m.Actions.size(); ++i) {
            const int action = m.Actions[i];
            if (action == 0 || ActionRowUsed(action)) continue;
            std::string& entries = broken[action];
            if (!entries.empty()) entries += ',';
            entries += std::to_string(i);
        }
        for (const auto& [action, entries] : broken) {
            const std::string field = where + " Actions[" + entries + "]";
            if (action < 0 || action >= MonsterActionRows) {
                Report(field + ": action " + std::to_string(action) + " is not 0..500");
            } else {
                Report(field + ": action row " + std::to_string(action) + " is empty");
            }
        }
    }
}

void DataChecker::CheckEncounters() {
    constexpr size_t rows = MonsterRows;
    for (size_t r = 1; r < rows; ++r) {
        const int number = db_.EncounterTable[r];
        if (number == 0) continue;
        const std::string where = Row("KVR5.DAT", "EncounterTable row", r);
        const int place = db_.EncounterTable[rows + r] + 20;
        const int floor = db_.EncounterTable[2 * rows + r];
        // Without place and floor the encounter is met only through battle events.
        const bool eventOnly = place == 20 && floor == 0;
        if (!eventOnly && (place < 21 || place > 26)) {
            Report(where + " place: " + std::to_string(place) + " is not a maze place (21..26)");
        }
        if (!eventOnly && (floor < 1 || floor > 21)) {
            Report(where + " floor: " + std::to_string(floor) + " is not 1..21");
        }
        bool any = false;
        for (size_t g = 0; g < 4; ++g) {
            const int monster = db_.EncounterTable[(3 + g) * rows + r];
            if (monster == 0) continue;
            any = true;
            if (!MonsterExists(monster)) {
                Report(where + " group " + std::to_string(g + 1) + ": monster " +
                       std::to_string(monster) + " does not exist");
            }
        }
        if (!any) Report(where + ": encounter " + std::to_string(number) + " has no monsters");
    }
}

void DataChecker::CheckNewGame() {
    if (save_ == nullptr) return;
    CheckNewGameAutomap();
    for (size_t i = 0; i < save_->Stock.size(); ++i) {
        if (save_->Stock[i] != 0)
            NeedItem("KVR1.DAT Stock[" + std::to_string(i) + "]", static_cast<int>(i));
    }
    for (size_t r = 1; r <= 50; ++r) {
        const auto at = [&](size_t column) { return save_->TreasureSpots[51 * column + r]; };
        if (at(5) != 1) continue;
        CheckTarget("KVR1.DAT TreasureSpots row " + std::to_string(r), at(1), at(2), at(3), at(4));
    }
    for (size_t r = 1; r < save_->Roster.size(); ++r) {
        const Creature& c = save_->Roster[r];
        if (c.Id == 0) continue;
        for (size_t s = 1; s < c.Items.size(); ++s) {
            if (c.Items[s].ItemId != 0) {
                NeedItem(Row("KVR1.DAT", "Roster", r) + " Items[" + std::to_string(s) + "]",
                         c.Items[s].ItemId);
            }
        }
    }
}

CheckReport CheckDataFolder(const std::filesystem::path& folder) {
    CheckReport report;
    auto game = std::make_unique<Game>();
    const DatabaseReport loaded = LoadDatabase(*game, folder, false);
    report.Problems = loaded.Problems;

    std::unique_ptr<SavedState> save;
    std::string error;
    if (auto bytes = ReadFileBytes(folder / SaveFileName, error)) {
        save = std::make_unique<SavedState>();
        Serializer s = Serializer::Loading(*bytes);
        SyncSaveFile(s, *save);
        if (s.Short()) report.Problems.push_back(std::string(SaveFileName) + " is too short");
    }
    DataChecker checker(*game, save.get());
    for (std::string& line : checker.Run()) report.Problems.push_back(std::move(line));
    // The walk plays from the new game: its flags, its roster, its shop.
    if (save) static_cast<SavedState&>(*game) = *save;
    for (std::string& line : CheckEndingReachable(*game))
        report.Problems.push_back(std::move(line));

    size_t items = 0, monsters = 0, events = 0;
    for (int i = 1; i < ItemRows; ++i) items += checker.ItemExists(i);
    for (int m = 1; m < MonsterRows; ++m) monsters += checker.MonsterExists(m);
    for (size_t e = 1; e < game->Events.size(); ++e) events += game->Events[e].ID != 0;
    report.Summary =
        folder.string() + ": " + std::to_string(items) + " items, " + std::to_string(monsters) +
        " monsters, " + std::to_string(events) + " event rows" + (save ? ", new-game save" : "") +
        ": " +
        (report.Problems.empty() ? "no problems"
                                 : std::to_string(report.Problems.size()) + " problems");
    return report;
}

}  // namespace kv::kvrdata
