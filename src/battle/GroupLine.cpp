// The monster list: one row per group still present, and the recovery each
// living monster gets while its row is counted.
#include "battle/BattleRules.h"
#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int NameColumns = 18;

bool OneIn(Game& game, int n) {
    return Dice(game.Rng, 1, n, 0) == 1;
}

// A monster's conditions wear off between rounds; a summon's fear always ends.
void RecoverMonster(Game& game, Creature& m, bool summon = false) {
    m.Status &= ~(StatusFrozen | StatusShock);
    if ((m.Status & StatusFear) != 0 &&
        (summon || !PartyHasSkill(game, Skill::LastingMonsterFear) || OneIn(game, 2)))
        m.Status &= ~StatusFear;
    if ((m.Status & StatusSleep) != 0 &&
        OneIn(game, PartyHasSkill(game, Skill::DeeperMonsterSleep) ? 4 : 2))
        m.Status &= ~StatusSleep;
    struct Chance {
        int32_t Bit;
        int OneInN;
    };
    static constexpr Chance Wearing[] = {
        {StatusConfusion, 2},    {StatusCharm, 4},     {StatusBlind, 4},  {StatusPoison, 4},
        {StatusDeadlyPoison, 4}, {StatusParalysis, 8}, {StatusStone, 16},
    };
    for (const Chance& c : Wearing)
        if ((m.Status & c.Bit) != 0 && OneIn(game, c.OneInN)) m.Status &= ~c.Bit;
}

}  // namespace

int FirstLivingMember(const Game& game, int group) {
    if (group < 1 || group > BattleGroupCount) return 0;
    for (int m = 1; m <= GroupMemberCount; ++m) {
        const Creature& c = game.Battle.Monster(group, m);
        if (c.Id > 0 && (c.Status & StatusDead) == 0) return m;
    }
    return 0;
}

std::string BuildGroupLine(Game& game, int group) {
    if (group < 1 || group > BattleGroupCount) return {};
    int living = 0;
    int able = 0;
    for (int m = 1; m <= GroupMemberCount; ++m) {
        Creature& c = game.Battle.Monster(group, m);
        if (c.Id == 0 || (c.Status & StatusDead) != 0) continue;
        RecoverMonster(game, c);
        ++living;
        if (CanAct(c)) ++able;
    }
    const Creature& templ = game.Battle.Monster(group, 0);
    const std::string& name = templ.Identified == -1 ? templ.Name : templ.SubName;
    const std::string row = " " + std::to_string(group) +
                            FormatMask(name, "!" + std::string(NameColumns, '@')) +
                            std::to_string(living) + "(" + std::to_string(able) + ")";
    return Wide(row);
}

std::string BuildSummonLine(Game& game) {
    int living = 0;
    int able = 0;
    for (int s = 1; s <= SummonSlotCount; ++s) {
        Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
        if (c.Id == 0 || (c.Status & StatusDead) != 0) continue;
        RecoverMonster(game, c, true);
        ++living;
        if (CanAct(c)) ++able;
    }
    if (living == 0) return {};
    const std::string& name = game.Battle.Summons[1].Name;
    return Wide(" " + FormatMask(name, "!" + std::string(NameColumns, '@')) +
                std::to_string(living) + "(" + std::to_string(able) + ")");
}

void RebuildMonsterList(Game& game) {
    BattleState& b = game.Battle;
    int rows = 0;
    for (int g = 1; g <= BattleGroupCount; ++g) {
        if (FirstLivingMember(game, g) == 0) continue;
        ++rows;
        b.Rows[static_cast<size_t>(rows)] = static_cast<int16_t>(g);
        b.RowTexts[static_cast<size_t>(rows)] = BuildGroupLine(game, g);
        for (int m = 0; m <= GroupMemberCount; ++m)
            b.Monster(g, m).PartyPos = static_cast<uint8_t>(g);
    }
    for (int r = rows + 1; r <= BattleGroupCount; ++r) {
        b.Rows[static_cast<size_t>(r)] = 0;
        b.RowTexts[static_cast<size_t>(r)].clear();
    }
    b.GroupCount = static_cast<int16_t>(rows);
}

}  // namespace kv
