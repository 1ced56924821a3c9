#include "character/Equipment.h"

#include <algorithm>

#include "character/Blows.h"
#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "character/RaceDefences.h"
#include "core/StringTable.h"

namespace kv {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

// Skills that change what the worn items give.
constexpr size_t MagicAttribute = 2;
constexpr size_t FearAttribute = 17;
constexpr size_t FrozenAttribute = 19;
constexpr uint8_t Whole = 100;
constexpr int32_t BareBodyAC = 8;
constexpr int32_t LowestAC = -255;
// Party spells that lower everyone's armour class while they last.
constexpr int32_t GreatShieldBonus = 5;
constexpr int32_t ShieldBonus = 3;

InventorySlot& SlotAt(Creature& creature, int slot) {
    return creature.Items[static_cast<size_t>(slot)];
}

bool IsTwoHanded(const ItemDef& item) {
    return item.TwoHanded != 0;
}

void TakeOff(InventorySlot& held) {
    held.ItemFlags &= ~ItemPositionMask;
}

bool Fits(const Game& game, const Creature& creature, const InventorySlot& held,
          Position position) {
    const ItemDef* item = FindItem(game, held.ItemId);
    if (item == nullptr || (held.ItemFlags & CannotEquip) != 0) return false;
    const ItemKind kind = KindOf(*item);
    switch (position) {
        case Position::Primary:
            // A weapon worn plainly in the other hand stays there.
            if (item->DualWield != 0) {
                return kind != ItemKind::Shield && held.ItemFlags != int32_t(Position::Secondary);
            }
            return kind == ItemKind::Weapon;
        case Position::Secondary:
            if (kind == ItemKind::Shield) return true;
            return kind == ItemKind::Weapon && HasSkill(creature, Skill::DualWield) &&
                   item->DualWield != 0 && held.ItemFlags != int32_t(Position::Primary);
        case Position::None:
            return false;
        default:
            return static_cast<int32_t>(kind) == static_cast<int32_t>(position);
    }
}

}  // namespace

Position WornPosition(const InventorySlot& slot) {
    return static_cast<Position>(slot.ItemFlags & ItemPositionMask);
}

void MarkEquippable(const Game& game, Creature& creature, int slot) {
    if (slot < 1 || slot > 15) return;
    InventorySlot& held = SlotAt(creature, slot);
    const ItemDef* item = FindItem(game, held.ItemId);
    if (item == nullptr) return;
    const bool fits =
        (item->SexMask & creature.Sex) != 0 && (item->ClassMask & creature.Class) != 0 &&
        (item->AlignMask & creature.Alignment) != 0 && (item->RaceMask & creature.Race) != 0;
    if (fits) {
        held.ItemFlags &= ~CannotEquip;
    } else {
        held.ItemFlags |= CannotEquip;
    }
}

void MarkAllEquippable(const Game& game, Creature& creature) {
    for (int slot = 1; slot <= 15; ++slot) MarkEquippable(game, creature, slot);
}

void UnequipAll(const Game& game, Creature& creature) {
    // A cursed item taken off is no longer stuck: its curse mark goes with
    // the position, or it could never be traded or dropped again.
    for (int slot = 1; slot <= 15; ++slot) {
        SlotAt(creature, slot).ItemFlags &= ~(ItemPositionMask | CursedEquipped);
    }
    ResetRaceDefences(game, creature);
}

std::vector<int> EquipCandidates(const Game& game, const Creature& creature, Position position) {
    std::vector<int> slots;
    for (int slot = 1; slot <= 15; ++slot) {
        if (Fits(game, creature, creature.Items[static_cast<size_t>(slot)], position)) {
            slots.push_back(slot);
        }
    }
    return slots;
}

std::vector<CandidateRow> CandidateRows(const Game& game, Creature& creature, Position position) {
    std::vector<CandidateRow> rows;
    for (int slot : EquipCandidates(game, creature, position)) {
        const InventorySlot& held = SlotAt(creature, slot);
        std::string text(1, HexDigits[slot]);
        text += ":";
        text += ItemMarker(held.ItemFlags);
        text += ItemDisplayName(game, held);
        rows.push_back({std::move(text), slot});
    }
    rows.push_back({std::string(WearNothingRow), 0});
    return rows;
}

bool PositionIsCursed(const Game& game, const Creature& creature, Position position) {
    // Whatever is stuck there counts, a candidate or not: an item the
    // character may no longer wear is still stuck until the curse is lifted.
    for (int slot = 1; slot <= 15; ++slot) {
        const InventorySlot& held = creature.Items[static_cast<size_t>(slot)];
        if ((held.ItemFlags & CursedEquipped) == 0 || held.ItemId == 0) continue;
        if (WornPosition(held) == position || Fits(game, creature, held, position)) return true;
    }
    return false;
}

