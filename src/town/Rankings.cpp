#include "town/Rankings.h"

#include <cmath>
#include <functional>
#include <utility>

#include "character/Inventory.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// The fortune teller's own quicksort, descending, over elements lo..hi: the
// order it leaves equal keys in is part of every ranking.
template <typename T>
void SortDescending(std::vector<T>& a, int lo, int hi, const std::function<double(const T&)>& key) {
    if (lo >= hi) return;
    const double pivot = key(a[static_cast<size_t>((lo + hi) / 2)]);
    int i = lo;
    int j = hi;
    for (;;) {
        while (key(a[static_cast<size_t>(i)]) > pivot) ++i;
        while (key(a[static_cast<size_t>(j)]) < pivot) --j;
        if (j >= i) {
            std::swap(a[static_cast<size_t>(i)], a[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
        if (j < i) {
            SortDescending(a, lo, j, key);
            SortDescending(a, i, hi, key);
            return;
        }
    }
}

std::string Text(int64_t n) {
    return std::to_string(n);
}

Ranking CharacterRanking(const Game& game, RankingKind kind) {
    std::vector<Creature> work(game.Roster.begin(), game.Roster.begin() + RosterRows);
    std::function<double(const Creature&)> key;
    switch (kind) {
        case RankingKind::Marks:
            // Marks are fractional; they are ranked as whole numbers (halves
            // to even), so the pivot is always one of the keys compared.
            key = [](const Creature& c) { return std::nearbyint(c.Marks); };
            break;
        case RankingKind::Revivals:
            key = [](const Creature& c) { return double(c.Revivals); };
            break;
        case RankingKind::Level:
            key = [](const Creature& c) { return double(c.Level); };
            break;
        case RankingKind::MaxHP:
            key = [](const Creature& c) { return double(c.MaxHP); };
            break;
        default:
            key = [](const Creature& c) { return double(c.Criticals); };
            break;
    }
    SortDescending<Creature>(work, 1, RosterRows - 1, key);
    const bool byLevel = kind == RankingKind::Level || kind == RankingKind::Criticals;
    Ranking ranking;
    for (int i = 1; i < RosterRows; ++i) {
        const Creature& c = work[static_cast<size_t>(i)];
        if (byLevel ? c.Level <= 0 : c.Id <= 0) continue;
        std::string row = FormatMask(Text(c.Level), "@@@@") + ":" +
                          FormatMask(c.Name, "!@@@@@@@@@@@@@@@  ") +
                          FormatMask(ClassLabel(c.Alignment, c.Class, game.Classes), "@@@@@@@@@ ");
        if (kind != RankingKind::Level) {
            row += FormatMask(Text(static_cast<int64_t>(key(c))), "@@@@@@");
        }
        ranking.Rows.push_back(Wide(row));
    }
    return ranking;
}

struct Count {
    int Row = 0;
    int32_t N = 0;
};
const std::function<double(const Count&)> ByCount = [](const Count& c) { return double(c.N); };

bool IsEventItem(const ItemDef& item) {
    return KindOf(item) == ItemKind::EventItem;
}

Ranking ItemsFound(const Game& game) {
    std::vector<Count> counts(ItemRows);
    double total = 0;
    int kinds = 0;
    for (int d = 1; d < ItemRows; ++d) {
        const ItemDef& item = game.Items[static_cast<size_t>(d)];
        counts[static_cast<size_t>(d)] = {d, game.ItemFound[static_cast<size_t>(d)]};
        total += game.ItemFound[static_cast<size_t>(d)];
        // Only defined items count as kinds; an empty row is no kind at all.
        if (item.Id > 0 && !IsEventItem(item)) ++kinds;
    }
    SortDescending<Count>(counts, 1, ItemRows - 1, ByCount);
    Ranking ranking;
    int got = 0;
    for (int i = 1; i < ItemRows && counts[static_cast<size_t>(i)].N >= 1; ++i) {
        const ItemDef& item = game.Items[static_cast<size_t>(counts[static_cast<size_t>(i)].Row)];
        ranking.Rows.push_back(Wide(FormatMask(item.Name, "!@@@@@@@@@@@@@@@@@ ") +
                                    FormatMask(ItemKindName(item.Kind), "!@@@@@@@@@ ") +
                                    FormatMask(Text(counts[static_cast<size_t>(i)].N), "@@@@@@")));
        ++got;
    }
    ranking.Summary = "獲得アイテム総数　" + Wide(Text(static_cast<int64_t>(total))) +
                      "　　取得アイテム種数　" + Wide(Text(got) + "/" + Text(kinds));
    return ranking;
}

Ranking MonstersKilled(const Game& game) {
    std::vector<Count> counts(MonsterRows);
    double total = 0;
    int kinds = 0;
    for (int d = 0; d < MonsterRows; ++d) {
        counts[static_cast<size_t>(d)] = {d, game.MonsterKillCount[static_cast<size_t>(d)]};
        total += game.MonsterKillCount[static_cast<size_t>(d)];
        if (game.Monsters[static_cast<size_t>(d)].Id > 0) ++kinds;
    }
    SortDescending<Count>(counts, 1, MonsterRows - 1, ByCount);
    Ranking ranking;
    int got = 0;
    for (int i = 1; i < MonsterRows && counts[static_cast<size_t>(i)].N >= 1; ++i) {
        const Creature& monster =
            game.Monsters[static_cast<size_t>(counts[static_cast<size_t>(i)].Row)];
        ranking.Rows.push_back(Wide(FormatMask(monster.Name, "!@@@@@@@@@@@@@@@@@ ") +
                                    FormatMask(Text(counts[static_cast<size_t>(i)].N), "@@@@@@")));
        ++got;
    }
    ranking.Summary = "倒打モンスター総数　" + Wide(Text(static_cast<int64_t>(total))) +
                      "　　倒打モンスター種数　" + Wide(Text(got) + "/" + Text(kinds));
    return ranking;
}

Ranking ItemList(const Game& game) {
    const std::string unknown(ResString(Str::UnknownMark));
    Ranking ranking;
    int n = 0;
    int got = 0;
    // The list ends at the first undefined row.
    for (int i = 1; i < ItemRows && game.Items[static_cast<size_t>(i)].Id >= 1; ++i) {
        const ItemDef& item = game.Items[static_cast<size_t>(i)];
        if (IsEventItem(item)) continue;
        ++n;
        const int32_t found = game.ItemFound[static_cast<size_t>(i)];
        if (found < 1) {
            ranking.Rows.push_back(Wide(FormatMask(Text(n), "@@@@ ") + unknown + unknown));
            continue;
        }
        ++got;
        ranking.Rows.push_back(Wide(
            FormatMask(Text(n), "@@@@ ") + FormatMask(item.Name, "!@@@@@@@@@@@@@@@@@ ") +
            FormatMask(item.UnidentifiedName, "!@@@@@@@@@@@@@@@@@ ") +
            FormatMask(ItemKindName(item.Kind), "!@@@@@@ ") + FormatMask(Text(found), "@@@@@@")));
    }
    ranking.Summary = "全" + Wide(Text(n)) + "種中  " + Wide(Text(got)) + "種ＧＥＴ   　　　残り" +
                      Wide(Text(n - got));
    return ranking;
}

Ranking MonsterList(const Game& game) {
    const std::string unknown(ResString(Str::UnknownMark));
    Ranking ranking;
    int n = 0;
    int got = 0;
    for (int i = 1; i < MonsterRows; ++i) {
        const Creature& monster = game.Monsters[static_cast<size_t>(i)];
        if (monster.Id <= 0) continue;
        ++n;
        const int32_t killed = game.MonsterKillCount[static_cast<size_t>(i)];
        if (killed < 1) {
            ranking.Rows.push_back(Wide(FormatMask(Text(i), "@@@@ ") + unknown + unknown +
                                        FormatMask(Text(killed), "@@@@@@")));
            continue;
        }
        ++got;
        ranking.Rows.push_back(Wide(FormatMask(Text(i), "@@@@ ") +
                                    FormatMask(monster.Name, "!@@@@@@@@@@@@@@@@@ ") +
                                    FormatMask(monster.SubName, "!@@@@@@@@@@@@@@@@@ ") +
                                    FormatMask(Text(killed), "@@@@@@")));
    }
    ranking.Summary = "全" + Wide(Text(n)) + "種中" + Wide(Text(got)) + "種倒打 　　　  残り" +
                      Wide(Text(n - got));
    return ranking;
}

}  // namespace

Ranking BuildRanking(const Game& game, RankingKind kind) {
    switch (kind) {
        case RankingKind::Marks:
        case RankingKind::Revivals:
        case RankingKind::Level:
        case RankingKind::MaxHP:
        case RankingKind::Criticals:
            return CharacterRanking(game, kind);
        case RankingKind::ItemsFound:
            return ItemsFound(game);
        case RankingKind::MonstersKilled:
            return MonstersKilled(game);
        case RankingKind::ItemList:
            return ItemList(game);
        case RankingKind::MonsterList:
            return MonsterList(game);
    }
    return {};
}

}  // namespace kv
