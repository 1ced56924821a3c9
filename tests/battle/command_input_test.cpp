// Command input: the entries each member is offered by class, skills,
// state and place in the marching order; the input index over members who
// cannot act; the reach of a weapon over the monster rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "BattleFixture.h"
#include "battle/BattleCommands.h"

namespace kv::testing {
namespace {

constexpr int SpearId = 11;
constexpr int PikeId = 12;

std::vector<std::string> Texts(const std::vector<BattleEntry>& entries) {
    std::vector<std::string> texts;
    for (BattleEntry e : entries) texts.emplace_back(ResString(EntryDef(e).Text));
    return texts;
}

struct Armoury : BattleFixture {
    Armoury() : BattleFixture(6) {
        for (auto [id, reach] : {std::pair{SpearId, 2}, std::pair{PikeId, 3}}) {
            ItemDef& w = G().Items[static_cast<size_t>(id)];
            w = G().Items[SwordId];
            w.Id = id;
            w.Reach = static_cast<uint8_t>(reach);
        }
    }
};

TEST(CommandInput, EntriesByClassSkillsAndState) {
    struct Case {
        const char* What;
        int Position;
        std::function<void(Creature&)> Setup;
        std::vector<std::string> Expected;
    };
    const std::vector<std::string> tail = {"U)アイテムを使う", "R)逃げる", "T)ステータス",
                                           "B)戻る"};
    auto with = [&](std::vector<std::string> head) {
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const Case cases[] = {
        {"the leader",
         1,
         [](Creature&) {},
         {"F)戦う", "P)身を守る", "U)アイテムを使う", "R)逃げる", "T)ステータス", "E)再編成",
          "O)ノーマルオート"}},
        {"a front-row fighter", 2, [](Creature&) {}, with({"F)戦う", "P)身を守る"})},
        {"the back row with a sword", 4, [](Creature&) {}, with({"P)身を守る"})},
        {"the back row with a spear", 5, [](Creature& c) { c.Items[1].ItemId = SpearId; },
         with({"F)戦う", "P)身を守る"})},
        {"a fly", 2, [](Creature& c) { c.Status = StatusFly; }, with({"P)身を守る"})},
        {"hidden, a thief", 2,
         [](Creature& c) {
             c.Status = StatusHidden;
             c.Skills[5] = c.Skills[9] = 1;
         },
         with({"A)奇襲", "K)盗む", "P)身を守る"})},
        {"a thief in the open", 2, [](Creature& c) { c.Skills[9] = 1; },
         with({"F)戦う", "K)盗む", "P)身を守る"})},
        {"every skill entry, in order", 2,
         [](Creature& c) {
             for (int s : {39, 41, 7, 4, 28}) c.Skills[static_cast<size_t>(s)] = 1;
         },
         with({"F)戦う", "P)身を守る", "H)隠れる", "J)探る", "W)みぬく", "Z)ぜになげ",
               "D)呪いを解く"})},
        {"a singer who knows only the last level-1 spell of the fourth school", 2,
         [](Creature& c) {
             c.Spell(3, 1, 4) = 1;
             c.Skills[47] = c.Skills[28] = 1;
         },
         with({"F)戦う", "P)身を守る", "S)呪文を唱える", "D)呪いを解く", "V)歌"})},
        {"a level-2 spell alone opens no spells", 2, [](Creature& c) { c.Spell(0, 2, 1) = 1; },
         with({"F)戦う", "P)身を守る"})},
        {"a dragon", 3, [](Creature& c) { c.Race = 64; },
         with({"F)戦う", "P)身を守る", "I)ブレス"})},
    };
    for (const Case& c : cases) {
        Armoury f;
        Creature& member = *f.G().Member(c.Position);
        c.Setup(member);
        EXPECT_EQ(Texts(MemberEntries(f.G(), member, c.Position)), c.Expected) << c.What;
    }
    EXPECT_EQ(Texts(ConfirmationEntries()),
              (std::vector<std::string>{"G)戦闘開始", "B)戻る", "C)やり直す"}));
}

TEST(CommandInput, TheInputIndexSkipsThoseWhoCannotActBothWays) {
    struct Case {
        int From, Direction;
        bool Member;
        int To;
    };
    // Members 2 and 3 sleep, member 6 is dead.
    const Case cases[] = {
        {1, 1, true, 1},  {2, 1, true, 4},   {3, -1, true, 1}, {5, 1, true, 5},
        {6, 1, false, 7}, {7, -1, false, 7}, {2, -1, true, 1},
    };
    for (const Case& c : cases) {
        BattleFixture f(6);
        f.G().Member(2)->Status = StatusSleep;
        f.G().Member(3)->Status = StatusSleep;
        f.G().Member(6)->Status = StatusDead;
        f.G().Battle.InputIndex = static_cast<int16_t>(c.From);
        EXPECT_EQ(SettleInputIndex(f.G(), c.Direction), c.Member) << c.From;
        EXPECT_EQ(f.G().Battle.InputIndex, c.To) << c.From;
    }
    // With everyone but the leader down, going back stops on the leader.
    BattleFixture f(3);
    f.G().Member(1)->Status = StatusDead;
    f.G().Battle.InputIndex = 3;
    f.G().Member(3)->Status = StatusDead;
    f.G().Member(2)->Status = StatusDead;
    EXPECT_FALSE(SettleInputIndex(f.G(), -1));
    EXPECT_EQ(f.G().Battle.InputIndex, 1);
}

TEST(CommandInput, WeaponReachOverTheMonsterRows) {
    struct Case {
        int Weapon, Position;
        std::vector<bool> Rows;  // rows 0..3
    };
    const Case cases[] = {
        {SwordId, 1, {true, true, false, false}}, {SpearId, 1, {true, true, true, true}},
        {SpearId, 4, {true, true, false, false}}, {PikeId, 4, {true, true, true, true}},
        {0, 2, {true, true, false, false}},
    };
    for (const Case& c : cases) {
        Armoury f;
        Creature& member = *f.G().Member(c.Position);
        member.Items[1] = {c.Weapon, c.Weapon != 0 ? 1 : 0, c.Weapon != 0 ? 1 : 0};
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(ReachesRow(f.G(), member, c.Position, row), c.Rows[static_cast<size_t>(row)])
                << c.Weapon << " at " << c.Position << " row " << row;
    }
}

TEST(CommandInput, ThePartysInitiativeFollowsTheCommand) {
    struct Case {
        const char* What;
        int16_t Command;
        std::vector<int> Skills;  // of the member
        bool QuickParty;          // another member has skill 129
        int Low, High;            // the ticks seen over many rolls
    };
    // Every statistic is 14 but the dexterity (30) and the piety (4).
    const Case cases[] = {
        {"no command", CommandNone, {}, true, 0, 0},
        {"the fastest", CommandFight, {86}, true, 50, 50},
        {"quick by agility", CommandFight, {119}, false, 1, 42},
        {"a quick fighter", CommandFight, {149}, false, 45, 45},
        {"a quick fighter in a quick party", CommandFight, {149}, true, 46, 47},
        {"a quick caster", CommandSpell, {150}, false, 45, 45},
        {"a thief", CommandSteal, {}, false, 1, 30},
        {"a dispel", CommandDispel, {}, false, 1, 4},
        {"coins", CommandCoins, {}, false, 1, 30},
        {"a plain fight", CommandFight, {}, false, 1, 14},
        {"a plain fight in a quick party", CommandFight, {}, true, 2, 19},
    };
    for (const Case& c : cases) {
        BattleFixture f(2);
        Creature& member = *f.G().Member(1);
        member.Dexterity = 30;
        member.Piety = 4;
        for (int skill : c.Skills) member.Skills[static_cast<size_t>(skill)] = 1;
        if (c.QuickParty) f.G().Member(2)->Skills[129] = 1;
        int low = 100;
        int high = -1;
        for (int roll = 0; roll < 400; ++roll) {
            member.Command = c.Command;
            RollPartyInitiative(f.G());
            low = std::min<int>(low, member.Initiative);
            high = std::max<int>(high, member.Initiative);
        }
        EXPECT_EQ(low, c.Low) << c.What;
        EXPECT_EQ(high, c.High) << c.What;
    }
}

}  // namespace
}  // namespace kv::testing
