// The four database files: sizes, reading every table back, decoding the
// coded texts, and reporting missing or short files.
#include "core/Database.h"

#include <gtest/gtest.h>

#include "common/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <random>

#include "core/NameCoding.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class DatabaseTest : public ::testing::Test {
  protected:
    void WriteAll(Database& db) {
        for (const DatabaseFile& file : DatabaseFiles()) {
            Serializer s = Serializer::Saving();
            file.Sync(s, db);
            testing::WriteBytes(dir_ / file.Name, s.Output());
        }
    }

    testing::TempFolder folder_{"kv-db"};
    const fs::path& dir_ = folder_.Path();
};

TEST_F(DatabaseTest, SizeConstantsAreWhatTheCodecLaysOut) {
    // Each file's tables, record by record, as the layout documents them.
    const size_t documented[] = {
        562281u + 204u,
        3819u + 357 + 968 + 1098 + 567 + 87892 + 286 + 222 + 51712 + 321141 + 92112,
        4046022u + 28014 + 41583 + 1122,
        3u * 140800,
    };
    const std::vector<DatabaseFile>& files = DatabaseFiles();
    ASSERT_EQ(files.size(), std::size(documented));
    auto blank = std::make_unique<Database>();
    for (size_t i = 0; i < files.size(); ++i) {
        Serializer s = Serializer::Saving();
        files[i].Sync(s, *blank);
        EXPECT_EQ(files[i].MinimumSize, s.Output().size()) << files[i].Name;
        EXPECT_EQ(files[i].MinimumSize, documented[i]) << files[i].Name;
    }
}

TEST_F(DatabaseTest, EveryTableReadsBackWhatWasWritten) {
    auto written = std::make_unique<Database>();
    std::mt19937 rng(99);
    auto r16 = [&] { return static_cast<int16_t>(rng()); };
    written->Items[2000].Price = 123456;
    written->Items[7].WeaponDice = {2, 6, 1};
    written->ChestItemTable[101] = r16();
    written->Spells[200].AltName = "ティルトウェイト";
    written->Traps[50].TrapName = "毒針";
    written->AlchemyTable[483] = r16();
    written->FusionTable[548] = r16();
    written->NpcTrades[20].TradeItems[10] = 1999;
    written->Skills[300].SkillLevels[20] = 99;
    written->SpareIntegerTable[142] = r16();
    written->MonsterAttributeTable[110] = r16();
    written->Quests[100].QuestTextCodes[201] = 252;
    written->Events[500].DC = -5;
    written->Talks[100].TalkCodes[451] = 0;
    written->Monsters[2000].HPDice = {10, 8, 20};
    written->EncounterTable[14006] = r16();
    written->MonsterActions[500].ActionKind = 17;
    written->SpareRecords[50].Text3 = "予備";
    for (auto& layer : written->MapLayers) layer[70399] = r16();
    WriteAll(*written);

    auto game = std::make_unique<Game>();
    const DatabaseReport report = LoadDatabase(*game, dir_, false);
    ASSERT_TRUE(report.Ok()) << report.Problems.front();
    EXPECT_EQ(game->Items[2000].Price, 123456);
    EXPECT_EQ(game->Items[7].WeaponDice, written->Items[7].WeaponDice);
    EXPECT_EQ(game->ChestItemTable, written->ChestItemTable);
    EXPECT_EQ(game->Spells[200].AltName, "ティルトウェイト");
    EXPECT_EQ(game->Traps[50].TrapName, "毒針");
    EXPECT_EQ(game->AlchemyTable, written->AlchemyTable);
    EXPECT_EQ(game->FusionTable, written->FusionTable);
    EXPECT_EQ(game->NpcTrades[20].TradeItems[10], 1999);
    EXPECT_EQ(game->Skills[300].SkillLevels[20], 99);
    EXPECT_EQ(game->SpareIntegerTable, written->SpareIntegerTable);
    EXPECT_EQ(game->MonsterAttributeTable, written->MonsterAttributeTable);
    EXPECT_EQ(game->Quests[100].QuestTextCodes[201], 252);
    EXPECT_EQ(game->Events[500].DC, -5);
    EXPECT_EQ(game->Monsters[2000].HPDice, written->Monsters[2000].HPDice);
    EXPECT_EQ(game->EncounterTable, written->EncounterTable);
    EXPECT_EQ(game->MonsterActions[500].ActionKind, 17);
    EXPECT_EQ(game->SpareRecords[50].Text3, "予備");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(game->MapLayers[i], written->MapLayers[i]) << i;
}

