// The special attacks: one frame (announcement, targets, damage, conditions,
// statistic loss) driven by a table of the rows' values. Summons use many
// of the rows with the sides exchanged: a row aimed at one member hits the
// summon's single target, a row aimed at several hits the whole group it
// fights, and a row that helps the monsters helps the summons.
#include "battle/MonsterFeats.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "character/CharacterRules.h"
#include "character/Party.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// Attack attributes.
constexpr int8_t Physical = 1;
constexpr int8_t Magic = 2;
constexpr int8_t Fire = 4;
constexpr int8_t Water = 5;
constexpr int8_t Wind = 6;
constexpr int8_t Earth = 7;
constexpr int8_t Cold = 8;
constexpr int8_t Lightning = 9;
constexpr int8_t Poison = 10;
constexpr int8_t Mind = 11;
constexpr int8_t Light = 12;
constexpr int8_t Dark = 13;
constexpr int8_t Mystic = 14;
// Condition kinds.
constexpr int8_t KindFear = 17;
constexpr int8_t KindConfusion = 18;
constexpr int8_t KindFrozen = 19;
constexpr int8_t KindShock = 20;
constexpr int8_t KindCharm = 21;
constexpr int8_t KindPoison = 22;
constexpr int8_t KindSilence = 23;
constexpr int8_t KindBlind = 24;
constexpr int8_t KindDisease = 27;
constexpr int8_t KindStone = 29;
constexpr int8_t KindDeath = 31;
constexpr int8_t KindLost = 33;
// Where a piece of gear is worn (the low bits of its slot's flags).
constexpr int32_t WornInMainHand = 1;
constexpr int32_t WornAsArmour = 3;

// Everything a battle lends a member for protection, hiding included.
constexpr int32_t ProtectionBits = StatusBattleExtra | StatusHidden | StatusCriticalWard |
                                   StatusDrainWard | StatusHalfDamage | StatusReflectSpells |
                                   StatusReflectPhysical | StatusConditionWard;
static_assert(ProtectionBits == 0x3F60000);

constexpr std::array<int8_t, 6> Elements = {Fire, Water, Earth, Wind, Cold, Lightning};

