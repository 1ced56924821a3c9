#pragma once
// What the flows on the built demo share: a party strong enough for any of
// its fights and traps, random battles left at once, and key scripts written
// as the scenario's README writes routes.
#include <array>
#include <functional>
#include <sstream>
#include <string>

#include "core/BattleState.h"
#include "core/SkillCodes.h"
#include "flow/FlowHarness.h"
#include "ui/ScreenContext.h"

namespace kv::test {

constexpr uint64_t DemoSeed = 1;    // the seed every demo flow plays with
constexpr int Crown = 252;          // the demo's crown, the ending's item
constexpr int EveryHitSkill = 127;  // every one of a member's attacks lands

// The demo's two adventurers, made strong enough for any trap and the
// throne's fight, bare-handed and so with room for every find: ロラン always
// fails the luck roll of a floor trap, シーラ never does and picks locks.
inline void StrongParty(Game& g) {
    for (int slot : {1, 2}) {
        Creature& c = g.Roster[static_cast<size_t>(slot)];
        c.Level = 30;
        c.HP = c.MaxHP = 500;
        c.Str = c.Dexterity = 18;
        c.BaseAC = c.AC = -10;
        c.AttackCount = 10;
        c.Skills[NoEncounterSkill] = 1;
        c.Skills[EveryHitSkill] = 1;
        for (InventorySlot& item : c.Items) item = {};
    }
    g.Roster[1].Luck = 25;
    g.Roster[2].Luck = 1;
    g.Roster[2].Skills[SkillIndex(Skill::UnlockChests)] = 1;
}

// Skill 14 makes random monsters rare, not impossible; a random battle is
// not what these flows are about, so it is left at once as an escape. An
// event's battle goes to the battle screen as always.
inline void EscapeRandomBattles(Flow& flow, int& randomBattles) {
    flow.OnStarted = [&randomBattles](Session& session) {
        ScreenContext& context = session.Screens();
        auto eventBattle = context.StartBattle;
        context.StartBattle = [&context, &randomBattles, eventBattle](int encounter) {
            if (encounter == 0) {
                ++randomBattles;
                context.BattleOver(BattleEnd::Escaped);
            } else if (eventBattle) {
                eventBattle(encounter);
            }
        };
    };
}

// A key script written as the README writes routes: "S8 W2 N*" faces
// south (turning with Left, Right or Down) and steps 8 times, then west
// twice, then north through a door with Space. It keeps the facing the keys
// leave the party with; events that turn the party say so with Facing.
class Keys {
  public:
    explicit Keys(std::string start, int facing) : text_(std::move(start)), facing_(facing) {}

    Keys& Walk(const std::string& route) {
        std::istringstream tokens(route);
        for (std::string token; tokens >> token;) {
            Face(static_cast<int>(std::string("NESW").find(token[0])));
            const bool door = token.back() == '*';
            const std::string digits = token.substr(1, token.size() - 1 - (door ? 1 : 0));
            const int steps = digits.empty() ? 1 : std::stoi(digits);
            for (int i = 0; i < steps; ++i) text_ += door ? "Space " : "Up ";
        }
        return *this;
    }
    Keys& Face(int facing) {
        static constexpr std::array<const char*, 4> Turns{"", "Right ", "Down ", "Left "};
        text_ += Turns[static_cast<size_t>((facing - facing_ + 4) % 4)];
        facing_ = facing;
        return *this;
    }
    Keys& Press(const std::string& keys) {
        text_ += keys + "  ";
        return *this;
    }
    Keys& Facing(int facing) {
        facing_ = facing;
        return *this;
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
    int facing_;
};

enum Compass { North, East, South, West };

// The keys end on a spinner, which turns the party at random again on every
// turn made there: the same run is played so far, and turned again, until the
// dice of the run's seed leave it facing the way on.
inline void SpinTo(Keys& keys, int facing, uint64_t seed,
                   const std::function<void(Flow&, int&)>& prepare) {
    for (int tries = 0; tries < 20; ++tries) {
        Flow probe;
        int randomBattles = 0;
        prepare(probe, randomBattles);
        ASSERT_TRUE(probe.Run(keys.Text(), seed)) << probe.Error();
        const int spun = WhereLines(probe).back().Facing;
        if (spun == facing) return;
        keys.Facing(spun).Face(facing);
    }
    FAIL() << "the spinner never faced the party " << facing;
}

}  // namespace kv::test
