#include <algorithm>
#include <array>
#include <utility>

#include "MapArt.h"
#include "Scenario.h"
#include "SourceEvents.h"
#include "SourceRows.h"
#include "core/MazeMap.h"
#include "core/SaveFile.h"

namespace kv::kvrdata {

namespace {

template <class T>
std::span<T> Span(std::vector<T>& v) {
    return std::span<T>(v);
}
template <class T>
std::span<const T> Span(const std::vector<T>& v) {
    return std::span<const T>(v);
}

constexpr std::array<Column, 2> ChestColumns = {{{"Level"}, {"Item"}}};
constexpr std::array<Column, 7> EncounterColumns = {
    {{"Number"}, {"Place", 20}, {"Floor"}, {"Group1"}, {"Group2"}, {"Group3"}, {"Group4"}}};
constexpr std::array<Column, 4> AlchemyColumns = {
    {{"Result"}, {"Ingredient1"}, {"Ingredient2"}, {"Column3"}}};
constexpr std::array<Column, 9> FusionColumns = {{{"Column0"},
                                                  {"Result"},
                                                  {"Column2"},
                                                  {"Ingredient1"},
                                                  {"Ingredient2"},
                                                  {"Ingredient3"},
                                                  {"Ingredient4"},
                                                  {"Column7"},
                                                  {"Column8"}}};
constexpr std::array<Column, 3> AttributeColumns = {{{"Column0"}, {"Column1"}, {"Column2"}}};
constexpr std::array<Column, 6> TreasureColumns = {
    {{"Column0"}, {"Place"}, {"Floor"}, {"X"}, {"Y"}, {"Active"}}};

const ColumnTable ChestTable{"chest", 51, ChestColumns};
const ColumnTable EncounterSource{"encounter", MonsterRows, EncounterColumns};
const ColumnTable AlchemySource{"alchemy", 121, AlchemyColumns};
const ColumnTable FusionSource{"fusion", 61, FusionColumns};
const ColumnTable AttributeTable{"monster_attribute", 37, AttributeColumns};
const ColumnTable TreasureTable{"treasure", 51, TreasureColumns};

// The save fields a new game starts with, besides the treasure spots and the roster.
void VisitNewGameFields(FieldVisitor& f, SavedState& s) {
    f.Array("Stock", Span(s.Stock));
    f.Array("EventFlags", s.EventFlags);
    f.Integer("LunaCount", s.LunaCount);
    f.Integer("ArtemisCount", s.ArtemisCount);
    f.Array("QuestState", s.QuestState);
    f.Array("MonsterKillCount", Span(s.MonsterKillCount));
    f.Array("ItemFound", Span(s.ItemFound));
    // A new game has seen nothing of the mazes: the automap is unseen unless given.
    f.Array("SeenWalls", Span(s.SeenWalls), Unseen);
    f.Array("SeenDoors", Span(s.SeenDoors), Unseen);
}

// Reads one TOML file of the source set with its root keys checked; body
// reads the tables. Nothing happens when the file is not in the set.
template <class Body>
void ReadToml(const SourceFiles& files, const std::string& name, Diagnostics& diag, Body body) {
    const auto found = files.find(name);
    if (found == files.end()) return;
    toml::table root;
    try {
        root = toml::parse(found->second, name);
    } catch (const toml::parse_error& e) {
        diag.Error(name + " line " + std::to_string(e.source().begin.line) + " column " +
                   std::to_string(e.source().begin.column) + ": " + std::string(e.description()));
        return;
    }
    FieldVisitor f = FieldVisitor::Reading(root, name, diag);
    body(f, root);
    f.Finish();
}

void ReadMaps(const SourceFiles& files, Database& db, Diagnostics& diag) {
    for (const auto& [name, text] : files) {
        if (name.rfind("maps/", 0) != 0) continue;
        int place = 0, floor = 0;
        if (!ParseFloorFileName(name, place, floor)) {
            diag.Error(name +
                       ": a floor file is named maps/PP-FF.txt (place 20..27, floor 00..21)");
            continue;
        }
        FloorCells cells;
        if (ParseFloor(text, name, cells, diag)) PutFloor(db, MazeOf(place), floor, cells);
    }
}

}  // namespace

std::string Where(const std::string& file, const toml::node& node, const std::string& what) {
    return file + " line " + std::to_string(node.source().begin.line) + ": " + what;
}

void ReadColumns(FieldVisitor& root, const toml::table& table, const std::string& file,
                 const ColumnTable& shape, std::span<int16_t> values) {
    ForEachRow(root, table, file, shape.Key, shape.Rows,
               [&](const toml::table& record, int row, const std::string& where) {
                   FieldVisitor f = FieldVisitor::Reading(record, where, *root.Diag());
                   f.Claim("row");
                   for (size_t c = 0; c < shape.Columns.size(); ++c) {
                       const Column& column = shape.Columns[c];
                       int32_t value = column.Offset;
                       f.Long(column.Key, value, column.Offset);
                       const int32_t stored = value - column.Offset;
                       if (stored < -32768 || stored > 32767) {
                           f.Error(column.Key, std::to_string(value) + " does not fit the table");
                           continue;
                       }
                       values[c * shape.Rows + static_cast<size_t>(row)] =
                           static_cast<int16_t>(stored);
                   }
                   f.Finish();
               });
}

void WriteColumns(std::string& out, const ColumnTable& shape, std::span<const int16_t> values) {
    for (size_t r = 0; r < shape.Rows; ++r) {
        TomlLines lines;
        FieldVisitor f = FieldVisitor::Writing(lines);
        for (size_t c = 0; c < shape.Columns.size(); ++c) {
            const Column& column = shape.Columns[c];
            int32_t value = values[c * shape.Rows + r] + column.Offset;
            f.Long(column.Key, value, column.Offset);
        }
        if (lines.empty()) continue;
        out += "\n[[" + std::string(shape.Key) + "]]\nrow = " + std::to_string(r) + "\n";
        AppendLines(out, lines);
    }
}

void ReadSources(const SourceFiles& files, ScenarioData& data, Diagnostics& diag) {
    Database& db = *data.Db;
    db = Database{};
    ReadToml(files, "items.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "items.toml", "item", Span(db.Items));
        ReadColumns(f, t, "items.toml", ChestTable, db.ChestItemTable);
    });
    ReadToml(files, "spells.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "spells.toml", "spell", Span(db.Spells));
    });
    ReadToml(files, "traps.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "traps.toml", "trap", Span(db.Traps));
    });
    ReadToml(files, "npc_trades.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "npc_trades.toml", "trade", Span(db.NpcTrades));
    });
    ReadToml(files, "skills.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "skills.toml", "skill", Span(db.Skills));
    });
    ReadToml(files, "quests.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "quests.toml", "quest", Span(db.Quests));
    });
    ReadToml(files, "talks.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "talks.toml", "talk", Span(db.Talks));
    });
    ReadToml(files, "events.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadEvents(f, t, "events.toml", Span(db.Events));
    });
    ReadToml(files, "tables.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadColumns(f, t, "tables.toml", AlchemySource, db.AlchemyTable);
        ReadColumns(f, t, "tables.toml", FusionSource, db.FusionTable);
        ReadColumns(f, t, "tables.toml", AttributeTable, db.MonsterAttributeTable);
        f.Array("SpareIntegerTable", db.SpareIntegerTable);
        ReadRecords(f, t, "tables.toml", "spare_record", Span(db.SpareRecords));
    });
    ReadToml(files, "monsters.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "monsters.toml", "monster", Span(db.Monsters));
    });
    ReadToml(files, "monster_actions.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadRecords(f, t, "monster_actions.toml", "action", Span(db.MonsterActions));
    });
    ReadToml(files, "encounters.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
        ReadColumns(f, t, "encounters.toml", EncounterSource, Span(db.EncounterTable));
    });
    ReadMaps(files, db, diag);

    data.NewGame.reset();
    if (files.count("newgame.toml") != 0) {
        data.NewGame = std::make_unique<SavedState>();
        SavedState& save = *data.NewGame;
        ReadToml(files, "newgame.toml", diag, [&](FieldVisitor& f, const toml::table& t) {
            VisitNewGameFields(f, save);
            ReadColumns(f, t, "newgame.toml", TreasureTable, save.TreasureSpots);
            ReadRecords(f, t, "newgame.toml", "character", Span(save.Roster));
        });
    }
    data.Ini.reset();
    if (auto ini = files.find("KVR.ini"); ini != files.end()) data.Ini = ini->second;

    for (const auto& [name, text] : files) {
        static constexpr std::array<std::string_view, 14> Known = {
            "items.toml",   "spells.toml",   "traps.toml",           "npc_trades.toml",
            "skills.toml",  "quests.toml",   "talks.toml",           "events.toml",
            "tables.toml",  "monsters.toml", "monster_actions.toml", "encounters.toml",
            "newgame.toml", "KVR.ini"};
        const bool known = std::find(Known.begin(), Known.end(), name) != Known.end();
        if (!known && name.rfind("maps/", 0) != 0 && name.ends_with(".toml")) {
            diag.Error(name + ": not a file of a scenario source (see scenario/README.md)");
        }
    }
}

