#include <gtest/gtest.h>

#include <vector>

#include "character/Equipment.h"
#include "items/ItemsFixture.h"
#include "items/Skills.h"

namespace kv {
namespace {

using namespace kv::testing;

void DefineSkill(Game& game, int code, const char* name, std::vector<std::pair<int, int>> levels) {
    SkillDef& def = game.Skills[static_cast<size_t>(code)];
    def.SkillCode = static_cast<int16_t>(code);
    def.SkillName = name;
    def.SkillText = std::string(name) + "の説明";
    for (auto [column, level] : levels) def.SkillLevels[static_cast<size_t>(column)] = level;
}

struct SkillsFixture : ItemsFixture {
    SkillsFixture() {
        MakeParty();
        DefineSkill(G(), 3, "鍵開け", {{1, 1}, {4, 1}});
        DefineSkill(G(), 5, "強打", {{1, 3}});
        DefineSkill(G(), 7, "見切り", {});  // only from the ring
        DefineSkill(G(), 9, "受け流し", {{1, 5}});
        DefineSkill(G(), 11, "突進", {{1, 5}});
        DefineSkill(G(), 128, "二刀流", {{1, 4}});
    }
};

std::vector<int> Codes(const std::vector<SkillRow>& rows) {
    std::vector<int> codes;
    for (const SkillRow& row : rows) codes.push_back(row.Code);
    return codes;
}

TEST(Skills, ClassColumns) {
    const std::vector<std::pair<int32_t, int>> cases = {{1, 1}, {2, 2},     {4, 3},
                                                        {8, 4}, {1024, 11}, {131072, 18}};
    for (auto [bit, column] : cases) EXPECT_EQ(ClassIndexFromMask(bit), column) << bit;
}

TEST(Skills, OfferedByLevelAndByWornItems) {
    SkillsFixture f;
    Creature& alice = f.Member(1);
    struct Case {
        int Level;
        bool RingWorn;
        std::vector<int> Codes;
    };
    const std::vector<Case> cases = {
        {1, false, {3}},
        {4, false, {3, 5, 128}},
        {5, true, {3, 5, 9, 11, 128, 7}},
        {5, false, {3, 5, 9, 11, 128}},
    };
    for (const Case& c : cases) {
        alice.Level = c.Level;
        f.Hold(1, 1, Ring, c.RingWorn ? int32_t(Position::Accessory) : 0);
        EXPECT_EQ(Codes(OfferedSkills(f.G(), alice)), c.Codes) << "level " << c.Level;
    }

    // Taking off the ring and using the window switches its skill off.
    alice.Skills[7] = -1;
    alice.Skills[3] = -1;
    std::vector<SkillRow> rows = OfferedSkills(f.G(), alice);
    EXPECT_TRUE(rows[0].On);
    WriteBackSkills(alice, rows);
    EXPECT_EQ(alice.Skills[7], 0);
    EXPECT_EQ(alice.Skills[3], -1);

    // A class with nothing at level 1 gets an empty list and loses every flag.
    Creature& bob = f.Member(2);
    bob.Class = 2;
    bob.Level = 1;
    bob.Skills[9] = -1;
    rows = OfferedSkills(f.G(), bob);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(CheckSkillCount(f.G(), bob, rows), "");
    WriteBackSkills(bob, rows);
    EXPECT_EQ(bob.Skills[9], 0);
}

TEST(Skills, LimitGrowsWithTheStory) {
    SkillsFixture f;
    Creature& alice = f.Member(1);
    std::vector<SkillRow> rows = {{"a", 3, true}, {"b", 5, true}, {"c", 9, true}, {"d", 11, true}};
    EXPECT_EQ(CheckSkillCount(f.G(), alice, rows),
              "アリスが\n一度に装備できるスキルは『３』個までです");
    f.G().EventFlags[50] = 1;
    EXPECT_EQ(CheckSkillCount(f.G(), alice, rows), "");
    f.G().EventFlags[56] = 1;
    EXPECT_EQ(SkillLimit(f.G()), 5);

    alice.Skills.fill(0);
    rows[0].On = false;
    WriteBackSkills(alice, {{"x", 36, true}, {"y", 54, true}});
    EXPECT_EQ(alice.Resist[17], 100);
    EXPECT_EQ(alice.Resist[19], 100);
}

TEST(Skills, DualWieldStaysWhileTheOffHandHoldsAWeapon) {
    SkillsFixture f;
    Creature& alice = f.Member(1);
    f.Hold(1, 1, Sword, int32_t(Position::Secondary));
    EXPECT_EQ(CheckSkillOff(f.G(), alice, 128),
              "セカンダリを装備している場合、\n二刀流のスキルは外せません");
    EXPECT_EQ(CheckSkillOff(f.G(), alice, 5), "");
    f.Hold(1, 1, Shield, int32_t(Position::Secondary));
    EXPECT_EQ(CheckSkillOff(f.G(), alice, 128), "");
    EXPECT_EQ(SkillDescription(f.G(), 128), "二刀流の説明");
}

TEST(Skills, PartyHasSkillLooksAtTheMembersOnly) {
    SkillsFixture f;
    f.Member(2).Skills[42] = -1;
    f.Member(3).Skills[49] = -1;  // not in the party
    EXPECT_TRUE(PartyHasSkill(f.G(), Skill::Identify));
    EXPECT_FALSE(PartyHasSkill(f.G(), Skill::Appraise));
    EXPECT_FALSE(PartyHasSkill(f.G(), static_cast<Skill>(400)));
}

}  // namespace
}  // namespace kv
