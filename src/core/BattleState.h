#pragma once
// The state of the battle under way: the monster groups, the party's
// summons, the pools the victory pays out and the lingering area effects.
// One instance lives in Game for the whole run; every battle resets it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Creature.h"
#include "core/PartyBits.h"

namespace kv {

// How a call into the battle left it.
enum class BattleEnd {
    Ongoing,    // the next command phase waits
    NoBattle,   // nothing appeared
    Victory,    // every monster is gone; paid out
    Escaped,    // the party ran back to the square it came from
    LeftAlone,  // the party left a friendly group in peace
    Defeat,     // every member is down
};

inline constexpr int BattleGroupCount = 4;     // groups 1..4
inline constexpr int GroupMemberCount = 9;     // members 1..9; member 0 is the group's template
inline constexpr int SummonSlotCount = 9;      // summons 1..9
inline constexpr int AreaAttributeCount = 15;  // attributes 0..14; 4..14 are used
inline constexpr int FirstAreaAttribute = 4;
inline constexpr int LastAreaAttribute = 14;
// Only the elements (4..14) linger over a battlefield; any other attribute a
// spell carries leaves no area effect.
constexpr bool IsAreaAttribute(int attribute) {
    return attribute >= FirstAreaAttribute && attribute <= LastAreaAttribute;
}

enum class BattlePhase : int {
    None = ScreenStates::Map,
    Commands = ScreenStates::BattleCommands,
    Round = ScreenStates::BattleRound,
};

// Damage lingering over the party's side.
struct PartyAreaEffect {
    int32_t Count = 0;
    int32_t Sides = 0;
    int32_t Add = 0;
    int16_t Strength = 0;
};

// Damage lingering over one monster group.
struct GroupAreaEffect {
    int32_t Count = 0;
    int32_t Sides = 0;
    int32_t Add = 0;
    int16_t Rounds = 0;
    int32_t Attribute = 0;
    int32_t Caster = 0;  // roster slot of the caster
};

struct BattleState {
    // Group g (1..4), member m (0..9) at g * 10 + m; group 0 is never used.
    std::vector<Creature> Monsters = std::vector<Creature>((BattleGroupCount + 1) * 10);
    std::vector<Creature> Summons = std::vector<Creature>(SummonSlotCount + 1);

    // The monster list: the group number of each row, in order.
    std::array<int16_t, BattleGroupCount + 1> Rows{};
    std::array<std::string, BattleGroupCount + 1> RowTexts{};
    int16_t GroupCount = 0;
    bool ListShown = false;  // the monster list is on screen: the battle is on
    // The summon panel's line; empty while no summon stands (the panel is hidden).
    std::string SummonLine;

    int16_t RoundNo = 0;
    int32_t GoldPool = 0;
    int32_t ExpPool = 0;
    int32_t TreasureSum = 0;
    int32_t KillCount = 0;
    int32_t DropItemId = 0;
    // How far the monsters have shielded themselves against breath (each
    // level takes a fifth off a dragon's breath).
    int16_t BreathShield = 0;
    // The other shields, 0..3 each: every level takes a fifth off the
    // spells (magic) or the breath aimed at the shielded side.
    int16_t MonsterMagicShield = 0;
    int16_t PartyMagicShield = 0;
    int16_t PartyBreathShield = 0;

    std::array<PartyAreaEffect, AreaAttributeCount> PartyAreaEffects{};
    std::array<std::array<GroupAreaEffect, AreaAttributeCount>, BattleGroupCount + 1>
        GroupAreaEffects{};

    BattlePhase Phase = BattlePhase::None;
    bool PartyFirstStrike = false;
    int16_t InputIndex = 1;  // the member whose command is being entered

    // The item each member chose to use or play, by roster slot: by his
    // turn a theft may have emptied or shifted his slots.
    std::vector<int32_t> ChosenItems;

    // Who had a second turn this round (one at most each, so two monsters
    // cannot re-arm each other for ever): monsters as in Monsters, summons
    // by slot. Cleared when a round starts.
    std::array<bool, (BattleGroupCount + 1) * 10> MonsterActedAgain{};
    std::array<bool, SummonSlotCount + 1> SummonActedAgain{};

    // Who is acting now, for the monster and summon turns.
    int16_t ActingGroup = 0;
    int16_t ActingMember = 0;
    int16_t ActingSummon = 0;

    // What the victory left for the chest: set when a chest was left.
    bool ChestLeft = false;
    int16_t ChestItemLevel = 0;
    int16_t ChestTrapRoll = 0;

    Creature& Monster(int group, int member) {
        return Monsters[static_cast<size_t>(group * 10 + member)];
    }
    const Creature& Monster(int group, int member) const {
        return Monsters[static_cast<size_t>(group * 10 + member)];
    }
};

}  // namespace kv
