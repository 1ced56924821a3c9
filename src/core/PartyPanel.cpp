#include "core/PartyPanel.h"

#include "core/Names.h"
#include "core/SkillCodes.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int FirstSlot = 1;
constexpr int LastSlot = 50;
constexpr int SchoolCount = 4;
constexpr std::array<std::string_view, SchoolCount> SchoolLabels = {"W:", "C:", "A:", "T:"};
constexpr int FirstPosition = 1;  // marching positions; 0 is none
constexpr int LastPosition = 255;

bool InActiveParty(const Game& game, const Creature& c) {
    return c.Id > 0 && c.Floor == game.CurrentFloor && c.PartyNo == game.CurrentPartyNo &&
           c.Place == game.CurrentPlace;
}

std::string HpMark(const Creature& c) {
    const bool poisoned = (c.Status & StatusPoison) != 0;
    if (c.Regen > 0 && poisoned) return " ";
    if (poisoned) return "-";
    if (c.Regen > 0) return "+";
    if (c.Skills[SkillIndex(Skill::Regeneration)] != 0 && c.Gold > 0) return "+";
    return " ";
}

}  // namespace

void RebuildPartyList(Game& game) {
    game.PartyCount = 0;
    game.PartyList.fill(0);
    std::vector<int> members;
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (InActiveParty(game, game.Roster[slot])) members.push_back(slot);
    }
    // Those who cannot act go to the back, in list order, behind position 6.
    int back = 7;
    for (int slot : members) {
        Creature& c = game.Roster[slot];
        if ((c.Status & IdleMask) != 0) c.PartyPos = static_cast<uint8_t>(back++);
    }
    // Walk the positions upward from 1 and renumber who is found there 1, 2, ...
    std::vector<int> ordered;
    for (int pos = FirstPosition; pos <= LastPosition && ordered.size() < members.size(); ++pos) {
        for (int slot : members) {
            if (game.Roster[slot].PartyPos == pos) ordered.push_back(slot);
        }
    }
    // A member without a position (0) is still in the party: it marches last,
    // in list order, rather than dropping out of sight.
    for (int slot : members) {
        if (game.Roster[slot].PartyPos == 0) ordered.push_back(slot);
    }
    for (size_t i = 0; i < ordered.size() && i + 1 < game.PartyList.size(); ++i) {
        game.Roster[ordered[i]].PartyPos = static_cast<uint8_t>(i + 1);
        game.PartyList[i + 1] = static_cast<int16_t>(ordered[i]);
        ++game.PartyCount;
    }
}

void SetMarchingOrder(Game& game, const std::vector<int>& ids) {
    for (size_t i = 0; i < ids.size() && i + 1 < game.PartyList.size(); ++i) {
        const int slot = ids[i];
        if (slot < FirstSlot || slot > LastSlot) continue;
        game.PartyList[i + 1] = static_cast<int16_t>(slot);
        game.Roster[static_cast<size_t>(slot)].PartyPos = static_cast<uint8_t>(i + 1);
    }
}

std::vector<PartyRow> PartyPanelRows(const Game& game) {
    std::vector<PartyRow> rows;
    for (int i = 1; i <= game.PartyCount && i <= 6; ++i) {
        const Creature& c = game.Roster[game.PartyList[i]];
        PartyRow row;
        row[0] = Wide(std::to_string(i) + "：" + c.Name);
        row[1] = ClassLabel(c.Alignment, c.Class, game.Classes);
        row[2] = WideNumber(c.AC);
        row[3] = Wide(std::to_string(c.HP) + HpMark(c));
        row[4] = c.Status != 0 ? std::string(StatusName(c.Status)) : WideNumber(c.MaxHP);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string BattleHelpText(const Game& game, const Creature& member) {
    std::string text = "STR:" + std::to_string(member.Str) +
                       " DEX:" + std::to_string(member.Dexterity) +
                       " LUK:" + std::to_string(member.Luck);
    for (int school = 0; school < SchoolCount; ++school) {
        text += "\r";
        text += SchoolLabels[school];
        for (int level = 1; level <= 9; ++level) {
            if (level > 1) text += "/";
            text += std::to_string(member.MPAt(school, level));
        }
    }
    for (int slot = 1; slot <= 15; ++slot) {
        const InventorySlot& item = member.Items[slot];
        if ((item.ItemFlags & ItemPositionMask) == 0) continue;
        if (item.ItemId < 0 || item.ItemId >= static_cast<int32_t>(game.Items.size())) continue;
        const ItemDef& def = game.Items[item.ItemId];
        text += "\rE:" + ((item.ItemFlags & Unidentified) != 0 ? def.UnidentifiedName : def.Name);
    }
    return text;
}

void LeaveGame(Game& game) {
    for (int i = 1; i <= game.PartyCount; ++i) {
        Creature& c = game.Roster[game.PartyList[i]];
        if (game.CurrentFloor < 1) {
            c.PosX = c.PosY = 0;
            c.Place = c.Floor = c.PartyNo = 0;
        } else {
            // The party stays in the maze, to be found again later.
            c.PosX = game.PartyX;
            c.PosY = game.PartyY;
            c.Place = static_cast<uint8_t>(game.CurrentPlace);
            c.Floor = static_cast<uint8_t>(game.CurrentFloor);
            c.AC = c.BaseAC;
        }
    }
    if (game.CurrentFloor >= 1) {
        game.PartyCount = 0;
        game.PartyList.fill(0);
    }
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        Creature& c = game.Roster[slot];
        if (c.Place < 20) c.Place = c.Floor = c.PartyNo = 0;
    }
}

void ReturnStragglersToTown(Game& game) {
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (game.Roster[slot].Place < 21) game.Roster[slot].Place = 0;
    }
}

}  // namespace kv
