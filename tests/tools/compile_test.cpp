// Hand-written sources compile into files the game's own loader reads back
// with the values written; mistakes in sources are named with file and line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "MapArt.h"
#include "Scenario.h"
#include "core/AtomicFile.h"
#include "core/Database.h"
#include "core/SaveFile.h"
#include "tools/SampleSources.h"

namespace kv::kvrdata {
namespace {

namespace fs = std::filesystem;

class CompileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("korvane-kvrdata-" + std::string(info->name()) + "-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

TEST_F(CompileTest, TheGameReadsBackWhatTheSourcesSay) {
    Diagnostics diag;
    ScenarioData data;
    ReadSources(SmallScenario(), data, diag);
    ASSERT_TRUE(diag.Ok()) << diag.Errors.front();
    ASSERT_TRUE(SaveFiles(DataFileBytes(data), dir_, diag));

    auto game = std::make_unique<Game>();
    ASSERT_TRUE(LoadDatabase(*game, dir_, true).Ok());
    const ItemDef& sword = game->Items[12];
    EXPECT_EQ(sword.Id, 12);  // defaults to the row
    EXPECT_EQ(sword.Name, "ロングソード");
    EXPECT_EQ(sword.UnidentifiedName, "剣");
    EXPECT_EQ(sword.Price, 25);
    EXPECT_EQ(sword.WeaponDice, (std::array<uint8_t, 3>{1, 8, 0}));
    EXPECT_EQ(sword.ItemResist[15], 100);
    EXPECT_EQ(game->Items[11].Id, 0);  // rows not given stay empty
    EXPECT_EQ(game->ChestItemTable[1], 2);
    EXPECT_EQ(game->ChestItemTable[52], 12);
    EXPECT_EQ(game->Spells[1].Code, 1);
    EXPECT_EQ(game->Spells[1].Name, "火の玉");  // alternative names asked for

    const Creature& slime = game->Monsters[3];
    EXPECT_EQ(slime.Name, "スライム");
    EXPECT_DOUBLE_EQ(slime.Exp, 12.5);
    EXPECT_EQ(slime.HPDice, (std::array<int32_t, 3>{2, 4, 1}));
    EXPECT_EQ(slime.Actions[1], 1);
    EXPECT_EQ(slime.Actions[20], 1);
    EXPECT_EQ(slime.DropItem(), 12);
    EXPECT_EQ(slime.DropChance(), 10);
    EXPECT_EQ(game->MonsterActions[1].Message, "なぐった");
    EXPECT_EQ(game->EncounterTable[1], 7);
    EXPECT_EQ(game->EncounterTable[MonsterRows + 1], 1);  // place code 21 stored minus 20
    EXPECT_EQ(game->EncounterTable[3 * MonsterRows + 1], 3);
    EXPECT_EQ(game->NpcTrades[2].TradeItems[1], 12);
    EXPECT_FLOAT_EQ(game->NpcTrades[2].TradeSellFactor, 0.5f);
    EXPECT_EQ(game->Quests[1].QuestTitle, "剣を探せ");
    EXPECT_EQ(game->Quests[1].QuestTextCodes[201], 12);
    EXPECT_EQ(game->Talks[1].TalkTopic, "剣");
    EXPECT_EQ(game->Talks[1].TalkText, "北||南");

    // Events: rows from 1 on, IDs counting up unless given.
    EXPECT_EQ(game->Events[1].ID, 1);
    EXPECT_EQ(game->Events[1].EventCase, 5);
    EXPECT_EQ(game->Events[1].Kind, 14);
    EXPECT_EQ(game->Events[1].ContentId, 1);
    EXPECT_EQ(game->Events[2].ID, 5);
    EXPECT_EQ(game->Events[3].ID, 5);
    EXPECT_EQ(game->Events[3].Dungeon, 21);  // the event's keys go into every row
    EXPECT_EQ(game->Events[3].X, 2);
    EXPECT_EQ(game->Events[2].Message, "上へ？");
    EXPECT_EQ(game->Events[3].ContentId, 2);
    EXPECT_EQ(game->Events[3].LocX, 5);
    EXPECT_EQ(game->Events[4].ID, 0);

    // Map: the door east of (0,0) is in both cells, the hidden door south of (0,0) too.
    EXPECT_EQ(WallMap(*game, 1, 1, 0, 0), EdgeNorth | EdgeWest | EdgeEast);
    EXPECT_EQ(DoorMap(*game, 1, 1, 0, 0), EdgeEast | EdgeSouth);
    EXPECT_EQ(WallMap(*game, 1, 1, 1, 0), EdgeNorth | EdgeWest);
    EXPECT_EQ(DoorMap(*game, 1, 1, 1, 0), EdgeWest);
    EXPECT_EQ(DoorMap(*game, 1, 1, 0, 1), EdgeNorth);
    EXPECT_EQ(CellFlagMap(*game, 1, 1, 1, 1), DarkCell);
    EXPECT_EQ(WallMap(*game, 1, 1, 19, 19), EdgeSouth | EdgeEast);

    SavedState save;
    std::string error;
    const std::string saveBytes = ReadFileBytes(dir_ / SaveFileName, error).value_or("");
    Serializer s = Serializer::Loading(saveBytes);
    SyncSaveFile(s, save);
    EXPECT_EQ(save.Stock[12], 4);
    EXPECT_EQ(save.TreasureSpots[51 * 1 + 1], 21);
    EXPECT_EQ(save.TreasureSpots[51 * 5 + 1], 1);
    EXPECT_EQ(ReadFileBytes(dir_ / SettingsFileName, error).value_or(""),
              "[ダンジョン]\r\n描画= 1\r\n");
}

TEST_F(CompileTest, MistakesAreNamedWithFileLineAndKey) {
    const SourceFiles broken = {
        {"items.toml",
         "[[item]]\nrow = 1\nPrice = 1\nPrise = 2\n\n[[item]]\nrow = 2\n"
         "Kind = 70000\nName = "
         "\"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほま\"\n"},
        {"monsters.toml", "[[monster]]\nrow = 2001\n"},
        {"spells.toml", "[[spell]]\nrow = 1\nName = \"😀\"\n"},
        {"events.toml",
         "[[event]]\nrow = 10\n[[event.content]]\nKind = \"jmup\"\n"
         "[[event]]\nID = 1\n[[event.content]]\nKind = 4\n"
         "[[event]]\nrow = 500\n[[event.content]]\n[[event.content]]\n"},
        {"traps.toml", "[[trap\n"},
        {"maps/21-01.txt", FloorArt({{3, 3, '#'}, {5, 6, '?'}})},
        {"maps/29-01.txt", FloorArt({})},
    };
    Diagnostics diag;
    ScenarioData data;
    ReadSources(broken, data, diag);
    std::string all;
    for (const std::string& line : diag.Errors) all += line + "\n";
    for (const char* expected : {
             "items.toml line 1: item 1: unknown key Prise",
             "items.toml line 6: item 2 Kind: 70000 does not fit an Integer",
             "items.toml line 6: item 2 Name: 31 characters, at most 30 fit",
             "monsters.toml line 1: monster: needs row = 0..2000",
             "spells.toml line 1: spell 1 Name: the character 😀 cannot be stored",
             "events.toml line 3: event content 1 (row 10) Kind: unknown name \"jmup\"",
             "rows 500..501 do not fit the event table",
             "events.toml line 5: event: ID 1 is the ID of the event just before it",
             "traps.toml line 1",
             "maps/21-01.txt line 4 column 4: rock cell (1,1) needs a wall on all four sides",
             "maps/21-01.txt line 6 column 7: '?' is not an edge",
             "maps/29-01.txt: a floor file is named maps/PP-FF.txt",
         }) {
        EXPECT_NE(all.find(expected), std::string::npos) << "missing: " << expected << "\nin:\n"
                                                         << all;
    }
}

}  // namespace
}  // namespace kv::kvrdata
