// The resistance roll, the party's wards and condition attacks: the defences
// every side shares.
#include <array>

#include "battle/BattleRules.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"

namespace kv {

namespace {

constexpr int ResistValueAbsorb = 200;
constexpr int ResistValueReflect = 255;
constexpr int ConditionKindDeath = 31;

// The party skill that wards off each condition kind (0: no ward).
// clang-format off
constexpr Skill No = Skill::None;
constexpr std::array<Skill, AttackAttributes> WardSkill = {
    No, No, No, No, No, No, No, No, No, No, No, No, No, No, No,  // 0..14
    Skill::SleepWard, Skill::ParalysisWard, Skill::FearWard, Skill::ConfusionWard,   // 15..18
    Skill::FrozenWard, Skill::ShockWard, Skill::CharmWard, Skill::PoisonConditionWard,  // 19..22
    Skill::SilenceWard, Skill::BlindnessWard, No, No, Skill::DiseaseWard, No,           // 23..28
    Skill::StoneWard, Skill::LevelDrainWard, Skill::DecapitationWard, No, No,          // 29..33
    Skill::PoisonConditionWard, No, No};                                               // 34..36
// clang-format on

}  // namespace

int ResistRoll(Game& game, int first, int second) {
    if (first == ResistValueAbsorb || second == ResistValueAbsorb) return Absorbed;
    if (first == ResistValueReflect || second == ResistValueReflect) return Reflected;
    if (Dice(game.Rng, 1, 100, 0) < first) return ResistedFirst;
    if (Dice(game.Rng, 1, 100, 0) < second) return ResistedSecond;
    return NotResisted;
}

bool PartyWardRoll(Game& game, const Creature& target, int kind) {
    if (IsMonster(target)) return false;
    if (kind < 0 || static_cast<size_t>(kind) >= WardSkill.size()) return false;
    const Skill skill = WardSkill[static_cast<size_t>(kind)];
    if (skill == Skill::None || !PartyHasSkill(game, skill)) return false;
    const int sides = PartyHasSkill(game, Skill::SurerWards) ? 2 : 3;
    return Dice(game.Rng, 1, sides, -1) != 0;
}

void InflictCondition(Game& game, Player& player, std::string_view prefix, Creature& target,
                      int kind, int chance, bool dodgeable, int general, Creature* killer) {
    if (target.Id == 0 || (target.Status & AbsentMask) != 0) return;
    if (Dice(game.Rng, 1, 100, 0) >= chance) return;
    const std::string head = std::string(prefix) + target.Name;
    const auto resist = [&](int index) {
        return index >= 0 && static_cast<size_t>(index) < target.Resist.size()
                   ? target.Resist[static_cast<size_t>(index)]
                   : 0;
    };
    if (dodgeable && Dice(game.Rng, 1, 50, 0) < target.Luck) {
        player.Message(head + "は\nかわした");
    } else if (ResistRoll(game, resist(general), 0) != NotResisted) {
        player.Message(head + std::string(ResString(Str::Nullified)));
    } else if (ResistRoll(game, resist(kind), 0) != NotResisted ||
               PartyWardRoll(game, target, kind) || (target.Status & StatusConditionWard) != 0) {
        player.Message(head + std::string(ResString(Str::Resisted)));
    } else if (kind == ConditionKindDeath) {
        std::string death = IsMonster(target) ? MonsterKilled(game, target, killer, true)
                                              : KillCreature(target, true);
        player.Message(std::string(prefix) + death);
    } else {
        const int32_t bit = AttackToStatus(kind);
        if (bit == 0) return;
        player.Message(head + SetCondition(target.Status, bit));
    }
}

}  // namespace kv
