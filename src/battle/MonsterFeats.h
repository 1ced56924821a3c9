#pragma once
// The special attacks' shared frame and the table of what each row does
// differently: its announcement, its targets, its damage, the condition it
// may leave and the statistic it may take. A row that does something no
// column can say names a small routine of its own.
#include <cstdint>
#include <string>
#include <vector>

#include "battle/MonsterActions.h"
#include "core/StringTable.h"

namespace kv {

struct SpecialAttackDef;

// One special attack under way.
struct SpecialTurn {
    Game& TheGame;
    Player& ThePlayer;
    ActionAim Aim;
    const SpecialAttackDef& Def;
    std::string Prefix;  // the actor's name, the announcement, maybe a line break

    Creature& Actor() const { return *Aim.Actor; }
    // The row's targets on this turn, the sides exchanged for a summon.
    std::vector<Creature*> Targets() const;
    // The row's damage (the k-th of n targets), then its condition and its
    // statistic loss: the damage's result, 0 when it was taken.
    int Strike(Creature& target, int k = 1, int n = 1) const;
    // The actor's own side: every monster standing, or every summon.
    std::vector<Creature*> Allies() const;
};

using SpecialRoutine = void (*)(SpecialTurn&);

// The damage a row deals to one target. A leading Target marks a value of
// the target's; the others are the actor's.
enum class Amount : uint8_t {
    None,
    RollHP,           // 1d(HP)
    HPPlusRoll,       // HP + 1d(HP)
    RollHalfHP,       // 1d(HP \ 2)
    RollRoundHalfHP,  // 1d(round(HP / 2))
    FullHP,           // HP
    HalfHP,           // HP \ 2
    Dice,             // the damage dice
    DiceNoAdd,        // the damage dice without their add
    DiceTimesBlows,   // the damage dice times the blows
    DiceTimesRolledBlows,
    Shockwave,        // the damage dice times the targets after this one
    Wounds,           // MaxHP - HP
    TargetHalf,       // tHP \ 2
    TargetQuarter,    // tHP \ 4
    TargetLessOne,    // tHP - 1
    TargetMaxHalf,    // tMaxHP \ 2
    Judgement,        // Dice(1, tMaxHP \ 2, tMaxHP \ 2)
    TargetMarks,      // the target's kills
    TargetEscapes,    // the target's escapes / 10
    TargetVictories,  // 1d(the target's victories)
};

// The statistic a hit may take.
enum class LostStat : uint8_t { None, Luck, Age, Piety, Vitality, IQ, Str };

// How a summon uses a row (the sides exchanged).
enum class SummonUse : uint8_t { Unknown, Same, WholeGroup };

// Target sets beyond the action table's.
inline constexpr int16_t AnyMember = 100;  // the member at 1d(party size), whatever his state
// Attributes drawn per target.
inline constexpr int8_t SixElements = -1;  // 1d6: fire, water, earth, wind, cold, lightning
inline constexpr int8_t DarkOrFire = -2;   // 1d2
// Draws of types 5 and 15 rolled as 1d5.
inline constexpr int8_t RollFive = -1;
// The announcement is the action row's own message.
inline constexpr int16_t RowMessage = -1;

struct SpecialAttackDef {
    int16_t Row = 0;
    int16_t Move = 0;            // the special moves' text at this offset (0: none)
    const char* Text = nullptr;  // or a text of the row's own
    bool Break = false;          // a line break follows the announcement
    int16_t Targets = TargetNone;
    int8_t Count = 0;      // draws of target types 5 and 15
    bool Summons = false;  // a summon chosen this turn takes it in the party's place
    Amount Damage = Amount::None;
    int8_t Attribute = 0;
    int8_t Extra = 0;  // the condition the damage brings with it
    int8_t Condition = 0;
    uint8_t Chance = 0;
    bool IfHit = false;  // the condition only after the damage was taken
    LostStat Loss = LostStat::None;
    int8_t LossResist = 0;
    int8_t LossResist2 = 0;
    const char* LossText = nullptr;
    SpecialRoutine Routine = nullptr;
    int32_t Param = 0;  // the routine's own value
    SummonUse BySummon = SummonUse::Unknown;
};

// The row's definition, or nullptr for a row that does nothing.
const SpecialAttackDef* FindSpecialAttack(int row);

// What the routines share.
namespace special {
// The resistances, attack kinds and texts the routines read by number.
inline constexpr int ResistPhysical = 1;
inline constexpr int ResistMagic = 2;
inline constexpr int ResistBreath = 3;
inline constexpr int ResistMind = 11;
inline constexpr int ResistDark = 13;
inline constexpr int KindDeath = 31;
inline constexpr int KindLevelDrain = 30;
inline constexpr int KindCharm = 21;
inline constexpr int AttributeFire = 4;
inline constexpr int ResistReflects = 255;
inline constexpr int ProtectedResist = 100;
inline constexpr int LastBreakableSlot = 12;
inline constexpr int WeaponBrokenText = 53;  // of the special moves' texts
inline constexpr int ArmourBrokenText = 54;
inline constexpr int32_t WornInMainHand = 1;

inline std::string Text(Str id) {
    return std::string(ResString(id));
}

bool IsBattleMonster(const Game& game, const Creature& c);
// The roster slot of a party member; 0 for anyone else.
int RosterSlotOf(const Game& game, const Creature& c);
// Damage dealt outside the attribute rules; a monster it fells is booked.
std::string Wound(SpecialTurn& turn, Creature& target, int32_t amount);
// A death outright: a monster is booked, a member dies; the death text.
std::string Slay(SpecialTurn& turn, Creature& target);
// The row's damage on each of its targets.
void StrikeAll(SpecialTurn& turn);
Creature* FirstTarget(SpecialTurn& turn);
void Say(SpecialTurn& turn, const std::string& text);
// The protections of the battle fall away from a target.
void Unprotect(Creature& c);
// Every shield of the defending side is gone.
void DropShields(SpecialTurn& turn);
// Both the resistance and the party's ward must hold.
bool Withstands(Game& game, const Creature& c, int kind);
void LoseLevels(SpecialTurn& turn, Creature& t, int levels, const std::string& head);
void RevealHidden(SpecialTurn& turn, Creature& t);
}  // namespace special

// The routines of the rows no column can express (MonsterFeatsMoves.cpp,
// MonsterFeatsCurses.cpp).
void BodySlam(SpecialTurn& turn);
void SelfDestruct(SpecialTurn& turn);
void Smile(SpecialTurn& turn);
void HideInShadow(SpecialTurn& turn);
void BodhisattvaPalm(SpecialTurn& turn);
void Earthquake(SpecialTurn& turn);
void ZelvaSpecial(SpecialTurn& turn);
void TenBlows(SpecialTurn& turn);
void Hurl(SpecialTurn& turn);
void OtherDimension(SpecialTurn& turn);
void GreatEscape(SpecialTurn& turn);
void Restore(SpecialTurn& turn);
void StripAfterStrike(SpecialTurn& turn);
void AsuraSlash(SpecialTurn& turn);
void Slaps(SpecialTurn& turn);
void BreakGear(SpecialTurn& turn);
void Megante(SpecialTurn& turn);
void ForceField(SpecialTurn& turn);
void ElementalVoice(SpecialTurn& turn);
void DrainMP(SpecialTurn& turn);
void LowerMaxHP(SpecialTurn& turn);
void StripDefences(SpecialTurn& turn);
void WallOfLight(SpecialTurn& turn);
void FireStorm(SpecialTurn& turn);
void DoomBreath(SpecialTurn& turn);
void AlternativeLife(SpecialTurn& turn);
void Hostility(SpecialTurn& turn);
void KillTheAfflicted(SpecialTurn& turn);
void GoldLoss(SpecialTurn& turn);
void VenomPain(SpecialTurn& turn);
void Halo(SpecialTurn& turn);
void Kingdoms(SpecialTurn& turn);
void ActAgain(SpecialTurn& turn);
void GroupBlessing(SpecialTurn& turn);
void KillCountPain(SpecialTurn& turn);
void Enchant(SpecialTurn& turn);
void DropDeadGorgeous(SpecialTurn& turn);
void Reveal(SpecialTurn& turn);
void Avalon(SpecialTurn& turn);

}  // namespace kv
