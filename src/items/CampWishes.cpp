// The teleport's typed distances and the wish list, with what a wish costs
// the one who made it.
#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "core/MazeMap.h"
#include "core/StringTable.h"
#include "items/CampEffects.h"
#include "items/CampSpells.h"

namespace kv {

namespace {

constexpr int LastTeleportFloor = 21;
constexpr int16_t YoungestAge = 16;
constexpr int32_t KeptOnCure = 0x80000;
constexpr int StatFloor = 5;      // a granted wish leaves no statistic above this
constexpr int BoxLimit = 100000;  // a typed distance never needs more

int Wrapped(int v) {
    return ((v % FloorSide) + FloorSide) % FloorSide;
}

enum class WishKind { HealAll, CureAll, PointsAll, Younger, Stat, Alignment, Race, GoHome };

struct WishRow {
    std::string_view Text;
    WishKind Kind;
    uint8_t Creature::*Stat;  // for Stat
    int Value;                // the statistic's table index, the alignment or the race
};

// clang-format off
constexpr std::array<WishRow, WishRows> Wishes = {{
    {"全員のＨＰ回復", WishKind::HealAll, nullptr, 0},
    {"全員の状態を回復", WishKind::CureAll, nullptr, 0},
    {"全員のＭＰを回復", WishKind::PointsAll, nullptr, 0},
    {"若返らせる", WishKind::Younger, nullptr, 0},
    // The statistic numbers are those the level-up reads: agility's limit
    // comes from index 5.
    {"力を上げる", WishKind::Stat, &Creature::Str, 1},
    {"知恵を上げる", WishKind::Stat, &Creature::IQ, 2},
    {"信仰心を上げる", WishKind::Stat, &Creature::Piety, 3},
    {"生命力を上げる", WishKind::Stat, &Creature::Vitality, 4},
    {"素早さを上げる", WishKind::Stat, &Creature::Agility, 5},
    {"運を上げる", WishKind::Stat, &Creature::Luck, 7},
    {"属性を秩序にする", WishKind::Alignment, nullptr, 1},
    {"属性を中立にする", WishKind::Alignment, nullptr, 2},
    {"属性を混沌にする", WishKind::Alignment, nullptr, 4},
    {"種族を人間にする", WishKind::Race, nullptr, 1},
    {"種族をエルフにする", WishKind::Race, nullptr, 2},
    {"種族をドワーフにする", WishKind::Race, nullptr, 4},
    {"種族をノームにする", WishKind::Race, nullptr, 8},
    {"種族をホビットにする", WishKind::Race, nullptr, 16},
    {"城に帰還する", WishKind::GoHome, nullptr, 0},
}};
// clang-format on

// The wish schools whose points come back (the wizard's and the
// taoist's stay as they are).
constexpr std::array<int, 2> RestoredSchools = {1, 2};

void PayForWish(Game& game, Creature& caster) {
    DrainLevels(game, caster, 1);
    caster.Spell(WishSchool, WishLevel, WishSlot) = 0;
    caster.Status |= StatusAshes;
    for (uint8_t Creature::*stat :
         {&Creature::Str, &Creature::IQ, &Creature::Piety, &Creature::Vitality,
          &Creature::Dexterity, &Creature::Agility, &Creature::Charm, &Creature::Luck})
        if (caster.*stat > StatFloor) caster.*stat = StatFloor;
}

}  // namespace

void RaiseBelowRaceMax(const Game& game, Creature& c, uint8_t Creature::*stat, int index) {
    if (c.*stat < StatMax(game, c.Race, index, false, c.Sex)) ++(c.*stat);
}

int ParseMoveBox(std::string_view text) {
    size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) ++at;
    if (at == text.size()) return 0;
    int value = 0;
    for (; at < text.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(text[at]))) return 0;
        value = std::min(BoxLimit, value * 10 + (text[at] - '0'));
    }
    return negative ? -value : value;
}

