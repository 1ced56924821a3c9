// Rebirth from each earlier scenario's save file: what comes along, what is
// rolled anew, the completion marks, the caps and the refusals.
#include "transfer/TransferCharacter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

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
    for (int l = 1; l < SpellLevels; ++l) {
        for (int j = 1; j < SpellSlots; ++j) known += c.Spell(school, l, j) != 0;
    }
    return known;
}

const OldRecordValues Mina{.Name = "ミナ",
                           .Race = Elf,
                           .Class = Priest,
                           .Sex = 2,
                           .Alignment = 1,
                           .Exp = 250000,
                           .Marks = 321,
                           .Stats = {11, 12, 13, 14, 15, 16},
                           .Flags = 0x3C,
                           .Walk = 777.5f,
                           .Agility = 17,
                           .Charm = 18,
                           .Escapes = 3,
                           .Victories = 4,
                           .StepCycles = 5,
                           .FirstInsignia = true};

TEST(TransferCharacter, EachScenarioBringsItsCharacterOver) {
    struct Case {
        int Source;
        std::vector<size_t> Insignia;
        float Walk;
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
        f.Write(k.Source, {OldRecordValues{.Name = "Ari"}, Mina});
        f.G().Roster[1].Id = 1;  // slot 1 taken, slot 2 free
        f.G().Roster[1].Name = "Bob";
        ASSERT_EQ(f.Import(k.Source, 2), 2) << "scenario " << k.Source;
        EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"ミナは転生しました"});
        const Creature& c = f.G().Roster[2];

        // Rolled anew: age, gold, hit points (a priest's d15 + vitality 14 - 13)
        // and a priest's first spells.
        EXPECT_TRUE(c.Age >= 13 && c.Age <= 17 && c.Gold >= 110 && c.Gold <= 200);
        EXPECT_TRUE(c.MaxHP >= 2 && c.MaxHP <= 16);
        EXPECT_GE(CountKnown(c, 1), 1);
        EXPECT_TRUE(c.MaxMPAt(1, 1) >= 1 && c.MaxMPAt(1, 1) <= 4);

        // Everything else, field by field: what came along, the elf's
        // defences, and nothing carried, worn, suffered or known besides.
        Creature e;
        e.Id = 2;
        e.Level = 1;
        e.Name = "ミナ";
        e.Race = Elf;
        e.Class = Priest;
        e.Sex = 2;
        e.Alignment = 1;
        e.Exp = 100000;  // the cap
        e.Marks = 321;
        e.Str = 11, e.IQ = 12, e.Piety = 13, e.Vitality = 14, e.Dexterity = 15, e.Luck = 16;
        e.Agility = k.CarriesEverything ? 17 : 8;  // else an elf's agility and charm
        e.Charm = k.CarriesEverything ? 18 : 10;
        e.Escapes = k.CarriesEverything ? 3 : 0;
        e.Victories = k.CarriesEverything ? 4 : 0;
        e.StepCycles = k.CarriesEverything ? 5 : 0;
        e.Walk = k.Walk;
        for (size_t i : k.Insignia) e.Insignia[i] = 1;
        e.BaseAC = e.AC = 12;
        e.Resist[2] = 3;
        for (size_t a = 1; a < AttackAttributes; ++a) e.DamageRate[a] = 100;
        e.Age = c.Age;
        e.Gold = c.Gold;
        e.HP = e.MaxHP = c.MaxHP;
        for (int j = 1; j <= 3; ++j) e.Spell(1, 1, j) = c.Spell(1, 1, j);
        e.MaxMPAt(1, 1) = e.MPAt(1, 1) = c.MaxMPAt(1, 1);
        EXPECT_EQ(FirstDifference(SaveRecord(e), SaveRecord(c), DescribeRecord(e)), "")
            << "scenario " << k.Source;
    }
}

TEST(TransferCharacter, MutantsOfThreeScenariosWereHumans) {
    const int32_t expected[] = {Mutant, Mutant, 1, 1, Mutant, Mutant, 1, Mutant};
    for (int source = 1; source <= TransferSourceCount; ++source) {
        TransferFixture f;
        f.Write(source, {{.Name = "Mu", .Race = Mutant}});
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
        const int32_t x = k.Stat;
        f.Write(k.Source, {{.Name = "Nim",
                            .Exp = k.Exp,
                            .Marks = k.Exp,
                            .Stats = {x, x, x, x, x, x},
                            .Walk = -3}});
        ASSERT_EQ(f.Import(k.Source, 1), 1);
        const Creature& c = f.G().Roster[1];
        EXPECT_EQ(c.Exp, k.ExpectedExp) << "scenario " << k.Source << " exp " << k.Exp;
        EXPECT_TRUE(std::isfinite(c.Marks) && c.Marks >= 0);
        EXPECT_EQ(c.Walk, 0);
        EXPECT_EQ(c.Str, k.ExpectedStat) << "scenario " << k.Source << " stat " << k.Stat;
        EXPECT_EQ(c.Luck, k.ExpectedStat);
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
        // IQ 3 gives one point from the die.
        f.Write(5, {{.Name = "Spell", .Class = k.ClassBit, .Stats = {10, 3, 17, 10, 10, 10}}});
        for (uint64_t seed = 0; seed < 20; ++seed) {
            f.G().Rng.Seed(seed);
            f.G().Roster[1] = Creature{};
            ASSERT_EQ(f.Import(5, 1), 1) << "class " << k.ClassBit;
            const Creature& c = f.G().Roster[1];
            for (int school = 0; school < SpellSchools; ++school) {
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
    f.Write(4, {Mina});
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
    std::vector<OldRecordValues> records = {{.Name = "Good"}};
    struct Unfit {
        int32_t Race, Class, Sex, Alignment;
    };
    const Unfit unfit[] = {{1, 4096, 1, 2}, {1, 3, 1, 2}, {1, 0, 1, 2}, {2048, 1, 1, 2},
                           {0, 1, 1, 2},    {1, 1, 0, 2}, {1, 1, 4, 2}, {1, 1, 1, 3},
                           {1, 1, 1, 0},    {-1, 1, 1, 2}};
    for (const Unfit& u : unfit) {
        records.push_back({.Name = "Bad" + std::to_string(records.size()),
                           .Race = u.Race,
                           .Class = u.Class,
                           .Sex = u.Sex,
                           .Alignment = u.Alignment});
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
    // Only the scenario folder has it, in other letter case.
    WriteBytes(f.Data / "kd1.dat", OldSaveFile(kd, {{.Name = "FromData"}}));
    EXPECT_EQ(FindSourceFile(kd, f.Saves.Path(), f.Data.Path()), f.Data / "kd1.dat");
    EXPECT_EQ(f.Import(8, 1), 1);
    EXPECT_EQ(f.G().Roster[1].Name, "FromData");

    WriteBytes(f.Saves / "KD1.DAT", OldSaveFile(kd, {{.Name = "FromSaves"}}));
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
