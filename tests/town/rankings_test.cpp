// The fortune teller's rankings and records.
#include <gtest/gtest.h>

#include "core/TextFormat.h"
#include "town/CharacterFixture.h"
#include "town/Rankings.h"

namespace kv::testing {
namespace {

TEST(Rankings, TheRosterIsRankedHighestFirstAndAnEmptyRosterGivesNothing) {
    CharacterFixture f;
    EXPECT_TRUE(BuildRanking(f.G(), RankingKind::Level).Rows.empty());
    const int levels[] = {5, 9, 5};
    const char* names[] = {"Ａ", "Ｂ", "Ｃ"};
    for (int i = 0; i < 3; ++i) {
        Creature& c = f.Make(i + 1, Fighter);
        c.Level = levels[i];
        c.Name = names[i];
        c.Marks = 2.4 + i;  // fractional marks rank as whole numbers
    }
    const Ranking level = BuildRanking(f.G(), RankingKind::Level);
    ASSERT_EQ(level.Rows.size(), 3u);
    EXPECT_EQ(level.Rows[0].rfind(Wide("   9:"), 0), 0u) << level.Rows[0];
    EXPECT_NE(level.Rows[0].find("Ｂ"), std::string::npos);
    EXPECT_EQ(level.Summary, "");
    const Ranking marks = BuildRanking(f.G(), RankingKind::Marks);
    ASSERT_EQ(marks.Rows.size(), 3u);
    EXPECT_NE(marks.Rows[0].find("Ｃ"), std::string::npos);
    EXPECT_EQ(marks.Rows[0].substr(marks.Rows[0].size() - 3), "４");
}

TEST(Rankings, RecordsHideWhatWasNotMetAndStopWhereTheRulesSay) {
    CharacterFixture f;
    Game& g = f.G();
    for (int id : {1, 2, 3, 5}) {  // item row 4 left empty: the list stops there
        g.Items[static_cast<size_t>(id)].Id = id;
        g.Items[static_cast<size_t>(id)].Name = "品" + std::to_string(id);
        g.Items[static_cast<size_t>(id)].Kind = 8;
    }
    g.Items[2].Kind = 11;  // event items are never listed
    const Ranking none = BuildRanking(g, RankingKind::ItemsFound);
    EXPECT_TRUE(none.Rows.empty());
    EXPECT_EQ(none.Summary, "獲得アイテム総数　０　　取得アイテム種数　０／３");
    g.ItemFound[3] = 2;
    const Ranking items = BuildRanking(g, RankingKind::ItemList);
    ASSERT_EQ(items.Rows.size(), 2u);
    EXPECT_EQ(
        items.Rows[0],
        Wide("   1 ") + "？？？？？？？？？？？？？？？？？　？？？？？？？？？？？？？？？？？　");
    EXPECT_NE(items.Rows[1].find("品３"), std::string::npos);
    EXPECT_EQ(items.Summary, "全２種中  １種ＧＥＴ   　　　残り１");

    for (int id : {1, 3}) {  // monster row 2 empty: skipped, the list goes on
        g.Monsters[static_cast<size_t>(id)].Id = id;
        g.Monsters[static_cast<size_t>(id)].Name = "魔" + std::to_string(id);
    }
    g.MonsterKillCount[3] = 4;
    const Ranking monsters = BuildRanking(g, RankingKind::MonsterList);
    ASSERT_EQ(monsters.Rows.size(), 2u);
    EXPECT_EQ(monsters.Rows[0].substr(monsters.Rows[0].size() - 3), "０");
    EXPECT_EQ(monsters.Rows[1].rfind(Wide("   3 ") + "魔３", 0), 0u);
    const Ranking killed = BuildRanking(g, RankingKind::MonstersKilled);
    EXPECT_EQ(killed.Rows.size(), 1u);
    EXPECT_EQ(killed.Summary, "倒打モンスター総数　４　　倒打モンスター種数　１／２");
}

}  // namespace
}  // namespace kv::testing
