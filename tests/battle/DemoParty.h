#pragma once
// The demo played as a new player plays it: six characters made at the
// training grounds and dressed from the shop with their starting gold, the
// commands a player gives (the priest heals the wounded, the mage casts at
// the first group, the front row fights, a member in danger eats a herb),
// a rest in the maze after each fight (the priest's spell, herbs) and the
// town between trips (the temple, the inn's beds and level-ups, herbs
// restocked). Everything goes through the game's own rules.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "battle/BattleRules.h"
#include "battle/SpellEngine.h"
#include "battle/SpellInput.h"
#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "core/Database.h"
#include "core/SaveFile.h"
#include "core/ScriptedPlayer.h"
#include "items/CampSpells.h"
#include "town/Creation.h"
#include "town/Inn.h"
#include "town/Shop.h"
#include "town/Temple.h"

namespace kv::testing {

// The demo's numbers the party relies on.
inline constexpr int HerbId = 141;
inline constexpr int LightHealRow = 28;   // IYASU, a level-1 priest's heal
inline constexpr int SleepRow = 2;        // NEMURA
inline constexpr int SparkRow = 1;        // HIBANA
inline constexpr int FlameRow = 7;        // HOMURA
inline constexpr int LightningRow = 8;    // INAZUMA
inline constexpr int GroupHealRow = 34;   // IYASHIKAZE
inline constexpr int GreatHealRow = 37;   // OOIYASU
inline constexpr int HolyStrikeRow = 41;  // SHINBATSU
inline constexpr int EmpressEncounter = 40;
inline constexpr int HerbsCarried = 3;

struct Recruit {
    const char* Name;
    int32_t Class;
    // Str, IQ, Piety, Vitality, Dexterity, Agility, Luck, Charm: the race's
    // base with the bonus points spread as a player of the class would.
    StatLine Stats;
    std::array<int, 4> Gear;  // bought in this order while the gold lasts
};

// Three fighters in front, a thief with a bow, a priest and a mage behind.
inline constexpr std::array<Recruit, 6> Recruits = {{
    {"戦士1", 1, {17, 8, 8, 15, 11, 10, 9, 8}, {2, 73, 81, 87}},
    {"戦士2", 1, {16, 8, 9, 16, 10, 11, 8, 9}, {2, 73, 81, 87}},
    {"戦士3", 1, {15, 9, 8, 17, 11, 11, 9, 8}, {2, 73, 81, 87}},
    {"盗賊", 8, {10, 9, 8, 12, 15, 16, 11, 8}, {16, 73, 86, 96}},
    {"僧侶", 4, {11, 12, 16, 13, 9, 9, 9, 8}, {47, 73, 81, 86}},
    {"魔導士", 2, {8, 17, 9, 11, 10, 10, 9, 8}, {7, 72, 86, 96}},
}};

// The demo's data and its new-game save (the shop's stock, the flags).
inline std::unique_ptr<Game> LoadDemo() {
#ifdef KORVANE_DEMO_DIR
    auto game = std::make_unique<Game>();
    std::ifstream save(std::filesystem::path(KORVANE_DEMO_DIR) / SaveFileName, std::ios::binary);
    std::stringstream bytes;
    bytes << save.rdbuf();
    if (LoadDatabase(*game, KORVANE_DEMO_DIR, false).Ok() && LoadSaveBytes(*game, bytes.str()))
        return game;
#endif
    return nullptr;
}

// The camp of a party that stays where it is.
class StayingHost : public CampHost {
  public:
    void ShowAutomap() override {}
    bool MoveParty(int, int, int) override { return true; }
    void Save() override {}
};

inline int SlotOf(const Creature& c, int itemId) {
    for (int s = 1; s < static_cast<int>(c.Items.size()); ++s)
        if (c.Items[static_cast<size_t>(s)].ItemId == itemId &&
            WornPosition(c.Items[static_cast<size_t>(s)]) == Position::None)
            return s;
    return 0;
}

inline int Herbs(const Creature& c) {
    int count = 0;
    for (const InventorySlot& s : c.Items)
        if (s.ItemId == HerbId) count += s.ItemCount;
    return count;
}

// Each member buys herbs up to what he carries into the maze.
inline void BuyHerbs(Game& game, Player& player) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& c = *game.Member(i);
        while (Herbs(c) < HerbsCarried && Buy(game, player, c, HerbId) != BuyResult::Refused) {
        }
    }
}

// Roster slots 1..6 in marching order, as the tavern forms the party again
// after a wipe-out left it scattered.
inline void FormParty(Game& game) {
    game.PartyCount = static_cast<int16_t>(Recruits.size());
    for (int i = 1; i <= game.PartyCount; ++i) {
        game.PartyList[static_cast<size_t>(i)] = static_cast<int16_t>(i);
        game.Roster[static_cast<size_t>(i)].PartyPos = static_cast<uint8_t>(i);
    }
}

