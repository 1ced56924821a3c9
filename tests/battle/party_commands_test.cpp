// The party's special commands, each through RunPartyAction as a round
// would call it: stealing and probing, seeing through a group, throwing
// coins, dispelling and a dragon's breath.
#include <gtest/gtest.h>

#include <string>

#include "BattleFixture.h"

namespace kv::testing {
namespace {

constexpr int RingId = 20;
constexpr int GemId = 21;

// Aki alone against one group of three ogres that carry a ring and a gem.
struct Skirmish : BattleFixture {
    Skirmish() : BattleFixture(1) {
        for (auto [id, name] : {std::pair{RingId, "指輪"}, std::pair{GemId, "宝石"}}) {
            G().Items[static_cast<size_t>(id)].Id = id;
            G().Items[static_cast<size_t>(id)].Name = name;
        }
        Creature& ogre = G().Monsters[OgreId];
        ogre.GroupDice = {0, 0, 3};
        ogre.Items[1].ItemId = RingId;
        ogre.Items[2].ItemId = GemId;
        ogre.Class = 2;  // undead
        G().Rng.Seed(7);
        CreateGroups(G(), Player, Display, FindEncounterRow(G(), OgreEncounter));
        G().Battle.ListShown = true;
        G().Battle.Monster(1, 0).Identified = -1;
        Aki().Command = 0;
        Aki().TargetGroup = 1;
        Player.Clear();
    }
    Creature& Aki() { return *G().Member(1); }
    Creature& Ogre(int member) { return G().Battle.Monster(1, member); }
    void Act(CommandCode command) {
        Aki().Command = command;
        Aki().TargetGroup = 1;
        RunPartyAction(G(), Player, Aki());
    }
};

TEST(PartyCommands, StealTakesAnItemOnceAndEmptiesTheGroupsPockets) {
    Skirmish f;
    f.Aki().Dexterity = 255;
    f.Aki().Status = StatusHidden;
    f.Act(CommandProbe);
    EXPECT_TRUE(f.Player.Saw("ふところを探った\n指輪か\n宝石\nを持っている可能性がある") ||
                f.Player.Saw("しかし何も探ることが出来なかった"));
    f.Player.Clear();
    f.Act(CommandSteal);
    EXPECT_TRUE(f.Player.Saw("アキは\nオーガの\nふところを探った\nそしてアイテムを盗んだ！"));
    const int32_t taken = f.Aki().Items[2].ItemId;
    EXPECT_TRUE(taken == RingId || taken == GemId);
    EXPECT_EQ(f.Aki().Items[2].ItemFlags & Unidentified, Unidentified);
    EXPECT_EQ(f.G().ItemFound[static_cast<size_t>(taken)], 1);
    EXPECT_EQ(f.Aki().Status & StatusHidden, 0);
    EXPECT_EQ(f.Aki().Command, 0);
    // The pockets are empty now: nothing more to steal or to find.
    f.Player.Clear();
    f.Aki().Agility = 255;
    f.Act(CommandProbe);
    EXPECT_TRUE(f.Player.Saw("しかし何も探ることが出来なかった"));
    f.Act(CommandSteal);
    EXPECT_TRUE(f.Player.Saw("しかし何も持っていなかった"));
    EXPECT_EQ(f.Aki().Items[3].ItemId, 0);
}

TEST(PartyCommands, InspectShowsTheTrueNameOfAnUnknownGroup) {
    Skirmish f;
    f.Ogre(0).Identified = 0;
    f.Aki().IQ = 255;
    f.G().Rng.Seed(1);
    f.Act(CommandInspect);
    const auto messages = f.Player.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0],
              "アキはみぬいた\n名前：オーガ\n攻撃：1Ｄ3＋2\nＨＰ：1Ｄ4＋12\nＥＸＰ：30\n");
    EXPECT_EQ(messages[1], "アキはみぬいた\n力：0\n知恵：0\n素早さ：10\n運：10\n");
    f.Player.Clear();
    f.Aki().IQ = 1;
    f.Act(CommandInspect);
    EXPECT_EQ(f.Player.Messages(), std::vector<std::string>{"アキはみぬくことが出来なかった"});
}