// clang-format off
constexpr SpecialAttackDef Table[] = {
    {.Row = 33, .Move = 2, .Break = true, .Targets = TargetOne, .Summons = true, .Routine = BodySlam, .BySummon = SummonUse::Same},
    {.Row = 34, .Move = 3, .Break = true, .Targets = TargetOne, .Summons = true, .Routine = SelfDestruct, .BySummon = SummonUse::Same},
    {.Row = 42, .Move = 11, .Break = true, .Targets = TargetOne, .Routine = Smile, .Param = 2},
    {.Row = 43, .Move = 11, .Break = true, .Targets = TargetOne, .Routine = Smile, .Param = 1},
    {.Row = 45, .Move = 13, .Routine = HideInShadow, .BySummon = SummonUse::Same},
    {.Row = 46, .Move = 14, .Targets = TargetStanding, .Summons = true, .Damage = Amount::HPPlusRoll, .Attribute = Fire, .BySummon = SummonUse::Same},
    {.Row = 47, .Move = 15, .Targets = TargetOne, .Summons = true, .Damage = Amount::HPPlusRoll, .Attribute = Fire, .BySummon = SummonUse::Same},
    {.Row = 48, .Move = 16, .Targets = TargetStanding, .Summons = true, .Damage = Amount::RollHalfHP, .Attribute = KindFrozen, .Extra = KindFrozen, .BySummon = SummonUse::Same},
    {.Row = 49, .Move = 17, .Targets = TargetStanding, .Summons = true, .Damage = Amount::RollRoundHalfHP, .Attribute = Water, .BySummon = SummonUse::Same},
    {.Row = 54, .Move = 22, .Break = true, .Targets = TargetOne, .Summons = true, .Routine = BodhisattvaPalm, .BySummon = SummonUse::Same},
    {.Row = 56, .Move = 24, .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::TargetHalf, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 57, .Move = 25, .Targets = TargetStanding, .Summons = true, .Damage = Amount::Dice, .Attribute = Earth, .Routine = Earthquake, .BySummon = SummonUse::Same},
    {.Row = 58, .Move = 26, .Targets = TargetOne, .Summons = true, .Damage = Amount::TargetLessOne, .Attribute = Wind, .BySummon = SummonUse::Same},
    {.Row = 59, .Move = 27, .Targets = TargetOne, .Summons = true, .Condition = KindDeath, .Chance = 100, .BySummon = SummonUse::Same},
    {.Row = 60, .Move = 28, .Break = true, .Targets = TargetFrontOne, .Damage = Amount::TargetMaxHalf, .Attribute = Physical, .Routine = ZelvaSpecial, .BySummon = SummonUse::Same},
    {.Row = 61, .Move = 29, .Targets = TargetOne, .Summons = true, .Damage = Amount::Dice, .Attribute = Physical, .Routine = TenBlows, .BySummon = SummonUse::Same},
    {.Row = 67, .Move = 35, .Break = true, .Targets = AnyMember, .Routine = Hurl},
    {.Row = 68, .Move = 36, .Break = true, .Targets = TargetOne, .Routine = OtherDimension},
    {.Row = 71, .Move = 38, .Routine = GreatEscape, .BySummon = SummonUse::Same},
    {.Row = 72, .Move = 39, .Routine = Restore, .BySummon = SummonUse::Same},
    {.Row = 73, .Move = 40, .Targets = TargetStanding, .Damage = Amount::Dice, .Attribute = Mind, .Extra = KindFear, .Routine = StripAfterStrike, .BySummon = SummonUse::Same},
    {.Row = 74, .Move = 41, .Targets = TargetOne, .Summons = true, .Damage = Amount::DiceTimesBlows, .Attribute = Fire, .BySummon = SummonUse::Same},
    {.Row = 76, .Move = 44, .Targets = TargetStanding, .Summons = true, .Damage = Amount::DiceTimesBlows, .Attribute = Physical, .Extra = KindFear, .Routine = AsuraSlash, .BySummon = SummonUse::Same},
    {.Row = 78, .Move = 45, .Targets = TargetOne, .Damage = Amount::Judgement, .Attribute = Light, .BySummon = SummonUse::Same},
    {.Row = 79, .Move = 46, .Targets = TargetFrontOne, .Damage = Amount::DiceTimesBlows, .Attribute = Physical, .Routine = Slaps, .BySummon = SummonUse::Same},
    {.Row = 80, .Move = 47, .Targets = TargetFrontStanding, .Damage = Amount::DiceTimesBlows, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 83, .Move = 50, .Targets = AnyMember, .Condition = KindLost, .Chance = 100, .BySummon = SummonUse::Same},
    {.Row = 84, .Move = 51, .Targets = TargetStanding, .Summons = true, .Damage = Amount::TargetLessOne, .Attribute = Dark, .BySummon = SummonUse::Same},
    {.Row = 85, .Targets = TargetFrontOne, .Routine = BreakGear, .Param = WornInMainHand},
    {.Row = 86, .Targets = TargetFrontOne, .Routine = BreakGear, .Param = WornAsArmour},
    {.Row = 88, .Move = 42, .Targets = TargetStanding, .Summons = true, .Damage = Amount::Judgement, .Attribute = Mystic, .BySummon = SummonUse::Same},
    {.Row = 96, .Text = "は電撃を放った", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::DiceNoAdd, .Attribute = Lightning, .Condition = KindShock, .Chance = 50, .BySummon = SummonUse::Same},
    {.Row = 97, .Text = "はサンダーブラストを放った", .Targets = TargetFrontStanding, .Summons = true, .Damage = Amount::DiceNoAdd, .Attribute = Lightning, .Condition = KindShock, .Chance = 30, .BySummon = SummonUse::Same},
    {.Row = 98, .Text = "はアイスブラストを放った", .Targets = TargetFrontStanding, .Summons = true, .Damage = Amount::RollHalfHP, .Attribute = Cold, .Condition = KindFrozen, .Chance = 50, .BySummon = SummonUse::Same},
    {.Row = 99, .Text = "はヒエロスグリュペインを放った", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::Dice, .Attribute = Light, .Loss = LostStat::Luck, .LossResist = Magic, .LossResist2 = Light, .LossText = "は運が落ちた", .BySummon = SummonUse::Same},
    {.Row = 100, .Text = "は真空の竜巻を起こした", .Targets = TargetFrontStanding, .Summons = true, .Damage = Amount::HalfHP, .Attribute = Wind, .BySummon = SummonUse::Same},
    {.Row = 101, .Text = "は巨大な嵐を巻き起こした", .Targets = TargetStanding, .Summons = true, .Damage = Amount::FullHP, .Attribute = Wind, .BySummon = SummonUse::Same},
    {.Row = 102, .Text = "はスーパー・ノヴァを使った", .Targets = TargetStanding, .Damage = Amount::FullHP, .Attribute = Mystic, .Loss = LostStat::Age, .LossResist = Mystic, .LossText = "は年老いた", .BySummon = SummonUse::Same},
    {.Row = 103, .Text = "はエレクトリックサンダーを放った", .Targets = TargetDraws, .Count = 3, .Damage = Amount::FullHP, .Attribute = Lightning, .Condition = KindShock, .Chance = 100, .IfHit = true, .BySummon = SummonUse::Same},
    {.Row = 104, .Text = "はミールストームを起こした", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::TargetLessOne, .Attribute = Wind, .BySummon = SummonUse::Same},
    {.Row = 105, .Text = "剛切断をくりだした", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::TargetQuarter, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 106, .Text = "のまっぷたつ斬り", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::TargetHalf, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 107, .Text = "はストーンファングを起こした", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::Dice, .Attribute = Earth, .BySummon = SummonUse::Same},
    {.Row = 108, .Text = "は天誅を下した", .Targets = TargetOne, .Damage = Amount::TargetLessOne, .Attribute = Dark, .BySummon = SummonUse::Same},
    {.Row = 109, .Text = "はダイアモンドダストを起こした", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::Dice, .Attribute = Cold, .Condition = KindFrozen, .Chance = 100, .IfHit = true, .BySummon = SummonUse::Same},
    {.Row = 110, .Text = "はクレセントミラーを発動した", .Targets = TargetOne, .Damage = Amount::Dice, .Attribute = Light, .Loss = LostStat::Piety, .LossResist = Light, .LossText = "は信仰心を失った", .BySummon = SummonUse::WholeGroup},
    {.Row = 111, .Text = "のリベンジブレイク", .Targets = TargetOne, .Summons = true, .Damage = Amount::Wounds, .Attribute = Physical, .BySummon = SummonUse::WholeGroup},
    {.Row = 112, .Text = "は衝撃波を放った", .Targets = TargetStanding, .Damage = Amount::Shockwave, .Attribute = Wind, .BySummon = SummonUse::Same},
    {.Row = 113, .Text = "はかまいたちをはなった", .Targets = TargetFrontOne, .Summons = true, .Damage = Amount::DiceTimesRolledBlows, .Attribute = Wind, .BySummon = SummonUse::Same},
    {.Row = 114, .Text = "は猛毒の竜巻を起こした", .Targets = TargetStanding, .Damage = Amount::DiceTimesRolledBlows, .Attribute = Poison, .Condition = KindPoison, .Chance = 100, .IfHit = true, .BySummon = SummonUse::Same},
    {.Row = 115, .Text = "はストーンニードルを放った", .Targets = TargetDraws, .Count = 3, .Summons = true, .Condition = KindStone, .Chance = 30, .BySummon = SummonUse::Same},
    {.Row = 116, .Text = "はメイルストロームを起こした", .Targets = TargetDraws, .Count = 4, .Damage = Amount::Dice, .Attribute = Wind, .Loss = LostStat::Vitality, .LossResist = Wind, .LossText = "は生命力を失った", .BySummon = SummonUse::Same},
    {.Row = 117, .Text = "はメガンテを唱えた", .Targets = TargetParty, .Routine = Megante},
    {.Row = 118, .Text = "はナイトメアハリケーンを唱えた", .Targets = TargetStanding, .Summons = true, .Damage = Amount::RollHP, .Attribute = Dark, .Condition = KindBlind, .Chance = 50, .IfHit = true, .BySummon = SummonUse::Same},
    {.Row = 119, .Text = "はブラッディダンスを踊った", .Targets = TargetStanding, .Damage = Amount::RollHP, .Attribute = Dark, .BySummon = SummonUse::Same},
    {.Row = 120, .Text = "は七鍵守護神を唱えた", .Targets = TargetStanding, .Summons = true, .Damage = Amount::HPPlusRoll, .Attribute = Mystic, .BySummon = SummonUse::Same},
    {.Row = 121, .Text = "はフォースフィールドをはった", .Routine = ForceField, .BySummon = SummonUse::Same},
    {.Row = 122, .Text = "はエレメンタルヴォイスを使った", .Routine = ElementalVoice, .BySummon = SummonUse::Same},
    {.Row = 123, .Text = "はエターナルデザイアを唱えた", .Targets = TargetOne, .Damage = Amount::TargetMarks, .Attribute = Physical, .Loss = LostStat::IQ, .LossResist = Physical, .LossText = "は知恵を失った"},
    {.Row = 124, .Text = "はストレングスドレインを行った", .Targets = TargetOne, .Damage = Amount::Dice, .Attribute = Physical, .Loss = LostStat::Str, .LossResist = Physical, .LossText = "は力を失った", .BySummon = SummonUse::Same},
    {.Row = 125, .Text = "のメガトンプレス", .Targets = TargetStanding, .Summons = true, .Damage = Amount::FullHP, .Attribute = Earth, .BySummon = SummonUse::Same},
    {.Row = 126, .Text = "はアシッドトリッガーを撃った", .Targets = TargetFrontDraws, .Count = 3, .Summons = true, .Damage = Amount::Dice, .Attribute = Poison, .Condition = KindPoison, .Chance = 100, .IfHit = true, .BySummon = SummonUse::Same},
    {.Row = 127, .Text = "は乱れ舞った", .Targets = TargetDraws, .Count = 6, .Summons = true, .Damage = Amount::Dice, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 128, .Text = "はペインスプラッシュを唱えた", .Targets = TargetFrontStanding, .Summons = true, .Damage = Amount::Dice, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 129, .Text = "は突撃してきた", .Targets = TargetFrontOne, .Damage = Amount::HPPlusRoll, .Attribute = Physical, .BySummon = SummonUse::Same},
    {.Row = 130, .Text = "はあやしく光った", .Targets = TargetOne, .Routine = DrainMP},
    {.Row = 131, .Text = "はあやしく光った", .Targets = TargetOne, .Routine = LowerMaxHP},
    {.Row = 132, .Text = "は不気味な光をはなった", .Targets = TargetParty, .Routine = StripDefences, .BySummon = SummonUse::Same},
    {.Row = 133, .Text = "はサイレントヴォイスを唱えた", .Targets = TargetStanding, .Condition = KindSilence, .Chance = 100, .BySummon = SummonUse::Same},
    {.Row = 134, .Text = "は光の壁をはった", .Routine = WallOfLight, .BySummon = SummonUse::Same},
    {.Row = 135, .Text = "はファイアーストームをおこした", .Routine = FireStorm, .BySummon = SummonUse::Same},
    {.Row = 136, .Text = "は破滅の吐息を吐き出した", .Targets = TargetStanding, .Routine = DoomBreath, .BySummon = SummonUse::Same},
    {.Row = 137, .Text = "はブラッドレインを降らせた", .Targets = TargetStanding, .Summons = true, .Damage = Amount::DiceTimesRolledBlows, .Attribute = Water, .BySummon = SummonUse::Same},
    {.Row = 141, .Text = "のオルタナティブライフ", .Targets = TargetStanding, .Damage = Amount::Dice, .Attribute = Mystic, .Routine = AlternativeLife, .BySummon = SummonUse::Same},
    {.Row = 146, .Text = "のエンドオブザライン", .Targets = TargetOne, .Damage = Amount::TargetEscapes, .Attribute = Mystic},
    {.Row = 148, .Text = "は震撼の冷気をはなった", .Targets = TargetStanding, .Damage = Amount::RollHalfHP, .Attribute = Cold, .BySummon = SummonUse::Same},
    {.Row = 149, .Text = "は不浄の吐息を吐いた", .Targets = TargetStanding, .Damage = Amount::DiceNoAdd, .Attribute = Dark, .Condition = KindDisease, .Chance = 100, .BySummon = SummonUse::Same},
    {.Row = 150, .Text = "のサンダーウェーブ", .Targets = TargetFrontStanding, .Damage = Amount::DiceNoAdd, .Attribute = Lightning, .Condition = KindShock, .Chance = 50, .BySummon = SummonUse::Same},
    {.Row = 153, .Text = "のリアルバウト", .Targets = TargetStanding, .Routine = Hostility, .Param = 1},
    {.Row = 154, .Text = "の夜叉神楽", .Targets = TargetStanding, .Damage = Amount::TargetVictories, .Attribute = Dark},
    {.Row = 156, .Text = "の美女のいざない", .Targets = TargetStanding, .Routine = KillTheAfflicted, .Param = StatusCharm, .BySummon = SummonUse::Same},
    {.Row = 157, .Text = "のジールオンミー", .Targets = TargetStanding, .Routine = Hostility, .Param = 0},
    {.Row = 161, .Text = "のジューダスペイン", .Targets = TargetStanding, .Damage = Amount::Dice, .Attribute = SixElements, .BySummon = SummonUse::Same},
    {.Row = 164, .Text = "のゲヘナの炎をはなった", .Targets = TargetDraws, .Count = RollFive, .Damage = Amount::Dice, .Attribute = DarkOrFire, .BySummon = SummonUse::Same},
    {.Row = 167, .Text = "のゼロルーザー", .Targets = TargetOne, .Routine = GoldLoss, .Param = 0},
    {.Row = 168, .Text = "のハーフルーザー", .Targets = TargetOne, .Routine = GoldLoss, .Param = 1},
    {.Row = 169, .Text = "のかすめとる", .Targets = TargetOne, .Routine = GoldLoss, .Param = 2},
    {.Row = 170, .Text = "のベノムペイン", .Targets = TargetStanding, .Attribute = Poison, .Routine = VenomPain},
    {.Row = 171, .Text = "の美女のいざない", .Targets = TargetStanding, .Routine = KillTheAfflicted, .Param = StatusSleep, .BySummon = SummonUse::Same},
    {.Row = 172, .Text = "の後光の恵み", .Routine = Halo},
    {.Row = 187, .Text = "のセブンキングダムズ ", .Break = true, .Targets = TargetStanding, .Routine = Kingdoms, .Param = 7},
    {.Row = 188, .Text = "のスリーキングダムズ", .Break = true, .Targets = TargetStanding, .Routine = Kingdoms, .Param = 3},
    {.Row = 269, .Move = RowMessage, .Routine = ActAgain},
    {.Row = 300, .Move = RowMessage, .Routine = GroupBlessing, .Param = 0},
    {.Row = 301, .Move = RowMessage, .Routine = GroupBlessing, .Param = 1},
    {.Row = 302, .Move = RowMessage, .Routine = GroupBlessing, .Param = 2},
    {.Row = 303, .Move = RowMessage, .Routine = GroupBlessing, .Param = 3},
    {.Row = 304, .Move = RowMessage, .Routine = GroupBlessing, .Param = 4},
    {.Row = 305, .Move = RowMessage, .Routine = GroupBlessing, .Param = 5},
    {.Row = 306, .Text = "のマザーペイン ", .Break = true, .Targets = TargetStanding, .Routine = KillCountPain, .Param = 837},
    {.Row = 307, .Text = "のソウルペイン ", .Break = true, .Targets = TargetStanding, .Routine = KillCountPain, .Param = 836},
    {.Row = 308, .Text = "は下僕達への鎮魂歌を歌った", .Break = true, .Targets = TargetStanding, .Routine = KillCountPain, .Param = 472},
    {.Row = 309, .Text = "の\nブリメル", .Targets = TargetStanding, .Routine = Enchant, .Param = KindCharm},
    {.Row = 310, .Text = "の\nロックアラウンドザクロック", .Targets = TargetStanding, .Routine = Enchant, .Param = KindConfusion},
    {.Row = 311, .Text = "の\nドロップデッドゴージャス", .Targets = TargetStanding, .Routine = DropDeadGorgeous},
    {.Row = 316, .Text = "の\nグッドモーニングハイド", .Targets = TargetStanding, .Routine = Reveal},
    {.Row = 317, .Text = "の\nジューダスライジング", .Targets = TargetStanding, .Routine = Enchant, .Param = -KindCharm},
    {.Row = 318, .Text = "のキングセイブザアヴァロン", .Targets = TargetStanding, .Damage = Amount::Dice, .Attribute = SixElements, .Routine = Avalon},
};
// clang-format on

