#pragma once
// Everything the game holds for the whole run lives here: one object that main
// creates once and each test creates fresh. The database tables are read once
// at start-up; the saved state is what the save file holds; the party and
// frame state are the run's own. Big tables are vectors so a Game can live
// anywhere, the stack of a test included.
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/BattleState.h"
#include "core/ClassRaceTables.h"
#include "core/Creature.h"
#include "core/EventRecord.h"
#include "core/FloorLayers.h"
#include "core/ItemRecords.h"
#include "core/MazeEvents.h"
#include "core/PartyBits.h"
#include "core/Random.h"
#include "core/Settings.h"
#include "core/TableRecords.h"

namespace kv {

// Table sizes, as the files lay them out (rows 0..N-1).
inline constexpr int ItemRows = 2001;
inline constexpr int MonsterRows = 2001;
inline constexpr int RosterRows = 51;
inline constexpr int SpellRows = 201;
inline constexpr int TrapRows = 51;
inline constexpr int NpcTradeRows = 21;
inline constexpr int SkillRows = 301;
inline constexpr int QuestRows = 101;
inline constexpr int EventRows = 501;
inline constexpr int TalkRows = 101;
inline constexpr int MonsterActionRows = 501;
inline constexpr int SpareRecordRows = 51;
inline constexpr int ChestItemElements = 102;
inline constexpr int AlchemyElements = 484;
inline constexpr int FusionElements = 549;
inline constexpr int SpareIntegerElements = 143;
inline constexpr int MonsterAttributeElements = 111;
inline constexpr int EncounterElements = 14007;
inline constexpr int MapElements = 70400;  // 8 mazes x 22 floors x 20 x 20
inline constexpr int EventFlagCount = 101;
inline constexpr int TreasureSpotElements = 306;

// The read-only content of the scenario: the four database files.
struct Database {
    std::vector<ItemDef> Items = std::vector<ItemDef>(ItemRows);
    std::array<int16_t, ChestItemElements> ChestItemTable{};

    std::vector<SpellDef> Spells = std::vector<SpellDef>(SpellRows);
    std::vector<TrapDef> Traps = std::vector<TrapDef>(TrapRows);
    std::array<int16_t, AlchemyElements> AlchemyTable{};
    std::array<int16_t, FusionElements> FusionTable{};
    std::vector<NpcTradeDef> NpcTrades = std::vector<NpcTradeDef>(NpcTradeRows);
    std::vector<SkillDef> Skills = std::vector<SkillDef>(SkillRows);
    std::array<int16_t, SpareIntegerElements> SpareIntegerTable{};
    std::array<int16_t, MonsterAttributeElements> MonsterAttributeTable{};
    std::vector<QuestDef> Quests = std::vector<QuestDef>(QuestRows);
    std::vector<EventDef> Events = std::vector<EventDef>(EventRows);
    std::vector<TalkDef> Talks = std::vector<TalkDef>(TalkRows);

    std::vector<Creature> Monsters = std::vector<Creature>(MonsterRows);
    std::vector<int16_t> EncounterTable = std::vector<int16_t>(EncounterElements);
    std::vector<MonsterActionDef> MonsterActions = std::vector<MonsterActionDef>(MonsterActionRows);
    std::vector<SpareRecord> SpareRecords = std::vector<SpareRecord>(SpareRecordRows);

