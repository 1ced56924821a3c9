#include "playthrough/Pilot.h"

#include "playthrough/PathSearch.h"

#include <algorithm>
#include <array>
#include <nlohmann/json.hpp>

#include "battle/SpellPickerWindow.h"
#include "core/BattleState.h"
#include "core/CommandMenus.h"
#include "core/MazeMap.h"
#include "items/SkillWindow.h"
#include "town/Temple.h"
#include "ui/DialogWindow.h"
#include "ui/MainWindow.h"
#include "ui/WindowManager.h"

namespace kv::playthrough {

namespace {

constexpr int DemoPlace = 21;
constexpr int North = 0;
// Keys pressed on one goal before the pilot gives it up as stalled.
constexpr int GoalKeyLimit = 400000;
// The whole script: beyond this the replay would no longer be quick.
constexpr int TotalKeyLimit = 60000;
// Keys pressed while nothing in the game changes.
constexpr int IdleKeyLimit = 300;

struct Cell {
    int X, Y;
};

// Where each floor is left for the one below and for the one above (the
// stairs; floor 3 goes up by the magic circle straight to floor 1).
constexpr std::array<Cell, 4> StairsDown{{{0, 0}, {18, 18}, {1, 1}, {0, 0}}};
constexpr std::array<Cell, 4> WayUp{{{0, 0}, {0, 0}, {18, 18}, {0, 17}}};

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

Pilot::Pilot(Game& game, WindowManager& windows, MainWindow& main, std::string transcript,
             std::vector<Goal> plan)
    : game_(game),
      windows_(windows),
      main_(main),
      transcript_(std::move(transcript)),
      plan_(plan.begin(), plan.end()) {}

// The rows of the list of this name the transcript showed last.
std::vector<std::string> Pilot::ListRows(const std::string& name) const {
    std::ifstream in(transcript_, std::ios::binary);
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.find("\"t\":\"list\"") == std::string::npos) continue;
        const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_discarded() || parsed.value("name", "") != name) continue;
        rows = parsed["rows"].get<std::vector<std::string>>();
    }
    return rows;
}

// The bonus all into one statistic, the rest (if any) into vitality, then
// the class by its name.
// The goal is taken by value: it is popped from the plan before its class is read.
std::string Pilot::Create(Goal goal) {
    if (createStep_ == 0) {
        createStep_ = 1;
        std::string keys = "C Enter \"" + goal.Keys + "\" Enter  Enter Enter Enter ";
        for (int i = 0; i < goal.Level; ++i) keys += "Down ";
        for (int i = 0; i < 12; ++i) keys += "Right ";
        for (int i = goal.Level; i < 3; ++i) keys += "Down ";
        for (int i = 0; i < 12; ++i) keys += "Right ";
        return Press(keys + " Enter");
    }
    createStep_ = 0;
    plan_.pop_front();
    keysOnGoal_ = 0;
    const std::vector<std::string> rows = ListRows("lstClass");
    std::string keys;
    for (const std::string& row : rows) {
        if (row == goal.Answer) return Press(keys + "Enter  Enter");
        keys += "Down ";
    }
    stall_ = "the class " + goal.Answer + " is not offered to " + goal.Keys;
    return "";
}

void Pilot::Note(const std::string& comment) {
    if (comment.empty() || comment == lastNote_) return;
    lastNote_ = comment;
    if (!script_.empty() && script_.back() != '\n') script_ += '\n';
    script_ += "# " + comment + "\n";
}

std::string Pilot::Press(const std::string& keys) {
    script_ += keys + " ";
    ++keysOnGoal_;
    return keys;
}

template <typename Field>
int64_t Pilot::PartySum(Field field) const {
    int64_t sum = 0;
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        if (c != nullptr) sum += static_cast<int64_t>(c->*field);
    }
    return sum;
}