int32_t Clamp(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, 0, INT32_MAX));
}

int32_t DamageDice(Game& game, const Creature& a, bool withAdd) {
    return Dice(game.Rng, a.DamageDice[0], a.DamageDice[1], withAdd ? a.DamageDice[2] : 0);
}

int32_t AmountOf(Game& game, Amount amount, const Creature& a, const Creature& t, int k, int n) {
    switch (amount) {
        case Amount::None:
            return 0;
        case Amount::RollHP:
            return Dice(game.Rng, 1, a.HP, 0);
        case Amount::HPPlusRoll:
            return Clamp(int64_t{a.HP} + Dice(game.Rng, 1, a.HP, 0));
        case Amount::RollHalfHP:
            return Dice(game.Rng, 1, a.HP / 2, 0);
        case Amount::RollRoundHalfHP:
            return Dice(game.Rng, 1, static_cast<int>(std::nearbyint(a.HP / 2.0)), 0);
        case Amount::FullHP:
            return a.HP;
        case Amount::HalfHP:
            return a.HP / 2;
        case Amount::Dice:
            return DamageDice(game, a, true);
        case Amount::DiceNoAdd:
            return DamageDice(game, a, false);
        case Amount::DiceTimesBlows:
            return Clamp(int64_t{DamageDice(game, a, true)} * a.AttackCount);
        case Amount::DiceTimesRolledBlows:
            return Clamp(int64_t{DamageDice(game, a, true)} * Dice(game.Rng, 1, a.AttackCount, 0));
        case Amount::Shockwave:
            return Clamp(int64_t{DamageDice(game, a, true)} * (n - k));
        case Amount::Wounds:
            return a.MaxHP - a.HP;
        case Amount::TargetHalf:
            return t.HP / 2;
        case Amount::TargetQuarter:
            return t.HP / 4;
        case Amount::TargetLessOne:
            return t.HP - 1;
        case Amount::TargetMaxHalf:
            return t.MaxHP / 2;
        case Amount::Judgement:
            return Dice(game.Rng, 1, t.MaxHP / 2, t.MaxHP / 2);
        case Amount::TargetMarks:
            return Clamp(static_cast<int64_t>(t.Marks));
        case Amount::TargetEscapes:
            return Clamp(static_cast<int64_t>(t.Escapes / 10));
        case Amount::TargetVictories:
            return Dice(game.Rng, 1, static_cast<int>(std::min<double>(t.Victories, INT32_MAX)), 0);
    }
    return 0;
}

