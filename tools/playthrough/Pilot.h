#pragma once
// The autopilot that plays the demo from a new game to its ending: asked for
// the next keys whenever the game waits for input, it reads the game (the
// menu state, the dialog on top, the battle, the party's cell and facing)
// and answers from its plan, a list of goals: keys to press in town, a cell
// to walk to by a path search over the floor, fights until the party is
// strong enough. What it presses is written down as a key script with
// comments, which replays the same game with the same seed.
#include <array>
#include <cstdint>
#include <deque>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "core/Game.h"

namespace kv {

class WindowManager;
class MainWindow;

namespace playthrough {

// One piece the shop sells, bought by the member at that marching position
// with his own gold.
// With a class instead, every member of that class buys one.
struct Purchase {
    int Member = 0;
    int Item = 0;
    int Class = 0;
};

struct Goal {
    enum class Kind {
        Keys,     // press these keys as they stand
        Walk,     // reach the cell on the floor (place 21), then face Facing (-1: any)
        Grind,    // fight around the cell until every member is of level Level, resting at the inn
        Home,     // walk to the entrance of floor 1 and go home
        Create,   // make a character at the training grounds: Keys is the name,
                  // Level the statistic the bonus goes into, Answer the class
        Refresh,  // rest at the inn and heal in camp at the entrance until the party is whole
        Outfit,   // buy Buys at the shop (what a purse cannot pay for is left), then wear them
    };
    Kind What = Kind::Keys;
    std::string Comment;
    std::string Keys;
    int Floor = 1;
    int X = 0;
    int Y = 0;
    int Facing = -1;
    int Level = 0;
    std::string Answer;   // typed into an input dialog met on the way (a riddle)
    bool GoHome = false;  // a way home offered at the goal is taken
    std::vector<Purchase> Buys;
};

// The herbs each member carries into the maze.
inline constexpr int HerbId = 141;
inline constexpr int HerbsCarried = 3;

// The plan that takes a new game on the demo to its ending.
std::vector<Goal> DemoPlan();

class Pilot {
  public:
    // transcript: the file the session writes, read for the lists on screen.
    Pilot(Game& game, WindowManager& windows, MainWindow& main, std::string transcript,
          std::vector<Goal> plan);

    // The next keys to press, or "" when the plan is done or stalled (Stall()
    // says why). Comments gathered on the way are written into the script.
    std::string Next();
    const std::string& Script() const { return script_; }
    const std::string& Stall() const { return stall_; }
    bool Done() const { return done_; }

  private:
    std::string Dialog();
    std::string Battle();
    std::string WalkTo(int floor, int x, int y, int facing);
    std::string TownRest();
    std::string CampHeal();
    std::string Create(Goal goal);
    std::string Outfit(const Goal& goal);
    std::string Shop();
    std::string Refresh(const Goal& goal);
    std::string Wear();
    std::string Cast(int caster, int spellRow, int target);
    std::string PickSpell();
    int Healer(int& spellRow) const;
    std::vector<std::string> ListRows(const std::string& name) const;
    std::string Press(const std::string& keys);
    void Note(const std::string& comment);
    bool Strong(int level) const;
    bool Weak() const;
    bool Hurt() const;
    bool Unpaid(int slot) const;
    std::string Levels() const;
    void ReadMessages();
    bool HealerKnown() const;
    std::string WayHome();
    template <typename Field>
    int64_t PartySum(Field field) const;

    Game& game_;
    WindowManager& windows_;
    MainWindow& main_;
    std::string transcript_;
    int createStep_ = 0;
    std::deque<Goal> plan_;
    std::string script_;
    std::string stall_;
    std::string lastNote_;
    bool done_ = false;
    bool goingHome_ = false;  // the grind is taking the party back to the inn
    int keysOnGoal_ = 0;
    int idleKeys_ = 0;
    int presses_ = 0;
    int idleRests_ = 0;
    int64_t restExp_ = -1;
    std::array<int64_t, 9> lastState_{};
    int grindSteps_ = 0;
    std::vector<int> members_;          // the party's roster slots when it first set out
    std::ifstream tail_;                // the transcript, read as it grows
    std::set<std::string> reflecting_;  // monsters seen throwing blows back
    std::vector<int> unpaid_;           // fallen members the temple is too dear for on this visit
    std::vector<int> innQueue_;         // marching positions still to stay at the inn
    bool rested_ = false;               // the inn is done for this visit to town
    bool shared_ = false;               // the gold is shared out for this visit
    bool campOpen_ = false;             // the status window is open after a spell in camp
    std::string pendingInput_;          // typed into the next input dialog
    // A spell chosen for a member: its row, and the target the picker's
    // Enter is followed by (a monster group's row, or a member).
    int pendingSpell_ = 0;
    int pendingCaster_ = 0;
    std::string pendingTarget_;
    bool outfitting_ = false;
    std::deque<Purchase> buys_;    // still to buy on this visit to the shop
    std::deque<Purchase> toWear_;  // bought and still in the pack
};

}  // namespace playthrough
}  // namespace kv