SourceFiles WriteSources(const ScenarioData& data) {
    const Database& db = *data.Db;
    SourceFiles files;
    auto put = [&](const char* name, std::string text) {
        if (!text.empty()) files[name] = std::move(text);
    };
    std::string text;
    WriteRecords(text, "item", Span(db.Items));
    WriteColumns(text, ChestTable, db.ChestItemTable);
    put("items.toml", std::exchange(text, {}));
    WriteRecords(text, "spell", Span(db.Spells));
    put("spells.toml", std::exchange(text, {}));
    WriteRecords(text, "trap", Span(db.Traps));
    put("traps.toml", std::exchange(text, {}));
    WriteRecords(text, "trade", Span(db.NpcTrades));
    put("npc_trades.toml", std::exchange(text, {}));
    WriteRecords(text, "skill", Span(db.Skills));
    put("skills.toml", std::exchange(text, {}));
    WriteRecords(text, "quest", Span(db.Quests));
    put("quests.toml", std::exchange(text, {}));
    WriteRecords(text, "talk", Span(db.Talks));
    put("talks.toml", std::exchange(text, {}));
    WriteEvents(text, Span(db.Events));
    put("events.toml", std::exchange(text, {}));

    TomlLines spare;
    FieldVisitor spareWriter = FieldVisitor::Writing(spare);
    std::array<int16_t, SpareIntegerElements> spareTable = db.SpareIntegerTable;
    spareWriter.Array("SpareIntegerTable", spareTable);
    AppendLines(text, spare);
    WriteColumns(text, AlchemySource, db.AlchemyTable);
    WriteColumns(text, FusionSource, db.FusionTable);
    WriteColumns(text, AttributeTable, db.MonsterAttributeTable);
    WriteRecords(text, "spare_record", Span(db.SpareRecords));
    put("tables.toml", std::exchange(text, {}));

    WriteRecords(text, "monster", Span(db.Monsters));
    put("monsters.toml", std::exchange(text, {}));
    WriteRecords(text, "action", Span(db.MonsterActions));
    put("monster_actions.toml", std::exchange(text, {}));
    WriteColumns(text, EncounterSource, Span(db.EncounterTable));
    put("encounters.toml", std::exchange(text, {}));

    for (int maze = 0; maze < MazeCount; ++maze) {
        for (int floor = 0; floor < MazeFloors; ++floor) {
            const FloorCells cells = GetFloor(db, maze, floor);
            if (cells.Empty()) continue;
            const int place = maze + FirstMazePlace;
            files[FloorFileName(place, floor)] = "; place " + std::to_string(place) + ", floor " +
                                                 std::to_string(floor) + "\n" + WriteFloor(cells);
        }
    }

    if (data.NewGame) {
        SavedState save = *data.NewGame;
        TomlLines lines;
        FieldVisitor f = FieldVisitor::Writing(lines);
        VisitNewGameFields(f, save);
        text = "# The new-game save (KVR1.DAT).\n";
        AppendLines(text, lines);
        WriteColumns(text, TreasureTable, save.TreasureSpots);
        WriteRecords(text, "character", Span(std::as_const(save.Roster)));
        files["newgame.toml"] = std::move(text);
    }
    if (data.Ini) files["KVR.ini"] = *data.Ini;
    return files;
}

}  // namespace kv::kvrdata