int AttributeFor(Game& game, int8_t attribute) {
    if (attribute == SixElements) return Elements[static_cast<size_t>(Dice(game.Rng, 1, 6, -1))];
    if (attribute == DarkOrFire) return Dice(game.Rng, 1, 2, 0) == 1 ? Dark : Fire;
    return attribute;
}

// A statistic falls by 1 while above 1.
void Lower(uint8_t& value) {
    if (value > 1) --value;
}

void LoseStat(const SpecialTurn& turn, Creature& target) {
    const SpecialAttackDef& def = turn.Def;
    const int second =
        def.LossResist2 != 0 ? target.Resist[static_cast<size_t>(def.LossResist2)] : 0;
    if (ResistRoll(turn.TheGame, target.Resist[static_cast<size_t>(def.LossResist)], second) !=
        NotResisted) {
        turn.ThePlayer.Message(turn.Prefix + "\n" + target.Name +
                               std::string(ResString(Str::Resisted)));
        return;
    }
    switch (def.Loss) {
        case LostStat::Luck:
            Lower(target.Luck);
            break;
        case LostStat::Age:
            target.Age = static_cast<int16_t>(target.Age + 1);
            break;
        case LostStat::Piety:
            Lower(target.Piety);
            break;
        case LostStat::Vitality:
            Lower(target.Vitality);
            break;
        case LostStat::IQ:
            Lower(target.IQ);
            break;
        case LostStat::Str:
            Lower(target.Str);
            break;
        case LostStat::None:
            return;
    }
    turn.ThePlayer.Message(turn.Prefix + "\n" + target.Name + def.LossText);
}