// Before the last fight: a night at the inn brings the spell points back,
// the priest heals in camp at the entrance, and home again for the night,
// until the party leaves the inn whole.
std::string Pilot::Refresh(const Goal& goal) {
    Note(goal.Comment);
    if (game_.MenuState == MenuStates::Maze) {
        const std::string heal = CampHeal();
        if (!heal.empty()) return Press(heal);
        goingHome_ = true;
        return Press(WayHome());
    }
    goingHome_ = false;
    if (!rested_) {
        restExp_ = -1;  // these nights are not a party turning back
        return TownRest();
    }
    bool whole = true;
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        whole = whole && c != nullptr && c->HP >= c->MaxHP;
    }
    if (!unpaid_.empty()) {
        // The temple is too dear for someone: back to the fights for his fee.
        Goal grind = goal;
        grind.What = Goal::Kind::Grind;
        grind.Comment = "";
        plan_.push_front(grind);
        return Press(WalkTo(1, 0, 0, -1));
    }
    if (whole || !HealerKnown()) {
        plan_.pop_front();
        keysOnGoal_ = 0;
        return Next();
    }
    return Press(WalkTo(1, 0, 0, -1));
}

// The messages the transcript gained since the last look (they go by at
// once, unseen on the screen): a monster that threw a blow back is not
// struck again.
void Pilot::ReadMessages() {
    if (!tail_.is_open()) tail_.open(transcript_, std::ios::binary);
    std::string line;
    while (std::getline(tail_, line)) {
        if (line.find("攻撃を反射した") == std::string::npos) continue;
        const nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_discarded()) continue;
        const std::string text = parsed.value("text", "");
        const size_t reflected = text.find("は攻撃を反射した");
        const size_t start = text.find('\n');
        if (reflected != std::string::npos && start != std::string::npos && start < reflected)
            reflecting_.insert(text.substr(start + 1, reflected - start - 1));
    }
    tail_.clear();  // at the end for now: later lines are read next time
}

// The members' levels in marching order, for the script's comments.
std::string Pilot::Levels() const {
    std::string levels;
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        levels += " " + (c == nullptr ? std::string("-") : std::to_string(c->Level));
    }
    return levels;
}

bool Pilot::Strong(int level) const {
    if (game_.PartyCount == 0) return false;
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        if (c != nullptr && c->Level < level) return false;
    }
    return true;
}

// Someone is down, poisoned or too hurt for the walk home: time to rest.
// The deeper the floor, the longer that walk, the sooner the party turns back.
// Someone is hurt enough for the priest's spell in camp.
bool Pilot::Hurt() const {
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        if (c != nullptr && c->HP > 0 && c->HP * 4 < c->MaxHP * 3) return true;
    }
    return false;
}

// A standing priest in the party who knows the first heal, spell points or not.
bool Pilot::HealerKnown() const {
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        if (c != nullptr && c->Class == 4 && c->HP > 0 && (c->Status & DownMask) == 0 &&
            c->Spell(1, 1, 1) != 0)
            return true;
    }
    return false;
}

// To the entrance of floor 1 and face north, the way out: the question of
// the way home comes as the party turns to it.
std::string Pilot::WayHome() {
    const std::string keys = WalkTo(1, 0, 0, North);
    return keys.empty() ? "Right" : keys;
}

bool Pilot::Weak() const {
    const int keep = game_.CurrentFloor <= 1 ? 2 : 3;  // turn back below 1/2, 2/3 of the hit points
    for (int i = 1; i <= game_.PartyCount; ++i) {
        const Creature* c = game_.Member(i);
        if (c == nullptr) continue;
        if (c->HP <= 0 || c->HP * keep < c->MaxHP * (keep - 1) || (c->Status & StatusPoison) != 0)
            return true;
    }
    // Deep down, a priest out of healing spells is reason enough.
    int spell = 0;
    return game_.CurrentFloor >= 3 && HealerKnown() && Healer(spell) == 0;
}

bool Pilot::Unpaid(int slot) const {
    return std::find(unpaid_.begin(), unpaid_.end(), slot) != unpaid_.end();
}

