#include "transfer/TransferCharacter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "character/CharacterRules.h"
#include "character/RaceDefences.h"
#include "character/Roster.h"
#include "core/ClassRaceTables.h"
#include "core/Dice.h"
#include "core/Utf8.h"

namespace kv {

namespace {

constexpr int32_t MutantBit = 512;
constexpr int32_t HumanBit = 1;
constexpr size_t LongestName = 50;  // characters a roster name holds

// Old statistics and counters that do not fit are clamped, never refused:
// a byte statistic to 0..255, a counter that is negative or not a number
// at all to 0.
uint8_t FitByte(int32_t value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

double FitCount(double value) {
    return std::isfinite(value) && value > 0 ? value : 0;
}

std::string FitName(const std::string& name) {
    size_t pos = 0;
    for (size_t count = 0; count < LongestName && pos < name.size(); ++count) {
        NextCodePoint(name, pos);
    }
    return name.substr(0, pos);
}

int32_t RebornRace(const TransferSource& source, int32_t race) {
    return source.MutantBecomesHuman && race == MutantBit ? HumanBit : race;
}

bool IsClassRow(const Game& game, int32_t classBit) {
    const int row = BitIndex(classBit);
    // Empty rows of the class table have no masks.
    return row >= 0 && row < ClassRows && game.Classes[row].SexMask != 0;
}

bool IsRaceRow(int32_t race) {
    const int row = BitIndex(race);
    return row >= 0 && row < RaceRows;
}

// The classes that bring their first spells along, the school, and the
// statistic their spell points answer to.
struct FirstSpellRow {
    int32_t ClassBit;
    int School;
    bool ByPiety;
};

constexpr std::array<FirstSpellRow, 3> FirstSpellTable = {{
    {2, 0, false},   // wizard
    {16, 0, false},  // sage
    {4, 1, true},    // priest
}};

constexpr std::string_view ChooseScenarioPrompt = "シナリオを選んでください";
constexpr std::string_view ChooseCharacterPrompt = "誰を転生させますか？";

}  // namespace

std::optional<std::string> TransferRefusal(const Game& game, const TransferSource& source,
                                           const OldCharacter& old) {
    const bool fits = !old.Name.empty() && IsRaceRow(RebornRace(source, old.Race)) &&
                      IsClassRow(game, old.Class) && (old.Sex == 1 || old.Sex == 2) &&
                      (old.Alignment == 1 || old.Alignment == 2 || old.Alignment == 4);
    if (fits) return std::nullopt;
    // The earlier games had no such case; the text is ours.
    return old.Name + "は" + "\r" + "このシナリオでは転生できません";
}

void BuildTransferredCharacter(Game& game, int slot, const TransferSource& source,
                               const OldCharacter& old) {
    if (slot < 1 || slot >= RosterRows) return;
    Creature c = game.Roster[0];
    c.Id = slot;
    c.Level = 1;
    c.Name = FitName(old.Name);
    c.Exp = std::min(FitCount(old.Exp), TransferExpCap);

    for (const CompletionMark& mark : source.Marks) {
        if (mark.FlagBit != 0 && (old.Flags & mark.FlagBit) != 0) c.Insignia[mark.Insignia] = 1;
    }
    if (source.FirstInsigniaBecomes != 0 && old.FirstInsignia) {
        c.Insignia[source.FirstInsigniaBecomes] = 1;
    }

    c.Marks = FitCount(old.Marks);
    c.Race = static_cast<int16_t>(RebornRace(source, old.Race));
    c.Class = old.Class;
    c.Sex = static_cast<uint8_t>(old.Sex);
    c.Alignment = static_cast<uint8_t>(old.Alignment);
    c.Age = static_cast<int16_t>(Dice(game.Rng, 1, 5, 12));
    c.Gold = Dice(game.Rng, 10, 10, 100);

    c.Str = FitByte(old.Stats[0]);
    c.IQ = FitByte(old.Stats[1]);
    c.Piety = FitByte(old.Stats[2]);
    c.Vitality = FitByte(old.Stats[3]);
    c.Dexterity = FitByte(old.Stats[4]);
    c.Luck = FitByte(old.Stats[5]);
    c.MaxHP = c.HP = RollMaxHP(game, 1, old.Class, c.Vitality);
    if (old.HasAgilityAndCharm) {
        c.Agility = FitByte(old.Agility);
        c.Charm = FitByte(old.Charm);
    } else {
        const RaceDef& race = game.Races[BitIndex(c.Race)];
        c.Agility = race.BaseStat[StatAgility];
        c.Charm = race.BaseStat[StatCharm];
    }

    c.Escapes = FitCount(old.Escapes);
    c.Victories = FitCount(old.Victories);
    c.StepCycles = FitCount(old.StepCycles);
    c.Walk = FitCount(old.Walk);

    ResetRaceDefences(game, c);
    c.AC = c.BaseAC;

    for (const FirstSpellRow& row : FirstSpellTable) {
        if (row.ClassBit == old.Class) {
            GrantFirstSpells(game, c, row.School, row.ByPiety ? c.Piety : c.IQ);
        }
    }
    game.Roster[static_cast<size_t>(slot)] = std::move(c);
}

int TransferCharacter(Game& game, Player& player) {
    std::vector<std::string> scenarios;
    std::vector<int32_t> scenarioRows;
    for (int i = 0; i < TransferSourceCount; ++i) {
        scenarios.emplace_back(TransferSources[static_cast<size_t>(i)].MenuText);
        scenarioRows.push_back(i + 1);
    }
    const int chosen = player.ChooseFromList(scenarios, scenarioRows, ChooseScenarioPrompt, 0);
    if (chosen < 1 || chosen > TransferSourceCount) return 0;
    const TransferSource& source = TransferSources[static_cast<size_t>(chosen - 1)];

    const std::string bytes =
        ReadSourceBytes(FindSourceFile(source, game.SaveFolder, game.DataFolder), source);
    const std::vector<OldCharacter> roster = ReadOldRoster(bytes, source);
    const std::vector<std::string> names = TransferCandidates(roster);
    std::vector<int32_t> recordNumbers;
    for (size_t i = 0; i < names.size(); ++i) recordNumbers.push_back(static_cast<int32_t>(i + 1));
    // With no candidates the list is empty and the player can only cancel.
    const int record = player.ChooseFromList(names, recordNumbers, ChooseCharacterPrompt, 0);
    if (record < 1 || record > static_cast<int>(names.size())) return 0;
    const OldCharacter& old = roster[static_cast<size_t>(record)];

    if (const std::optional<std::string> refusal = TransferRefusal(game, source, old)) {
        player.Message(*refusal);
        return 0;
    }
    // The name is looked for in the whole roster, not only up to the first
    // free slot, so a name can never be given twice.
    if (FindCharacterByName(game, FitName(old.Name)) != 0) {
        player.Message(std::string("すでに同じ名前のキャラクターがいるため") + "\r" +
                       "転生できません");
        return 0;
    }
    const int slot = FirstFreeSlot(game);
    if (slot == 0) return 0;

    BuildTransferredCharacter(game, slot, source, old);
    player.Message(game.Roster[static_cast<size_t>(slot)].Name + "は転生しました");
    return slot;
}

}  // namespace kv
