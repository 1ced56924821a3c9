// Whom a monster's action reaches: random members, the target sets of the
// action table, the summon that may take a blow in the party's place, and
// the weighing by which a monster of some wits picks the member to strike.
#include <algorithm>
#include <array>
#include <cmath>

#include "battle/MonsterActions.h"
#include "character/CharacterRules.h"
#include "core/Dice.h"

namespace kv {

namespace {

constexpr int FrontRow = 3;
constexpr int MemberDraws = 51;
constexpr int GroupDraws = 50;
constexpr int ResistMagic = 2;
constexpr int ResistPhysical = 1;
constexpr int ResistAbsorbs = 200;
constexpr int ResistReflects = 255;
constexpr int WeakResistance = 30;

// Weaknesses a monster of great wits looks for: a resistance below 30 to
// these attack kinds adds the weight beside it.
struct Weakness {
    int Kind;
    int Weight;
};
constexpr std::array<Weakness, 13> Weaknesses = {{{16, 1},
                                                  {15, 2},
                                                  {18, 2},
                                                  {19, 2},
                                                  {20, 1},
                                                  {21, 1},
                                                  {22, 1},
                                                  {23, 1},
                                                  {24, 3},
                                                  {28, 4},
                                                  {31, 5},
                                                  {30, 5},
                                                  {29, 1}}};

Creature* RandomMemberOf(Game& game, int positions) {
    if (positions < 1) return nullptr;
    for (int tries = 0; tries < MemberDraws; ++tries) {
        Creature* c = game.Member(Dice(game.Rng, 1, positions, 0));
        if (c != nullptr && IsActive(*c)) return c;
    }
    return nullptr;
}

int32_t RoundEven(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

bool IsSpellCommand(int command) {
    return command == CommandSpell || command == CommandChainSpell;
}

// The weight of one candidate, by the rules the monster's wits open.
int CandidateWeight(const Game& game, const Creature& monster, const Creature& c, int position) {
    const int iq = monster.IQ;
    int w = 6 - position;
    if (HasSkill(c, Skill::MonstersPreferHim)) w += 20;
    if (iq > 3 && (c.Status & StatusSleep) != 0) w += 10;
    const int64_t blows = (static_cast<int64_t>(monster.DamageDice[0]) * monster.DamageDice[1] +
                           monster.DamageDice[2]) *
                          monster.AttackCount;
    if (iq >= 6 && blows / 2 > c.HP) w += 5;
    if (iq >= 8 && blows / 10 > c.HP) w += 10;
    if (iq >= 9 && c.Initiative != 0) {
        w += 3;
        if (IsSpellCommand(c.Command) && c.CommandArg > 0 &&
            c.CommandArg < static_cast<int>(game.Spells.size()))
            w += game.Spells[static_cast<size_t>(c.CommandArg)].SpellLevel;
    }
    if (iq > 10 && c.Resist[ResistMagic] > 0) w = RoundEven(w + c.Resist[ResistMagic] / 10.0);
    if (iq >= 13)
        for (const Weakness& k : Weaknesses)
            if (c.Resist[static_cast<size_t>(k.Kind)] < WeakResistance) w += k.Weight;
    if (iq > 15 && c.DamageRate[ResistPhysical] > 100) w += 10;
    if (iq > 16 && HasSkill(c, Skill::CounterAttack)) w = RoundEven(w * 0.5);
    if (iq > 15 &&
        (c.Resist[ResistPhysical] == ResistReflects || c.Resist[ResistPhysical] == ResistAbsorbs))
        w = 0;
    return std::max(w, 0);
}

}  // namespace

Creature* RandomActiveMember(Game& game) {
    return RandomMemberOf(game, game.PartyCount);
}

Creature* RandomFrontMember(Game& game) {
    return RandomMemberOf(game, std::min<int>(game.PartyCount, FrontRow));
}

int RandomLivingGroup(Game& game) {
    for (int tries = 0; tries < GroupDraws; ++tries) {
        const int g = Dice(game.Rng, 1, BattleGroupCount, 0);
        for (int m = 1; m <= GroupMemberCount; ++m) {
            const Creature& c = game.Battle.Monster(g, m);
            if (c.Id > 0 && (c.Status & StatusDead) == 0) return g;
        }
    }
    return 0;
}

int RandomRowGroup(Game& game) {
    const BattleState& b = game.Battle;
    if (b.GroupCount < 1) return 0;
    const int row = Dice(game.Rng, 1, std::min<int>(b.GroupCount, BattleGroupCount), 0);
    const int group = b.Rows[static_cast<size_t>(row)];
    return group >= 1 && group <= BattleGroupCount ? group : 0;
}

std::vector<Creature*> BuildTargetList(Game& game, int type, int n) {
    std::vector<Creature*> list;
    const int front = std::min<int>(game.PartyCount, FrontRow);
    const auto every = [&](int last, bool standingOnly) {
        for (int i = 1; i <= last; ++i)
            if (Creature* c = game.Member(i); c && (!standingOnly || (c->Status & GoneMask) == 0))
                list.push_back(c);
    };
    const auto draws = [&](Creature* (*draw)(Game&)) {
        for (int k = 0; k < n; ++k)
            if (Creature* c = draw(game)) list.push_back(c);
    };
    switch (type) {
        case TargetOne:
            if (Creature* c = RandomActiveMember(game)) list.push_back(c);
            break;
        case TargetParty:
            every(game.PartyCount, false);
            break;
        case TargetStanding:
            every(game.PartyCount, true);
            break;
        case TargetDraws:
            draws(RandomActiveMember);
            break;
        case TargetFrontOne:
            if (Creature* c = RandomFrontMember(game)) list.push_back(c);
            break;
        case TargetFront:
            every(front, false);
            break;
        case TargetFrontStanding:
            every(front, true);
            break;
        case TargetFrontDraws:
            draws(RandomFrontMember);
            break;
        default:
            break;
    }
    return list;
}

int ChooseSummonTarget(Game& game) {
    const int roll = Dice(game.Rng, 1, PartyHasSkill(game, Skill::SummonQuickness) ? 9 : 15, 0);
    if (roll <= 3) return 0;
    for (int s = 1; s <= SummonSlotCount; ++s) {
        const Creature& c = game.Battle.Summons[static_cast<size_t>(s)];
        if (!IsActive(c)) continue;
        // A summon of little charm leaves the blow to the party.
        return Dice(game.Rng, 1, c.Charm, 0) < 3 ? 0 : s;
    }
    return 0;
}

Creature* PickMonsterTarget(Game& game, const Creature& monster) {
    const int reach = std::min<int>(monster.ReachAll != 0 ? 6 : FrontRow, game.PartyCount);
    std::array<int, 7> weight{};
    int total = 0;
    for (int pos = 1; pos <= reach; ++pos) {
        const Creature* c = game.Member(pos);
        if (c == nullptr || (c->GrantFlags1 & monster.Class) != 0 || (c->Status & AbsentMask) != 0)
            continue;
        weight[static_cast<size_t>(pos)] = CandidateWeight(game, monster, *c, pos);
        total += weight[static_cast<size_t>(pos)];
    }
    if (total <= 0) return nullptr;
    const int roll = Dice(game.Rng, 1, total, 0);
    int sum = 0;
    for (int pos = 1; pos <= reach; ++pos) {
        sum += weight[static_cast<size_t>(pos)];
        if (weight[static_cast<size_t>(pos)] > 0 && sum >= roll) return game.Member(pos);
    }
    return nullptr;
}

std::vector<Creature*> AimTargets(Game& game, const ActionAim& aim, int type, int n) {
    std::vector<Creature*> list;
    if (!aim.BySummon()) {
        if (aim.Summon == 0) return BuildTargetList(game, type, n);
        // A summon stands in the party's place: one target is the summon
        // chosen, several are every summon slot.
        if (type == TargetSingle || type == TargetOne || type == TargetFrontSingle ||
            type == TargetFrontOne) {
            list.push_back(&game.Battle.Summons[static_cast<size_t>(aim.Summon)]);
        } else {
            for (int s = 1; s <= SummonSlotCount; ++s)
                list.push_back(&game.Battle.Summons[static_cast<size_t>(s)]);
        }
        return list;
    }
    const auto members = [&](int last) {
        for (int m = 1; m <= std::min(last, GroupMemberCount); ++m)
            list.push_back(&game.Battle.Monster(aim.Group, m));
    };
    switch (type) {
        case TargetOne:
        case TargetFrontOne:
            if (aim.Single != nullptr) list.push_back(aim.Single);
            break;
        case TargetParty:
        case TargetStanding:
        case TargetFront:
        case TargetFrontStanding:
            members(GroupMemberCount);
            break;
        case TargetDraws:
        case TargetFrontDraws:
            members(n);
            break;
        default:
            break;
    }
    return list;
}

}  // namespace kv