// Six new characters in roster slots 1..6, in marching order, dressed.
inline void NewParty(Game& game, Player& player) {
    for (Creature& c : game.Roster) c = Creature{};
    game.PartyCount = 0;
    for (const Recruit& r : Recruits) {
        NewCharacter made;
        made.Name = r.Name;
        made.Race = 1;
        made.Alignment = 1;
        made.Sex = 1;
        made.Class = r.Class;
        made.Stats = made.Rolled = r.Stats;
        Creature& c = game.Roster[static_cast<size_t>(FinishCharacter(game, made))];
        for (int id : r.Gear) {
            if (Buy(game, player, c, id) == BuyResult::Refused) break;
            const int kind = game.Items[static_cast<size_t>(id)].Kind;
            MarkAllEquippable(game, c);
            EquipItem(game, player, c, static_cast<Position>(kind), SlotOf(c, id));
        }
        ApplyEquipment(game, c);
    }
    FormParty(game);
    BuyHerbs(game, player);
}

inline bool Knows(const Game& game, const Creature& c, int row) {
    const SpellDef& s = game.Spells[static_cast<size_t>(row)];
    return c.Spell(s.School, s.SpellLevel, s.Slot) != 0 && c.MPAt(s.School, s.SpellLevel) > 0;
}

inline bool Standing(const Creature& c) {
    return c.Id != 0 && (c.Status & DownMask) == 0;
}

// The standing member worst off, by the share of hit points left.
inline Creature* MostWounded(Game& game) {
    Creature* worst = nullptr;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature* c = game.Member(i);
        if (c == nullptr || !Standing(*c)) continue;
        if (worst == nullptr || c->HP * worst->MaxHP < worst->HP * c->MaxHP) worst = c;
    }
    return worst;
}

inline int GroupSize(Game& game, int group) {
    int count = 0;
    for (int m = 0; m < 10; ++m) {
        const Creature& c = game.Battle.Monster(group, m);
        if (c.Id != 0 && (c.Status & StatusDead) == 0) ++count;
    }
    return count;
}

// The biggest group still standing (the first of equals).
inline int BiggestGroup(Game& game) {
    int best = game.Battle.Rows[1];
    for (int row = 1; row <= game.Battle.GroupCount; ++row) {
        const int g = game.Battle.Rows[static_cast<size_t>(row)];
        if (GroupSize(game, g) > GroupSize(game, best)) best = g;
    }
    return best;
}

inline void Cast(Creature& c, int row, int target) {
    c.Command = CommandSpell;
    c.CommandArg = static_cast<int16_t>(row);
    c.TargetGroup = static_cast<int16_t>(target);
}

// A player's commands for the round. Attack spells go first to the group
// the spell does most against; only the boss fight spends the big ones.
inline void PlayerCommands(Game& game, bool spendAll) {
    AutoCommands(game);
    Creature* wounded = MostWounded(game);
    const bool hurt = wounded != nullptr && wounded->HP * 2 < wounded->MaxHP;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& c = *game.Member(i);
        if (!CanAct(c)) continue;
        const int slot = game.PartyList[static_cast<size_t>(i)];
        if (c.Class == 4) {
            if (hurt && spendAll && Knows(game, c, GreatHealRow)) {
                Cast(c, GreatHealRow, RosterSlotOf(game, *wounded));
            } else if (hurt && spendAll && Knows(game, c, GroupHealRow)) {
                Cast(c, GroupHealRow, 0);
            } else if (hurt && Knows(game, c, LightHealRow)) {
                Cast(c, LightHealRow, RosterSlotOf(game, *wounded));
            } else if (spendAll && Knows(game, c, HolyStrikeRow)) {
                Cast(c, HolyStrikeRow, BiggestGroup(game));
            }
        } else if (c.Class == 2) {
            const int group = BiggestGroup(game);
            if (spendAll && Knows(game, c, LightningRow)) {
                Cast(c, LightningRow, group);
            } else if (GroupSize(game, group) >= 3 && Knows(game, c, SleepRow)) {
                Cast(c, SleepRow, group);
            } else if (GroupSize(game, group) >= 2 && Knows(game, c, FlameRow)) {
                Cast(c, FlameRow, group);
            } else if (Knows(game, c, SparkRow)) {
                Cast(c, SparkRow, game.Battle.Rows[1]);
            }
        }
        // Near death, a herb before anything else.
        const int herb = SlotOf(c, HerbId);
        if (c.HP * 4 < c.MaxHP && herb != 0 && c.Command != CommandSpell) {
            ChooseItemForCommand(game, c, herb);
            c.Command = CommandItem;
            c.TargetGroup = static_cast<int16_t>(slot);
        }
    }
}

