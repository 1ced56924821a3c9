// The spell table read by name and code, the caster's book and points, the
// damage a spell rolls, and the breaking of an item that casts one.
#include "character/SpellBook.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

// Attribute masteries: the attribute, the skill, the damage it adds.
struct Mastery {
    int Attribute;  // 0: every attribute
    Skill Needs;
    int Bonus;
};
// clang-format off
constexpr std::array<Mastery, 20> Masteries = {{
    {0, Skill::SpellMastery, 10},       {0, Skill::SpellMastery2, 20},
    {4, Skill::FireMastery, 5},         {4, Skill::FireMastery2, 10},      {4, Skill::FireMastery3, 20},
    {5, Skill::WaterMastery, 5},        {5, Skill::WaterMastery2, 10},     {5, Skill::WaterMastery3, 20},
    {6, Skill::WindMastery, 5},         {6, Skill::WindMastery2, 10},      {6, Skill::WindMastery3, 20},
    {7, Skill::EarthMastery, 5},        {7, Skill::EarthMastery2, 10},     {7, Skill::EarthMastery3, 20},
    {8, Skill::ColdMastery, 5},         {8, Skill::ColdMastery2, 10},      {8, Skill::ColdMastery3, 20},
    {9, Skill::LightningMastery, 5},    {9, Skill::LightningMastery2, 10}, {9, Skill::LightningMastery3, 20},
}};
// clang-format on

bool ValidBookIndex(const SpellDef& spell) {
    return IsSpellIndex(spell.School, spell.SpellLevel, spell.Slot);
}

}  // namespace

const SpellDef* SpellRow(const Game& game, int number) {
    if (number < 1 || number >= static_cast<int>(game.Spells.size())) return nullptr;
    return &game.Spells[static_cast<size_t>(number)];
}

std::string SpellNameUpper(std::string_view name) {
    std::string upper(name);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return upper;
}

int FindSpellByName(const Game& game, std::string_view name, int last) {
    const std::string wanted = SpellNameUpper(name);
    if (wanted.empty()) return 0;
    last = std::min(last, static_cast<int>(game.Spells.size()) - 1);
    for (int k = 1; k <= last; ++k)
        if (SpellNameUpper(game.Spells[static_cast<size_t>(k)].Name) == wanted) return k;
    return 0;
}

int FindSpellByCode(const Game& game, int code) {
    if (code <= 0) return 0;
    for (size_t k = 1; k < game.Spells.size(); ++k)
        if (game.Spells[k].Code == code) return static_cast<int>(k);
    return 0;
}

bool KnowsSpell(const Creature& caster, const SpellDef& spell) {
    return ValidBookIndex(spell) && caster.Spell(spell.School, spell.SpellLevel, spell.Slot) != 0;
}

bool KnowsAnyFirstLevelSpell(const Creature& caster) {
    for (int school = 0; school < 4; ++school)
        for (int slot = 1; slot <= 4; ++slot)
            if (caster.Spell(school, 1, slot) != 0) return true;
    return false;
}

int SpellPointsFor(const Creature& caster, const SpellDef& spell) {
    if (!ValidBookIndex(spell)) return 0;
    return caster.MPAt(spell.School, spell.SpellLevel);
}

void SpendSpellPoint(Creature& caster, const SpellDef& spell) {
    if (!ValidBookIndex(spell)) return;
    int16_t& points = caster.MPAt(spell.School, spell.SpellLevel);
    if (points > 0) --points;
}

int32_t ShieldedRoll(int32_t rolled, int shieldLevel) {
    constexpr int Fifths = 5;
    const int64_t left = std::clamp(Fifths - shieldLevel, 0, Fifths);
    return static_cast<int32_t>(static_cast<int64_t>(rolled) * left / Fifths);
}

int32_t SpellDamageBonus(const Creature& caster, int attribute, int32_t damage) {
    for (const Mastery& m : Masteries)
        if ((m.Attribute == 0 || m.Attribute == attribute) && HasSkill(caster, m.Needs))
            damage += m.Bonus;
    return damage;
}

int SpellExtraCondition(int attribute) {
    constexpr int Cold = 8;
    constexpr int Lightning = 9;
    constexpr int Frozen = 19;
    constexpr int Shock = 20;
    return attribute == Cold ? Frozen : attribute == Lightning ? Shock : 0;
}

int32_t SpellDamage(Game& game, const Creature& caster, const Creature& target,
                    const SpellDef& spell, int shieldLevel) {
    const int32_t rolled =
        Dice(game.Rng, spell.SpellDice[0], spell.SpellDice[1], spell.SpellDice[2]);
    int32_t damage = ShieldedRoll(rolled, shieldLevel);
    damage = SpellDamageBonus(caster, spell.SpellAttribute, damage);
    if (HasSkill(target, Skill::SpellDamping)) {
        const int percent = std::max(0, 100 - static_cast<int>(target.IQ));
        damage = static_cast<int32_t>(std::nearbyint(damage * percent / 100.0));
    }
    return damage;
}

bool ItemBreaks(Game& game, int useBreakChance, int bonus) {
    return Dice(game.Rng, 1, 100, bonus) < useBreakChance;
}

std::string CastingPrefix(const Creature& caster, const SpellDef& spell) {
    return caster.Name + "は\n" + Wide(spell.Name) + std::string(ResString(Str::CastWord));
}

}  // namespace kv
