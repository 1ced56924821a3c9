// The demo's way from a new game to its ending, as the autopilot follows it:
// the cells are those of the scenario's README (place 21, 石造りの淵).
#include "playthrough/Pilot.h"

namespace kv::playthrough {

namespace {

enum Compass { North, East, South, West };

Goal Keys(std::string comment, std::string keys) {
    Goal g;
    g.Comment = std::move(comment);
    g.Keys = std::move(keys);
    return g;
}

// A character of the class, the bonus points spent on the statistic of that
// row of the list (0 strength, 1 wits, 2 piety).
Goal Make(const std::string& name, int statistic, const std::string& job) {
    Goal g;
    g.What = Goal::Kind::Create;
    g.Comment = "the training grounds: " + name + ", a new " + job;
    g.Keys = name;
    g.Level = statistic;
    g.Answer = job;
    return g;
}

Goal Walk(std::string comment, int floor, int x, int y, int facing = -1) {
    Goal g;
    g.What = Goal::Kind::Walk;
    g.Comment = std::move(comment);
    g.Floor = floor;
    g.X = x;
    g.Y = y;
    g.Facing = facing;
    return g;
}

Goal Grind(int floor, int x, int y, int level) {
    Goal g;
    g.What = Goal::Kind::Grind;
    g.Floor = floor;
    g.X = x;
    g.Y = y;
    g.Level = level;
    return g;
}

}  // namespace

std::vector<Goal> DemoPlan() {
    std::vector<Goal> plan;
    plan.push_back(Keys("the title", "Enter"));
    plan.push_back(Keys("the edge of town, the training grounds", "E Enter  T Enter"));
    plan.push_back(Make("ガイ", 0, "戦士"));
    plan.push_back(Make("ミナ", 1, "魔導士"));
    plan.push_back(Make("セト", 2, "僧侶"));
    plan.push_back(
        Keys("the tavern: ロラン, シーラ, ガイ, ミナ and セト join",
             "L Enter  C Enter  G Enter  A Enter  Enter Enter Enter Enter Enter  Enter  C Enter"));
    plan.push_back(Keys("the shop: ロラン gathers the party's gold", "M Enter  1  Esc Up Enter"));
    plan.push_back(Grind(1, 0, 3, 5));
    plan.push_back(Walk("floor 1: the stairs down", 1, 18, 18));
    plan.push_back(Grind(2, 17, 17, 6));
    Goal riddle = Walk("floor 2: the riddle stone; the answer is 7", 2, 7, 2, North);
    riddle.Answer = "7";
    plan.push_back(riddle);
    plan.push_back(Walk("floor 2: the hidden door west, the stairs down", 2, 1, 1));
    plan.push_back(Grind(3, 2, 3, 9));
    plan.push_back(Walk("floor 3: the silver keyhole", 3, 9, 9, East));
    plan.push_back(
        Walk("floor 3: through the silver door to the throne: the empress", 3, 13, 9, East));
    Goal home = Walk("floor 3: behind the throne, the way home with the crown", 3, 17, 9, East);
    home.GoHome = true;
    plan.push_back(home);
    plan.push_back(Keys("the castle: the ending", ""));
    // The return saved before the ending; a night in the kennel saves again,
    // with the insignia and the story's flag cleared.
    plan.push_back(Keys("the inn: a night in the kennel keeps the insignia in the save",
                        "T Enter  1  1 Enter"));
    return plan;
}

}  // namespace kv::playthrough
