#pragma once
// The item definitions and the spell table of the database. Stored sizes with
// empty strings: ItemDef 281 bytes, SpellDef 19 bytes; see Sync.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Creature.h"

namespace kv {

class Serializer;

struct ItemDef {
    int32_t Id = 0;
    int16_t AppraiseLevel = 0;
    uint8_t IdentifyLevel = 0;
    uint8_t FindLevel = 0;
    std::array<int16_t, 31> NameCodes{};  // elements 1..30
    std::string Name;
    std::array<int16_t, 21> UnidentifiedNameCodes{};  // elements 1..20
    std::string UnidentifiedName;
    int16_t Kind = 0;  // 256 added: cannot be dropped
    int16_t WeaponType = 0;
    int16_t DualWield = 0;
    int16_t TwoHanded = 0;
    uint8_t Reach = 0;
    uint8_t WeaponAttribute = 0;
    uint8_t UseBreakChance = 0;
    uint8_t PowerBreakChance = 0;
    int16_t BrokenInto = 0;
    int32_t Price = 0;
    int16_t WeaponBonus = 0;
    std::array<uint8_t, 3> WeaponDice{};  // count, sides, constant
    uint8_t MinHits = 0;
    int16_t ACBonus = 0;
    int16_t Power = 0;
    int16_t SpellNo = 0;
    int16_t ItemRegen = 0;
    std::array<uint8_t, AttackAttributes> ExtraChance{};
    std::array<uint8_t, AttackAttributes> ItemResist{};
    std::array<uint8_t, AttackAttributes> ItemDamageRate{};
    int32_t GrantFlags1 = 0;
    int32_t GrantFlags2 = 0;
    uint8_t SexMask = 0;
    uint8_t AlignMask = 0;
    int16_t RaceMask = 0;
    int32_t ClassMask = 0;
    int16_t GrantSkill = 0;
    int16_t UseKind = 0;
    int16_t Cursed = 0;
};

struct SpellDef {
    int16_t Code = 0;
    uint8_t School = 0;  // 4 or more: not castable by characters
    uint8_t SpellLevel = 0;
    uint8_t Slot = 0;
    std::string Name;
    uint8_t Effect = 0;
    uint8_t SpellAttribute = 0;
    uint8_t TargetKind = 0;
    uint8_t SpellFlags = 0;              // 1 castable in battle, 2 outside battle
    std::array<int16_t, 3> SpellDice{};  // count, sides, constant
    std::string AltName;
};

inline constexpr size_t ItemDefStoredSize = 281;
inline constexpr size_t SpellDefStoredSize = 19;

void Sync(Serializer& s, ItemDef& item);
void Sync(Serializer& s, SpellDef& spell);

}  // namespace kv
