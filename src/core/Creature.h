#pragma once
// The one record for every living thing: roster characters, monster
// definitions and the working copies a battle makes. Characters and monsters
// share the layout so that every rule acting on a creature is written once.
// Field order, widths and signedness are those of the stored record (2022
// bytes with empty strings); see Sync.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/SkillCodes.h"

namespace kv {

class Serializer;

// Condition bits of Creature::Status. Several may be set at once.
inline constexpr int32_t StatusSleep = 1;
inline constexpr int32_t StatusParalysis = 2;
inline constexpr int32_t StatusFear = 4;
inline constexpr int32_t StatusConfusion = 8;
inline constexpr int32_t StatusFrozen = 16;
inline constexpr int32_t StatusShock = 32;
inline constexpr int32_t StatusCharm = 64;
inline constexpr int32_t StatusPoison = 128;
inline constexpr int32_t StatusSilence = 256;
inline constexpr int32_t StatusBlind = 512;
inline constexpr int32_t StatusFly = 1024;  // turned into a fly
inline constexpr int32_t StatusCarrot = 2048;
inline constexpr int32_t StatusDisease = 4096;
inline constexpr int32_t StatusStone = 8192;
inline constexpr int32_t StatusDead = 16384;
inline constexpr int32_t StatusAshes = 32768;
inline constexpr int32_t StatusLost = 65536;
inline constexpr int32_t StatusBattleExtra = 131072;  // a battle-only state with no name shown
inline constexpr int32_t StatusHidden = 262144;
inline constexpr int32_t StatusCriticalWard = 1048576;  // protected from critical kills
inline constexpr int32_t StatusDrainWard = 2097152;     // protected from level drain
inline constexpr int32_t StatusHalfDamage = 4194304;
inline constexpr int32_t StatusReflectSpells = 8388608;
inline constexpr int32_t StatusReflectPhysical = 16777216;
inline constexpr int32_t StatusConditionWard = 33554432;  // protected from conditions
inline constexpr int32_t StatusDeadlyPoison = 134217728;

// The creature takes no further effects.
inline constexpr int32_t GoneMask = StatusLost | StatusAshes | StatusDead;
// Hit points cannot be restored.
inline constexpr int32_t NoHealMask = GoneMask | StatusDisease;
// Cannot be the target of an attack.
inline constexpr int32_t AbsentMask = GoneMask | StatusHidden;
// Out of action when deciding whether a party is wiped out.
inline constexpr int32_t DownMask = GoneMask | StatusStone | StatusCarrot | StatusParalysis;
// Cannot act in a round.
inline constexpr int32_t IdleMask =
    DownMask | StatusSleep | StatusFear | StatusFrozen | StatusShock;
// Cleared from every party member when a battle ends.
inline constexpr int32_t BattleOnlyMask =
    StatusSleep | StatusFear | StatusConfusion | StatusFrozen | StatusShock | StatusSilence |
    StatusBattleExtra | StatusHidden | StatusCriticalWard | StatusDrainWard | StatusHalfDamage |
    StatusReflectSpells | StatusReflectPhysical | StatusConditionWard;

static_assert(GoneMask == 0x1C000 && NoHealMask == 0x1D000 && AbsentMask == 0x5C000);
static_assert(DownMask == 0x1E802 && IdleMask == 0x1E837);

// Number of attack attributes (indexes 0..36 of AttackEffects, Resist, DamageRate).
inline constexpr size_t AttackAttributes = 37;

// The condition bit a condition attack inflicts; 0 for damage attributes, the
// drains (28, 30), the spare indexes and anything out of range.
// clang-format off
inline constexpr std::array<int32_t, AttackAttributes> AttackStatus = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                          // 0..14
    StatusSleep, StatusParalysis, StatusFear, StatusConfusion, StatusFrozen,  // 15..19
    StatusShock, StatusCharm, StatusPoison, StatusSilence, StatusBlind,       // 20..24
    StatusFly, StatusCarrot, StatusDisease, 0, StatusStone,                   // 25..29
    0, StatusDead, StatusAshes, StatusLost, StatusDeadlyPoison,               // 30..34
    0, 0};                                                                    // 35..36
// clang-format on

constexpr int32_t AttackToStatus(int attribute) {
    if (attribute < 0 || static_cast<size_t>(attribute) >= AttackStatus.size()) return 0;
    return AttackStatus[static_cast<size_t>(attribute)];
}

// Bits of InventorySlot::ItemFlags.
inline constexpr int32_t ItemPositionMask = 31;  // equipment position worn in, 0 = not worn
inline constexpr int32_t CursedEquipped = 32;
inline constexpr int32_t Unidentified = 64;
inline constexpr int32_t CannotEquip = 128;

struct InventorySlot {
    int32_t ItemId = 0;  // 0 = empty slot
    int32_t ItemFlags = 0;
    int32_t ItemCount = 0;
};

// Spell tables are indexed (school 0..4, spell level 0..9, slot 0..4), first
// index fastest as they are stored; school 0..3, levels 1..9 and slots 1..4 are used.
inline constexpr int SpellSchools = 5;
inline constexpr int SpellLevels = 10;
inline constexpr int SpellSlots = 5;