std::string Announcement(const Game& game, const SpecialAttackDef& def, int row) {
    if (def.Move == RowMessage)
        return row < static_cast<int>(game.MonsterActions.size())
                   ? game.MonsterActions[static_cast<size_t>(row)].Message
                   : std::string();
    if (def.Move > 0) return std::string(ResString(Str::SpecialMoves, def.Move));
    return def.Text != nullptr ? def.Text : "";
}

}  // namespace

const SpecialAttackDef* FindSpecialAttack(int row) {
    for (const SpecialAttackDef& def : Table)
        if (def.Row == row) return &def;
    return nullptr;
}

bool SummonKnowsSpecial(int row) {
    const SpecialAttackDef* def = FindSpecialAttack(row);
    return def != nullptr && def->BySummon != SummonUse::Unknown;
}

std::vector<Creature*> SpecialTurn::Targets() const {
    Game& game = TheGame;
    if (Aim.BySummon()) {
        const bool whole = Def.BySummon == SummonUse::WholeGroup || Def.Targets == TargetParty ||
                           Def.Targets == TargetStanding || Def.Targets == TargetFront ||
                           Def.Targets == TargetFrontStanding || Def.Targets == TargetDraws ||
                           Def.Targets == TargetFrontDraws;
        return AimTargets(game, Aim, whole ? int{TargetParty} : int{TargetOne}, 0);
    }
    if (Def.Targets == AnyMember) {
        if (Aim.Summon != 0) return AimTargets(game, Aim, TargetOne, 0);
        Creature* c =
            game.PartyCount > 0 ? game.Member(Dice(game.Rng, 1, game.PartyCount, 0)) : nullptr;
        return c != nullptr ? std::vector<Creature*>{c} : std::vector<Creature*>{};
    }
    const int n = Def.Count == RollFive ? Dice(game.Rng, 1, 5, 0) : Def.Count;
    return AimTargets(game, Aim, Def.Targets, n);
}

