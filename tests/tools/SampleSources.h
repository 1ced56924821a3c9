#pragma once
// Source sets shared by the kvrdata tests.
#include <initializer_list>
#include <string>
#include <vector>

#include "Scenario.h"

namespace kv::kvrdata {

// A 41-line drawing of an empty floor with the outer border walled, with
// some characters replaced: {line, column, char}.
struct Patch {
    size_t Line;
    size_t Column;
    char Char;
};
inline std::string FloorArt(std::initializer_list<Patch> patches) {
    std::vector<std::string> lines;
    for (size_t y = 0; y < 41; ++y) {
        std::string line;
        for (size_t x = 0; x < 41; ++x) {
            if (y % 2 == 0 && x % 2 == 0) {
                line += '+';
            } else if (y % 2 == 1 && x % 2 == 1) {
                line += '.';
            } else if (y == 0 || y == 40) {
                line += '-';
            } else if (x == 0 || x == 40) {
                line += '|';
            } else {
                line += ' ';
            }
        }
        lines.push_back(line);
    }
    for (const Patch& p : patches) lines[p.Line][p.Column] = p.Char;
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

// A small scenario with one of most things, in which check finds nothing wrong.
inline SourceFiles SmallScenario() {
    return {
        {"items.toml", R"(
[[item]]
row = 12
Name = "ロングソード"
UnidentifiedName = "剣"
Kind = 1
Price = 25
WeaponDice = [1, 8]
ItemResist = { 15 = 100 }

[[chest]]
row = 1
Level = 2
Item = 12
)"},
        {"spells.toml", R"(
[[spell]]
row = 1
Name = "ハリト"
AltName = "火の玉"
SpellDice = [1, 8, 0]
)"},
        {"monsters.toml", R"(
[[monster]]
row = 3
Name = "スライム"
Exp = 12.5
HPDice = [2, 4, 1]
Actions = { 1 = 1, 20 = 1 }
DropItem = 12
DropChance = 10
)"},
        {"monster_actions.toml", "[[action]]\nrow = 1\nActionKind = 1\nMessage = \"なぐった\"\n"},
        {"encounters.toml",
         "[[encounter]]\nrow = 1\nNumber = 7\nPlace = 21\nFloor = 1\nGroup1 = 3\n"},
        {"npc_trades.toml", "[[trade]]\nrow = 2\nTradeItems = [0, 12]\nTradeSellFactor = 0.5\n"},
        {"quests.toml", "[[quest]]\nrow = 1\nQuestTitle = \"剣を探せ\"\nRewardItem = 12\n"},
        {"talks.toml",
         "[[talk]]\nrow = 1\nTalkPerson = 2\nTalkTopic = \"剣\"\nTalkText = \"北||南\"\n"},
        {"events.toml", R"(
[[event]]
Dungeon = 21
Floor = 1
X = 1
Y = 1
Dir = 0
EventCase = "search"

  [[event.content]]
  Kind = "battle"
  DataID = 7

[[event]]
ID = 5
Dungeon = 21
Floor = 1
X = 2
EventCase = 2

  [[event.content]]
  Kind = "question"
  Message = "上へ？"
  TrueID = 2
  FalseID = 3

  [[event.content]]
  Kind = 3
  State = 0
  LocFloor = 1
  LocX = 5
  LocY = 5
)"},
        {"maps/21-01.txt", FloorArt({{1, 2, 'D'}, {2, 1, 'H'}, {3, 3, 'd'}})},
        {"newgame.toml",
         "Stock = { 12 = 4 }\n[[treasure]]\nrow = 1\nPlace = 21\nFloor = 1\nX = 4\n"
         "Y = 4\nActive = 1\n"},
        {"KVR.ini", "[ダンジョン]\r\n描画= 1\r\n"},
    };
}

}  // namespace kv::kvrdata