TEST(PartyCommands, CoinsHurtWhileTheGoldLasts) {
    struct Case {
        double Gold;
        bool Spends;
    };
    for (const Case& c : {Case{0, false}, Case{5, false}, Case{1e6, true}}) {
        Skirmish f;
        f.Aki().Gold = c.Gold;
        int32_t hpBefore = 0;
        for (int m = 1; m <= 3; ++m) hpBefore += f.Ogre(m).HP;
        f.Act(CommandCoins);
        EXPECT_EQ(f.Player.Messages().size(), 3u) << c.Gold;
        int32_t hpAfter = 0;
        for (int m = 1; m <= 3; ++m) hpAfter += f.Ogre(m).HP;
        const double spent = c.Gold - f.Aki().Gold;
        EXPECT_EQ(hpBefore - hpAfter, spent / 10) << "ten gold a point of damage";
        EXPECT_EQ(spent > 0, c.Spends) << c.Gold;
        if (!c.Spends) {
            EXPECT_TRUE(f.Player.Saw("オーガは\n０のダメージをうけた"));
        }
    }
    // Enough coins kill: the death is booked and told.
    Skirmish f;
    f.Aki().Gold = 1e6;
    f.Aki().Level = 40;
    f.Act(CommandCoins);
    EXPECT_EQ(f.G().Battle.KillCount, 3);
    EXPECT_TRUE(f.Player.Saw("のダメージをうけた\nオーガは\n死んだ・・・"));
}

TEST(PartyCommands, DispelNeedsTheSkillTheLevelAndAKnownGroup) {
    struct Case {
        int Skill, Level;
        int16_t Identified;
        bool Works;
    };
    const Case cases[] = {
        {28, 5, -1, true},
        {26, 5, -1, false},
        {28, 2, -1, false},
        {28, 5, 0, false},
    };
    for (const Case& c : cases) {
        Skirmish f;
        f.Aki().Skills[static_cast<size_t>(c.Skill)] = 1;
        f.Aki().Level = static_cast<int16_t>(c.Level);
        f.Aki().Piety = 255;
        f.Ogre(0).Identified = c.Identified;
        f.Act(CommandDispel);
        if (c.Works) {
            EXPECT_EQ(FirstLivingMember(f.G(), 1), 0);
            EXPECT_TRUE(f.Player.Saw("アキは\n３体のモンスターをディスペルした"));
            EXPECT_EQ(f.G().Battle.ExpPool, 0) << "nothing is earned for a dispel";
            EXPECT_EQ(f.G().Battle.KillCount, 0);
        } else {
            EXPECT_EQ(FirstLivingMember(f.G(), 1), 1) << c.Skill << " " << c.Level;
            EXPECT_TRUE(f.Player.Saw("アキは呪いを解けなかった"));
        }
    }
}

TEST(PartyCommands, ABreathPastTheLimitStillShowsButDoesNoHarm) {
    struct Case {
        int Level, BreathsBefore;
        bool Harms;
        int Struck;  // members of the group the breath reaches
    };
    const Case cases[] = {{10, 0, true, 1}, {10, 10, false, 1}, {20, 3, true, 3}};
    for (const Case& c : cases) {
        Skirmish f;
        f.Aki().Race = 64;
        f.Aki().Level = static_cast<int16_t>(c.Level);
        f.Aki().HP = 400;
        f.Aki().Vitality = 100;
        f.Aki().BreathCount = static_cast<int16_t>(c.BreathsBefore);
        for (int m = 1; m <= 3; ++m) {
            f.Ogre(m).HP = f.Ogre(m).MaxHP = 10000;
            f.Ogre(m).Luck = 1;  // never halves it
        }
        f.Act(CommandBreath);
        EXPECT_EQ(f.Aki().BreathCount, c.BreathsBefore + 1);
        EXPECT_EQ(f.Player.Messages().size(), static_cast<size_t>(c.Struck)) << c.Level;
        EXPECT_TRUE(f.Player.Saw("アキは\n炎のブレスを吐いた")) << c.Level;
        int harmed = 0;
        for (int m = 1; m <= 3; ++m) harmed += f.Ogre(m).HP < 10000 ? 1 : 0;
        EXPECT_EQ(harmed, c.Harms ? c.Struck : 0) << c.Level << " " << c.BreathsBefore;
    }
}

}  // namespace
}  // namespace kv::testing