int SpecialTurn::Strike(Creature& target, int k, int n) const {
    Game& game = TheGame;
    int result = NotResisted;
    if (Def.Damage != Amount::None)
        result = ApplyAttributeDamage(
            game, ThePlayer, Prefix, AmountOf(game, Def.Damage, Actor(), target, k, n), Actor(),
            target, AttributeFor(game, Def.Attribute), 0, Def.Extra, false);
    if (Def.Condition != 0 && (!Def.IfHit || result == NotResisted))
        InflictCondition(game, ThePlayer, Prefix, target, Def.Condition, Def.Chance, true, 0,
                         &Actor());
    if (Def.Loss != LostStat::None && result == NotResisted && (target.Status & GoneMask) == 0)
        LoseStat(*this, target);
    return result;
}

std::vector<Creature*> SpecialTurn::Allies() const {
    std::vector<Creature*> list;
    BattleState& b = TheGame.Battle;
    if (Aim.BySummon()) {
        for (int s = 1; s <= SummonSlotCount; ++s)
            if (Creature& c = b.Summons[static_cast<size_t>(s)]; IsActive(c)) list.push_back(&c);
        return list;
    }
    for (int g = 1; g <= BattleGroupCount; ++g)
        for (int m = 1; m <= GroupMemberCount; ++m)
            if (Creature& c = b.Monster(g, m); c.Id > 0 && (c.Status & StatusDead) == 0)
                list.push_back(&c);
    return list;
}

