// The ends of a battle: a monster booked as killed, the victory's payout,
// the escape, the party's defeat and the clean-up every end shares.
#include <algorithm>
#include <array>
#include <cmath>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "character/Party.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"
#include "dungeon/MazeParty.h"

namespace kv {

namespace {

// Blessings that last only as long as a battle.
// Fewer encounters outlasts the battle.
constexpr int32_t BattleBlessings = BlessingFearResistance | BlessingRegeneration |
                                    BlessingSamuraiMight | BlessingLordMight | BlessingTheft |
                                    BlessingShield;

// Experience bonus of the party's skills, in percent, applied in this order.
struct ExpBonus {
    Skill Needs;
    double Share;
};
constexpr std::array<ExpBonus, 4> ExpBonuses = {{{Skill::ExperienceBonus3, 0.03},
                                                 {Skill::ExperienceBonus5, 0.05},
                                                 {Skill::ExperienceBonus10, 0.10},
                                                 {Skill::ExperienceBonus15, 0.15}}};

bool Down(const Creature& c) {
    return (c.Status & DownMask) != 0;
}

void HealFromVictory(Game& game, Creature& c) {
    HealCreature(c, Dice(game.Rng, c.Piety / 2, c.Level / 3, 0), true);
}

}  // namespace

std::string MonsterKilled(Game& game, Creature& monster, Creature* killer, bool withMessage) {
    BattleState& b = game.Battle;
    if (IsSummon(game, monster)) {
        monster.HP = 0;
        monster.Status = StatusDead;
        return withMessage ? monster.Name + std::string(ResString(Str::Died)) : std::string();
    }
    b.GoldPool += static_cast<int32_t>(std::nearbyint(monster.Gold));
    b.ExpPool += static_cast<int32_t>(std::nearbyint(monster.Exp));
    b.TreasureSum += monster.TreasureLevel;
    b.KillCount += 1;
    monster.HP = 0;
    monster.Status = StatusDead;
    if (monster.Id > 0 && static_cast<size_t>(monster.Id) < game.MonsterKillCount.size())
        game.MonsterKillCount[static_cast<size_t>(monster.Id)] += 1;
    if (killer != nullptr) killer->Marks += 1;
    if (Dice(game.Rng, 1, 100, 0) < monster.DropChance()) b.DropItemId = monster.DropItem();
    return withMessage ? monster.Name + std::string(ResString(Str::Died)) : std::string();
}

void EndBattle(Game& game) {
    for (int i = game.PartyCount; i >= 1; --i) {
        Creature* c = game.Member(i);
        if (c == nullptr) continue;
        c->Status &= ~BattleOnlyMask;
        c->Command = 0;
        if ((game.PartyEffects & PartyEffectProtection2) != 0)
            c->AC = c->BaseAC - 5;
        else if ((game.PartyEffects & PartyEffectProtection) != 0)
            c->AC = c->BaseAC - 3;
        else
            c->AC = c->BaseAC;
        if ((c->Status & StatusLost) != 0) {
            // The lost leave the party before their record is wiped, so the
            // marching order never names an empty slot.
            const int slot = game.PartyList[static_cast<size_t>(i)];
            LeaveParty(game, slot);
            game.Roster[static_cast<size_t>(slot)] = game.Roster[0];
        }
    }
    game.Battle.PartyAreaEffects = {};
    game.Battle.GroupAreaEffects = {};
    game.Battle.BreathShield = game.Battle.MonsterMagicShield = 0;
    game.Battle.PartyMagicShield = game.Battle.PartyBreathShield = 0;
    game.PartyEffects &= ~PartyEffectBetterChest;
    game.PartyBlessings &= ~BattleBlessings;
    game.Battle.ListShown = false;
    game.Battle.SummonLine.clear();
}

void PayOut(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    const bool oneTakesAll = PartyHasSkill(game, Skill::TakesAllSpoils);
    int sharers = 0;
    if (oneTakesAll) {
        sharers = 1;
    } else {
        for (int i = 1; i <= game.PartyCount; ++i)
            if (const Creature* c = game.Member(i);
                c && !Down(*c) && !HasSkill(*c, Skill::NoExperienceShare))
                ++sharers;
    }
    double bonus = 0;
    for (const ExpBonus& e : ExpBonuses)
        if (PartyHasSkill(game, e.Needs)) bonus = std::nearbyint(bonus + b.ExpPool * e.Share);
    b.ExpPool += static_cast<int32_t>(bonus);
    if (PartyHasSkill(game, Skill::DoubleGold)) b.GoldPool *= 2;
    display.PlayScene(SceneVictory);
    display.HideMonsterPicture();
    // Nobody to share with: nothing is paid out.
    const int32_t expShare = sharers > 0 ? b.ExpPool / sharers : 0;
    const int32_t goldShare = sharers > 0 ? b.GoldPool / sharers : 0;

    const bool heal157 = PartyHasSkill(game, Skill::HealAllAfterVictory);
    const bool cure156 = PartyHasSkill(game, Skill::CureAfterVictory);
    const bool cure158 = PartyHasSkill(game, Skill::CleanseAfterVictory);
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || (c->Status & GoneMask) != 0) continue;
        if (heal157) HealFromVictory(game, *c);
        if (cure156) c->Status &= ~(StatusParalysis | StatusPoison | StatusStone);
        if (cure158)
            c->Status &=
                ~(StatusDisease | StatusFly | StatusCarrot | StatusSleep | StatusParalysis |
                  StatusFear | StatusConfusion | StatusFrozen | StatusShock | StatusCharm |
                  StatusPoison | StatusSilence | StatusBlind | StatusStone | StatusDeadlyPoison);
    }
    if (PartyHasSkill(game, Skill::HealOneAfterVictory) && game.PartyCount > 0) {
        for (int tries = 0; tries < 51; ++tries) {
            Creature* c = game.Member(Dice(game.Rng, 1, game.PartyCount, 0));
            if (c != nullptr && (c->Status & AbsentMask) == 0) {
                HealFromVictory(game, *c);
                break;
            }
        }
    }
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i);
            c && (c->Status & GoneMask) == 0 && HasSkill(*c, Skill::VictoryHealing))
            HealCreature(*c, c->MaxHP / 8, true);
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i);
            c && (c->Status & GoneMask) == 0 && HasSkill(*c, Skill::SpellPointsAfterVictory))
            c->MP = c->MaxMP;

    player.Message("モンスターを倒した\n経験値" + WideNumber(expShare) + "ＥＸＰ獲得");
    player.Message("パーティーはそれぞれ\n" + WideNumber(goldShare) + "Ｇ手に入れた");
    if (sharers == 0) return;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || Down(*c)) continue;
        if (oneTakesAll) {
            if (!HasSkill(*c, Skill::TakesAllSpoils)) continue;
            c->Exp += b.ExpPool;
            c->Gold += b.GoldPool;
        } else {
            c->Gold += goldShare;
            if (!HasSkill(*c, Skill::NoExperienceShare)) c->Exp += expShare;
        }
    }
}

