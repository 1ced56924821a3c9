#include "town/CharacterSheet.h"

#include <array>
#include <charconv>

#include "core/Names.h"
#include "core/StringTable.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

std::string WholeNumber(double value) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 0);
    return Wide(std::string(buffer.data(), result.ptr));
}

}  // namespace

std::string CharacterSheet(const Game& game, int slot) {
    if (slot < 1 || slot >= static_cast<int>(game.Roster.size())) return "";
    const Creature& c = game.Roster[static_cast<size_t>(slot)];
    std::string text = c.Name + "　" + ClassLabel(c.Alignment, c.Class, game.Classes) + "　" +
                       RaceName(c.Race, game.Races) + "　" + (c.Sex == 1 ? "男" : "女");
    text += "\rＬＶ" + WideNumber(c.Level) + "　年齢" + WideNumber(c.Age);
    text += "\rＨＰ" + WideNumber(c.HP) + "／" + WideNumber(c.MaxHP) + "　ＡＣ" + WideNumber(c.AC);
    const std::string_view condition = StatusName(c.Status);
    text += "\r状態　" + (condition.empty() ? std::string("正常") : std::string(condition));
    text += "\rＧｏｌｄ　" + WholeNumber(c.Gold) + "\rＥＸＰ　" + WholeNumber(c.Exp);
    // Statistic names come in statistic order: Str, IQ, Piety, Vitality,
    // Agility, Dexterity, Luck, Charm.
    const std::array<int, 8> stats = {c.Str,     c.IQ,        c.Piety, c.Vitality,
                                      c.Agility, c.Dexterity, c.Luck,  c.Charm};
    for (size_t i = 0; i < stats.size(); ++i) {
        text += (i % 4 == 0 ? "\r" : "　");
        text +=
            std::string(ResString(Str::StatStrength, static_cast<int>(i))) + WideNumber(stats[i]);
    }
    return text;
}

}  // namespace kv
