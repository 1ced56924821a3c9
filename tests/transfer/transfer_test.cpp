// Rebirth from each earlier scenario's save file: what comes along, what is
// rolled anew, the completion marks, the caps and the refusals.
#include "transfer/TransferCharacter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>

#include "common/TestFiles.h"
#include "core/ScriptedPlayer.h"
#include "transfer/OldSaveImage.h"

namespace kv {
namespace {

using namespace kv::testing;

constexpr int32_t Elf = 2, Priest = 4, Fighter = 1, Wizard = 2, Sage = 16, Mutant = 512;

struct TransferFixture {
    TempFolder Saves{"kv-transfer-saves"};
    TempFolder Data{"kv-transfer-data"};
    std::unique_ptr<Game> TheGame = std::make_unique<Game>();
    ScriptedPlayer Player;

    TransferFixture() {
        TheGame->SaveFolder = Saves.Path();
        TheGame->DataFolder = Data.Path();
        TheGame->Rng.Seed(42);
    }

    Game& G() { return *TheGame; }

    // Writes the source's file into the save folder with these records.
    void Write(int source, const std::vector<OldRecordValues>& records) {
        const TransferSource& s = TransferSources[static_cast<size_t>(source - 1)];
        WriteBytes(Saves / std::string(s.FileName), OldSaveFile(s, records));
    }

    // Picks the scenario and the record; returns the slot filled.
    int Import(int source, int record) {
        Player.Pick(source).Pick(record);
        return TransferCharacter(G(), Player);
    }
};

int CountKnown(const Creature& c, int school) {
    int known = 0;
    for (int l = 1; l < kSpellLevels; ++l) {
        for (int j = 1; j < kSpellSlots; ++j) known += c.Spell(school, l, j) != 0;
    }
    return known;
}

std::set<int> InsigniaSet(const Creature& c) {
    std::set<int> set;
    for (size_t i = 0; i < c.Insignia.size(); ++i) {
        if (c.Insignia[i] != 0) set.insert(static_cast<int>(i));
    }
    return set;
}

OldRecordValues Mina() {
    OldRecordValues v;
    v.Name = "ミナ";
    v.Race = Elf;
    v.Class = Priest;
    v.Sex = 2;
    v.Alignment = 1;
    v.Exp = 250000;
    v.Marks = 321;
    v.Stats = {11, 12, 13, 14, 15, 16};
    v.Flags = 0x3C;
    v.Walk = 777.5f;
    v.Agility = 17;
    v.Charm = 18;
    v.Escapes = 3;
    v.Victories = 4;
    v.StepCycles = 5;
    v.FirstInsignia = true;
    return v;
}

TEST(TransferCharacter, EachScenarioBringsItsCharacterOver) {
    struct Case {
        int Source;
        std::set<int> Insignia;
        double Walk;
        bool CarriesEverything;  // agility, charm and the counters come too
    };
    const Case cases[] = {
        {1, {}, 0, false},      {2, {}, 0, false},
        {3, {2}, 0, false},     {4, {3}, 0, false},
        {5, {4}, 777.5, false}, {6, {5}, 777.5, true},
        {7, {}, 777.5, false},  {8, {2, 3, 4, 6}, 777.5, false},
    };
    for (const Case& k : cases) {
        TransferFixture f;
        OldRecordValues first;
        first.Name = "Ari";
        f.Write(k.Source, {first, Mina()});
        f.G().Roster[1].Id = 1;  // slot 1 taken, slot 2 free
        f.G().Roster[1].Name = "Bob";

        ASSERT_EQ(f.Import(k.Source, 2), 2) << "scenario " << k.Source;
        const Creature& c = f.G().Roster[2];
        EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"ミナは転生しました"});
        EXPECT_EQ(c.Id, 2);
        EXPECT_EQ(c.Name, "ミナ");
        EXPECT_EQ(c.Level, 1);
        EXPECT_EQ(c.Race, Elf);
        EXPECT_EQ(c.Class, Priest);
        EXPECT_EQ(c.Sex, 2);
        EXPECT_EQ(c.Alignment, 1);
        EXPECT_EQ(c.Exp, 100000);  // the cap
        EXPECT_EQ(c.Marks, 321);
        EXPECT_EQ((std::array<int, 6>{c.Str, c.IQ, c.Piety, c.Vitality, c.Dexterity, c.Luck}),
                  (std::array<int, 6>{11, 12, 13, 14, 15, 16}));
        // An elf's agility and charm unless the record carries its own.
        EXPECT_EQ(c.Agility, k.CarriesEverything ? 17 : 8);
        EXPECT_EQ(c.Charm, k.CarriesEverything ? 18 : 10);
        EXPECT_EQ(c.Escapes, k.CarriesEverything ? 3 : 0);
        EXPECT_EQ(c.Victories, k.CarriesEverything ? 4 : 0);
        EXPECT_EQ(c.StepCycles, k.CarriesEverything ? 5 : 0);
        EXPECT_EQ(c.Walk, k.Walk) << "scenario " << k.Source;
        EXPECT_EQ(InsigniaSet(c), k.Insignia) << "scenario " << k.Source;