namespace special {

bool IsBattleMonster(const Game& game, const Creature& c) {
    return IsMonster(c) && !IsSummon(game, c);
}

int RosterSlotOf(const Game& game, const Creature& c) {
    for (int i = 1; i <= game.PartyCount; ++i)
        if (game.Member(i) == &c) return game.PartyList[static_cast<size_t>(i)];
    return 0;
}

// Damage dealt outside the attribute rules; a monster it fells is booked.
std::string Wound(SpecialTurn& turn, Creature& target, int32_t amount) {
    std::string text = DamageCreature(target, std::max(amount, 0));
    if (IsBattleMonster(turn.TheGame, target) && target.HP <= 0)
        MonsterKilled(turn.TheGame, target, &turn.Actor(), false);
    return text;
}

// A death outright: a monster is booked, a member dies.
std::string Slay(SpecialTurn& turn, Creature& target) {
    if (IsBattleMonster(turn.TheGame, target))
        return MonsterKilled(turn.TheGame, target, &turn.Actor(), true);
    return KillCreature(target, true);
}

void StrikeAll(SpecialTurn& turn) {
    const std::vector<Creature*> targets = turn.Targets();
    const int n = static_cast<int>(targets.size());
    for (int k = 1; k <= n; ++k) turn.Strike(*targets[static_cast<size_t>(k - 1)], k, n);
}

Creature* FirstTarget(SpecialTurn& turn) {
    const std::vector<Creature*> targets = turn.Targets();
    return targets.empty() ? nullptr : targets.front();
}

void Say(SpecialTurn& turn, const std::string& text) {
    turn.ThePlayer.Message(text);
}

// The protections of the battle fall away from a target.
void Unprotect(Creature& c) {
    c.Status &= ~ProtectionBits;
    c.AC = c.BaseAC;
}

// Every shield of the defending side is gone.
void DropShields(SpecialTurn& turn) {
    BattleState& b = turn.TheGame.Battle;
    b.MonsterMagicShield = b.BreathShield = 0;
    if (turn.Aim.BySummon()) return;
    b.PartyMagicShield = b.PartyBreathShield = 0;
    turn.TheGame.PartyEffects = 0;
}

// Both the resistance and the party's ward must hold.
bool Withstands(Game& game, const Creature& c, int kind) {
    return ResistRoll(game, c.Resist[static_cast<size_t>(kind)], 0) != NotResisted &&
           PartyWardRoll(game, c, kind);
}

void LoseLevels(SpecialTurn& turn, Creature& t, int levels, const std::string& head) {
    DrainLevels(turn.TheGame, t, levels);
    Say(turn, head + t.Name + "は\n" + WideNumber(levels) + "レベルを下げられた！");
}

void RevealHidden(SpecialTurn& turn, Creature& t) {
    t.Status &= ~StatusHidden;
    Say(turn, turn.Prefix + "\n" + t.Name + "は姿を現した");
}

}  // namespace special

void RunSpecialAttack(Game& game, Player& player, const ActionAim& aim, int row) {
    const SpecialAttackDef* def = FindSpecialAttack(row);
    if (def == nullptr) return;
    if (aim.BySummon() && def->BySummon == SummonUse::Unknown) return;
    ActionAim turnAim = aim;
    // Only the rows a summon can take go at the summon chosen this turn.
    if (!def->Summons) turnAim.Summon = 0;
    SpecialTurn turn{game, player, turnAim, *def,
                     aim.Actor->Name + Announcement(game, *def, row) + (def->Break ? "\n" : "")};
    if (def->Routine != nullptr) {
        def->Routine(turn);
        return;
    }
    const std::vector<Creature*> targets = turn.Targets();
    const int n = static_cast<int>(targets.size());
    for (int k = 1; k <= n; ++k) turn.Strike(*targets[static_cast<size_t>(k - 1)], k, n);
}

}  // namespace kv
