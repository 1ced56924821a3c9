#include "dungeon/Traps.h"

#include <array>
#include <string>

#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "dungeon/Movement.h"

namespace kv {

namespace {

constexpr const char* SurpriseText = "おおっと！！　";
constexpr const char* LessMPText = "はMPが減った";

// Who a trap reaches.
enum class Hits : uint8_t {
    Opener,        // the member who acted
    Party,         // every member still alive
    RandomMember,  // one member drawn by lot
    ClassOnly,     // members of Mask's class; the others step aside
    RaceOnly,      // living members of Mask's race; everyone else steps aside, the dead too
    AllButClass,   // every member but those of Mask's class, who step aside
    Everyone,      // the party as one (the teleport)
};

// The damage roll, by the struck member's own values unless the opener's.
enum class Roll : uint8_t {
    None,
    D20,
    OpenerLevel,
    OwnLevel,
    LevelD3,
    LevelD5,
    HPLessOne,
    HalfHP,
    ThirdHP,
    WholeHP
};

// What happens beside (or instead of) the damage.
enum class Then : uint8_t { None, Condition, DrainMP, Teleport, Lower, Death };

// The statistic a trap lowers.
enum class Lowers : uint8_t { None, IQ, Age, Piety, Luck, Agility, Str };

struct TrapEffectRow {
    Hits Target;
    int32_t Mask;    // the class or race bit of the targets that pick by it
    int LuckAbove;   // avoided when 1d(Luck) is above this; 0: no luck save
    int Resist;      // the resistance tested; 0: none
    bool PlusMagic;  // the magic resistance is the test's second value
    Roll Damage;
    int Add;
    Then After;
    int32_t Condition;
    Lowers Stat;
};

constexpr int None = 0;
constexpr TrapEffectRow Row(Hits target, int luckAbove, int resist, bool plusMagic, Roll damage,
                            int add, Then after = Then::None, int32_t condition = 0,
                            Lowers stat = Lowers::None, int32_t mask = 0) {
    return {target, mask, luckAbove, resist, plusMagic, damage, add, after, condition, stat};
}
constexpr TrapEffectRow Harm(Hits target, int resist, bool plusMagic, Roll damage, int add) {
    return Row(target, None, resist, plusMagic, damage, add);
}
constexpr TrapEffectRow Afflict(Hits target, int luckAbove, int resist, int32_t condition) {
    return Row(target, luckAbove, resist, false, Roll::None, 0, Then::Condition, condition);
}
constexpr TrapEffectRow Lower(Hits target, Lowers stat) {
    return Row(target, 10, None, false, Roll::None, 0, Then::Lower, 0, stat);
}
constexpr TrapEffectRow Picked(Hits target, int32_t mask, int resist, Roll damage, int add) {
    return Row(target, None, resist, false, damage, add, Then::None, 0, Lowers::None, mask);
}

// Effect code c is row c - 1.
// clang-format off
constexpr std::array<TrapEffectRow, TrapEffectCount> TrapEffects = {{
    Harm(Hits::Opener, 12, true, Roll::D20, 1),                                      // 1
    Afflict(Hits::Opener, 10, 22, StatusPoison),                                     // 2
    Harm(Hits::Party, 4, true, Roll::OpenerLevel, 1),                                // 3
    Row(Hits::Opener, None, 22, false, Roll::OwnLevel, 1, Then::Condition, StatusPoison),  // 4
    Afflict(Hits::Opener, 10, 16, StatusParalysis),                                  // 5
    Harm(Hits::Party, 1, false, Roll::LevelD3, 1),                                   // 6
    Harm(Hits::Party, 1, false, Roll::LevelD5, 1),                                   // 7
    Harm(Hits::Party, 13, true, Roll::LevelD5, 1),                                   // 8
    Row(Hits::RandomMember, 10, None, false, Roll::None, 0, Then::DrainMP),          // 9
    Picked(Hits::ClassOnly, 256, None, Roll::OwnLevel, 1),                           // 10
    Picked(Hits::ClassOnly, 2, None, Roll::OwnLevel, 1),                             // 11
    Row(Hits::Everyone, None, None, false, Roll::None, 0, Then::Teleport),           // 12
    Afflict(Hits::Party, None, 22, StatusPoison),                                    // 13
    Harm(Hits::Party, 8, true, Roll::HPLessOne, 0),                                  // 14
    Harm(Hits::Party, 6, true, Roll::HalfHP, 0),                                     // 15
    Lower(Hits::Opener, Lowers::IQ),                                                 // 16
    Lower(Hits::Opener, Lowers::Age),                                                // 17
    Harm(Hits::Party, 12, false, Roll::ThirdHP, 1),                                  // 18
    Harm(Hits::Party, 13, false, Roll::ThirdHP, 1),                                  // 19
    Lower(Hits::RandomMember, Lowers::Piety),                                        // 20
    Lower(Hits::RandomMember, Lowers::Luck),                                         // 21
    Lower(Hits::RandomMember, Lowers::Agility),                                      // 22
    Lower(Hits::RandomMember, Lowers::Str),                                          // 23
    Harm(Hits::Party, 5, true, Roll::ThirdHP, 1),                                    // 24
    Harm(Hits::Party, 9, true, Roll::ThirdHP, 1),                                    // 25
    Harm(Hits::Party, 6, true, Roll::ThirdHP, 1),                                    // 26
    Harm(Hits::Party, 13, false, Roll::ThirdHP, 1),                                  // 27
    Picked(Hits::RaceOnly, 256, 1, Roll::WholeHP, 1),                                // 28
    Picked(Hits::RaceOnly, 128, 1, Roll::WholeHP, 1),                                // 29
    Picked(Hits::AllButClass, 8, 1, Roll::WholeHP, 1),                               // 30
    Picked(Hits::RaceOnly, 2, 1, Roll::WholeHP, 1),                                  // 31
    Picked(Hits::RaceOnly, 4, 1, Roll::WholeHP, 1),                                  // 32
    Picked(Hits::RaceOnly, 1, 1, Roll::WholeHP, 1),                                  // 33
    Afflict(Hits::RandomMember, 10, None, StatusStone),                              // 34
    Harm(Hits::Party, 4, false, Roll::ThirdHP, 1),                                   // 35
    Harm(Hits::Party, 8, false, Roll::ThirdHP, 1),                                   // 36
    Afflict(Hits::Party, None, 24, StatusBlind),                                     // 37
    Picked(Hits::RaceOnly, 1024, 1, Roll::WholeHP, 1),                               // 38
    Picked(Hits::RaceOnly, 8, 1, Roll::WholeHP, 1),                                  // 39
    Picked(Hits::RaceOnly, 16, 1, Roll::WholeHP, 1),                                 // 40
    Row(Hits::Party, 8, 12, false, Roll::None, 0, Then::Death),                      // 41
}};
// clang-format on

// A lowered statistic: avoided at or below Floor; the text after the name.
struct LoweredStat {
    int Floor;
    const char* Text;
};
constexpr std::array<LoweredStat, 7> LoweredStats = {{
    {0, ""},
    {2, "の知恵が下がった"},
    {13, "の年齢が下がった"},
    {2, "の信仰心が下がった"},
    {2, "の運が下がった"},
    {2, "の素早さが下がった"},
    {2, "の力が下がった"},
}};

constexpr int ResistAbsorbs = 200;
constexpr int ResistReflects = 255;
constexpr int MagicResist = 2;
constexpr int MostMemberDraws = 51;
constexpr int SpellSchoolsUsed = 4;
constexpr int HighestSpellLevel = 9;
constexpr int TeleportSide = 19;  // row and column 1..19: never the edge at 0

int ResistOf(const Creature& c, int index) {
    return index >= 0 && static_cast<size_t>(index) < c.Resist.size()
               ? c.Resist[static_cast<size_t>(index)]
               : 0;
}

// The resistance test on Resist[index], with the magic resistance as the
// second value when asked: absorbing or reflecting either one resists.
bool Resists(Game& game, const Creature& c, int index, bool plusMagic) {
    const int first = ResistOf(c, index);
    const int second = plusMagic ? ResistOf(c, MagicResist) : 0;
    if (first == ResistAbsorbs || second == ResistAbsorbs) return true;
    if (first == ResistReflects || second == ResistReflects) return true;
    if (Dice(game.Rng, 1, 100, 0) < first) return true;
    return plusMagic && Dice(game.Rng, 1, 100, 0) < second;
}

int32_t RollDamage(Game& game, Roll roll, int add, const Creature& c, const Creature& opener) {
    switch (roll) {
        case Roll::D20:
            return Dice(game.Rng, 1, 20, add);
        case Roll::OpenerLevel:
            return Dice(game.Rng, 1, opener.Level, add);
        case Roll::OwnLevel:
            return Dice(game.Rng, 1, c.Level, add);
        case Roll::LevelD3:
            return Dice(game.Rng, c.Level, 3, add);
        case Roll::LevelD5:
            return Dice(game.Rng, c.Level, 5, add);
        case Roll::HPLessOne:
            return Dice(game.Rng, 1, c.HP - 1, add);
        case Roll::HalfHP:
            return Dice(game.Rng, 1, c.HP / 2, add);
        case Roll::ThirdHP:
            return Dice(game.Rng, 1, c.HP / 3, add);
        case Roll::WholeHP:
            return Dice(game.Rng, 1, c.HP, add);
        case Roll::None:
            break;
    }
    return 0;
}

// The statistic a row lowers, as a whole number to test and to lower.
int StatValue(const Creature& c, Lowers stat) {
    switch (stat) {
        case Lowers::IQ:
            return c.IQ;
        case Lowers::Age:
            return c.Age;
        case Lowers::Piety:
            return c.Piety;
        case Lowers::Luck:
            return c.Luck;
        case Lowers::Agility:
            return c.Agility;
        case Lowers::Str:
            return c.Str;
        case Lowers::None:
            break;
    }
    return 0;
}

void LowerStat(Creature& c, Lowers stat) {
    switch (stat) {
        case Lowers::IQ:
            --c.IQ;
            break;
        case Lowers::Age:
            --c.Age;
            break;
        case Lowers::Piety:
            --c.Piety;
            break;
        case Lowers::Luck:
            --c.Luck;
            break;
        case Lowers::Agility:
            --c.Agility;
            break;
        case Lowers::Str:
            --c.Str;
            break;
        case Lowers::None:
            break;
    }
}

void Avoided(Player& player, const Creature& c) {
    player.Message(c.Name + std::string(ResString(Str::AvoidedTrap)));
}

// Whether the member escapes the row: the luck save, a statistic already
// too low to lower, or the resistance test, in that order.
bool Escapes(Game& game, const TrapEffectRow& row, const Creature& c) {
    if (row.LuckAbove > 0 && Dice(game.Rng, 1, c.Luck, 0) > row.LuckAbove) return true;
    if (row.Stat != Lowers::None &&
        StatValue(c, row.Stat) <= LoweredStats[static_cast<size_t>(row.Stat)].Floor)
        return true;
    return row.Resist > 0 && Resists(game, c, row.Resist, row.PlusMagic);
}

void Strike(Game& game, Player& player, const TrapEffectRow& row, Creature& c,
            const Creature& opener) {
    if (Escapes(game, row, c)) {
        Avoided(player, c);
        return;
    }
    if (row.Damage != Roll::None)
        player.Message(DamageCreature(c, RollDamage(game, row.Damage, row.Add, c, opener)));
    switch (row.After) {
        case Then::Condition:
            // A member the damage killed is past being poisoned.
            if ((c.Status & GoneMask) == 0)
                player.Message(c.Name + SetCondition(c.Status, row.Condition));
            break;
        case Then::DrainMP: {
            // Schools are 0..3 in the spell points' table.
            const int school = Dice(game.Rng, 1, SpellSchoolsUsed, -1);
            const int level = Dice(game.Rng, 1, HighestSpellLevel, 0);
            c.MP[MPIndex(school, level)] = 0;
            player.Message(c.Name + LessMPText);
            break;
        }
        case Then::Lower:
            LowerStat(c, row.Stat);
            player.Message(c.Name + LoweredStats[static_cast<size_t>(row.Stat)].Text);
            break;
        case Then::Death:
            player.Message(KillCreature(c, true));
            break;
        case Then::Teleport:
        case Then::None:
            break;
    }
}

// A member drawn by lot who is neither gone nor hidden, made the current
// character; nullptr when the draws run out.
Creature* DrawMember(Game& game) {
    if (game.PartyCount < 1) return nullptr;
    for (int tries = 0; tries < MostMemberDraws; ++tries) {
        const int position = Dice(game.Rng, 1, game.PartyCount, 0);
        Creature* c = game.Member(position);
        if (c == nullptr || (c->Status & AbsentMask) != 0) continue;
        game.CurrentChar = game.PartyList[static_cast<size_t>(position)];
        return c;
    }
    return nullptr;
}

// The party is thrown somewhere on the same floor, unless the chest came
// from an event's battle or the square drawn keeps teleports out.
void Teleport(Game& game, GameDisplay& display) {
    if (game.LastEventResult != 0) return;
    const int x = Dice(game.Rng, 1, TeleportSide, 0);
    const int y = Dice(game.Rng, 1, TeleportSide, 0);
    const int16_t flags = CellFlagMap(game, MazeOf(game.CurrentPlace), game.CurrentFloor, x, y);
    if ((flags & TeleportProofCell) != 0) return;
    // The square left behind is forgotten too: an escape returns here.
    TransferParty(game, game.CurrentFloor, x, y, display);
    game.PartyFacing = static_cast<int16_t>(Dice(game.Rng, 1, 4, -1));
    display.Redraw();
}

bool Picks(const TrapEffectRow& row, const Creature& c) {
    switch (row.Target) {
        case Hits::ClassOnly:
            return (c.Class & row.Mask) != 0;
        case Hits::AllButClass:
            return (c.Class & row.Mask) == 0;
        case Hits::RaceOnly:
            return (c.Race & row.Mask) != 0 && (c.Status & GoneMask) == 0;
        default:
            return true;
    }
}

}  // namespace

void SpringTrap(Game& game, Player& player, GameDisplay& display, Creature& opener) {
    const TrapDef& trap = game.ChestTrap;
    player.Message(SurpriseText + trap.TrapMessage);
    if (trap.TrapEffect < 1 || trap.TrapEffect > TrapEffectCount) return;
    const TrapEffectRow& row = TrapEffects[static_cast<size_t>(trap.TrapEffect - 1)];
    switch (row.Target) {
        case Hits::Everyone:
            Teleport(game, display);
            break;
        case Hits::Opener:
            Strike(game, player, row, opener, opener);
            break;
        case Hits::RandomMember:
            if (Creature* c = DrawMember(game)) Strike(game, player, row, *c, opener);
            break;
        default:
            for (int i = 1; i <= game.PartyCount; ++i) {
                Creature* c = game.Member(i);
                if (c == nullptr) continue;
                // The race traps tell even the dead they were spared.
                if ((c->Status & GoneMask) != 0 && row.Target != Hits::RaceOnly) continue;
                if (!Picks(row, *c)) {
                    Avoided(player, *c);
                    continue;
                }
                Strike(game, player, row, *c, opener);
            }
            break;
    }
    display.RefreshParty();
}

}  // namespace kv