        // Rolled anew: age, gold, hit points (a priest's d15 + vitality 14 - 13).
        EXPECT_GE(c.Age, 13);
        EXPECT_LE(c.Age, 17);
        EXPECT_GE(c.Gold, 110);
        EXPECT_LE(c.Gold, 200);
        EXPECT_GE(c.MaxHP, 2);
        EXPECT_LE(c.MaxHP, 16);
        EXPECT_EQ(c.HP, c.MaxHP);
        // The elf's defences, and nothing carried, worn or suffered.
        EXPECT_EQ(c.BaseAC, 12);
        EXPECT_EQ(c.AC, 12);
        EXPECT_EQ(c.Resist[2], 3);
        EXPECT_EQ(c.DamageRate[5], 100);
        EXPECT_EQ(c.Status, 0);
        EXPECT_EQ(c.Floor, 0);
        EXPECT_EQ(c.Place, 0);
        for (const InventorySlot& slot : c.Items) EXPECT_EQ(slot.ItemId, 0);
        // A priest's first spells, and no others.
        EXPECT_GE(CountKnown(c, 1), 1);
        EXPECT_EQ(CountKnown(c, 0) + CountKnown(c, 2) + CountKnown(c, 3), 0);
        EXPECT_GE(c.MaxMPAt(1, 1), 1);
        EXPECT_LE(c.MaxMPAt(1, 1), 4);
        EXPECT_EQ(c.MPAt(1, 1), c.MaxMPAt(1, 1));
    }
}

TEST(TransferCharacter, MutantsOfThreeScenariosWereHumans) {
    const int32_t expected[] = {Mutant, Mutant, 1, 1, Mutant, Mutant, 1, Mutant};
    for (int source = 1; source <= TransferSourceCount; ++source) {
        TransferFixture f;
        OldRecordValues v;
        v.Name = "Mu";
        v.Race = Mutant;
        f.Write(source, {v});
        ASSERT_EQ(f.Import(source, 1), 1);
        const Creature& c = f.G().Roster[1];
        EXPECT_EQ(c.Race, expected[source - 1]) << "scenario " << source;
        // A human's agility and charm, or a mutant's.
        EXPECT_EQ(c.Agility, source == 6 ? 0 : (expected[source - 1] == 1 ? 7 : 10));
    }
}

