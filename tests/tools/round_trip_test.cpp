// Decompiling any valid set of data files and compiling the sources again
// gives the same bytes: random values in every field (NaN floats, odd coded
// texts, unmirrored walls, scattered event rows) included.
#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <random>
#include <set>

#include "Scenario.h"
#include "core/Database.h"
#include "core/MazeMap.h"
#include "core/NameCoding.h"
#include "core/SaveFile.h"

namespace kv::kvrdata {
namespace {

// Bytes laid out as layout says, every value random and every String a
// short random byte string (any bytes: the CP932 codec must keep them).
std::string RandomBytes(const Layout& layout, std::mt19937& rng) {
    std::string out;
    for (const FieldInfo& field : layout) {
        if (field.Type == "String") {
            const auto length = static_cast<char>(rng() % 6);
            out += length;
            out += '\0';
            for (char i = 0; i < length; ++i) out += static_cast<char>(rng());
        } else {
            for (size_t i = 0; i < field.Size; ++i) out += static_cast<char>(rng());
        }
    }
    return out;
}

template <class Sync, class State>
void FillRandom(Sync sync, State& state, std::mt19937& rng) {
    auto blank = std::make_unique<State>();
    Serializer describe = Serializer::Describing();
    sync(describe, *blank);
    const std::string bytes = RandomBytes(describe.Fields(), rng);
    Serializer load = Serializer::Loading(bytes);
    sync(load, state);
    ASSERT_FALSE(load.Short());
}

// Keeps a few rows of a big table (the first, the last and some between) so
// the sources stay small; the rest go back to all zero.
template <class R>
void KeepSomeRows(std::vector<R>& rows, std::mt19937& rng) {
    std::set<size_t> keep = {0, 1, 2, rows.size() - 1};
    for (int i = 0; i < 4; ++i) keep.insert(rng() % rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        if (keep.count(r) == 0) rows[r] = R{};
    }
}

void ExpectSameFiles(const std::map<std::string, std::string>& expected,
                     const std::map<std::string, std::string>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (const auto& [name, bytes] : expected) {
        ASSERT_EQ(actual.count(name), 1u) << name;
        const std::string& other = actual.at(name);
        EXPECT_EQ(bytes.size(), other.size()) << name;
        EXPECT_TRUE(bytes == other)
            << name << " differs at " << FirstDifference(bytes, other, Layout{});
    }
}

// Decompiles the data files and compiles the sources again.
std::map<std::string, std::string> RoundTrip(const std::map<std::string, std::string>& bytes,
                                             SourceFiles* sourcesOut = nullptr) {
    Diagnostics diag;
    ScenarioData read;
    ReadDataFiles(bytes, read, diag);
    EXPECT_TRUE(diag.Ok());
    EXPECT_TRUE(diag.Warnings.empty());
    const SourceFiles sources = WriteSources(read);
    ScenarioData compiled;
    ReadSources(sources, compiled, diag);
    EXPECT_TRUE(diag.Ok()) << (diag.Errors.empty() ? "" : diag.Errors.front());
    if (sourcesOut != nullptr) *sourcesOut = sources;
    return DataFileBytes(compiled);
}

TEST(RoundTripTest, RandomDataInEveryFieldComesBackByteForByte) {
    for (unsigned seed : {1u, 2u}) {
        std::mt19937 rng(seed);
        ScenarioData data;
        Database& db = *data.Db;
        for (const DatabaseFile& file : DatabaseFiles()) FillRandom(file.Sync, db, rng);
        KeepSomeRows(db.Items, rng);
        KeepSomeRows(db.Skills, rng);
        KeepSomeRows(db.Quests, rng);
        KeepSomeRows(db.Talks, rng);
        KeepSomeRows(db.Monsters, rng);
        KeepSomeRows(db.MonsterActions, rng);
        // Runs of rows sharing an ID make multi-row events, some at odd rows.
        for (size_t r = 0; r < db.Events.size(); ++r) db.Events[r].ID = static_cast<int16_t>(r / 3);
        db.Events[7].ID = 0;
        KeepSomeRows(db.Events, rng);
        for (size_t r = 40; r < 46; ++r) {
            db.Events[r] = db.Events[2];
            db.Events[r].ID = 9;
        }

        // Floating values TOML cannot write as numbers, and the awkward ones it can.
        db.Monsters[1].Gold = std::bit_cast<double>(uint64_t{0x7FF80000DEADBEEF});
        db.Monsters[1].Exp = -std::numeric_limits<double>::infinity();
        db.Monsters[2].Gold = std::numeric_limits<double>::denorm_min();
        db.Monsters[2].Exp = -0.0;
        db.NpcTrades[1].TradeSellFactor = std::bit_cast<float>(uint32_t{0xFFC00123});
        db.NpcTrades[2].TradeSellFactor = 0.1f;

        data.NewGame = std::make_unique<SavedState>();
        FillRandom(SyncSaveFile, *data.NewGame, rng);
        KeepSomeRows(data.NewGame->Roster, rng);
        data.Ini = std::string("[\x83\x61]\r\nkey= value\r\n\xFF");

        const auto bytes = DataFileBytes(data);
        ExpectSameFiles(bytes, RoundTrip(bytes));
    }
}

TEST(RoundTripTest, ReadableDataComesBackThroughTheFriendlyForms) {
    ScenarioData data;
    Database& db = *data.Db;
    EncodeName("ロングソード", db.Items[5].NameCodes, 1, 30);
    db.Items[5].Id = 5;
    db.Items[5].Price = 250;
    EncodeName("はい", db.Quests[3].QuestTitleCodes, 1, 50);
    db.Quests[3].QuestTextCodes[201] = 5;
    EncodeName("宝", db.Talks[1].TalkCodes, 1, 50);
    EncodeName("ここにある||またね", db.Talks[1].TalkCodes, 52, 451);
    EncodeName("Lv.1", db.Monsters[1].NameCodes, 1, 50);
    db.Monsters[1].Gold = 0.1;
    db.Monsters[1].Exp = -0.0;
    db.Monsters[1].DropItem() = 5;
    db.Events[1] = EventDef{};
    db.Events[1].ID = 1;
    db.Events[1].Kind = 4;
    EncodeName("\"引用\"\\\n\t", db.Events[1].MessageCodes, 1, 200);
    db.MapLayers[0][0] = 9;  // north-west corner cell of place 20, floor 0: walls N and W
    data.NewGame = std::make_unique<SavedState>();
    data.NewGame->Stock[5] = 3;
    data.NewGame->SeenWalls.assign(MapElements, Unseen);
    data.NewGame->SeenDoors.assign(MapElements, Unseen);
    SetSeenWalls(*data.NewGame, 1, 2, 3, 4, 9);

    const auto bytes = DataFileBytes(data);
    SourceFiles sources;
    ExpectSameFiles(bytes, RoundTrip(bytes, &sources));
    EXPECT_NE(sources["items.toml"].find("Name = \"ロングソード\""), std::string::npos);
    EXPECT_NE(sources["quests.toml"].find("RewardItem = 5"), std::string::npos);
    EXPECT_NE(sources["talks.toml"].find("TalkText = \"ここにある||またね\""), std::string::npos);
    EXPECT_NE(sources["monsters.toml"].find("DropItem = 5"), std::string::npos);
    EXPECT_NE(sources["monsters.toml"].find("Exp = -0.0"), std::string::npos);
    EXPECT_NE(sources["events.toml"].find("Kind = \"message\""), std::string::npos);
    EXPECT_NE(sources["newgame.toml"].find("Stock = { 5 = 3 }"), std::string::npos);
    // The automap is written as the cells seen, the unseen ones left out.
    EXPECT_NE(sources["newgame.toml"].find("SeenWalls = { 14625 = 9 }"), std::string::npos);
    EXPECT_EQ(sources["newgame.toml"].find("SeenDoors"), std::string::npos);
    EXPECT_EQ(sources["maps/20-00.txt"].find("walls"), std::string::npos);  // drawn, not numbers
}

TEST(RoundTripTest, CodesThatDoNotComeBackFromTheirTextAreKeptRaw) {
    ScenarioData data;
    Database& db = *data.Db;
    db.Items[1].Id = 1;
    db.Items[1].NameCodes[1] = 1 ^ NameCodeKey;  // 'A'-like code, then a gap
    db.Items[1].NameCodes[3] = 0x41 ^ NameCodeKey;
    db.Items[2].Id = 2;
    db.Items[2].NameCodes[0] = 7;  // element 0 is not part of the text
    const auto bytes = DataFileBytes(data);
    SourceFiles sources;
    ExpectSameFiles(bytes, RoundTrip(bytes, &sources));
    EXPECT_NE(sources["items.toml"].find("NameCodes = "), std::string::npos);
}

TEST(RoundTripTest, MissingAndShortDataFilesAreNamed) {
    ScenarioData data;
    auto bytes = DataFileBytes(data);
    bytes.erase("KVR3.DAT");
    bytes["KVR4.DAT"].resize(100);
    bytes["KVR6.DAT"] += "xy";
    Diagnostics diag;
    ReadDataFiles(bytes, data, diag);
    ASSERT_EQ(diag.Errors.size(), 1u);
    EXPECT_EQ(diag.Errors[0], "KVR3.DAT is missing");
    ASSERT_EQ(diag.Warnings.size(), 2u);
    EXPECT_NE(diag.Warnings[0].find("KVR4.DAT is short: 100 bytes of 560174"), std::string::npos)
        << diag.Warnings[0];
    EXPECT_EQ(diag.Warnings[1], "KVR6.DAT has 2 bytes after its tables; they are not kept");
    EXPECT_EQ(data.NewGame, nullptr);
}

}  // namespace
}  // namespace kv::kvrdata
