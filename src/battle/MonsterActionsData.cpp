// The rows of the monster action table that describe their action in data
// (damage, conditions, or both) and the built-in actions the other rows name
// by their number.
#include <algorithm>
#include <array>
#include <cctype>

#include "battle/MonsterActions.h"
#include "core/Dice.h"

namespace kv {

namespace {

// Which built-in action each row range names; the first range holding a
// row wins, so the named rows come before the special attacks' range.
struct BuiltInRange {
    int First;
    int Last;
    BuiltInAction Action;
};
constexpr std::array<BuiltInRange, 14> BuiltIns = {{
    {1, 1, {BuiltIn::Attack}},
    // Spells: the level is the row number less the range's first row, plus 1.
    {2, 10, {BuiltIn::Spell, 0, -1}},
    {11, 19, {BuiltIn::Spell, 1, -10}},
    {20, 28, {BuiltIn::Spell, 2, -19}},
    {29, 29, {BuiltIn::Flee}},
    {33, 34, {BuiltIn::Special}},
    {35, 35, {BuiltIn::CallForHelp}},
    {36, 36, {BuiltIn::Breath, 0, 0, 4}},   // fire
    {37, 37, {BuiltIn::Breath, 0, 0, 9}},   // lightning
    {38, 38, {BuiltIn::Breath, 0, 0, 8}},   // cold
    {39, 39, {BuiltIn::Breath, 0, 0, 10}},  // acid
    {87, 87, {BuiltIn::Steal}},
    {91, 95, {BuiltIn::Summon}},
    {42, 318, {BuiltIn::Special}},
}};

// The leading decimal number of a text, as the table's fields are read:
// spaces skipped, an optional sign, digits up to the first other character;
// 0 when there is none.
int32_t LeadingNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT32_MAX) return negative ? INT32_MIN : INT32_MAX;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

void Damage(Game& game, Player& player, const ActionAim& aim, const MonsterActionDef& row,
            const std::string& prefix, Creature& target) {
    Creature& actor = *aim.Actor;
    const int64_t damage =
        static_cast<int64_t>(Dice(game.Rng, ActionDiceField(actor, row.DiceCount),
                                  ActionDiceField(actor, row.DiceSides),
                                  ActionDiceField(actor, row.DiceAdd))) *
        ActionDiceField(actor, row.Times);
    ApplyAttributeDamage(game, player, prefix,
                         static_cast<int32_t>(std::clamp<int64_t>(damage, 0, INT32_MAX)), actor,
                         target, row.Attribute, row.Attribute2, 0, false);
}

void Conditions(Game& game, Player& player, const MonsterActionDef& row, const std::string& prefix,
                Creature& target) {
    for (size_t j = 1; j < row.ConditionChance.size(); ++j)
        if (row.ConditionChance[j] > 0)
            InflictCondition(game, player, prefix, target, static_cast<int>(j),
                             row.ConditionChance[j], true, 0);
}

}  // namespace

int32_t ActionDiceField(const Creature& actor, const std::string& field) {
    if (field == "da") return actor.DamageDice[0];
    if (field == "db") return actor.DamageDice[1];
    if (field == "dc") return actor.DamageDice[2];
    if (field == "wc") return actor.AttackCount;
    return LeadingNumber(field);
}

void RunDataAction(Game& game, Player& player, const ActionAim& aim, const MonsterActionDef& row) {
    const std::string prefix = aim.Actor->Name + row.Message;
    const auto kind = static_cast<ActionKind>(row.ActionKind);
    // Every kind draws its number of targets, so that a conditions row aimed
    // at n draws reaches someone.
    const int n = Dice(game.Rng, row.CountDice[0], row.CountDice[1], row.CountDice[2]);
    for (Creature* target : AimTargets(game, aim, row.TargetType, n)) {
        if (kind == ActionKind::Damage || kind == ActionKind::DamageAndConditions)
            Damage(game, player, aim, row, prefix, *target);
        if (kind == ActionKind::Conditions || kind == ActionKind::DamageAndConditions)
            Conditions(game, player, row, prefix, *target);
    }
}

BuiltInAction FindBuiltIn(int row) {
    for (const BuiltInRange& r : BuiltIns) {
        if (row < r.First || row > r.Last) continue;
        BuiltInAction a = r.Action;
        if (a.Action == BuiltIn::Spell) a.SpellLevel += row;
        return a;
    }
    return {};
}

}  // namespace kv
