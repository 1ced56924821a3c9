// The summon command: monsters of a kind the party has defeated and the
// summoner knows, called up for some of his hit points; and the betrayal by
// which summons of little charm turn into a monster group at a round's end.
#include <algorithm>
#include <array>
#include <cmath>

#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// The monster kinds (Class, compared whole) a summoner may call, each with
// the place of its skill in the summoning family (FirstSummonKind + offset).
struct SummonKind {
    int32_t Kind;
    int SkillOffset;
};
constexpr std::array<SummonKind, 18> SummonKinds = {{{1024, 0},
                                                     {32768, 1},
                                                     {1, 2},
                                                     {2, 3},
                                                     {64, 4},
                                                     {4, 5},
                                                     {16, 6},
                                                     {131072, 7},
                                                     {128, 8},
                                                     {8, 9},
                                                     {512, 10},
                                                     {65536, 12},
                                                     {524288, 13},
                                                     {32, 14},
                                                     {8192, 15},
                                                     {2097152, 16},
                                                     {1048576, 17},
                                                     {262144, 18}}};

constexpr int LowestLevel = 1;
constexpr int HighestLevel = 100;
constexpr int LevelWindow = 5;
// Summoning this monster marks the story's event flag.
constexpr int StoryMonster = 176;
constexpr size_t StoryFlag = 30;
constexpr int LoyalRounds = 15;

bool MayCall(const Creature& summoner, const Creature& def) {
    for (const SummonKind& k : SummonKinds)
        if (k.Kind == def.Class)
            return HasSkill(summoner, SkillOf(Skill::FirstSummonKind, k.SkillOffset));
    return false;
}

void Fail(Player& player, const Creature& summoner) {
    player.Message(summoner.Name + "は\n召喚に失敗した");
}

}  // namespace

void SummonMonsters(Game& game, Player& player, Creature& summoner) {
    const int level = summoner.CommandArg;
    const int lo = level > 4 ? level - LevelWindow : LowestLevel;
    const int hi = level < 96 ? level + LevelWindow : HighestLevel;
    std::vector<int> candidates;
    for (int id = 1; id < static_cast<int>(game.Monsters.size()); ++id) {
        const Creature& def = game.Monsters[static_cast<size_t>(id)];
        if (game.MonsterKillCount[static_cast<size_t>(id)] > 0 && def.SummonLevel >= lo &&
            def.SummonLevel <= hi && MayCall(summoner, def))
            candidates.push_back(id);
    }
    int chosen = 0;
    if (!candidates.empty())
        chosen = candidates[static_cast<size_t>(
            Dice(game.Rng, 1, static_cast<int>(candidates.size()), -1))];
    const int32_t price = summoner.MaxHP / (HasSkill(summoner, Skill::CheapSummons) ? 24 : 12);
    if (chosen == 0 || price >= summoner.HP) {
        Fail(player, summoner);
        return;
    }
    DamageCreature(summoner, price, true);
    if (chosen == StoryMonster) game.EventFlags[StoryFlag] = 1;

    const Creature& def = game.Monsters[static_cast<size_t>(chosen)];
    const int n = std::clamp<int>(
        Dice(game.Rng, def.GroupDice[0], def.GroupDice[1], def.GroupDice[2]), 0, SummonSlotCount);
    std::vector<Creature>& slots = game.Battle.Summons;
    for (int j = 0; j <= n; ++j) {
        Creature& c = slots[static_cast<size_t>(j)];
        c = def;
        c.HP = HasSkill(summoner, Skill::StrongSummonHP)
                   ? def.HPDice[0] * def.HPDice[1] + def.HPDice[2]
                   : Dice(game.Rng, def.HPDice[0], def.HPDice[1], def.HPDice[2]);
        c.MaxHP = c.HP;
        if (HasSkill(summoner, Skill::StrongSummonBlows)) {
            c.DamageDice[1] *= 2;
            c.DamageDice[2] *= 2;
        }
        if (HasSkill(summoner, Skill::ToughSummons))
            c.DamageRate[1] = static_cast<uint8_t>(std::nearbyint(c.DamageRate[1] * 0.9));
        c.Charm = summoner.Charm;
        c.Status = 0;
        c.Initiative = 0;
    }
    // The template never acts.
    slots[0].Status = StatusDead;
    for (int j = n + 1; j <= SummonSlotCount; ++j) {
        slots[static_cast<size_t>(j)] = Creature{};
        slots[static_cast<size_t>(j)].Status = StatusDead;
    }
    player.Message(summoner.Name + "は\n" + def.Name + "を\n" + WideNumber(n) + "体召喚した");
}

void SummonBetrayal(Game& game, Player& player) {
    BattleState& b = game.Battle;
    if (b.SummonLine.empty() || b.GroupCount < 1 || b.GroupCount >= BattleGroupCount) return;
    if (PartyHasSkill(game, Skill::LoyalSummons)) return;
    Creature& leader = b.Summons[1];
    if (Dice(game.Rng, 1, leader.Charm, 0) != 1 || Dice(game.Rng, 1, 20, 0) != 1) return;
    player.Message(leader.Name + "は\nパーティを裏切った！");
    // The first group number without a monster standing takes them.
    int group = 0;
    for (int g = 1; g <= BattleGroupCount && group == 0; ++g)
        if (FirstLivingMember(game, g) == 0) group = g;
    if (group == 0) return;
    const int32_t gift = leader.DropItem();
    for (int m = 0; m <= GroupMemberCount; ++m) {
        Creature& c = b.Monster(group, m);
        c = b.Summons[static_cast<size_t>(m)];
        c.PartyPos = static_cast<uint8_t>(group);
        c.Initiative = 0;
        b.Summons[static_cast<size_t>(m)] = Creature{};
        b.Summons[static_cast<size_t>(m)].Status = StatusDead;
    }
    b.Monster(group, 0).Status = StatusDead;
    b.Monster(group, 0).Identified = -1;
    b.GroupCount += 1;
    b.Rows[static_cast<size_t>(b.GroupCount)] = static_cast<int16_t>(group);
    b.RowTexts[static_cast<size_t>(b.GroupCount)] = BuildGroupLine(game, group);
    b.SummonLine.clear();
    if (b.RoundNo < LoyalRounds && PartyHasSkill(game, Skill::SummonGifts) &&
        Dice(game.Rng, 1, 3, 0) == 1)
        GiveFoundItem(game, player, gift, true, FoundMessage::Named, true);
}

}  // namespace kv