CampOutcome Teleport(Game& game, Player& player, CampHost& host,
                     const std::array<std::string, 3>& boxes) {
    const Creature* first = game.Member(1);
    if (first == nullptr) return CampOutcome::CloseDialog;
    const int floor = first->Floor + ParseMoveBox(boxes[0]);
    const int x = Wrapped(game.PartyX + ParseMoveBox(boxes[1]));
    const int y = Wrapped(game.PartyY + ParseMoveBox(boxes[2]));
    if (floor >= 1 && floor <= LastTeleportFloor &&
        (CellFlagMap(game, MazeOf(game.CurrentPlace), floor, x, y) & TeleportProofCell) != 0) {
        player.Message("パーティーは元の位置に戻された\n");
        host.Save();
        return CampOutcome::CloseDialog;
    }
    // The landing check deals with floors above the first, below the
    // deepest and with rock.
    if (host.MoveParty(floor, x, y)) host.Save();
    return CampOutcome::CloseDialog;
}

std::string_view WishText(int row) {
    if (row < 0 || row >= WishRows) return "";
    return Wishes[static_cast<size_t>(row)].Text;
}

CampOutcome GrantWish(Game& game, Player& player, CampHost& host, int casterSlot, int row) {
    Creature* caster = game.Character(casterSlot);
    if (caster == nullptr || row < 0 || row >= WishRows) return CampOutcome::Stay;
    const WishRow& wish = Wishes[static_cast<size_t>(row)];
    std::vector<Creature*> members;
    for (int i = 1; i <= game.PartyCount; ++i)
        if (Creature* c = game.Member(i)) members.push_back(c);
    Creature* chosen = nullptr;
    if (wish.Kind >= WishKind::Younger && wish.Kind <= WishKind::Race) {
        chosen = game.Character(player.ChooseMember("キャラクターを選んでください"));
        if (chosen == nullptr) return CampOutcome::Stay;
    }
    switch (wish.Kind) {
        case WishKind::HealAll:
            for (Creature* c : members)
                if ((c->Status & NoHealMask) == 0) c->HP = c->MaxHP;
            break;
        case WishKind::CureAll:
            for (Creature* c : members) {
                // The dead and the ashes come back alive, and with a hit point.
                if ((c->Status & GoneMask) != 0 && c->HP < 1) c->HP = 1;
                c->Status &= KeptOnCure;
            }
            break;
        case WishKind::PointsAll:
            for (Creature* c : members) {
                if ((c->Status & NoHealMask) != 0) continue;
                for (int school : RestoredSchools)
                    for (int level = 1; level < SpellLevels; ++level)
                        c->MPAt(school, level) = c->MaxMPAt(school, level);
            }
            break;
        case WishKind::Younger:
            if (chosen->Age >= YoungestAge) --chosen->Age;
            break;
        case WishKind::Stat:
            RaiseBelowRaceMax(game, *chosen, wish.Stat, wish.Value);
            break;
        case WishKind::Alignment:
            chosen->Alignment = static_cast<uint8_t>(wish.Value);
            break;
        case WishKind::Race:
            chosen->Race = static_cast<int16_t>(wish.Value);
            break;
        case WishKind::GoHome:
            player.Message(ResString(Str::Cast));
            // The cost is paid before the save, so a crash cannot undo it.
            PayForWish(game, *caster);
            if (host.MoveParty(1, 0, 0)) host.Save();
            return CampOutcome::CloseDialog;
    }
    if (wish.Kind == WishKind::Alignment || wish.Kind == WishKind::Race) {
        chosen->Exp = ExpForLevel(chosen->Level - 1, chosen->Class, chosen->Race);
        UnequipAll(game, *chosen);
        player.Message(ResString(Str::RaceChanged));
    }
    PayForWish(game, *caster);
    return CampOutcome::Stay;
}

}  // namespace kv