std::string Pilot::Next() {
    if (done_ || !stall_.empty()) return "";
    // Stalled: the game has not changed for many keys, or a goal takes for ever.
    const std::array<int64_t, 9> now{game_.MenuState,
                                     game_.CurrentFloor,
                                     game_.PartyX,
                                     game_.PartyY,
                                     game_.PartyFacing,
                                     PartySum(&Creature::HP),
                                     static_cast<int64_t>(PartySum(&Creature::Exp)),
                                     PartySum(&Creature::Gold),
                                     game_.Battle.RoundNo};
    idleKeys_ = now == lastState_ ? idleKeys_ + 1 : 0;
    lastState_ = now;
    if (idleKeys_ > IdleKeyLimit || keysOnGoal_ > GoalKeyLimit || ++presses_ > TotalKeyLimit) {
        stall_ =
            "no progress on: " + (plan_.empty() ? std::string("the end") : plan_.front().Comment) +
            "; levels";
        stall_ += Levels();
        stall_ += "; at floor " + std::to_string(game_.CurrentFloor) + " (" +
                  std::to_string(game_.PartyX) + "," + std::to_string(game_.PartyY) + ") menu " +
                  std::to_string(game_.MenuState) + " screen " + std::to_string(game_.ScreenState);
        return "";
    }
    ReadMessages();
    if (game_.PartyCount == 0 && !members_.empty()) {
        stall_ = "the party was wiped out";
        return "";
    }
    if (dynamic_cast<SpellSelect2Window*>(windows_.Top()) != nullptr) return PickSpell();
    // New gear or a level may teach a skill: its window closes by Enter alone.
    if (dynamic_cast<SkillWindow*>(windows_.Top()) != nullptr) return Press("Enter");
    if (dynamic_cast<DialogWindow*>(windows_.Top()) != nullptr) return Dialog();
    if (game_.MenuState == MenuStates::Maze) {
        rested_ = false;
        shared_ = false;
        unpaid_.clear();
        if (members_.empty())
            for (int i = 1; i <= game_.PartyCount; ++i)
                members_.push_back(game_.PartyList[static_cast<size_t>(i)]);
    }
    if (game_.MenuState == MenuStates::Maze && game_.ScreenState == ScreenStates::Chest) {
        Note("a chest: left alone (its trap is not worth the risk)");
        return Press("L");
    }
    if (game_.MenuState == MenuStates::Battle) return Battle();
    if (campOpen_) {
        campOpen_ = false;
        return Press("L  Esc");  // the status window's way back, then out of the camp
    }
    if (plan_.empty()) {
        done_ = true;
        return "";
    }
    Goal& goal = plan_.front();
    switch (goal.What) {
        case Goal::Kind::Keys: {
            Note(goal.Comment);
            const std::string keys = goal.Keys;
            plan_.pop_front();
            keysOnGoal_ = 0;
            return keys.empty() ? Next() : Press(keys);
        }
        case Goal::Kind::Create:
            Note(goal.Comment);
            return Create(goal);
        case Goal::Kind::Outfit:
            return Outfit(goal);
        case Goal::Kind::Walk: {
            Note(goal.Comment + " (levels" + Levels() + ")");
            // The way home taken: the goal is reached in town.
            const bool home = goal.GoHome && game_.MenuState != MenuStates::Maze &&
                              game_.MenuState != MenuStates::Battle && keysOnGoal_ > 0;
            const std::string keys =
                home ? std::string() : WalkTo(goal.Floor, goal.X, goal.Y, goal.Facing);
            if (!keys.empty()) return Press(keys);
            if (!stall_.empty()) return "";
            plan_.pop_front();
            keysOnGoal_ = 0;
            return Next();
        }
        case Goal::Kind::Refresh:
            return Refresh(goal);
        case Goal::Kind::Home:
        case Goal::Kind::Grind: {
            if (game_.MenuState != MenuStates::Maze) {
                goingHome_ = false;
                // Done once the levels are there and the town has mended everyone.
                if (goal.What == Goal::Kind::Home ||
                    (Strong(goal.Level) && rested_ && unpaid_.empty())) {
                    plan_.pop_front();
                    keysOnGoal_ = 0;
                    return Next();
                }
                return TownRest();
            }
            if (!goingHome_ && Hurt()) {
                const std::string heal = CampHeal();
                if (!heal.empty()) return Press(heal);
            }
            if (goal.What == Goal::Kind::Home || goingHome_ || Weak() || Strong(goal.Level)) {
                goingHome_ = true;
                Note("back to town to rest");
                return Press(WayHome());
            }
            Note("floor " + std::to_string(goal.Floor) +
                 ": fighting what comes until every member is of level " +
                 std::to_string(goal.Level) + " (now" + Levels() + ")");
            // Pace between the cell and the one south of it: random monsters
            // come to a party on the move.
            const bool there = game_.CurrentFloor == goal.Floor && game_.PartyX == goal.X &&
                               game_.PartyY == goal.Y;
            const std::string keys = WalkTo(goal.Floor, goal.X, goal.Y + (there ? 1 : 0), -1);
            return Press(keys.empty() ? "Down" : keys);
        }
    }
    return "";
}

