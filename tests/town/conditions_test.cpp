// Damage, healing, death and conditions acting on one creature in turn, as
// a battle or a trap would: each step's hit points, condition bits and text.
#include <gtest/gtest.h>

#include <functional>

#include "character/CharacterRules.h"
#include "town/CharacterFixture.h"

namespace kv {
namespace {

using namespace kv::testing;

struct Step {
    const char* What;
    std::function<std::string(Creature&)> Act;
    int32_t HP;
    int32_t Status;
    std::string Text;
};

void RunSteps(const std::vector<Step>& steps) {
    Creature c;
    c.Name = "ゴブリン";
    c.MaxHP = 20;
    c.HP = 10;
    for (const Step& step : steps) {
        EXPECT_EQ(step.Act(c), step.Text) << step.What;
        EXPECT_EQ(c.HP, step.HP) << step.What;
        EXPECT_EQ(c.Status, step.Status) << step.What;
    }
}

std::string Set(Creature& c, int32_t bit) {
    return SetCondition(c.Status, bit);
}

TEST(HitPointsAndConditions, WoundHealPoisonDieAndStayDead) {
    RunSteps({
        {"damage", [](Creature& c) { return DamageCreature(c, 4); }, 6, 0,
         "ゴブリンは\n４のダメージをうけた"},
        {"heal", [](Creature& c) { return HealCreature(c, 3); }, 9, 0,
         "ゴブリンは\n３ポイント回復した"},
        {"heal past the maximum", [](Creature& c) { return HealCreature(c, 50); }, 20, 0,
         "ゴブリンは\n全快した"},
        {"poison", [](Creature& c) { return Set(c, StatusPoison); }, 20, StatusPoison,
         "は\n毒に犯された"},
        {"quiet damage", [](Creature& c) { return DamageCreature(c, 5, true); }, 15, StatusPoison,
         ""},
        {"deadly blow", [](Creature& c) { return DamageCreature(c, 15); }, 0,
         StatusPoison | StatusDead, "ゴブリンは\n１５のダメージをうけた\rゴブリンは\n死んだ・・・"},
        {"the dead take no damage", [](Creature& c) { return DamageCreature(c, 3); }, 0,
         StatusPoison | StatusDead, "ゴブリンは\n効果がなかった"},
        {"nor healing", [](Creature& c) { return HealCreature(c, 3); }, 0,
         StatusPoison | StatusDead, "ゴブリンは\n効果がなかった"},
        {"revived",
         [](Creature& c) {
             c.HP = 1;
             return ClearCondition(c.Status, StatusDead | StatusPoison);
         },
         1, 0, "回復した"},
    });
}

TEST(HitPointsAndConditions, DiseaseStopsHealingButNotHarm) {
    RunSteps({
        {"disease", [](Creature& c) { return Set(c, StatusDisease); }, 10, StatusDisease,
         "は\n病気に冒された"},
        {"no healing", [](Creature& c) { return HealCreature(c, 5); }, 10, StatusDisease,
         "ゴブリンは\n効果がなかった"},
        {"quietly neither", [](Creature& c) { return HealCreature(c, 5, true); }, 10, StatusDisease,
         ""},
        {"harm", [](Creature& c) { return DamageCreature(c, 9); }, 1, StatusDisease,
         "ゴブリンは\n９のダメージをうけた"},
        {"cured", [](Creature& c) { return ClearCondition(c.Status, StatusDisease); }, 1, 0,
         "回復した"},
        {"exactly to the maximum", [](Creature& c) { return HealCreature(c, 19); }, 20, 0,
         "ゴブリンは\n全快した"},
    });
}

TEST(HitPointsAndConditions, LossAshesAndSilentKills) {
    RunSteps({
        {"lost is also dead", [](Creature& c) { return Set(c, StatusLost); }, 10,
         StatusLost | StatusDead, "は\nロストした！！！"},
        {"ashes", [](Creature& c) { return Set(c, StatusAshes); }, 10,
         StatusLost | StatusDead | StatusAshes, "は\n灰燼と化した！！"},
        {"a silent kill", [](Creature& c) { return KillCreature(c, false); }, 0,
         StatusLost | StatusDead | StatusAshes, ""},
        {"cleared together",
         [](Creature& c) {
             return ClearCondition(c.Status, StatusLost | StatusDead | StatusAshes);
         },
         0, 0, "回復した"},
        {"hidden has no text", [](Creature& c) { return Set(c, StatusHidden); }, 0, StatusHidden,
         ""},
        {"a killing with words", [](Creature& c) { return KillCreature(c); }, 0,
         StatusHidden | StatusDead, "ゴブリンは\n死んだ・・・"},
    });
}

TEST(HitPoints, HugeAmountsStopAtTheEndsOfTheField) {
    Creature c;
    c.MaxHP = INT32_MAX;
    c.HP = INT32_MAX - 5;
    HealCreature(c, INT32_MAX);
    EXPECT_EQ(c.HP, INT32_MAX);
    c.HP = INT32_MIN + 5;
    DamageCreature(c, INT32_MAX);
    EXPECT_EQ(c.HP, 0);  // dead, with 0 hit points
    EXPECT_NE(c.Status & StatusDead, 0);
}

}  // namespace
}  // namespace kv
