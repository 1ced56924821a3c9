// Many seeded battles of the demo's monsters against a fixed party of six,
// with the automatic command and the messages collected unseen: how many
// battles and rounds the rules run per second. Two members cast every round,
// and every other battle is fought against the demo's monsters that breathe
// or have special attacks, so spells, breath and specials are all measured.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "battle/BattleRules.h"
#include "character/SpellBook.h"
#include "core/Database.h"
#include "core/ScriptedPlayer.h"

namespace kv {
namespace {

constexpr int Caster1 = 5;  // a priest and a mage at the back
constexpr int Caster2 = 6;
constexpr int ShowcaseRow = 2000;  // the encounter table's last row, free here
constexpr int ShowcaseEncounter = 9999;

bool IsSpellForBattle(const SpellDef& s) {
    return (s.SpellFlags & SpellInBattle) != 0 && s.School <= 3 && s.SpellLevel > 0 &&
           IsSpellIndex(s.School, s.SpellLevel, s.Slot);
}

void MakeParty(Game& game) {
    game.PartyCount = 0;
    for (int slot = 1; slot <= 6; ++slot) {
        Creature& c = game.Roster[static_cast<size_t>(slot)];
        c = Creature{};
        c.Id = slot;
        c.Name = "戦士";
        c.Class = 1;
        c.Race = 1;
        c.Sex = 1;
        c.Alignment = 2;
        c.Level = 5;
        c.MaxHP = c.HP = 45;
        c.AttackCount = 2;
        c.BaseAC = c.AC = 5;
        c.Str = c.IQ = c.Piety = c.Vitality = c.Dexterity = c.Agility = c.Charm = c.Luck = 15;
        c.DamageRate.fill(100);
        c.PartyPos = static_cast<uint8_t>(slot);
        game.PartyList[static_cast<size_t>(slot)] = static_cast<int16_t>(slot);
        ++game.PartyCount;
        if (slot < Caster1) continue;
        c.Class = slot == Caster1 ? 4 : 2;
        for (const SpellDef& s : game.Spells)
            if (IsSpellForBattle(s)) c.Spell(s.School, s.SpellLevel, s.Slot) = 1;
        for (int i = 0; i < SpellSchools * SpellLevels; ++i) c.MaxMP[static_cast<size_t>(i)] = 9;
        c.MP = c.MaxMP;
    }
}

// The casters each cast a spell they know at a fitting target.
void CastSpells(Game& game, const std::vector<int>& spells) {
    if (spells.empty()) return;
    for (int position = Caster1; position <= Caster2; ++position) {
        Creature* c = game.Member(position);
        if (c == nullptr || c->Command == CommandNone) continue;  // cannot act
        const int row = spells[static_cast<size_t>(game.Rng.Next() % spells.size())];
        c->Command = CommandSpell;
        c->CommandArg = static_cast<int16_t>(row);
        c->TargetGroup = game.Spells[static_cast<size_t>(row)].TargetKind >= 4
                             ? game.PartyList[static_cast<size_t>(position)]
                             : game.Battle.Rows[1];
    }
}

// The demo monsters that breathe or have a special attack, four to an
// encounter in the table's free row; false when the demo has none.
bool ShowcaseMonsters(const Game& game, std::vector<int>& ids) {
    for (size_t id = 1; id < game.Monsters.size(); ++id) {
        const Creature& m = game.Monsters[id];
        if (m.Id <= 0) continue;
        for (int16_t row : m.Actions)
            if (row >= 33 && row <= 318 && row != 35 && row != 87 && (row < 91 || row > 95)) {
                ids.push_back(static_cast<int>(id));
                break;
            }
    }
    return !ids.empty();
}

void BM_Battles(benchmark::State& state) {
    auto game = std::make_unique<Game>();
    const DatabaseReport report = LoadDatabase(*game, KORVANE_DEMO_DIR, false);
    if (!report.Ok()) {
        state.SkipWithError("the demo scenario is not built");
        return;
    }
    std::vector<int> spells;
    for (size_t row = 1; row < game->Spells.size(); ++row)
        if (IsSpellForBattle(game->Spells[row])) spells.push_back(static_cast<int>(row));
    std::vector<int> showcase;
    const bool hasShowcase = ShowcaseMonsters(*game, showcase);
    game->EncounterTable[ShowcaseRow] = ShowcaseEncounter;
    ScriptedPlayer player;
    player.Keep = false;
    NullGameDisplay display;
    game->CurrentPlace = 21;
    int64_t battles = 0;
    int64_t rounds = 0;
    uint64_t seed = 1;
    for (auto _ : state) {
        MakeParty(*game);
        // Every floor of the first maze in turn.
        // A party that fell was brought home: back into the first maze.
        game->CurrentPlace = 21;
        game->CurrentFloor = static_cast<int16_t>(1 + seed % 3);
        int encounter = 0;  // the floor's own
        if (hasShowcase && seed % 2 == 0) {
            for (int g = 0; g < 4; ++g)
                game->EncounterTable[static_cast<size_t>((3 + g) * 2001 + ShowcaseRow)] =
                    static_cast<int16_t>(showcase[(seed / 2 + g) % showcase.size()]);
            encounter = ShowcaseEncounter;
        }
        game->Rng.Seed(seed++);
        BattleEnd end = StartBattle(*game, player, display, encounter);
        while (end == BattleEnd::Ongoing && game->Battle.RoundNo < 100) {
            AutoCommands(*game);
            CastSpells(*game, spells);
            end = StartRound(*game, player, display);
        }
        ++battles;
        rounds += game->Battle.RoundNo;
    }
    state.counters["battles/s"] =
        benchmark::Counter(static_cast<double>(battles), benchmark::Counter::kIsRate);
    state.counters["rounds/s"] =
        benchmark::Counter(static_cast<double>(rounds), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Battles);

}  // namespace
}  // namespace kv
