#include "dungeon/Chest.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "character/CharacterRules.h"
#include "core/Dice.h"
#include "core/StringTable.h"
#include "dungeon/ChestItems.h"
#include "dungeon/Events.h"
#include "dungeon/MazeParty.h"
#include "dungeon/Traps.h"

namespace kv {

namespace {

constexpr const char* NoPowerText = "唱える力がありません";
constexpr const char* ChooseTrapText = "罠を選んでください";
constexpr const char* DisarmTitle = "罠を外す";
constexpr const char* TypeTrapText = "罠を入力して下さい";
constexpr const char* NotDisarmedText = "罠を外すことができなかった";
constexpr const char* DisarmedText = "罠を外した";
constexpr const char* CaughtText = "罠に引っかかった！";

// Who cannot lay a hand on a chest.
constexpr int32_t CannotWorkMask =
    StatusDead | StatusAshes | StatusStone | StatusParalysis | StatusLost;

constexpr int BattleTrapRows = 41;
constexpr int IdentifySpellRows = 60;
constexpr uint8_t IdentifyEffect = 41;
constexpr int SpellSlipOdds = 20;
constexpr int DisarmDieBase = 50;
constexpr int DisarmLuckFloor = 15;
constexpr double ExpPerTrapFactor = 25;

// How a member without the true-sight skills reads a chest: a roll of the
// statistic at least Sure names the trap; otherwise a 1 on the spring die
// sets it off and anything else gives a wrong name. Rows are tried in order;
// ClassMask 0 fits any class.
enum class ReadBy : uint8_t { Dexterity, Agility };
struct InspectRow {
    bool Skilled;  // needs the inspection skill
    int32_t ClassMask;
    ReadBy Stat;
    int Sure;
    int SpringDie;
};
constexpr std::array<InspectRow, 4> InspectRows = {{
    {true, 8 | 32, ReadBy::Dexterity, 2, 50},
    {true, 1024, ReadBy::Dexterity, 3, 30},
    {true, 0, ReadBy::Dexterity, 10, 8},
    {false, 0, ReadBy::Agility, 17, 8},
}};

const TrapDef& TrapRow(const Game& game, int row) {
    return game.Traps[static_cast<size_t>(std::clamp(row, 0, TrapRows - 1))];
}

std::string RandomTrapName(Game& game, int rows) {
    return TrapRow(game, Dice(game.Rng, 1, rows, 0)).TrapName;
}

// Lower-case Latin letters, half-width and full-width, made capitals.
std::string UpperCase(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto byte = static_cast<unsigned char>(out[i]);
        if (byte >= 'a' && byte <= 'z') {
            out[i] = static_cast<char>(byte - 'a' + 'A');
        } else if (byte == 0xEF && i + 2 < out.size()) {
            // U+FF41..FF5A (ａ..ｚ) are EF BD 81..9A; U+FF21..FF3A are EF BC A1..BA.
            const auto second = static_cast<unsigned char>(out[i + 1]);
            const auto third = static_cast<unsigned char>(out[i + 2]);
            if (second == 0xBD && third >= 0x81 && third <= 0x9A) {
                out[i + 1] = static_cast<char>(0xBC);
                out[i + 2] = static_cast<char>(third - 0x81 + 0xA1);
            }
            i += 2;
        }
    }
    return out;
}

// The chest is gone: its level, and the monsters' dropped item, which only
// the chest it came with may hold.
void EndChest(Game& game) {
    game.ChestLevel = 0;
    game.Battle.DropItemId = 0;
}

MoveResult AfterEventBattle(Game& game, Player& player, GameDisplay& display) {
    const EventRun run = RunEvents(game, player, EventTrigger::AfterBattle, display);
    game.LastEventResult = run.Result;
    if (run.PartyGone) {
        HandleWipeOut(game, player, display);
        return {MazeOutcome::WipedOut, 0};
    }
    if (run.WentHome) return {MazeOutcome::WentHome, 0};
    if (run.Result > 0) return {MazeOutcome::EventBattle, run.Result};
    return {};
}

}  // namespace

void PrepareBattleChest(Game& game) {
    game.ChestLevel = 0;
    game.ChestItemLevel = game.Battle.ChestItemLevel;
    game.ChestTrap = TrapRow(game, std::clamp<int>(game.Battle.ChestTrapRoll, 1, BattleTrapRows));
}

void PrepareHiddenChest(Game& game, int level) {
    game.ChestLevel = static_cast<int16_t>(level);
    game.ChestTrap = TrapRow(game, Dice(game.Rng, 1, ChestTrapRows, 0));
}

bool CanWorkChest(Player& player, const Creature& member) {
    if ((member.Status & CannotWorkMask) == 0) return true;
    player.Message(ResString(Str::Cannot));
    return false;
}

TrapReading InspectChest(Game& game, const Creature& member) {
    const std::string& trueName = game.ChestTrap.TrapName;
    const bool skilled = HasSkill(member, Skill::ChestInspection);
    if (skilled && HasSkill(member, Skill::TrueInspection)) return {false, trueName};
    for (const InspectRow& row : InspectRows) {
        if (row.Skilled != skilled) continue;
        if (row.ClassMask != 0 && (member.Class & row.ClassMask) == 0) continue;
        const int stat = row.Stat == ReadBy::Dexterity ? member.Dexterity : member.Agility;
        if (Dice(game.Rng, 1, stat, 0) >= row.Sure) return {false, trueName};
        if (Dice(game.Rng, 1, row.SpringDie, 0) == 1) return {true, ""};
        return {false, RandomTrapName(game, ChestTrapRows)};
    }
    return {false, trueName};
}