TEST(TransferCharacter, ExperienceAndOddNumbersAreCappedOrClamped) {
    struct Case {
        int Source;
        double Exp;
        double ExpectedExp;
        int32_t Stat;
        int ExpectedStat;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {1, 250000, 100000, 18, 18}, {1, 99999, 99999, 18, 18},     {1, 100000, 100000, 300, 255},
        {4, -5, 0, -7, 0},           {5, 1e30, 100000, 32767, 255}, {5, nan, 0, 0, 0},
        {8, 99999, 99999, 255, 255}, {6, 1e300, 100000, 200, 200},  {6, -1, 0, 7, 7},
    };
    for (const Case& k : cases) {
        TransferFixture f;
        OldRecordValues v;
        v.Name = "Nim";
        v.Exp = k.Exp;
        v.Marks = k.Exp;
        v.Walk = -3;
        v.Stats = {k.Stat, k.Stat, k.Stat, k.Stat, k.Stat, k.Stat};
        f.Write(k.Source, {v});
        ASSERT_EQ(f.Import(k.Source, 1), 1);
        const Creature& c = f.G().Roster[1];
        EXPECT_EQ(c.Exp, k.ExpectedExp) << "scenario " << k.Source << " exp " << k.Exp;
        EXPECT_TRUE(std::isfinite(c.Marks) && c.Marks >= 0);
        EXPECT_EQ(c.Walk, 0);
        EXPECT_EQ(c.Str, k.ExpectedStat) << "scenario " << k.Source << " stat " << k.Stat;
        EXPECT_EQ(c.Luck, k.ExpectedStat);
    }
}

TEST(TransferCharacter, KeldarionMarksEachBitOnItsOwn) {
    struct Case {
        uint8_t Flags;
        std::set<int> Insignia;
    };
    const Case cases[] = {
        {0x3C, {2, 3, 4, 6}}, {0x04, {2}},    {0x08, {3}}, {0x10, {4}},
        {0x20, {6}},          {0x28, {3, 6}}, {0xC3, {}},
    };
    for (const Case& k : cases) {
        TransferFixture f;
        OldRecordValues v;
        v.Name = "Kel";
        v.Flags = k.Flags;
        f.Write(8, {v});
        ASSERT_EQ(f.Import(8, 1), 1);
        EXPECT_EQ(InsigniaSet(f.G().Roster[1]), k.Insignia) << "flags " << int{k.Flags};
    }
}

TEST(TransferCharacter, FirstSpellsByOldClass) {
    struct Case {
        int32_t ClassBit;
        int School;  // -1 = none
    };
    const Case cases[] = {{Wizard, 0},   {Sage, 0},   {Priest, 1},
                          {Fighter, -1}, {32768, -1}, {65536, -1}};
    for (const Case& k : cases) {
        TransferFixture f;
        OldRecordValues v;
        v.Name = "Spell";
        v.Class = k.ClassBit;
        v.Stats = {10, 3, 17, 10, 10, 10};  // IQ 3: one point from the die
        f.Write(5, {v});
        for (uint64_t seed = 0; seed < 20; ++seed) {
            f.G().Rng.Seed(seed);
            f.G().Roster[1] = Creature{};
            ASSERT_EQ(f.Import(5, 1), 1) << "class " << k.ClassBit;
            const Creature& c = f.G().Roster[1];
            for (int school = 0; school < kSpellSchools; ++school) {
                if (school == k.School) {
                    EXPECT_GE(CountKnown(c, school), 1);
                    EXPECT_LE(CountKnown(c, school), 3);
                    EXPECT_GE(c.MaxMPAt(school, 1), 2);
                    EXPECT_LE(c.MaxMPAt(school, 1), 4);
                } else {
                    EXPECT_EQ(CountKnown(c, school), 0) << "class " << k.ClassBit;
                    EXPECT_EQ(c.MaxMPAt(school, 1), 0);
                }
            }
        }
    }
}

TEST(TransferCharacter, ANameInTheRosterIsRefusedWherever) {
    TransferFixture f;
    OldRecordValues v = Mina();
    f.Write(4, {v});
    // The namesake lives past a free slot, out in the maze.
    Creature& namesake = f.G().Roster[7];
    namesake.Id = 7;
    namesake.Name = "ミナ";
    namesake.Floor = 3;
    EXPECT_EQ(f.Import(4, 1), 0);
    EXPECT_EQ(f.Player.Messages(),
              std::vector<std::string>{"すでに同じ名前のキャラクターがいるため\r転生できません"});
    EXPECT_EQ(f.G().Roster[1].Id, 0);

    // Brought over once, refused the second time.
    namesake = Creature{};
    f.Player.Clear();
    EXPECT_EQ(f.Import(4, 1), 1);
    EXPECT_EQ(f.Import(4, 1), 0);
    EXPECT_TRUE(f.Player.Saw("転生できません"));
    EXPECT_EQ(f.G().Roster[2].Id, 0);
}

