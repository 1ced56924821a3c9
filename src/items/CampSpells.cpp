// Casting outside battle and using an item there: the checks a character's
// cast passes, the item's spell and the break rule after it, and the two
// reference books.
#include "items/CampSpells.h"

#include <array>
#include <vector>

#include "character/CharacterRules.h"
#include "character/Inventory.h"
#include "character/SpellBook.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"
#include "items/CampEffects.h"

namespace kv {

namespace {

constexpr int ForbiddenLevel = 10;  // levels from here on cannot be cast
constexpr int CharacterSchools = 4;
constexpr int VirtuosoBonus = 100;
constexpr int ItemSkillBonus = 20;
constexpr int16_t Encyclopedia = 2;
constexpr int16_t MonsterDictionary = 1;

// The n-th (1-based) of the numbers whose count is above 0, or 0.
int NthCounted(const std::vector<int32_t>& counts, int n) {
    for (size_t k = 1; k < counts.size(); ++k)
        if (counts[k] > 0 && --n == 0) return static_cast<int>(k);
    return 0;
}

// One of the numbers ever counted, picked by a die; 0 when none was.
int PickCounted(Game& game, const std::vector<int32_t>& counts) {
    int total = 0;
    for (size_t k = 1; k < counts.size(); ++k)
        if (counts[k] > 0) ++total;
    if (total == 0) return 0;
    return NthCounted(counts, Dice(game.Rng, 1, total, 0));
}

// Whether the user may draw the item's spell out: instruments want the
// singer's skill, amulets and orbs their own.
bool CanDrawSpell(const Creature& user, const ItemDef& item) {
    switch (KindOf(item)) {
        case ItemKind::Instrument:
            return HasSkill(user, Skill::Songs);
        case ItemKind::Orb:
            return HasSkill(user, Skill::AmuletUse);
        default:
            return true;
    }
}

int BreakBonus(const Creature& user, const ItemDef& item) {
    const ItemKind kind = KindOf(item);
    if (kind == ItemKind::Instrument && HasSkill(user, Skill::Virtuoso)) return VirtuosoBonus;
    if (HasSkill(user, Skill::ItemSpellBoost)) return ItemSkillBonus;
    if (kind == ItemKind::Orb && HasSkill(user, Skill::AmuletBoost)) return ItemSkillBonus;
    return 0;
}

// The used slot loses one piece; what the item breaks into goes to the
// user, or to whoever in the party has room.
void BreakItem(Game& game, Player& player, Creature& user, int slot, const ItemDef& item) {
    RemoveItemCount(user, slot, 1);
    player.Message(ResString(Str::Broke));
    if (item.BrokenInto == 0) return;
    if (AddItemToInventory(game, item.BrokenInto, user, false, 1) >= 0) return;
    // Handing it on picks the member with room as the current character;
    // the camp keeps showing the user.
    const int16_t current = game.CurrentChar;
    GiveFoundItem(game, player, item.BrokenInto, false, FoundMessage::Named, false);
    game.CurrentChar = current;
}

}  // namespace

CampOutcome CastSpellRow(Game& game, Player& player, CampHost& host, int casterSlot, int row,
                         bool byCharacter) {
    Creature* caster = game.Character(casterSlot);
    const SpellDef* spell = SpellRow(game, row);
    if (caster == nullptr || spell == nullptr) return CampOutcome::Stay;
    if ((spell->SpellFlags & SpellInCamp) == 0) {
        player.Message(ResString(Str::NotNowSpell));
        return CampOutcome::Stay;
    }
    if (byCharacter) {
        if (spell->SpellLevel >= ForbiddenLevel) {
            player.Message("禁呪は使うことが出来ない");
            return CampOutcome::Stay;
        }
        // A row outside the four schools or with a bad place is no spell a
        // character can hold.
        if (spell->School >= CharacterSchools || !KnowsSpell(*caster, *spell)) {
            player.Message(ResString(Str::Oops));
            return CampOutcome::Stay;
        }
        if ((caster->Status & StatusSilence) != 0 && !HasSkill(*caster, Skill::SilentCasting)) {
            SpendSpellPoint(*caster, *spell);
            player.Message(CastingPrefix(*caster, *spell) + "\nしかし呪文は音にならなかった");
            return CampOutcome::Stay;
        }
        if (SpellPointsFor(*caster, *spell) < 1) {
            player.Message(ResString(Str::Cannot));
            return CampOutcome::Stay;
        }
        SpendSpellPoint(*caster, *spell);
        caster->CommandArg = spell->Code;
    }
    CampCast cast{game, player, host, *caster, *spell, byCharacter};
    return RunCampEffect(cast);
}

CampOutcome CastOutsideBattle(Game& game, Player& player, CampHost& host, int casterSlot,
                              std::string_view name) {
    const int row = FindSpellByName(game, name);
    if (row == 0) {
        player.Message(ResString(Str::What));
        return CampOutcome::Stay;
    }
    return CastSpellRow(game, player, host, casterSlot, row, true);
}

CampResult UseItemOutsideBattle(Game& game, Player& player, CampHost& host, int userSlot,
                                int slot) {
    CampResult result;
    Creature* user = game.Character(userSlot);
    if (user == nullptr || slot < FirstInventorySlot || slot > LastInventorySlot) return result;
    const InventorySlot held = user->Items[static_cast<size_t>(slot)];
    const ItemDef* found = FindItem(game, held.ItemId);
    if (found == nullptr) return result;
    const ItemDef item = *found;
    if (item.UseKind == Encyclopedia) {
        RemoveItemCount(*user, slot, 1);
        result.ItemPanel = PickCounted(game, game.ItemFound);
        if (result.ItemPanel == 0) player.Message("大百科には何も載っていなかった・・・");
        return result;
    }
    if (item.UseKind == MonsterDictionary) {
        RemoveItemCount(*user, slot, 1);
        result.MonsterPanel = PickCounted(game, game.MonsterKillCount);
        if (result.MonsterPanel == 0) player.Message("辞典には何も載っていなかった・・・");
        return result;
    }
    // Whether the user may draw the spell depends on the item and him alone,
    // so a later row of the same code would fail the same way.
    const int row = FindSpellByCode(game, item.SpellNo);
    if (item.SpellNo == 0 || row == 0 || !CanDrawSpell(*user, item)) {
        player.Message(ResString(Str::NothingHappened));
        return result;
    }
    const SpellDef& spell = game.Spells[static_cast<size_t>(row)];
    if ((spell.SpellFlags & SpellInCamp) == 0) {
        player.Message(ResString(Str::NotNowSpell));
        return result;
    }
    CampCast cast{game, player, host, *user, spell, false};
    result.Outcome = RunCampEffect(cast);
    const InventorySlot& after = user->Items[static_cast<size_t>(slot)];
    if (after.ItemId == held.ItemId &&
        ItemBreaks(game, item.UseBreakChance, BreakBonus(*user, item))) {
        BreakItem(game, player, *user, slot, item);
        // The effect saved before the item broke: the break is saved too.
        if (cast.Saved) host.Save();
    }
    return result;
}

std::string MonsterDetails(const Game& game, int monster) {
    if (monster < 1 || monster >= static_cast<int>(game.Monsters.size())) return "";
    const Creature& m = game.Monsters[static_cast<size_t>(monster)];
    const auto dice = [](auto count, auto sides, auto constant) {
        return WideNumber(count) + "Ｄ" + WideNumber(sides) + "＋" + WideNumber(constant);
    };
    std::string text = m.Name + "\n" + m.SubName + "\n";
    text += "出現数　　　" + dice(m.GroupDice[0], m.GroupDice[1], m.GroupDice[2]) + "\n";
    text += "経験値 　　　" + WideNumber(static_cast<int64_t>(m.Exp)) + "\n";
    text += "ＨＰ　　　　" + dice(m.HPDice[0], m.HPDice[1], m.HPDice[2]) + "\n";
    text += "ダメージ　　" + dice(m.DamageDice[0], m.DamageDice[1], m.DamageDice[2]) + "\n";
    text += "攻撃回数　　" + WideNumber(m.AttackCount) + "\n";
    text += "ＡＣ　　　　" + WideNumber(m.AC) + "\n";
    text += "力　　　　　" + WideNumber(m.Str) + "\n";
    text += "素早さ　　　" + WideNumber(m.Agility) + "\n";
    text += "運　　　　　" + WideNumber(m.Luck) + "\n";
    struct Named {
        size_t Attribute;
        std::string_view Text;
    };
    static constexpr std::array<Named, 15> Added = {{{15, "追加攻撃：睡眠"},
                                                     {16, "追加攻撃：麻痺"},
                                                     {17, "追加攻撃：恐怖"},
                                                     {18, "追加攻撃：混乱"},
                                                     {19, "追加攻撃：氷結"},
                                                     {20, "追加攻撃：感電"},
                                                     {21, "追加攻撃：誘惑"},
                                                     {22, "追加攻撃：毒"},
                                                     {23, "追加攻撃：沈黙"},
                                                     {24, "追加攻撃：盲目"},
                                                     {27, "追加攻撃：病気"},
                                                     {28, "追加攻撃：ＨＰドレイン"},
                                                     {29, "追加攻撃：石化"},
                                                     {30, "エナジードレイン"},
                                                     {31, "クリティカルヒット"}}};
    for (const Named& added : Added)
        if (m.AttackEffects[added.Attribute] > 0) text += std::string(added.Text) + "\n";
    static constexpr std::array<Named, 12> Resisted = {{{1, "物理"},
                                                        {4, "炎　"},
                                                        {5, "水　"},
                                                        {6, "風　"},
                                                        {7, "土　"},
                                                        {8, "冷気"},
                                                        {9, "雷撃"},
                                                        {10, "毒　"},
                                                        {11, "精神"},
                                                        {12, "光　"},
                                                        {13, "闇　"},
                                                        {2, "魔法"}}};
    constexpr uint8_t Reflects = 255;
    constexpr uint8_t Absorbs = 200;
    for (const Named& resisted : Resisted) {
        const uint8_t value = m.Resist[resisted.Attribute];
        if (value == 0) continue;
        text += resisted.Text;
        if (value == Reflects) {
            text += "　反射";
        } else if (value == Absorbs) {
            text += "　吸収";
        } else {
            text += "　無効" + WideNumber(value) + "％";
        }
        text += "\n";
    }
    return text;
}

}  // namespace kv
