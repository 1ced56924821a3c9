// The inn's stays: weeks typed, the rooms' prices and healing, birthdays,
// the refusals that never charge, and death of old age.
#include <gtest/gtest.h>

#include "character/CharacterRules.h"
#include "town/CharacterFixture.h"
#include "town/Inn.h"

namespace kv::testing {
namespace {

struct StayCase {
    const char* Name;
    int Room;
    const char* Typed;
    int AgeDays;
    bool Ageless;  // skill 67
    double GoldAfter;
    int HPAfter;
    int AgeAfter;
    int AgeDaysAfter;
    StayResult Result;
};

TEST(Inn, StaysChargeHealAndAgeByTheRoomsRules) {
    const StayCase cases[] = {
        // Halves go to the even neighbour: 2.5 weeks are 2, 3.5 are 4.
        {"two and a half weeks", 2, "2.5", 0, false, 900, 7, 20, 14, StayResult::NextLevel},
        {"three and a half weeks", 2, "3.5", 0, false, 800, 13, 20, 28, StayResult::NextLevel},
        {"full-width digits", 4, "１", 0, false, 850, 11, 20, 7, StayResult::NextLevel},
        {"a birthday", 1, "1", 360, false, 990, 2, 21, 2, StayResult::NextLevel},
        {"sixty weeks", 1, "60", 0, false, 400, 61, 21, 55, StayResult::NextLevel},
        {"the ageless keep their age", 1, "1", 360, true, 990, 2, 20, 2, StayResult::NextLevel},
        {"the kennel is free", 0, "", 365, false, 1000, 1, 21, 1, StayResult::NextLevel},
        {"words are no weeks", 3, "abc", 0, false, 1000, 1, 20, 0, StayResult::Left},
        {"nor is nothing", 3, "0", 0, false, 1000, 1, 20, 0, StayResult::Left},
        {"nor is a negative", 3, "-5", 0, false, 1000, 1, 20, 0, StayResult::Left},
        {"nor hexadecimal", 3, "0x10", 0, false, 1000, 1, 20, 0, StayResult::Left},
        {"too long", 4, "3001", 0, false, 1000, 1, 20, 0, StayResult::Left},
        {"too dear", 4, "7", 0, false, 1000, 1, 20, 0, StayResult::Left},
    };
    for (const StayCase& c : cases) {
        CharacterFixture f;
        Creature& guest = f.Make(1, Fighter);
        guest.Gold = 1000;
        guest.MaxHP = 100;
        guest.HP = 1;
        guest.AgeDays = static_cast<int16_t>(c.AgeDays);
        guest.Skills[SkillIndex(Skill::NoAging)] = c.Ageless ? 1 : 0;
        f.Player.Type(c.Typed);
        EXPECT_EQ(Stay(f.G(), f.Player, 1, c.Room), c.Result) << c.Name;
        EXPECT_EQ(guest.Gold, c.GoldAfter) << c.Name;
        EXPECT_EQ(guest.HP, c.HPAfter) << c.Name;
        EXPECT_EQ(guest.Age, c.AgeAfter) << c.Name;
        EXPECT_EQ(guest.AgeDays, c.AgeDaysAfter) << c.Name;
    }
}

TEST(Inn, TheRefusalsSaySo) {
    CharacterFixture f;
    Creature& guest = f.Make(1, Fighter);
    guest.Gold = 100;
    f.Player.Type("3001").Type("7");
    Stay(f.G(), f.Player, 1, 4);
    Stay(f.G(), f.Player, 1, 4);
    EXPECT_EQ(
        f.Player.Messages(),
        (std::vector<std::string>{"お客様，申し訳ありませんが\rそのような長居は困りますm(_ _)m",
                                  "お金が足りませんよ"}));
    guest.Status = 4096;  // diseased
    EXPECT_FALSE(MayStay(f.Player, guest));
}

TEST(Inn, EnoughExperienceRaisesALevel) {
    CharacterFixture f;
    Creature& guest = f.Make(1, Fighter);
    guest.Exp = ExpForLevel(1, Fighter, Human);
    EXPECT_EQ(Stay(f.G(), f.Player, 1, 0), StayResult::LevelledUp);
    EXPECT_EQ(guest.Level, 2);
}

TEST(Inn, ANightBringsTheSpellPointsBackARefusedStayDoesNot) {
    CharacterFixture f;
    Creature& guest = f.Make(1, Priest);
    guest.MaxMPAt(1, 1) = 4;
    guest.MaxMPAt(1, 2) = 2;
    guest.MaxMPAt(0, 1) = 1;
    guest.Gold = 9;
    f.Player.Type("1");
    EXPECT_EQ(Stay(f.G(), f.Player, 1, 1), StayResult::Left) << "one gold short of the cot";
    EXPECT_EQ(guest.MPAt(1, 1), 0);
    EXPECT_EQ(Stay(f.G(), f.Player, 1, 0), StayResult::NextLevel);
    EXPECT_EQ(guest.MP, guest.MaxMP);
    EXPECT_EQ(guest.MPAt(1, 1) * 100 + guest.MPAt(1, 2) * 10 + guest.MPAt(0, 1), 421);
}

TEST(Inn, OldAgeTakesOneStayInThreeUnlessTheSkillPrevents) {
    for (const bool longLife : {false, true}) {
        CharacterFixture f;
        int deaths = 0;
        for (int stay = 0; stay < 600; ++stay) {
            Creature& guest = f.Make(1, Fighter, Human, 0);
            guest.Age = 81;
            guest.Skills[SkillIndex(Skill::LongLife)] = longLife ? 1 : 0;
            f.G().Rng.Seed(static_cast<uint64_t>(stay) + 1);
            if (Stay(f.G(), f.Player, 1, 0) == StayResult::Died) {
                ++deaths;
                EXPECT_EQ(f.G().Roster[1].Id, 0) << "the dead leave the roster";
            }
        }
        if (longLife) {
            EXPECT_EQ(deaths, 0);
        } else {
            EXPECT_NEAR(deaths, 200, 45);
        }
    }
}

}  // namespace
}  // namespace kv::testing
