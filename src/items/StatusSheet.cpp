#include "items/StatusSheet.h"

#include <array>
#include <charconv>
#include <cmath>

#include "character/CharacterRules.h"
#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr uint8_t Reflects = 255;
constexpr uint8_t Absorbs = 200;
constexpr uint8_t Nullifies = 100;

// The insignia a character may have earned, by Insignia byte 1..6 (byte 0
// carries none).
constexpr std::array<std::string_view, 6> Badges = {"  ［Ж］", "  〈Ψ〉", "  〈∮〉",
                                                    "  ≪γ≫",   "  ｜Ω｜", "  【Ｓ】"};

// The attributes summed up on the sheet, with the names battle shows.
struct ResistName {
    size_t Attribute;
    std::string_view Name;
};
constexpr std::array<ResistName, 12> ResistNames = {{
    {1, "物理"},
    {2, "魔法"},
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
}};
constexpr std::array<std::string_view, 4> SchoolNames = {"魔", "僧", "錬", "道"};

std::string Whole(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::nearbyint(value), std::chars_format::fixed, 0);
    return Wide(std::string(buffer.data(), result.ptr));
}

}  // namespace

std::string ResistText(uint8_t value) {
    if (value == Reflects) return "　反射";
    if (value == Absorbs) return "　吸収";
    if (value == Nullifies) return "　無効";
    return WideNumber(value) + "％";
}

std::vector<std::string> StatusSheetLines(const Game& game, int slot) {
    std::vector<std::string> lines;
    if (slot < 1 || slot >= RosterRows) return lines;
    const Creature& c = game.Roster[static_cast<size_t>(slot)];
    std::string name = c.Name;
    for (size_t i = 0; i < Badges.size(); ++i) {
        if (c.Insignia[i + 1] == 1) name += Badges[i];
    }
    lines.push_back(name);
    lines.push_back("LEVEL- " + WideNumber(c.Level) + "　" + (c.Sex == 2 ? "女" : "男") + "　" +
                    ClassLabel(c.Alignment, c.Class, game.Classes) + "　" +
                    RaceName(c.Race, game.Races) + "　年齢" + WideNumber(c.Age));
    const std::array<int, 8> stats = {c.Str,     c.IQ,        c.Piety, c.Vitality,
                                      c.Agility, c.Dexterity, c.Luck,  c.Charm};
    std::string row;
    for (size_t i = 0; i < stats.size(); ++i) {
        row +=
            std::string(ResString(Str::StatStrength, static_cast<int>(i))) + WideNumber(stats[i]);
        if (i % 4 == 3) {
            lines.push_back(row);
            row.clear();
        } else {
            row += "　";
        }
    }
    lines.push_back("ＨＰ　" + WideNumber(c.HP) + "／" + WideNumber(c.MaxHP) + "　　AC " +
                    WideNumber(c.AC));
    lines.push_back("Gold " + Whole(c.Gold));
    const double next = ExpForLevel(c.Level, c.Class, c.Race);
    lines.push_back("EXP  " + Whole(c.Exp) + "　次まで " + Whole(std::max(0.0, next - c.Exp)));
    lines.push_back("Marks " + Whole(c.Marks) + "　Steps " + Whole(c.Walk));
    const std::string_view condition = StatusName(c.Status);
    lines.push_back("状態　" + (condition.empty() ? std::string("正常") : std::string(condition)));
    for (int school = 0; school < 4; ++school) {
        std::string mp = std::string(SchoolNames[static_cast<size_t>(school)]) + " ";
        for (int level = 1; level <= 9; ++level) {
            mp += std::to_string(c.MPAt(school, level));
            if (level < 9) mp += "/";
        }
        lines.push_back(mp);
    }
    row.clear();
    for (size_t i = 0; i < ResistNames.size(); ++i) {
        row += std::string(ResistNames[i].Name) + ResistText(c.Resist[ResistNames[i].Attribute]);
        if (i % 4 == 3) {
            lines.push_back(row);
            row.clear();
        } else {
            row += " ";
        }
    }
    return lines;
}

std::vector<std::string> SpellbookLines(const Game& game, const Creature& creature) {
    // Each name is found by the school, level and slot the spell table gives
    // it, not by a row number worked out from them: a scenario lays out its
    // table as it likes.
    std::vector<std::string> lines;
    for (int school = 0; school < 4; ++school) {
        for (int level = 1; level <= 9; ++level) {
            std::string line;
            for (int spellSlot = 1; spellSlot <= 3; ++spellSlot) {
                if (creature.Spell(school, level, spellSlot) == 0) continue;
                for (size_t row = 1; row < game.Spells.size(); ++row) {
                    const SpellDef& spell = game.Spells[row];
                    if (spell.School != school || spell.SpellLevel != level ||
                        spell.Slot != spellSlot || spell.Name.empty())
                        continue;
                    line += (line.empty() ? "" : "　") + spell.Name;
                    break;
                }
            }
            if (!line.empty()) {
                lines.push_back(std::string(SchoolNames[static_cast<size_t>(school)]) +
                                WideNumber(level) + "　" + line);
            }
        }
    }
    if (lines.empty()) lines.emplace_back("呪文を覚えていない");
    return lines;
}

}  // namespace kv