BattleEnd Victory(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    PayOut(game, player, display);
    // Read before the clean-up takes the spell away.
    const bool betterChest = (game.PartyEffects & PartyEffectBetterChest) != 0;
    b.Phase = BattlePhase::None;
    b.PartyFirstStrike = false;
    EndBattle(game);
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i); c && !Down(*c)) c->Victories += 1;
    const int roll = Dice(game.Rng, 1, 30, 0);
    b.ChestLeft = roll <= (betterChest ? 15 : 11) && b.KillCount >= 1;
    if (b.ChestLeft) {
        const int average = b.TreasureSum / b.KillCount;
        b.ChestItemLevel = static_cast<int16_t>(std::min(average + 1, 35));
        int x = average + 15;
        if (x < 1) x = 1;
        if (x > 40) x = 41;
        b.ChestTrapRoll = static_cast<int16_t>(Dice(game.Rng, 1, x, 0));
        player.Message("モンスターは宝箱を持っていた");
    }
    // A chest is opened or left under the victory's music; the maze's own
    // comes back with it.
    if (!b.ChestLeft) display.PlayScene(game.Config.MazeScene);
    return BattleEnd::Victory;
}

BattleEnd Defeat(Game& game, Player& player, GameDisplay& display) {
    // Set down where they fell, saved, told, and home: as a party that falls
    // in the maze.
    HandleWipeOut(game, player, display);
    game.Battle.Phase = BattlePhase::None;
    game.Battle.PartyFirstStrike = false;
    game.Battle.ListShown = false;
    game.Battle.SummonLine.clear();
    return BattleEnd::Defeat;
}

BattleEnd Escape(Game& game, Player& player, GameDisplay& display) {
    BattleState& b = game.Battle;
    Creature* runner = game.Member(b.InputIndex);
    int r = runner != nullptr ? Dice(game.Rng, 1, runner->Agility, 1) : 1;
    if (runner != nullptr && HasSkill(*runner, Skill::SureEscape))
        r = 10;
    else if (runner != nullptr && HasSkill(*runner, Skill::EasyEscape))
        r += 2;
    bool blocked = false;
    for (int g = 1; g <= BattleGroupCount; ++g) {
        const Creature& m = b.Monster(g, 1);
        if (m.Id > 0 && m.Level > 36) blocked = true;
    }
    if (blocked) player.Message("逃げれない！！");
    if (!blocked && r > 4) {
        game.PartyX = game.LastX;
        game.PartyY = game.LastY;
        if (PartyHasSkill(game, Skill::PaidEscape)) PayOut(game, player, display);
        for (int i = 1; i <= game.PartyCount; ++i)
            if (Creature* c = game.Member(i)) c->Escapes += 1;
        b.Phase = BattlePhase::None;
        b.PartyFirstStrike = false;
        EndBattle(game);
        display.PlayScene(game.Config.MazeScene);
        return BattleEnd::Escaped;
    }
    // The failed attempt costs the party its round.
    b.Phase = BattlePhase::Round;
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i)) c->Initiative = 0;
    if (b.PartyFirstStrike)
        b.PartyFirstStrike = false;
    else
        RollMonsterInitiative(game);
    RollSummonInitiative(game);
    return RunRound(game, player, display);
}

}  // namespace kv