TEST(TransferCharacter, CancelsFullRostersAndUnfitRecordsChangeNothing) {
    TransferFixture f;
    OldRecordValues good;
    good.Name = "Good";
    std::vector<OldRecordValues> records = {good};
    struct Unfit {
        int32_t Race, Class, Sex, Alignment;
    };
    const Unfit unfit[] = {{1, 4096, 1, 2}, {1, 3, 1, 2}, {1, 0, 1, 2}, {2048, 1, 1, 2},
                           {0, 1, 1, 2},    {1, 1, 0, 2}, {1, 1, 4, 2}, {1, 1, 1, 3},
                           {1, 1, 1, 0},    {-1, 1, 1, 2}};
    for (const Unfit& u : unfit) {
        OldRecordValues v;
        v.Name = "Bad" + std::to_string(records.size());
        v.Race = u.Race;
        v.Class = u.Class;
        v.Sex = u.Sex;
        v.Alignment = u.Alignment;
        records.push_back(v);
    }
    f.Write(5, records);
    for (size_t i = 1; i < records.size(); ++i) {
        f.Player.Clear();
        EXPECT_EQ(f.Import(5, static_cast<int>(i) + 1), 0) << records[i].Name;
        EXPECT_EQ(f.Player.Messages(),
                  std::vector<std::string>{records[i].Name + "は\rこのシナリオでは転生できません"});
    }
    EXPECT_EQ(f.G().Roster[1].Id, 0);

    // Cancelled at either list, or a row that is not there: nothing happens.
    f.Player.Clear();
    f.Player.Pick(0);
    EXPECT_EQ(TransferCharacter(f.G(), f.Player), 0);
    f.Player.Pick(9);
    EXPECT_EQ(TransferCharacter(f.G(), f.Player), 0);
    f.Player.Pick(5);  // and then no answer: cancelled
    EXPECT_EQ(TransferCharacter(f.G(), f.Player), 0);
    EXPECT_EQ(f.Import(5, 99), 0);
    EXPECT_TRUE(f.Player.Messages().empty());

    // A full roster takes nobody and says nothing.
    for (int slot = 1; slot <= 50; ++slot) f.G().Roster[static_cast<size_t>(slot)].Id = slot;
    EXPECT_EQ(f.Import(5, 1), 0);
    EXPECT_TRUE(f.Player.Messages().empty());
}

TEST(TransferCharacter, FilesAreLookedForInTheSaveFolderThenTheScenario) {
    TransferFixture f;
    const TransferSource& kd = TransferSources[7];
    OldRecordValues fromData, fromSaves;
    fromData.Name = "FromData";
    fromSaves.Name = "FromSaves";
    // Only the scenario folder has it, in other letter case.
    WriteBytes(f.Data / "kd1.dat", OldSaveFile(kd, {fromData}));
    EXPECT_EQ(FindSourceFile(kd, f.Saves.Path(), f.Data.Path()), f.Data / "kd1.dat");
    EXPECT_EQ(f.Import(8, 1), 1);
    EXPECT_EQ(f.G().Roster[1].Name, "FromData");

    WriteBytes(f.Saves / "KD1.DAT", OldSaveFile(kd, {fromSaves}));
    EXPECT_EQ(f.Import(8, 1), 2);
    EXPECT_EQ(f.G().Roster[2].Name, "FromSaves");

    EXPECT_EQ(FindSourceFile(TransferSources[0], f.Saves.Path(), f.Data.Path()),
              std::filesystem::path());
    // No file: an empty list, which the player can only leave.
    f.Player.Clear();
    EXPECT_EQ(f.Import(1, 1), 0);
    ASSERT_EQ(f.Player.Log().size(), 2u);
    EXPECT_EQ(f.Player.Log()[0].Text, "シナリオを選んでください");
    EXPECT_EQ(f.Player.Log()[1].Text, "誰を転生させますか？");
}

}  // namespace
}  // namespace kv
