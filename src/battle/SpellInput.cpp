// Spells, items and songs chosen before a round: the name or item becomes
// a spell row in CommandArg, and the row's target kind says what comes next.
#include "battle/SpellInput.h"

#include <array>

#include "battle/SpellEngine.h"
#include "character/CharacterRules.h"
#include "character/SpellBook.h"

namespace kv {

namespace {

constexpr int LastTypedSpell = 199;  // names are looked for in rows 1..199
constexpr int ItemKindInstrument = 9;
constexpr int ItemKindAmulet = 12;
// Cures that a member who casts on the whole party needs no target for.
constexpr std::array<int, 3> GroupCures = {10, 43, 60};

const ItemDef* ItemAt(const Game& game, const Creature& member, int slot) {
    if (slot < 1 || slot >= static_cast<int>(member.Items.size())) return nullptr;
    const int32_t id = member.Items[static_cast<size_t>(slot)].ItemId;
    if (id <= 0 || id >= static_cast<int32_t>(game.Items.size())) return nullptr;
    return &game.Items[static_cast<size_t>(id)];
}

std::string RowText(const Creature& member, int slot, const ItemDef& item) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    const bool unknown = (member.Items[static_cast<size_t>(slot)].ItemFlags & Unidentified) != 0;
    return std::string(1, Hex[slot & 15]) + ":" + (unknown ? item.UnidentifiedName : item.Name);
}

}  // namespace

SpellTarget TargetForSpell(const Game& game, const Creature& member, int spellRow) {
    const SpellDef* spell = SpellRow(game, spellRow);
    if (spell == nullptr) return SpellTarget::None;
    switch (spell->TargetKind) {
        case 1:
        case 2:
            return SpellTarget::MonsterGroup;
        case 4:
            for (int code : GroupCures)
                if (spell->Effect == code && HasSkill(member, Skill::GroupCaster))
                    return SpellTarget::None;
            return SpellTarget::Member;
        default:
            return SpellTarget::None;
    }
}

std::string EnterSpellByName(const Game& game, Creature& member, std::string_view name,
                             SpellTarget& target) {
    const std::string upper = SpellNameUpper(name);
    member.CommandArg = static_cast<int16_t>(FindSpellByName(game, upper, LastTypedSpell));
    target = TargetForSpell(game, member, member.CommandArg);
    return upper;
}

std::vector<UsableRow> UsableItems(const Game& game, const Creature& member) {
    std::vector<UsableRow> rows;
    for (int s = 1; s < static_cast<int>(member.Items.size()); ++s) {
        const ItemDef* item = ItemAt(game, member, s);
        if (item == nullptr || item->SpellNo <= 0) continue;
        const int kind = item->Kind & 255;
        if (kind == ItemKindInstrument) continue;
        if (kind == ItemKindAmulet && !HasSkill(member, Skill::AmuletUse)) continue;
        rows.push_back({s, RowText(member, s, *item)});
    }
    return rows;
}

std::vector<UsableRow> Instruments(const Game& game, const Creature& member) {
    std::vector<UsableRow> rows;
    for (int s = 1; s < static_cast<int>(member.Items.size()); ++s) {
        const ItemDef* item = ItemAt(game, member, s);
        if (item == nullptr || item->SpellNo == 0 || (item->Kind & 255) != ItemKindInstrument)
            continue;
        rows.push_back({s, RowText(member, s, *item)});
    }
    return rows;
}

SpellTarget ChooseItemForCommand(Game& game, Creature& member, int slot) {
    const ItemDef* item = ItemAt(game, member, slot);
    member.ItemSlot = static_cast<int16_t>(slot);
    RememberChosenItem(game, member);
    member.CommandArg =
        static_cast<int16_t>(item != nullptr ? FindSpellByCode(game, item->SpellNo) : 0);
    return TargetForSpell(game, member, member.CommandArg);
}

}  // namespace kv