constexpr bool IsSpellIndex(int school, int level, int slot) {
    return school >= 0 && school < SpellSchools && level >= 0 && level < SpellLevels && slot >= 0 &&
           slot < SpellSlots;
}
constexpr size_t SpellIndex(int school, int level, int slot) {
    return static_cast<size_t>(school + SpellSchools * level + SpellSchools * SpellLevels * slot);
}
constexpr size_t MPIndex(int school, int level) {
    return static_cast<size_t>(school + SpellSchools * level);
}

struct Creature {
    int32_t Id = 0;
    int32_t Level = 0;
    std::array<int16_t, 51> NameCodes{};
    std::string Name;  // rebuilt from NameCodes after loading
    std::array<int16_t, 21> SubNameCodes{};
    std::string SubName;
    int16_t Race = 0;
    int32_t Class = 0;
    uint8_t Sex = 0;
    uint8_t Alignment = 0;
    int16_t Age = 0;
    int16_t AgeDays = 0;
    int32_t Status = 0;
    uint8_t PartyNo = 0;
    uint8_t PartyPos = 0;
    int16_t TreasureLevel = 0;
    std::array<uint8_t, 2> Spare176{};  // spare fields are named by their offset
    uint8_t Place = 0;
    uint8_t Floor = 0;
    int16_t PosX = 0;
    int16_t PosY = 0;
    double Gold = 0;
    double Exp = 0;
    std::array<int16_t, 3> GroupDice{};  // count, sides, constant
    std::array<int32_t, 3> HPDice{};
    std::array<int32_t, 3> DamageDice{};
    double Marks = 0;
    double Escapes = 0;
    double Victories = 0;
    double StepCycles = 0;
    double Walk = 0;
    int32_t BaseAC = 0;
    int32_t AC = 0;
    int32_t Revivals = 0;
    int32_t HP = 0;
    int32_t MaxHP = 0;
    uint8_t Str = 0;
    uint8_t IQ = 0;
    uint8_t Piety = 0;
    uint8_t Vitality = 0;
    uint8_t Dexterity = 0;
    uint8_t Agility = 0;
    uint8_t Charm = 0;
    uint8_t Luck = 0;
    int16_t Identified = 0;
    int16_t ReachAll = 0;
    int16_t AttackCount = 0;
    int16_t Regen = 0;
    int16_t Spare306 = 0;
    std::array<int16_t, 21> Actions{};
    std::array<uint8_t, AttackAttributes> AttackEffects{};
    std::array<uint8_t, AttackAttributes> Resist{};
    std::array<uint8_t, AttackAttributes> DamageRate{};
    int16_t Spare461 = 0;
    int16_t AttackAttribute = 0;
    std::array<InventorySlot, 16> Items{};  // slots 1..15 are used
    std::array<int16_t, SpellSchools * SpellLevels * SpellSlots> Spells{};
    std::array<int16_t, SpellSchools * SpellLevels> MP{};
    std::array<int16_t, SpellSchools * SpellLevels> MaxMP{};
    int32_t GrantFlags1 = 0;
    int32_t GrantFlags2 = 0;
    int32_t Criticals = 0;
    std::array<uint8_t, 11> Insignia{};
    int16_t Initiative = 0;
    int16_t Command = 0;
    int16_t TargetGroup = 0;
    std::array<int16_t, 2> Spare1386{};
    int16_t CommandArg = 0;
    int16_t ItemSlot = 0;
    int16_t BreathCount = 0;
    std::array<int16_t, 301> Skills{};
    uint8_t Spare1998 = 0;
    int16_t SummonLevel = 0;
    std::array<uint8_t, 21> WeaponRate{};

    // Indexes must satisfy IsSpellIndex (school, level[, slot]).
    int16_t& Spell(int school, int level, int slot) {
        return Spells[SpellIndex(school, level, slot)];
    }
    int16_t Spell(int school, int level, int slot) const {
        return Spells[SpellIndex(school, level, slot)];
    }
    int16_t& MPAt(int school, int level) { return MP[MPIndex(school, level)]; }
    int16_t MPAt(int school, int level) const { return MP[MPIndex(school, level)]; }
    int16_t& MaxMPAt(int school, int level) { return MaxMP[MPIndex(school, level)]; }
    int16_t MaxMPAt(int school, int level) const { return MaxMP[MPIndex(school, level)]; }

    // Monster definitions keep the item they may leave behind in slot 3 and
    // its chance in percent in slot 4.
    int32_t& DropItem() { return Items[3].ItemId; }
    int32_t DropItem() const { return Items[3].ItemId; }
    int32_t& DropChance() { return Items[4].ItemId; }
    int32_t DropChance() const { return Items[4].ItemId; }
};

inline constexpr size_t CreatureStoredSize = 2022;

void Sync(Serializer& s, InventorySlot& slot);
void Sync(Serializer& s, Creature& c);

}  // namespace kv