EquipOutcome EquipItem(const Game& game, Player& player, Creature& creature, Position position,
                       int slot) {
    // What occupies the position comes off first.
    if (position == Position::Secondary) {
        for (int s = 1; s <= 15; ++s) {
            InventorySlot& held = SlotAt(creature, s);
            const ItemDef* item = FindItem(game, held.ItemId);
            if (item == nullptr || WornPosition(held) != Position::Secondary) continue;
            const ItemKind kind = KindOf(*item);
            if (kind == ItemKind::Weapon || kind == ItemKind::Shield) {
                TakeOff(held);
                break;
            }
        }
    } else {
        for (int s = 1; s <= 15; ++s) {
            InventorySlot& held = SlotAt(creature, s);
            const ItemDef* item = FindItem(game, held.ItemId);
            if (item == nullptr || WornPosition(held) == Position::Secondary) continue;
            if (static_cast<int32_t>(KindOf(*item)) == static_cast<int32_t>(position) ||
                WornPosition(held) == position) {
                TakeOff(held);
            }
        }
    }

    const ItemDef* chosen =
        slot >= 1 && slot <= 15 ? FindItem(game, SlotAt(creature, slot).ItemId) : nullptr;
    if (chosen == nullptr) return EquipOutcome::Emptied;

    if (position == Position::Primary && IsTwoHanded(*chosen)) {
        // Both hands: whatever the other hand holds comes off, shield or weapon.
        for (int s = 1; s <= 15; ++s) {
            const InventorySlot& held = SlotAt(creature, s);
            if (WornPosition(held) == Position::Secondary && (held.ItemFlags & CursedEquipped)) {
                player.Message("装備できない\nセカンダリハンドが呪われているため");
                return EquipOutcome::Refused;
            }
        }
        for (int s = 1; s <= 15; ++s) {
            InventorySlot& held = SlotAt(creature, s);
            if (WornPosition(held) == Position::Secondary) TakeOff(held);
        }
    }
    if (position == Position::Secondary) {
        for (int s = 1; s <= 15; ++s) {
            const InventorySlot& held = SlotAt(creature, s);
            const ItemDef* item = FindItem(game, held.ItemId);
            if (item != nullptr && IsTwoHanded(*item) && (held.ItemFlags & CursedEquipped)) {
                player.Message("装備できない\nプライマリハンドが呪われているため");
                return EquipOutcome::Refused;
            }
        }
        for (int s = 1; s <= 15; ++s) {
            InventorySlot& held = SlotAt(creature, s);
            const ItemDef* item = FindItem(game, held.ItemId);
            if (item != nullptr && IsTwoHanded(*item)) TakeOff(held);
        }
    }

    InventorySlot& worn = SlotAt(creature, slot);
    worn.ItemFlags = (worn.ItemFlags & ~ItemPositionMask) | static_cast<int32_t>(position);
    if (chosen->Cursed != 0) {
        player.Message(ResString(Str::Cursed));
        worn.ItemFlags |= CursedEquipped;
        return EquipOutcome::Cursed;
    }
    return EquipOutcome::Worn;
}

void ApplyEquipment(const Game& game, Creature& creature) {
    NumberOfBlows(game, creature);
    ResetRaceDefences(game, creature);
    bool anythingWorn = false;
    int32_t regen = creature.Regen;
    for (int slot = 1; slot <= 15; ++slot) {
        const InventorySlot& held = SlotAt(creature, slot);
        const ItemDef* item = FindItem(game, held.ItemId);
        if (item == nullptr || WornPosition(held) == Position::None) continue;
        anythingWorn = true;
        creature.BaseAC += item->ACBonus;
        regen += item->ItemRegen;
        for (size_t a = 1; a < AttackAttributes; ++a) {
            creature.Resist[a] = std::max(creature.Resist[a], item->ItemResist[a]);
            creature.DamageRate[a] = std::max(creature.DamageRate[a], item->ItemDamageRate[a]);
        }
        creature.GrantFlags1 |= item->GrantFlags1;
        creature.GrantFlags2 |= item->GrantFlags2;
    }
    creature.Regen = static_cast<int16_t>(std::clamp<int32_t>(regen, INT16_MIN, INT16_MAX));

    if (HasSkill(creature, Skill::Armourless)) {
        creature.BaseAC -= creature.Level / 3;
    } else if (HasSkill(creature, Skill::BareBody) && !anythingWorn) {
        creature.BaseAC = BareBodyAC - creature.Level / 3;
    }
    uint8_t& magic = creature.Resist[MagicAttribute];
    if (magic < Whole && HasSkill(creature, Skill::MagicWard)) {
        magic = static_cast<uint8_t>(std::min<int>(Whole, magic + creature.IQ));
    }
    if (HasSkill(creature, Skill::FullMagicWard)) magic = Whole;
    // The skill window grants these when it closes; recomputing from the
    // race up must not take them away again.
    if (HasSkill(creature, Skill::Fearless)) creature.Resist[FearAttribute] = Whole;
    if (HasSkill(creature, Skill::Frostproof)) creature.Resist[FrozenAttribute] = Whole;

    creature.BaseAC = std::max(creature.BaseAC, LowestAC);
    if ((game.PartyEffects & PartyEffectProtection2) != 0) {
        creature.AC = creature.BaseAC - GreatShieldBonus;
    } else if ((game.PartyEffects & PartyEffectProtection) != 0) {
        creature.AC = creature.BaseAC - ShieldBonus;
    } else {
        creature.AC = creature.BaseAC;
    }
}

}  // namespace kv
