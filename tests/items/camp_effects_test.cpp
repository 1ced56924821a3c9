// Every effect code of the camp, one row each: what the caster and the
// party look like before, the answers given, and what must follow.
#include <gtest/gtest.h>

#include <functional>

#include "character/CharacterRules.h"
#include "core/PartyBits.h"
#include "items/CampFixture.h"

namespace kv::testing {
namespace {

struct EffectCase {
    const char* Name;
    int Effect;
    std::function<void(CampFixture&)> Before;
    CampOutcome Outcome;
    std::function<void(CampFixture&)> After;
    const char* Shown;  // a message that must have been shown ("" for none)
};

void PickBob(CampFixture& f) {
    f.Player.Pick(2);
}

const std::vector<EffectCase>& Cases() {
    static const std::vector<EffectCase> cases = {
        {"RaiseWithVitality4TurnsToAshes", 1,
         [](CampFixture& f) {
             f.Bob().Status = StatusDead;
             f.Bob().Vitality = 4;
             PickBob(f);
         },
         CampOutcome::Stay, [](CampFixture& f) { EXPECT_EQ(f.Bob().Status, StatusAshes); },
         "ボブは\n灰燼と化した！！"},
        {"RaiseOnTheLivingDoesNothing", 1, PickBob, CampOutcome::Stay,
         [](CampFixture& f) { EXPECT_EQ(f.Bob().Revivals, 0); }, "しかし何もおこらなかった"},
        {"MappingShowsTheAutomapAndRefundsWithTheSkill", 3,
         [](CampFixture& f) { f.Alice().Skills[97] = 1; }, CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Host.Automaps, 1);
             EXPECT_EQ(f.Alice().MPAt(1, 1), 3);
         },
         ""},
        {"ProtectionOfFiveSetsTheGreatBit", 5,
         [](CampFixture& f) {
             f.G().Spells[1].SpellDice = {5, 0, 0};
             f.Bob().BaseAC = 4;
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.G().PartyEffects, PartyEffectProtection2);
             EXPECT_EQ(f.Bob().AC, -1);
         },
         "唱えた"},
        {"ProtectionTwiceIsAlreadyOn", 5,
         [](CampFixture& f) { f.G().PartyEffects = PartyEffectProtection; }, CampOutcome::Stay,
         [](CampFixture&) {}, "すでに効いている"},
        {"Levitation", 6, nullptr, CampOutcome::Stay,
         [](CampFixture& f) { EXPECT_EQ(f.G().PartyEffects, PartyEffectLevitation); }, "浮かんだ"},
        {"HealOneShowsHitPoints", 7,
         [](CampFixture& f) {
             f.G().Spells[1].SpellDice = {0, 0, 6};
             f.Bob().HP = 5;
             PickBob(f);
         },
         CampOutcome::Stay, [](CampFixture& f) { EXPECT_EQ(f.Bob().HP, 11); },
         "ボブは\n６ポイント回復した\n１１/３０"},
        {"ResurrectionFailingOnAshesLosesAndLeavesTheParty", 9,
         [](CampFixture& f) {
             f.Bob().Status = StatusAshes;
             f.Bob().Vitality = 1;
             PickBob(f);
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().Id, 0);
             EXPECT_EQ(f.G().PartyCount, 1);
             EXPECT_EQ(f.G().PartyList[2], 0);
         },
         "ボブ消滅した！！"},
        {"ParalysisCureReachesEveryoneWithTheGroupSkill", 10,
         [](CampFixture& f) {
             f.Alice().Skills[193] = 1;
             f.Alice().Status = f.Bob().Status = StatusParalysis | StatusPoison;
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Alice().Status, StatusPoison);
             EXPECT_EQ(f.Bob().Status, StatusPoison);
         },
         "ボブは\n回復した"},
        {"PoisonCureClearsBothPoisons", 43,
         [](CampFixture& f) {
             f.Bob().Status = StatusPoison | StatusDeadlyPoison | StatusBlind;
             PickBob(f);
         },
         CampOutcome::Stay, [](CampFixture& f) { EXPECT_EQ(f.Bob().Status, StatusBlind); }, ""},
        {"TeleportOpensTheBoxes", 66, nullptr, CampOutcome::OpenTeleport, [](CampFixture&) {}, ""},
        {"AppraisalOpensTheList", 45, nullptr, CampOutcome::OpenAppraisal, [](CampFixture&) {}, ""},
        {"HealEveryoneRefusesTheDiseased", 52,
         [](CampFixture& f) {
             f.G().Spells[1].SpellDice = {0, 0, 100};
             f.Bob().Status = StatusDisease;
             f.Alice().HP = 1;
         },
         CampOutcome::Stay, [](CampFixture& f) { EXPECT_EQ(f.Alice().HP, 20); },
         "ボブは\n効果がなかった"},
        {"FullCureHealsWithoutOverflow", 53,
         [](CampFixture& f) {
             f.Bob().Status = StatusStone | StatusPoison | StatusHidden;
             f.Bob().HP = 1;
             PickBob(f);
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().Status, StatusHidden);
             EXPECT_EQ(f.Bob().HP, 30);
         },
         "ボブは\n全快した\n３０/３０"},
        {"ReturnIsBlockedOnFloorsThreeToFiveOfPlace23", 54,
         [](CampFixture& f) {
             f.G().CurrentPlace = 23;
             f.G().CurrentFloor = 5;
         },
         CampOutcome::Stay, [](CampFixture& f) { EXPECT_TRUE(f.Host.Moves.empty()); },
         "しかし呪文はかき消された"},
        {"ReturnMovesToTheEntranceAndSaves", 54,
         [](CampFixture& f) {
             f.G().CurrentPlace = 23;
             f.G().CurrentFloor = 6;
         },
         CampOutcome::CloseDialog,
         [](CampFixture& f) {
             ASSERT_EQ(f.Host.Moves.size(), 1u);
             EXPECT_EQ(f.Host.Moves[0], std::make_tuple(1, 0, 0));
             EXPECT_EQ(f.Host.Saves, 1);
         },
         "唱えた"},
        {"ExperienceExactlyEnoughLevelsUp", 57,
         [](CampFixture& f) {
             f.Bob().Exp = ExpForLevel(f.Bob().Level, f.Bob().Class, f.Bob().Race);
             PickBob(f);
         },
         CampOutcome::Stay, [](CampFixture&) {}, "ボブはＬＶが上がります"},
        {"ExperienceOneShortSaysOne", 57,
         [](CampFixture& f) {
             f.Bob().Exp = ExpForLevel(f.Bob().Level, f.Bob().Class, f.Bob().Race) - 1;
             PickBob(f);
         },
         CampOutcome::Stay, [](CampFixture&) {}, "つぎのＬＶまで\n１です"},
        {"LookingIntoRockWrapsRoundTheEdge", 59,
         [](CampFixture& f) {
             f.G().PartyX = 19;
             f.G().PartyFacing = 1;  // east: the cell ahead is x 0
             f.G().Layers.FloorWalls.Cells[6 * 20 + 0] = 15;
         },
         CampOutcome::Stay, [](CampFixture&) {}, "壁の向こうは石です"},
        {"WishOpensTheList", 64, nullptr, CampOutcome::OpenWish, [](CampFixture&) {}, ""},
        {"FullRevivalCostsTheCasterALevel", 71,
         [](CampFixture& f) {
             f.Bob().Status = StatusDead | 0x80000;
             f.Bob().HP = 0;
             PickBob(f);
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().Status, 0x80000);
             EXPECT_EQ(f.Bob().HP, 30);
             EXPECT_EQ(f.Alice().Level, 4);
         },
         "ボブは\n回復した"},
        {"RestoringPointsOfSchoolOne", 72,
         [](CampFixture& f) {
             f.Bob().MaxMPAt(1, 2) = 2;
             f.Bob().MaxMPAt(0, 2) = 2;
             PickBob(f);
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Bob().MPAt(1, 2), 1);
             EXPECT_EQ(f.Bob().MPAt(0, 2), 0);
         },
         "ボブの魔力が復活した"},
        {"NothingToRestoreSaysOops", 72, PickBob, CampOutcome::Stay, [](CampFixture&) {}, "おや？"},
        {"CureEveryoneButTheDiseased", 74,
         [](CampFixture& f) {
             f.Bob().Status = StatusDisease | StatusSleep;
             f.Alice().Status = StatusSleep | StatusHidden;
             f.Alice().HP = 2;
         },
         CampOutcome::Stay,
         [](CampFixture& f) {
             EXPECT_EQ(f.Alice().Status, StatusHidden);
             EXPECT_EQ(f.Alice().HP, 20);
             EXPECT_EQ(f.Bob().Status, StatusDisease | StatusSleep);
         },
         "ボブは\n病気なので回復できない"},
        {"AntidoteForThePoisonedOnly", 77,
         [](CampFixture& f) { f.Bob().Status = StatusDeadlyPoison; }, CampOutcome::Stay,
         [](CampFixture& f) { EXPECT_EQ(f.Bob().Status, 0); }, "アリスは\n効果が無い"},
        {"CallingMonstersClosesTheCamp", 82, nullptr, CampOutcome::CloseDialog,
         [](CampFixture& f) { EXPECT_EQ(f.G().PartyEffects, PartyEffectCallMonsters); }, ""},
        {"FewerEncounters", 104, nullptr, CampOutcome::Stay,
         [](CampFixture& f) { EXPECT_EQ(f.G().PartyBlessings, BlessingFewerEncounters); }, ""},
        {"TheImmuneRaceIsNotHealed", 106,
         [](CampFixture& f) {
             f.G().Spells[1].SpellDice = {0, 0, 5};
             f.Bob().Race = 256;
             f.Bob().HP = 3;
         },
         CampOutcome::Stay, [](CampFixture& f) { EXPECT_EQ(f.Bob().HP, 3); },
         "ボブは\n効果がなかった"},
        {"AnUnknownCodeStillCostsThePoint", 99, nullptr, CampOutcome::Stay,
         [](CampFixture& f) { EXPECT_EQ(f.Alice().MPAt(1, 1), 2); }, ""},
    };
    return cases;
}

TEST(CampEffects, EveryCode) {
    for (const EffectCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        CampFixture f;
        f.G().Spells[1].Effect = static_cast<uint8_t>(c.Effect);
        if (c.Before) c.Before(f);
        EXPECT_EQ(f.Cast(), c.Outcome);
        c.After(f);
        if (*c.Shown != '\0') {
            EXPECT_TRUE(f.Player.Saw(c.Shown)) << ::testing::PrintToString(f.Player.Messages());
        }
        EXPECT_EQ(f.Player.PendingAnswers(), 0u);
    }
}

}  // namespace
}  // namespace kv::testing