TEST_F(DatabaseTest, CodedTextsAreDecodedAfterWhateverTheStringHeld) {
    auto db = std::make_unique<Database>();
    db->Monsters[1].Name = "大";  // text in the file's String field comes first
    EncodeName("スライム", db->Monsters[1].NameCodes, 1, 50);
    EncodeName("ゲル", db->Monsters[1].SubNameCodes, 1, 20);
    // A zero inside a coded name is skipped, not an end.
    EncodeName("ab", db->Items[3].NameCodes, 1, 2);
    EncodeName("cd", db->Items[3].NameCodes, 4, 5);
    EncodeName("？", db->Items[3].UnidentifiedNameCodes, 1, 20);
    EncodeName("話題", db->Talks[2].TalkCodes, 1, 50);
    EncodeName("本文", db->Talks[2].TalkCodes, 52, 451);
    EncodeName("題", db->Quests[4].QuestTitleCodes, 1, 50);
    EncodeName("文", db->Quests[4].QuestTextCodes, 1, 200);
    EncodeName("説明", db->Skills[89].SkillTextCodes, 1, 100);
    EncodeName("扉が開いた", db->Events[9].MessageCodes, 1, 200);
    // Row 0 is never decoded.
    EncodeName("無", db->Items[0].NameCodes, 1, 30);
    db->Spells[5].Name = "ハリト";
    db->Spells[5].AltName = "ファイア";
    WriteAll(*db);

    auto game = std::make_unique<Game>();
    ASSERT_TRUE(LoadDatabase(*game, dir_, false).Ok());
    EXPECT_EQ(game->Monsters[1].Name, "大スライム");
    EXPECT_EQ(game->Monsters[1].SubName, "ゲル");
    EXPECT_EQ(game->Items[3].Name, "abcd");
    EXPECT_EQ(game->Items[3].UnidentifiedName, "？");
    EXPECT_EQ(game->Items[0].Name, "");
    EXPECT_EQ(game->Talks[2].TalkTopic, "話題");
    EXPECT_EQ(game->Talks[2].TalkText, "本文");
    EXPECT_EQ(game->Quests[4].QuestTitle, "題");
    EXPECT_EQ(game->Quests[4].QuestText, "文");
    EXPECT_EQ(game->Skills[89].SkillText, "説明");
    EXPECT_EQ(game->Events[9].Message, "扉が開いた");
    EXPECT_EQ(game->Spells[5].Name, "ハリト") << "the alternative name shows only when asked for";

    ASSERT_TRUE(LoadDatabase(*game, dir_, true).Ok());
    EXPECT_EQ(game->Spells[5].Name, "ファイア");
    EXPECT_EQ(game->Monsters[1].Name, "大スライム") << "a second load must not decode twice";
}

TEST_F(DatabaseTest, MissingAndShortFilesAreNamedWithTheSizeTheyNeed) {
    auto db = std::make_unique<Database>();
    db->Items[1].Price = 50;
    db->MapLayers[2][5] = 7;
    db->Monsters[2000].Level = 9;
    WriteAll(*db);
    auto game = std::make_unique<Game>();
    ASSERT_TRUE(LoadDatabase(*game, dir_, false).Ok());
    ASSERT_EQ(game->MapLayers[2][5], 7);

    fs::remove(dir_ / "KVR6.DAT");
    fs::resize_file(dir_ / "KVR5.DAT", 1000);
    const DatabaseReport report = LoadDatabase(*game, dir_, false);
    ASSERT_EQ(report.Problems.size(), 2u);
    EXPECT_NE(report.Problems[0].find("KVR5.DAT"), std::string::npos);
    EXPECT_NE(report.Problems[0].find("4 116 741"), std::string::npos) << report.Problems[0];
    EXPECT_NE(report.Problems[1].find("KVR6.DAT"), std::string::npos);
    EXPECT_NE(report.Problems[1].find("422 400"), std::string::npos) << report.Problems[1];
    EXPECT_EQ(game->Items[1].Price, 50) << "the good files are still read";
    // Nothing of the earlier load survives in the tables of a missing or short file.
    EXPECT_EQ(game->MapLayers[2][5], 0);
    EXPECT_EQ(game->Monsters[2000].Level, 0);
}

}  // namespace
}  // namespace kv
