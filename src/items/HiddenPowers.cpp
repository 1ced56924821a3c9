#include "items/HiddenPowers.h"

#include <array>

#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "character/Inventory.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "items/CampEffects.h"

namespace kv {

namespace {

enum class PowerKind { Stat, Younger, HealParty, MoreHP, RaceAndAlignment, Alignment, Points, Exp };

struct PowerRow {
    int First;  // the codes First..Last share the row
    int Last;
    PowerKind Kind;
    uint8_t Creature::*Stat;
    int Value;  // the statistic's table index, the alignment, the experience
    int16_t Race;
};

// clang-format off
constexpr std::array<PowerRow, 19> Powers = {{
    {1, 1, PowerKind::Stat, &Creature::Str, 1, 0},
    {2, 2, PowerKind::Stat, &Creature::IQ, 2, 0},
    {3, 3, PowerKind::Stat, &Creature::Piety, 3, 0},
    {4, 4, PowerKind::Stat, &Creature::Vitality, 4, 0},
    // Agility's limit comes from index 5 and dexterity's from 6, as at a level-up.
    {5, 5, PowerKind::Stat, &Creature::Agility, 5, 0},
    {6, 6, PowerKind::Stat, &Creature::Luck, 7, 0},
    {21, 21, PowerKind::Stat, &Creature::Dexterity, 6, 0},
    {22, 22, PowerKind::Stat, &Creature::Charm, 8, 0},
    {7, 7, PowerKind::Younger, nullptr, 0, 0},
    {8, 8, PowerKind::HealParty, nullptr, 0, 0},
    {9, 9, PowerKind::MoreHP, nullptr, 0, 0},
    {10, 10, PowerKind::RaceAndAlignment, nullptr, 1, 256},
    {11, 11, PowerKind::RaceAndAlignment, nullptr, 4, 128},
    {12, 12, PowerKind::Alignment, nullptr, 4, 0},
    {13, 13, PowerKind::Alignment, nullptr, 1, 0},
    {14, 14, PowerKind::Alignment, nullptr, 2, 0},
    {23, 58, PowerKind::Points, nullptr, 0, 0},
    {59, 62, PowerKind::Exp, nullptr, 0, 0},
}};
// clang-format on

constexpr int16_t YoungestAge = 16;
constexpr int MoreHPSides = 5;
constexpr int FirstPointsPower = 23;
constexpr int LevelsPerSchool = 9;
constexpr int16_t MostPoints = 9;
constexpr int FirstExpPower = 59;
constexpr double ExpGiven = 500000;
constexpr double ExpStep = 100000;
constexpr int32_t NotHealed = StatusLost | StatusDead | StatusAshes | StatusParalysis | StatusStone;

// The item breaks: a stack loses one piece and the broken item joins the
// pack, a single piece turns into the broken item in its slot.
void BreakPowerItem(Game& game, Player& player, Creature& c, int slot, const ItemDef& item) {
    InventorySlot& held = c.Items[static_cast<size_t>(slot)];
    if (item.BrokenInto == 0) {
        RemoveItemCount(c, slot, 1);
    } else if (held.ItemCount > 1) {
        RemoveItemCount(c, slot, 1);
        if (AddItemToInventory(game, item.BrokenInto, c, false, 1) < 0) {
            const int16_t current = game.CurrentChar;
            GiveFoundItem(game, player, item.BrokenInto, false, FoundMessage::Named, false);
            game.CurrentChar = current;
        }
    } else {
        held.ItemId = item.BrokenInto;
        if (item.BrokenInto > 0 && item.BrokenInto < static_cast<int>(game.ItemFound.size()))
            ++game.ItemFound[static_cast<size_t>(item.BrokenInto)];
        MarkEquippable(game, c, slot);
    }
    player.Message(ResString(Str::Broke));
}

}  // namespace

void ApplyItemPower(Game& game, Creature& c, int power) {
    for (const PowerRow& row : Powers) {
        if (power < row.First || power > row.Last) continue;
        switch (row.Kind) {
            case PowerKind::Stat:
                RaiseBelowRaceMax(game, c, row.Stat, row.Value);
                break;
            case PowerKind::Younger:
                if (c.Age >= YoungestAge) --c.Age;
                break;
            case PowerKind::HealParty:
                for (int i = 1; i <= game.PartyCount; ++i) {
                    Creature* member = game.Member(i);
                    if (member != nullptr && (member->Status & NotHealed) == 0)
                        member->HP = member->MaxHP;
                }
                break;
            case PowerKind::MoreHP:
                c.MaxHP += Dice(game.Rng, 1, MoreHPSides, 0);
                break;
            case PowerKind::RaceAndAlignment:
                c.Race = row.Race;
                c.Alignment = static_cast<uint8_t>(row.Value);
                UnequipAll(game, c);
                break;
            case PowerKind::Alignment:
                c.Alignment = static_cast<uint8_t>(row.Value);
                UnequipAll(game, c);
                break;
            case PowerKind::Points: {
                const int school = (power - FirstPointsPower) / LevelsPerSchool;
                const int level = (power - FirstPointsPower) % LevelsPerSchool + 1;
                int16_t& most = c.MaxMPAt(school, level);
                if (most < MostPoints) ++most;
                c.MPAt(school, level) = most;
                break;
            }
            case PowerKind::Exp:
                c.Exp += ExpGiven - ExpStep * (power - FirstExpPower);
                break;
        }
        return;
    }
}

void OfferItemPowers(Game& game, Player& player, int slot) {
    Creature* c = game.Character(slot);
    if (c == nullptr) return;
    for (int s = FirstInventorySlot; s <= LastInventorySlot; ++s) {
        const InventorySlot& held = c->Items[static_cast<size_t>(s)];
        const ItemDef* item = FindItem(game, held.ItemId);
        if (item == nullptr || item->Power <= 0) continue;
        const ItemDef def = *item;
        if (!player.Ask("あなたは" + ItemDisplayName(game, held) + "の\n真の力を解放しますか？"))
            continue;
        ApplyItemPower(game, *c, def.Power);
        if (Dice(game.Rng, 1, 100, 0) < def.PowerBreakChance)
            BreakPowerItem(game, player, *c, s, def);
    }
}

}  // namespace kv
