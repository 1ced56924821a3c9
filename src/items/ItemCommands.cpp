#include "items/ItemCommands.h"

#include <array>
#include <cmath>

#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int32_t CurseTakenStatus = 0x80000;
constexpr int LuckySides = 50;
constexpr int FrightSides = 25;

// Command rows, as the string table words them.
constexpr std::array<Str, 7> TownRows = {Str::RowEquip,   Str::RowTrade,  Str::RowGatherGold,
                                         Str::RowDrop,    Str::RowSkills, Str::RowNext,
                                         Str::RowPrevious};
constexpr std::array<Str, 7> CampRows = {Str::RowCast,  Str::RowEquip,      Str::RowTrade,
                                         Str::RowUse,   Str::RowGatherGold, Str::RowDrop,
                                         Str::RowSkills};
constexpr std::array<Str, 2> CampDownRows = {Str::RowTrade, Str::RowGatherGold};
struct SkillRowDef {
    Skill Needs;
    Str Row;
};
constexpr std::array<SkillRowDef, 3> CampSkillRows = {{{Skill::Identify, Str::RowIdentify},
                                                       {Skill::Appraise, Str::RowAppraise},
                                                       {Skill::Alchemy, Str::RowAlchemy}}};

constexpr std::array<std::string_view, 3> ReachNames = {"短距離", "中距離", "長距離"};

// The added attacks a weapon's blow may carry, as the detail panel names them.
struct AddedEffect {
    size_t Attribute;
    std::string_view Text;
};
constexpr std::array<AddedEffect, 11> AddedEffects = {{{15, "睡眠"},
                                                       {16, "麻痺"},
                                                       {17, "恐怖"},
                                                       {18, "混乱"},
                                                       {19, "氷結"},
                                                       {20, "感電"},
                                                       {21, "誘惑"},
                                                       {22, "毒"},
                                                       {23, "沈黙"},
                                                       {28, "ドレイン"},
                                                       {31, "即死"}}};

// One mark per bit of the four masks: who may equip the item.
std::string EquipMarks(const Game& game, const ItemDef& item) {
    std::string races;
    for (size_t row = 0; row < game.Races.size(); ++row)
        if ((item.RaceMask & (1 << row)) != 0) races += game.Races[row].Abbrev;
    std::string classes;
    for (size_t row = 0; row < game.Classes.size(); ++row)
        if ((item.ClassMask & (1 << row)) != 0) classes += game.Classes[row].Abbrev;
    std::string others;
    if ((item.SexMask & 1) != 0) others += "男";
    if ((item.SexMask & 2) != 0) others += "女";
    others += "　";
    if ((item.AlignMask & 1) != 0) others += "Ｌ";
    if ((item.AlignMask & 2) != 0) others += "Ｎ";
    if ((item.AlignMask & 4) != 0) others += "Ｃ";
    return races + "\n" + classes + "\n" + others + "\n";
}

InventorySlot* SlotOf(Creature& creature, int slot) {
    if (slot < FirstInventorySlot || slot > LastInventorySlot) return nullptr;
    InventorySlot& held = creature.Items[static_cast<size_t>(slot)];
    return held.ItemId == 0 ? nullptr : &held;
}