std::string CastTrapIdentify(Game& game, Player& player, Creature& member) {
    for (int row = 1; row <= IdentifySpellRows && row < static_cast<int>(game.Spells.size());
         ++row) {
        const SpellDef& spell = game.Spells[static_cast<size_t>(row)];
        if (spell.Effect != IdentifyEffect) continue;
        if (!IsSpellIndex(spell.School, spell.SpellLevel, spell.Slot) ||
            member.Spell(spell.School, spell.SpellLevel, spell.Slot) == 0)
            break;
        int16_t& points = member.MP[MPIndex(spell.School, spell.SpellLevel)];
        if (points < 1) break;
        --points;
        if (Dice(game.Rng, 1, SpellSlipOdds, 0) == 1) return RandomTrapName(game, BattleTrapRows);
        return game.ChestTrap.TrapName;
    }
    player.Message(NoPowerText);
    return "";
}

std::string NameTheTrap(Game& game, Player& player) {
    if (game.Config.TrapByList == 1) {
        std::vector<std::string> names;
        std::vector<int32_t> rows;
        for (int row = 1; row <= ChestTrapRows; ++row) {
            names.push_back(TrapRow(game, row).TrapName);
            rows.push_back(row);
        }
        // The box leaves out empty names: the row shown is the count of
        // named rows before the one picked last.
        int shownRows = 0, lastShown = 0;
        for (int row = 1; row <= ChestTrapRows; ++row) {
            if (names[static_cast<size_t>(row - 1)].empty()) continue;
            if (row < game.LastTrapPicked) ++lastShown;
            ++shownRows;
        }
        const int picked = player.ChooseFromList(
            names, rows, ChooseTrapText, std::clamp(lastShown, 0, std::max(shownRows - 1, 0)));
        if (picked < 1 || picked > ChestTrapRows) return "";
        game.LastTrapPicked = static_cast<int16_t>(picked);
        return UpperCase(TrapRow(game, picked).TrapName);
    }
    DialogTitle title(player, DisarmTitle);
    return UpperCase(player.Input(TypeTrapText));
}

DisarmResult TryDisarm(Game& game, Player& player, const Creature& member,
                       std::string_view answer) {
    // A cancelled choice names nothing, which is never right.
    // Both sides in capitals: a name stored in small letters still matches.
    if (answer.empty() || UpperCase(answer) != UpperCase(game.ChestTrap.TrapName))
        return DisarmResult::Sprung;
    if (!HasSkill(member, Skill::SureDisarm)) {
        const int roll = Dice(game.Rng, 1, game.ChestItemLevel + DisarmDieBase, 0);
        if (roll == 1) return DisarmResult::Sprung;
        if (roll >= member.Dexterity + member.Level) {
            player.Message(NotDisarmedText);
            return DisarmResult::Failed;
        }
        if (!HasSkill(member, Skill::SteadyDisarm) &&
            Dice(game.Rng, 1, member.Luck, 0) <= DisarmLuckFloor)
            return DisarmResult::Sprung;
    }
    player.Message(DisarmedText);
    return DisarmResult::Disarmed;
}

MoveResult OpenChest(Game& game, Player& player, GameDisplay& display, int openerSlot, bool sprung,
                     const std::function<void()>& putAway) {
    Creature* opener = game.Character(openerSlot);
    if (sprung && opener != nullptr) {
        player.Message(CaughtText);
        SpringTrap(game, player, display, *opener);
        // A teleport may have dropped the party into rock; the trap may have
        // killed everyone. Either way the chest is lost with them.
        if (CheckLanding(game, player, display) < 0 || PartyIsDown(game)) {
            EndChest(game);
            // The chest goes before the castle comes up.
            if (putAway) putAway();
            game.ScreenState = ScreenStates::Map;
            HandleWipeOut(game, player, display);
            return {MazeOutcome::WipedOut, 0};
        }
    } else if (opener != nullptr && HasSkill(*opener, Skill::TrapExperience)) {
        opener->Exp += ExpPerTrapFactor * game.ChestTrap.TrapExpFactor;
    }
    display.RefreshParty();
    GiveChestItems(game, player);
    EndChest(game);
    if (putAway) putAway();
    display.PlayScene(game.Config.MazeScene);
    MoveResult next;
    if (game.LastEventResult != 0) next = AfterEventBattle(game, player, display);
    if (next.Outcome == MazeOutcome::WipedOut || next.Outcome == MazeOutcome::WentHome) return next;
    game.ScreenState = ScreenStates::Map;
    display.Save();
    display.Redraw();
    return next;
}

MoveResult LeaveChest(Game& game, Player& player, GameDisplay& display) {
    EndChest(game);
    game.ScreenState = ScreenStates::Map;
    MoveResult next;
    if (game.LastEventResult != 0) next = AfterEventBattle(game, player, display);
    if (next.Outcome == MazeOutcome::WipedOut || next.Outcome == MazeOutcome::WentHome) return next;
    // A hidden chest left behind is spent all the same: its spot is gone.
    display.Save();
    if (next.Outcome == MazeOutcome::None) display.PlayScene(game.Config.MazeScene);
    return next;
}

}  // namespace kv
