#include "soak/SoakChecks.h"

#include <array>
#include <map>
#include <set>

namespace kv::soak {

namespace {

// The maze's floors are 20 x 20 cells; a character in town stands on floor 0.
constexpr int MazeSide = 20;
constexpr int LastFloor = 21;
constexpr int PartySize = 6;
constexpr int PackSlots = 15;

void CheckCharacter(const Creature& c, std::vector<std::string>& broken) {
    auto fail = [&](const std::string& what) { broken.push_back(c.Name + ": " + what); };
    if (c.HP < 0 || c.HP > c.MaxHP) {
        fail("HP " + std::to_string(c.HP) + " outside 0.." + std::to_string(c.MaxHP));
    }
    if (c.Gold < 0) fail("gold " + std::to_string(c.Gold) + " below zero");
    if (c.Floor > LastFloor) fail("floor " + std::to_string(c.Floor));
    if (c.PosX < 0 || c.PosX >= MazeSide || c.PosY < 0 || c.PosY >= MazeSide) {
        fail("cell " + std::to_string(c.PosX) + "," + std::to_string(c.PosY) + " outside the maze");
    }
    for (int slot = 1; slot <= PackSlots; ++slot) {
        const InventorySlot& item = c.Items[static_cast<size_t>(slot)];
        if (item.ItemId == 0 && (item.ItemFlags != 0 || item.ItemCount != 0)) {
            fail("empty pack slot " + std::to_string(slot) + " still holds flags or a count");
        }
        if (item.ItemId < 0 || item.ItemCount < 0) {
            fail("pack slot " + std::to_string(slot) + " holds a negative number");
        }
    }
}

}  // namespace

std::vector<std::string> BrokenInvariants(const Game& saved) {
    std::vector<std::string> broken;
    // Party number -> the positions its members stand in.
    std::map<int, std::set<int>> parties;
    for (size_t slot = 1; slot < saved.Roster.size(); ++slot) {
        const Creature& c = saved.Roster[slot];
        if (c.Name.empty()) continue;
        CheckCharacter(c, broken);
        if (c.PartyNo == 0) continue;
        if (c.PartyPos < 1 || c.PartyPos > PartySize) {
            broken.push_back(c.Name + ": party position " + std::to_string(c.PartyPos));
        } else if (!parties[c.PartyNo].insert(c.PartyPos).second) {
            broken.push_back(c.Name + ": shares position " + std::to_string(c.PartyPos) +
                             " of party " + std::to_string(c.PartyNo));
        }
    }
    if (saved.PartyCount < 0 || saved.PartyCount > PartySize) {
        broken.push_back("party count " + std::to_string(saved.PartyCount));
    }
    return broken;
}

}  // namespace kv::soak