std::string Pilot::Dialog() {
    auto* dialog = dynamic_cast<DialogWindow*>(windows_.Top());
    const std::string& text = dialog->lblMsg.Caption();

    if (dialog->Kind == DialogInput) {
        if (!pendingInput_.empty()) {
            const std::string answer = pendingInput_;
            pendingInput_.clear();
            return Press("\"" + answer + "\" Enter");
        }
        if (!plan_.empty() && !plan_.front().Answer.empty())
            return Press("\"" + plan_.front().Answer + "\" Enter");
        return Press("Esc");
    }
    if (dialog->Kind == DialogYesNo) {
        const int goalFloor = goingHome_ ? 1 : plan_.empty() ? 0 : plan_.front().Floor;
        if (Contains(text, "下がりますか"))
            return Press(goalFloor > game_.CurrentFloor ? "Y" : "N");
        if (Contains(text, "上がりますか"))
            return Press(goalFloor < game_.CurrentFloor ? "Y" : "N");
        const bool home = !plan_.empty() && plan_.front().GoHome;
        if (Contains(text, "城へ戻りますか")) return Press(goingHome_ || home ? "Y" : "N");
        if (Contains(text, "引きますか")) return Press("N");
        // Friendly monsters are let go: fighting them turns good members evil,
        // and the tavern will not form a party of both.
        if (Contains(text, "戦いますか")) return Press("N");
        return Press(home || goingHome_ ? "Y" : "N");
    }
    return Press("Enter");
}

std::string Pilot::WalkTo(int floor, int x, int y, int facing) {
    if (game_.MenuState == MenuStates::Castle) return "E Enter";
    if (game_.MenuState == MenuStates::EdgeOfTown) return "D Enter";
    if (game_.MenuState == MenuStates::MazeChoice) return "Enter";
    if (game_.MenuState == MenuStates::Tavern) return "C Enter";
    if (game_.MenuState == MenuStates::Shop)
        return main_.lstCommandList.Enabled ? "L Enter" : "Esc";
    if (game_.MenuState == MenuStates::Inn) return main_.lstCommandList.Enabled ? "6 Enter" : "Esc";
    if (game_.MenuState != MenuStates::Maze) return "Esc";
    if (game_.CurrentPlace != DemoPlace) return "";
    const int here = game_.CurrentFloor;
    if (floor != here) {
        const Cell via =
            floor > here ? StairsDown[static_cast<size_t>(here)] : WayUp[static_cast<size_t>(here)];
        if (game_.PartyX == via.X && game_.PartyY == via.Y)
            return "Down";  // turn on it: it asks again
        x = via.X;
        y = via.Y;
        facing = -1;
    }
    if (game_.PartyX == x && game_.PartyY == y) {
        if (facing < 0 || game_.PartyFacing == facing) return "";
        const int turn = (facing - game_.PartyFacing + 4) % 4;
        return turn == 1 ? "Right" : turn == 3 ? "Left" : "Down";
    }
    const FloorLayers& layers = game_.Layers;
    const int dir = FirstStep(layers, here, game_.PartyX, game_.PartyY, x, y);
    if (dir == NoWay || dir == AlreadyThere) {
        stall_ = "no way to (" + std::to_string(x) + "," + std::to_string(y) + ") on floor " +
                 std::to_string(here);
        return "";
    }
    if (dir != game_.PartyFacing) {
        const int turn = (dir - game_.PartyFacing + 4) % 4;
        return turn == 1 ? "Right" : turn == 3 ? "Left" : "Down";
    }
    const bool door = (layers.FloorDoors.At(game_.PartyX, game_.PartyY) & EdgeOf(dir)) != 0;
    return door ? "Space" : "Up";
}