// Cursed-and-stuck or worn items may not leave their slot.
bool Stays(Player& player, const InventorySlot& held) {
    if ((held.ItemFlags & CursedEquipped) != 0) {
        player.Message(ResString(Str::Cursed));
        return true;
    }
    if ((held.ItemFlags & ItemPositionMask) != 0) {
        player.Message(ResString(Str::WornItem));
        return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> StatusCommands(const Creature& creature, StatusMode mode) {
    std::vector<std::string> rows;
    auto add = [&rows](Str id) { rows.emplace_back(ResString(id)); };
    if (mode == StatusMode::Camp) {
        if ((creature.Status & DownMask) != 0) {
            // Out of action: only handing things over and the gold.
            for (Str id : CampDownRows) add(id);
        } else {
            for (Str id : CampRows) add(id);
            if ((creature.Status & IdleMask) == 0) {
                for (const SkillRowDef& row : CampSkillRows) {
                    if (HasSkill(creature, row.Needs)) add(row.Row);
                }
            }
            add(Str::RowNext);
            add(Str::RowPrevious);
        }
    } else if (mode == StatusMode::Town) {
        for (Str id : TownRows) add(id);
    }
    add(Str::RowSpellbook);
    add(Str::RowBack);
    return rows;
}

TradeOutcome TradeItem(Game& game, Player& player, Creature& giver, int slot, Creature& target) {
    InventorySlot* held = SlotOf(giver, slot);
    if (held == nullptr || Stays(player, *held)) return TradeOutcome::Refused;
    const InventorySlot moving = *held;
    const bool unidentified = (moving.ItemFlags & Unidentified) != 0;
    if (&giver == &target) {
        // Taken out and put back: to the end of the list, stacks merged.
        *held = InventorySlot{};
        AddItemToInventory(game, moving.ItemId, giver, unidentified, moving.ItemCount);
        return TradeOutcome::Moved;
    }
    const int left =
        AddItemToInventory(game, moving.ItemId, target, unidentified, moving.ItemCount);
    if (left == 0) {
        *held = InventorySlot{};
        return TradeOutcome::Moved;
    }
    player.Message(ResString(Str::InventoryFull));
    if (left < 0) return TradeOutcome::NothingFitted;
    held->ItemCount = left;
    return TradeOutcome::Partial;
}

void CollectGold(Game& game, Creature& creature) {
    double total = 0;
    for (int i = 1; i <= game.PartyCount && i < static_cast<int>(game.PartyList.size()); ++i) {
        const int member = game.PartyList[static_cast<size_t>(i)];
        if (member <= 0 || member >= RosterRows) continue;
        Creature& c = game.Roster[static_cast<size_t>(member)];
        // Gold is held as a whole number.
        total += std::nearbyint(c.Gold);
        c.Gold = 0;
    }
    creature.Gold = total;
}

std::string DropItem(Game& game, Player& player, Creature& creature, int slot) {
    InventorySlot* held = SlotOf(creature, slot);
    if (held == nullptr || Stays(player, *held)) return {};
    const ItemDef* item = FindItem(game, held->ItemId);
    if (item != nullptr && item->Kind >= CannotDropMark) {
        player.Message(ResString(Str::CannotDrop));
        return {};
    }
    std::string shown(ItemMarker(held->ItemFlags));
    shown += ItemDisplayName(game, *held);
    if (item != nullptr && IsStackable(*item)) shown += " × " + WideNumber(held->ItemCount);
    RemoveItemCount(creature, slot, 1);
    return shown + std::string(ResString(Str::ObjectMark)) + "\n捨てました";
}

IdentifyOutcome IdentifyItem(Game& game, Player& player, Creature& creature, int slot) {
    InventorySlot* held = SlotOf(creature, slot);
    const ItemDef* item = held != nullptr ? FindItem(game, held->ItemId) : nullptr;
    if (held == nullptr || item == nullptr) return IdentifyOutcome::NotNeeded;
    if ((held->ItemFlags & Unidentified) == 0) {
        player.Message(ResString(Str::AlreadyIdentified));
        return IdentifyOutcome::NotNeeded;
    }
    const int roll = Dice(game.Rng, 1, std::max(1, creature.Level), 1);
    const int difficulty = item->IdentifyLevel;
    if (Dice(game.Rng, 1, LuckySides, 0) == 1 || roll > difficulty) {
        held->ItemFlags &= ~Unidentified;
        player.Message(ResString(Str::Identified));
        return IdentifyOutcome::Identified;
    }
    // Both tests read the first roll. Taken in the order "a half, then a
    // third" the curse could never strike (a roll below a third of the
    // difficulty is below a half too), so the narrower test goes first.
    const int secondRoll = Dice(game.Rng, 1, FrightSides, 0);
    if (roll < difficulty / 3 && item->Cursed != 0) {
        player.Message("呪われました");
        const int32_t kind = static_cast<int32_t>(KindOf(*item));
        for (int s = FirstInventorySlot; s <= LastInventorySlot; ++s) {
            InventorySlot& other = creature.Items[static_cast<size_t>(s)];
            if (other.ItemId != 0 && (other.ItemFlags & ItemPositionMask) == kind) {
                other.ItemFlags &= ~ItemPositionMask;
                break;
            }
        }
        // Identified and worn in its own position; it is not stuck there.
        held->ItemFlags = kind;
        creature.Status |= CurseTakenStatus;
        return IdentifyOutcome::Cursed;
    }
    if (roll < difficulty / 2 || secondRoll == 1) {
        SetCondition(creature.Status, StatusFear);
        player.Message(ResString(Str::Frightened));
        return IdentifyOutcome::Frightened;
    }
    player.Message(ResString(Str::NotIdentified));
    return IdentifyOutcome::Failed;
}

std::string AppraiseItem(Game& game, Player& player, const Creature& creature, int slot) {
    const InventorySlot& held = creature.Items[static_cast<size_t>(
        slot >= FirstInventorySlot && slot <= LastInventorySlot ? slot : 0)];
    const ItemDef* item = FindItem(game, held.ItemId);
    if (item == nullptr) return {};
    if ((held.ItemFlags & Unidentified) != 0) {
        player.Message("識別されていません");
        return {};
    }
    if (creature.Level < item->AppraiseLevel) {
        player.Message("鑑定できなかった・・・");
        return {};
    }
    return ItemDetails(game, *item);
}

std::string ItemDetails(const Game& game, const ItemDef& item) {
    const ItemKind kind = KindOf(item);
    std::string text = item.Name + "\n";
    if (kind == ItemKind::Item) {
        text += "アイテム";
    } else if (kind == ItemKind::EventItem) {
        text += "イベント";
    } else if (kind >= ItemKind::Weapon && kind <= ItemKind::Orb) {
        text += ItemKindName(static_cast<int32_t>(kind));
    } else {
        text += "不明";
    }
    text += "　" + WideNumber(item.Price) + "Ｇ\n";
    text += item.SpellNo >= 1 ? "ＭＰあり　" : "ＭＰなし　";
    text += item.Power >= 1 ? "ＳＰあり" : "ＳＰなし";
    if (item.Cursed != 0) text += "　呪";
    text += "\nAC " + WideNumber(item.ACBonus) + "　回復 " + WideNumber(item.ItemRegen) + "\n";
    if (kind == ItemKind::Weapon) {
        if (item.Reach >= 1 && item.Reach <= ReachNames.size()) {
            text += std::string(ReachNames[item.Reach - 1]) + "　";
        }
        if (item.TwoHanded != 0) text += "両手持ち　";
        if (item.DualWield != 0) text += "二刀流可　";
        text += WideNumber(item.MinHits) + "回攻撃\n";
        text += "ＳＴ " + WideNumber(item.WeaponBonus) + "　" + WideNumber(item.WeaponDice[0]) +
                "D" + WideNumber(item.WeaponDice[1]) + "+" + WideNumber(item.WeaponDice[2]) + "\n";
    }
    text += EquipMarks(game, item);
    std::string added;
    for (const AddedEffect& effect : AddedEffects) {
        if (item.ExtraChance[effect.Attribute] == 0) continue;
        added += (added.empty() ? "追加 " : "　") + std::string(effect.Text);
    }
    if (!added.empty()) text += added + "\n";
    std::string resists;
    for (size_t a = 1; a < AttackAttributes; ++a) {
        if (item.ItemResist[a] == 0) continue;
        resists += (resists.empty() ? "耐性 " : "　") + WideNumber(static_cast<int64_t>(a)) + ":" +
                   WideNumber(item.ItemResist[a]);
    }
    if (!resists.empty()) text += resists + "\n";
    return text;
}

}  // namespace kv