    // The three map layers, element (maze, floor, y, x) at maze + 8*floor + 176*y + 3520*x.
    std::array<std::vector<int16_t>, 3> MapLayers{std::vector<int16_t>(MapElements),
                                                  std::vector<int16_t>(MapElements),
                                                  std::vector<int16_t>(MapElements)};
};

// What the save file holds, in its order.
struct SavedState {
    std::array<int32_t, EventFlagCount> EventFlags{};
    int16_t LunaCount = 0;
    int16_t ArtemisCount = 0;
    std::vector<int32_t> MonsterKillCount = std::vector<int32_t>(MonsterRows);
    std::vector<int32_t> ItemFound = std::vector<int32_t>(ItemRows);
    std::vector<int32_t> Stock = std::vector<int32_t>(ItemRows);
    std::array<int16_t, TreasureSpotElements> TreasureSpots{};
    // Automap, element (maze, floor, x, y) at maze + 8*floor + 176*x + 3520*y.
    std::vector<int16_t> SeenWalls = std::vector<int16_t>(MapElements);
    std::vector<int16_t> SeenDoors = std::vector<int16_t>(MapElements);
    std::array<int32_t, QuestRows> QuestState{};
    std::vector<Creature> Roster = std::vector<Creature>(RosterRows);
};

struct Game : Database, SavedState {
    Random Rng;
    std::filesystem::path DataFolder;  // the scenario: database files, pictures
    std::filesystem::path SaveFolder;  // the save file and the settings file
    Settings Config;                   // KVR.ini: scene music, options

    std::array<ClassDef, 21> Classes = BuildClassTable();
    std::array<RaceDef, 11> Races = BuildRaceTable();

    // The party and where it is.
    int16_t PartyCount = 0;
    int16_t CurrentPartyNo = 0;
    std::array<int16_t, 51> PartyList{};
    int16_t CurrentChar = 0;
    int32_t CurrentPlace = 1;
    int16_t CurrentFloor = 0;
    int16_t PartyX = 0;
    int16_t PartyY = 0;
    int16_t PartyFacing = 0;
    int16_t LastX = 0;
    int16_t LastY = 0;
    int16_t PartyCursor = 1;     // the member the party window points at (1..PartyCount)
    int32_t PartyEffects = 0;    // party-wide spells in force (PartyEffect bits)
    int32_t PartyBlessings = 0;  // blessings in force (PartyBlessing bits)

    // The battle under way (or the last one fought).
    BattleState Battle;

    // The maze: the current floor's walls and doors, the floor's encounters,
    // the events built from the event rows, and who has the keys.
    FloorLayers Layers;
    std::vector<int16_t> FloorMonsters;  // encounter numbers of this floor
    int16_t EncounterRate = 2;
    int16_t EncounterBase = 0;
    int32_t StepCounter = 0;  // steps since the last random encounter
    int16_t LastEventResult = 0;
    int16_t ScreenState = ScreenStates::Map;  // who has the keys in the maze
    std::vector<EventClass> MazeEvents;
    int16_t CurrentPerson = 0;
    bool SpecialEncounterUsed = false;  // once per run
    // The chest in front of the party: its trap, the item level of the last
    // battle chest (a hidden chest keeps it) and the hidden chest's own level
    // (0 for a battle chest); the trap list opens where it was left.
    TrapDef ChestTrap;
    int32_t ChestItemLevel = 0;
    int16_t ChestLevel = 0;
    int16_t LastTrapPicked = 0;

    // Which purpose the roster list window was last opened for.
    int16_t RosterListMode = 0;

    // The main window's frame.
    int32_t MenuState = 0;
    float StartTime = 0;  // seconds since midnight when start-up finished

    // When the save's backups last moved along, on the run's clock (-1: not yet).
    int64_t BackupsMovedAtMs = -1;
    // A save trouble has been told and not yet cleared by a good save: saves
    // come with every message, and the player hears of a trouble once.
    bool SaveTroubleTold = false;

    // The character of roster slot 1..50, or nullptr outside the roster.
    Creature* Character(int slot) {
        if (slot < 1 || slot >= static_cast<int>(Roster.size())) return nullptr;
        return &Roster[static_cast<size_t>(slot)];
    }
    const Creature* Character(int slot) const { return const_cast<Game*>(this)->Character(slot); }
    // The member at marching position 1..PartyCount; nullptr for a position
    // outside the party or a list entry that names no roster slot.
    Creature* Member(int position) {
        if (position < 1 || position > PartyCount || position >= static_cast<int>(PartyList.size()))
            return nullptr;
        return Character(PartyList[static_cast<size_t>(position)]);
    }
    const Creature* Member(int position) const { return const_cast<Game*>(this)->Member(position); }
};

}  // namespace kv