// In town, one visit at a time: the temple for whoever is dead or worse,
// the tavern for whoever is out of the party, then the inn for every member
// (the cheapest bed that heals, as many weeks as his purse and wounds ask;
// the free kennel when he is whole); the stay raises a level when one is due.
std::string Pilot::TownRest() {
    const int32_t needTemple =
        StatusDead | StatusAshes | StatusStone | StatusParalysis | StatusDisease;
    if (game_.MenuState == MenuStates::Inn) {
        // A guest who rose a level may stay again: the rooms keep the keys.
        // Their last row leads back to choosing a guest.
        if (main_.lstCommandList.Enabled) return Press("6 Enter");
        if (innQueue_.empty()) {
            rested_ = true;
            return Press("Esc");
        }
        const int position = innQueue_.front();
        innQueue_.erase(innQueue_.begin());
        const Creature* c = game_.Member(position);
        if (c == nullptr) return TownRest();
        // With a priest who heals, the free kennel: it brings his spell
        // points back, and he heals in camp at the entrance.
        const int weeks = HealerKnown() ? 0 : std::min<int>(c->MaxHP - c->HP, c->Gold / 10);
        if (weeks <= 0) return Press(std::to_string(position) + "  1 Enter");
        pendingInput_ = std::to_string(weeks);
        return Press(std::to_string(position) + "  2 Enter");
    }
    if (game_.MenuState == MenuStates::Temple && main_.lstCommandList.Enabled) {
        // The patient list again: the next of ours while the purse holds, else the way back.
        for (const int slot : members_) {
            const Creature& c = game_.Roster[static_cast<size_t>(slot)];
            if ((c.Status & needTemple) != 0 && game_.Member(1)->Gold >= TempleFee(c))
                return Press("Enter  1");
        }
        return Press("Esc Enter");
    }
    if (game_.MenuState != MenuStates::Castle) return Press(WalkTo(1, 0, 0, -1));
    for (const int slot : members_) {
        const Creature& c = game_.Roster[static_cast<size_t>(slot)];
        if ((c.Status & needTemple) == 0 || Unpaid(slot)) continue;
        int scattered = 0;
        for (int i = 2; i <= game_.PartyCount; ++i) scattered += game_.Member(i)->Gold;
        if (scattered > 0) {
            Note("the shop: the leader gathers the party's gold for the temple");
            return Press("M Enter  1  Esc Up Enter");
        }
        if (game_.Member(1)->Gold < TempleFee(c)) {
            // Too dear for now: the others go on without him and pay for
            // him another time.
            Note("the temple cannot be paid for " + c.Name + ": the others go on without him");
            unpaid_.push_back(slot);
            return TownRest();
        }
        Note("the temple: " + c.Name + " is brought back");
        return Press("A Enter  Enter  1");
    }
    for (const int slot : members_) {
        bool in = false;
        for (int i = 1; i <= game_.PartyCount; ++i)
            in = in || game_.PartyList[static_cast<size_t>(i)] == slot;
        if (in || Unpaid(slot)) continue;
        Note("the tavern: " + game_.Roster[static_cast<size_t>(slot)].Name + " joins again");
        return Press("G Enter  A Enter  Enter  Esc  C Enter");
    }
    if (!rested_ && !shared_) {
        shared_ = true;
        Note("the tavern: the gold is shared out, so each can pay for his bed");
        return Press("G Enter  G Enter");
    }
    if (!rested_) {
        // Resting without having won anything since the last rest, three
        // times over: the party turns back before it can earn its beds.
        const int64_t exp = PartySum(&Creature::Exp);
        idleRests_ = exp == restExp_ ? idleRests_ + 1 : 0;
        restExp_ = exp;
        if (idleRests_ >= 8) {
            stall_ =
                "the party cannot pay the inn to heal and turns back before it earns more; gold";
            for (int i = 1; i <= game_.PartyCount; ++i) {
                const Creature* c = game_.Member(i);
                stall_ += " " + (c == nullptr ? std::string("-")
                                              : c->Name + " " + std::to_string(c->Level) + "/" +
                                                    std::to_string(static_cast<int64_t>(c->Gold)));
            }
            return "";
        }
        Note(
            "the inn: beds for the wounded, the kennel for the whole, and levels for whoever has "
            "earned one");
        innQueue_.clear();
        for (int i = 1; i <= game_.PartyCount; ++i) innQueue_.push_back(i);
        return Press("T Enter");
    }
    return Press(WalkTo(1, 0, 0, -1));
}

}  // namespace kv::playthrough