enum class Fought { Won, Lost, Fled };

inline Fought Fight(Game& game, Player& player, int encounter, bool spendAll = false) {
    NullGameDisplay display;
    FormParty(game);
    BattleEnd end = StartBattle(game, player, display, encounter);
    while (end == BattleEnd::Ongoing && game.Battle.RoundNo < 100) {
        PlayerCommands(game, spendAll);
        end = StartRound(game, player, display);
    }
    FormParty(game);
    if (end == BattleEnd::Victory) return Fought::Won;
    return end == BattleEnd::Defeat ? Fought::Lost : Fought::Fled;
}

// The priest heals whoever is below the mark while his points last.
inline void PriestHeals(Game& game, int belowPercent) {
    StayingHost host;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& priest = *game.Member(i);
        if (priest.Class != 4 || !Standing(priest)) continue;
        const int priestSlot = game.PartyList[static_cast<size_t>(i)];
        for (Creature* w = MostWounded(game);
             w != nullptr && w->HP * 100 < w->MaxHP * belowPercent &&
             Knows(game, priest, LightHealRow);
             w = MostWounded(game)) {
            ScriptedPlayer player;
            player.Keep = false;
            player.Pick(RosterSlotOf(game, *w));
            game.CurrentChar = static_cast<int16_t>(priestSlot);
            CastSpellRow(game, player, host, priestSlot, LightHealRow, true);
        }
    }
}

// After a fight, in the maze: the priest heals whoever is below half, then
// the wounded eat herbs.
inline void RestInMaze(Game& game) {
    PriestHeals(game, 50);
    StayingHost host;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& c = *game.Member(i);
        const int slot = game.PartyList[static_cast<size_t>(i)];
        while (Standing(c) && c.HP * 2 < c.MaxHP && SlotOf(c, HerbId) != 0) {
            ScriptedPlayer player;
            player.Keep = false;
            player.Pick(slot);
            game.CurrentChar = static_cast<int16_t>(slot);
            UseItemOutsideBattle(game, player, host, slot, SlotOf(c, HerbId));
        }
    }
}

// Back in town: the fallen (dead, paralysed, stone) are cured at the temple with the party's gold
// (anyone may pay; one the party cannot pay for is raised all the same, as a
// player would with his other characters' gold, and counted), the priest
// heals between free nights in the kennel, the rest of the wounds take the
// cheapest beds his gold allows, everyone rises the levels his experience
// allows and buys herbs.
struct TownVisit {
    int Raised = 0;
    int OnCredit = 0;
};

inline TownVisit VisitTown(Game& game) {
    ScriptedPlayer player;
    player.Keep = false;
    TownVisit visit;
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& c = *game.Member(i);
        if ((c.Status & DownMask) == 0) continue;
        ++visit.Raised;
        for (int tries = 0; tries < 3 && (c.Status & DownMask) != 0; ++tries) {
            const int32_t fee = TempleFee(c);
            int payer = 0;
            for (int p = 1; p <= game.PartyCount; ++p)
                if (game.Member(p)->Gold >= fee) payer = game.PartyList[static_cast<size_t>(p)];
            if (payer == 0) break;
            Treat(game, player, game.PartyList[static_cast<size_t>(i)], payer, fee);
        }
        if ((c.Status & DownMask) != 0) {
            ++visit.OnCredit;
            c.Status = 0;
            c.HP = std::max(c.HP, 1);
        }
    }
    // The priest heals and sleeps in the kennel, which is free, a few times.
    for (int night = 0; night < 4; ++night) {
        PriestHeals(game, 100);
        for (int i = 1; i <= game.PartyCount; ++i)
            if (game.Member(i)->Class == 4)
                Stay(game, player, game.PartyList[static_cast<size_t>(i)], 0);
    }
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& c = *game.Member(i);
        if ((c.Status & (StatusDead | StatusAshes | StatusLost)) != 0) continue;
        const int slot = game.PartyList[static_cast<size_t>(i)];
        const int weeks = std::min<int>(c.MaxHP - c.HP, static_cast<int>(c.Gold / 10));
        StayResult stayed = StayResult::Left;
        if (weeks >= 1) {
            player.Type(std::to_string(weeks));
            game.CurrentChar = static_cast<int16_t>(slot);
            stayed = Stay(game, player, slot, 1);
        }
        for (int night = 0;
             night < 20 && stayed != StayResult::NextLevel && stayed != StayResult::Died; ++night) {
            game.CurrentChar = static_cast<int16_t>(slot);
            stayed = Stay(game, player, slot, 0);
        }
    }
    BuyHerbs(game, player);
    return visit;
}

}  // namespace kv::testing
