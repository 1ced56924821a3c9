// Every effect code of the camp, one row each: Bob's state before (chosen
// when the effect asks for a member), what the cast gives back, a message
// that must be shown, and Bob's state after.
#include <gtest/gtest.h>

#include <functional>

#include "character/CharacterRules.h"
#include "core/PartyBits.h"
#include "items/CampFixture.h"

namespace kv::testing {
namespace {

using Step = std::function<void(CampFixture&)>;

struct EffectCase {
    int Effect;
    Step Before;
    CampOutcome Outcome;
    const char* Shown;  // "" for no message to look for
    Step After;
};

constexpr int Keep = -1;

// Bob with a status and hit points (Keep leaves them), chosen when asked.
Step Bob(int32_t status, int32_t hp = Keep, int vitality = Keep) {
    return [=](CampFixture& f) {
        f.Bob().Status = status;
        if (hp != Keep) f.Bob().HP = hp;
        if (vitality != Keep) f.Bob().Vitality = static_cast<uint8_t>(vitality);
        f.Player.Pick(2);
    };
}
Step BobIs(int32_t status, int32_t hp = Keep) {
    return [=](CampFixture& f) {
        EXPECT_EQ(f.Bob().Status, status);
        EXPECT_EQ(f.Bob().HP, hp == Keep ? f.Bob().HP : hp);
    };
}
Step Power(int16_t count, int16_t add, Step more = nullptr) {
    return [=](CampFixture& f) {
        f.G().Spells[1].SpellDice = {count, 0, add};
        if (more) more(f);
    };
}
Step Effects(int32_t effects, int32_t blessings = 0) {
    return [=](CampFixture& f) {
        EXPECT_EQ(f.G().PartyEffects, effects);
        EXPECT_EQ(f.G().PartyBlessings, blessings);
    };
}
Step Floor(int place, int floor) {
    return [=](CampFixture& f) {
        f.G().CurrentPlace = place;
        f.G().CurrentFloor = static_cast<int16_t>(floor);
    };
}
Step Exp(double belowNext) {
    return [=](CampFixture& f) {
        f.Bob().Exp = ExpForLevel(f.Bob().Level, f.Bob().Class, f.Bob().Race) - belowNext;
        f.Player.Pick(2);
    };
}

TEST(CampEffects, EveryCode) {
    const std::vector<EffectCase> cases = {
        {1, Bob(StatusDead, 0, 4), CampOutcome::Stay, "ボブは\n灰燼と化した！！",
         BobIs(StatusAshes)},
        {1, Bob(0), CampOutcome::Stay, "しかし何もおこらなかった", BobIs(0, 30)},
        {3, [](CampFixture& f) { f.Alice().Skills[97] = 1; }, CampOutcome::Stay, "",
         [](CampFixture& f) {
             EXPECT_EQ(f.Host.Automaps, 1);
             EXPECT_EQ(f.Alice().MPAt(1, 1), 3) << "the point comes back";
         }},
        {5, Power(5, 0, [](CampFixture& f) { f.Bob().BaseAC = 4; }), CampOutcome::Stay, "唱えた",
         [](CampFixture& f) {
             EXPECT_EQ(f.G().PartyEffects, PartyEffectProtection2);
             EXPECT_EQ(f.Bob().AC, -1);
         }},
        {5, [](CampFixture& f) { f.G().PartyEffects = PartyEffectProtection; }, CampOutcome::Stay,
         "すでに効いている", Effects(PartyEffectProtection)},
        {7, Power(0, 6, Bob(0, 5)), CampOutcome::Stay, "ボブは\n６ポイント回復した\n１１/３０",
         BobIs(0, 11)},
        // A failed resurrection of ashes loses him: the slot and the party list both.
        {9, Bob(StatusAshes, 0, 1), CampOutcome::Stay, "ボブ消滅した！！",
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().Id, 0);
             EXPECT_EQ(f.G().PartyCount, 1);
             EXPECT_EQ(f.G().PartyList[2], 0);
         }},
        {10,
         [](CampFixture& f) {
             f.Alice().Skills[193] = 1;
             f.Alice().Status = f.Bob().Status = StatusParalysis | StatusPoison;
         },
         CampOutcome::Stay, "アリスは\n回復した", BobIs(StatusPoison)},
        {43, Bob(StatusPoison | StatusDeadlyPoison | StatusBlind), CampOutcome::Stay, "",
         BobIs(StatusBlind)},
        {44, nullptr, CampOutcome::OpenTeleport, "", nullptr},
        {49, nullptr, CampOutcome::Stay, "唱えた", Effects(PartyEffectCompass)},
        {52, Power(0, 100, [](CampFixture& f) { f.Bob().Status = StatusDisease; }),
         CampOutcome::Stay, "ボブは\n効果がなかった", BobIs(StatusDisease, 30)},
        // "Unlimited" healing heals what is missing, without overflow.
        {53, Bob(StatusStone | StatusPoison | StatusHidden, 1), CampOutcome::Stay,
         "ボブは\n全快した\n３０/３０", BobIs(StatusHidden, 30)},
        {54, Floor(23, 5), CampOutcome::Stay, "しかし呪文はかき消された",
         [](CampFixture& f) { EXPECT_TRUE(f.Host.Moves.empty()); }},
        {54, Floor(23, 6), CampOutcome::CloseDialog, "唱えた",
         [](CampFixture& f) {
             EXPECT_EQ(f.Host.Moves, (std::vector<std::tuple<int, int, int>>{{1, 0, 0}}));
             EXPECT_EQ(f.Host.Saves, 1);
         }},
        // Exactly the experience needed: the inn would level him up.
        {57, Exp(0), CampOutcome::Stay, "ボブはＬＶが上がります", nullptr},
        {57, Exp(1), CampOutcome::Stay, "つぎのＬＶまで\n１です", nullptr},
        {59,
         [](CampFixture& f) {
             f.G().PartyX = 19;
             f.G().PartyFacing = 1;  // east, over the edge to x 0
             f.G().Layers.FloorWalls.Cells[6 * 20 + 0] = 15;
         },
         CampOutcome::Stay, "壁の向こうは石です", nullptr},
        {60, Bob(StatusSleep | StatusCharm | StatusPoison), CampOutcome::Stay, "",
         BobIs(StatusPoison)},
        {64, nullptr, CampOutcome::OpenWish, "", nullptr},
        {71, Bob(StatusDead | 0x80000, 0), CampOutcome::Stay, "ボブは\n回復した",
         [](CampFixture& f) {
             BobIs(0x80000, 30)(f);
             EXPECT_EQ(f.Alice().Level, 4) << "the caster pays a level";
         }},
        {72,
         [](CampFixture& f) {
             f.Bob().MaxMPAt(1, 2) = f.Bob().MaxMPAt(0, 2) = 2;
             f.Player.Pick(2);
         },
         CampOutcome::Stay, "ボブの魔力が復活した",
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().MPAt(1, 2), 1);
             EXPECT_EQ(f.Bob().MPAt(0, 2), 0) << "school 1 only";
         }},
        {74, [](CampFixture& f) { f.Bob().Status = StatusDisease | StatusSleep; },
         CampOutcome::Stay, "ボブは\n病気なので回復できない", BobIs(StatusDisease | StatusSleep)},
        {77, [](CampFixture& f) { f.Bob().Status = StatusDeadlyPoison; }, CampOutcome::Stay,
         "アリスは\n効果が無い", BobIs(0)},
        {82, nullptr, CampOutcome::CloseDialog, "唱えた", Effects(PartyEffectCallMonsters)},
        {104, nullptr, CampOutcome::Stay, "魔物の気配が少なくなった",
         Effects(0, BlessingFewerEncounters)},
        {106,
         Power(0, 5,
               [](CampFixture& f) {
                   f.Bob().Race = 256;
                   f.Bob().HP = 3;
               }),
         CampOutcome::Stay, "ボブは\n効果がなかった", BobIs(0, 3)},
        {99, nullptr, CampOutcome::Stay, "",
         [](CampFixture& f) { EXPECT_EQ(f.Alice().MPAt(1, 1), 2) << "the point is spent"; }},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        const EffectCase& c = cases[i];
        SCOPED_TRACE("row " + std::to_string(i) + ", effect " + std::to_string(c.Effect));
        CampFixture f;
        f.G().Spells[1].Effect = static_cast<uint8_t>(c.Effect);
        if (c.Before) c.Before(f);
        EXPECT_EQ(f.Cast(), c.Outcome);
        if (c.After) c.After(f);
        if (*c.Shown != '\0') {
            EXPECT_TRUE(f.Player.Saw(c.Shown)) << ::testing::PrintToString(f.Player.Messages());
        }
        EXPECT_EQ(f.Player.PendingAnswers(), 0u);
    }
}

}  // namespace
}  // namespace kv::testing
