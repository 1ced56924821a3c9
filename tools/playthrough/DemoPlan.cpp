// The demo's way from a new game to its ending, as the autopilot follows it:
// the cells are those of the scenario's README (place 21, 石造りの淵).
#include <array>

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

// What each member buys with his starting gold, in the walkthrough's
// order: weapon, armour, shield or hat, helm or shoes; then herbs.
std::vector<Purchase> StarterGear() {
    constexpr std::array<std::array<int, 4>, 6> Gear = {{
        {0, 0, 0, 0},      // ロラン: dressed already
        {2, 73, 81, 87},   // ガイ: long sword, leather armour, buckler, iron helm
        {2, 73, 81, 87},   // ダン
        {0, 0, 0, 0},      // シーラ: dressed already
        {47, 73, 81, 86},  // セト: mace, leather armour, buckler, leather hat
        {7, 72, 86, 96},   // ミナ: dagger, robe, leather hat, leather shoes
    }};
    std::vector<Purchase> buys;
    for (int member = 1; member <= 6; ++member) {
        for (const int item : Gear[static_cast<size_t>(member - 1)])
            if (item != 0) buys.push_back({member, item});
        for (int i = 0; i < HerbsCarried; ++i) buys.push_back({member, HerbId});
    }
    return buys;
}

// What the gold of floor 3 buys before the empress, by class, the dearest
// first: the fighters' knight swords, plate, kite shields, steel helms and
// gauntlets, the thief's compound bow, the priest's morning star and mail,
// the mage's crown of wisdom.
std::vector<Purchase> LateGear() {
    constexpr int Fighter = 1;
    constexpr int Mage = 2;
    constexpr int Priest = 4;
    constexpr int Thief = 8;
    constexpr std::array<std::array<int, 2>, 15> Gear = {{
        {Fighter, 77},
        {Fighter, 4},
        {Priest, 49},
        {Priest, 75},
        {Fighter, 83},
        {Fighter, 93},
        {Fighter, 88},
        {Thief, 18},
        {Thief, 74},
        {Thief, 92},
        {Priest, 82},
        {Priest, 87},
        {Mage, 89},
        {Mage, 91},
        {Thief, 97},
    }};
    std::vector<Purchase> buys;
    for (const auto& [job, item] : Gear) buys.push_back({0, item, job});
    return buys;
}

Goal Outfit(std::string comment, std::vector<Purchase> buys) {
    Goal g;
    g.What = Goal::Kind::Outfit;
    g.Comment = std::move(comment);
    g.Buys = std::move(buys);
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
    // A player who knows the way lets the messages go by at once.
    plan.push_back(Keys("the edge of town: the settings, messages instant; the training grounds",
                        "E Enter  F Enter  Alt+I  Enter  T Enter"));
    plan.push_back(Make("ガイ", 0, "戦士"));
    plan.push_back(Make("ダン", 0, "戦士"));
    plan.push_back(Make("セト", 2, "僧侶"));
    plan.push_back(Make("ミナ", 1, "魔導士"));
    // The joining list keeps the roster's order (ロラン, シーラ, ガイ, ダン,
    // セト, ミナ): the fighters are taken first to march in front.
    plan.push_back(Keys("the tavern: ロラン, ガイ, ダン, シーラ, セト and ミナ join",
                        "L Enter  C Enter  G Enter  A Enter  Home Enter  Home Down Enter  "
                        "Home Down Enter  Home Enter  Home Enter  Home Enter  Esc  C Enter"));
    plan.push_back(
        Outfit("the shop: each buys his gear and herbs with his own gold, and puts the "
               "gear on at the tavern",
               StarterGear()));
    plan.push_back(Grind(1, 0, 3, 3));
    plan.push_back(Walk("floor 1: the stairs down", 1, 18, 18));
    plan.push_back(Grind(2, 17, 17, 6));
    Goal riddle = Walk("floor 2: the riddle stone; the answer is 7", 2, 7, 2, North);
    riddle.Answer = "7";
    plan.push_back(riddle);
    plan.push_back(Walk("floor 2: the hidden door west, the stairs down", 2, 1, 1));
    plan.push_back(Grind(3, 1, 4, 8));
    plan.push_back(Outfit("the shop: the gold of floor 3 buys better gear", LateGear()));
    // Whoever the temple could not pay for is earned for on floor 3 first.
    Goal rest = Grind(3, 1, 4, 8);
    rest.What = Goal::Kind::Refresh;
    rest.Comment = "the inn and the camp at the entrance until everyone is whole";
    plan.push_back(rest);
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
