#include "items/Skills.h"

#include <algorithm>
#include <cmath>

#include "character/CharacterRules.h"
#include "character/Equipment.h"
#include "character/Inventory.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int BaseSkillLimit = 3;
constexpr int FirstLimitFlag = 50;
constexpr int LastLimitFlag = 56;
constexpr int LastSkill = SkillRows - 1;
constexpr size_t FearAttribute = 17;
constexpr size_t FrozenAttribute = 19;

// The table entry of a skill number. The entries normally hold their own
// number; a table numbered otherwise is searched by its codes.
const SkillDef* EntryOf(const Game& game, int code) {
    if (code >= 1 && code <= LastSkill &&
        game.Skills[static_cast<size_t>(code)].SkillCode == code) {
        return &game.Skills[static_cast<size_t>(code)];
    }
    for (int i = 1; i <= LastSkill; ++i) {
        if (game.Skills[static_cast<size_t>(i)].SkillCode == code) {
            return &game.Skills[static_cast<size_t>(i)];
        }
    }
    return nullptr;
}

}  // namespace

int ClassIndexFromMask(int32_t classBit) {
    if (classBit <= 1) return 1;
    return static_cast<int>(std::lround(std::log2(static_cast<double>(classBit)))) + 1;
}

std::vector<SkillRow> OfferedSkills(const Game& game, const Creature& creature) {
    std::vector<SkillRow> rows;
    const int column = ClassIndexFromMask(creature.Class);
    auto offered = [&rows](int code) {
        for (const SkillRow& row : rows) {
            if (row.Code == code) return true;
        }
        return false;
    };
    if (column >= 1 && column < static_cast<int>(SkillDef{}.SkillLevels.size())) {
        for (int i = 1; i <= LastSkill; ++i) {
            const SkillDef& def = game.Skills[static_cast<size_t>(i)];
            const int32_t from = def.SkillLevels[static_cast<size_t>(column)];
            if (from != 0 && creature.Level >= from) rows.push_back({def.SkillName, def.SkillCode});
        }
    }
    for (int slot = 1; slot <= 15; ++slot) {
        const InventorySlot& held = creature.Items[static_cast<size_t>(slot)];
        const ItemDef* item = FindItem(game, held.ItemId);
        if (item == nullptr || item->GrantSkill <= 0 || item->GrantSkill > LastSkill) continue;
        if (WornPosition(held) == Position::None) continue;
        const SkillDef& def = game.Skills[static_cast<size_t>(item->GrantSkill)];
        if (!offered(def.SkillCode)) rows.push_back({def.SkillName, def.SkillCode});
    }
    for (SkillRow& row : rows) {
        row.On = row.Code >= 0 && row.Code <= LastSkill &&
                 creature.Skills[static_cast<size_t>(row.Code)] != 0;
    }
    return rows;
}

int SkillLimit(const Game& game) {
    int64_t limit = BaseSkillLimit;
    for (int flag = FirstLimitFlag; flag <= LastLimitFlag; ++flag) {
        limit += game.EventFlags[static_cast<size_t>(flag)];
    }
    return static_cast<int>(std::clamp<int64_t>(limit, 0, SkillRows));
}

std::string CheckSkillCount(const Game& game, const Creature& creature,
                            const std::vector<SkillRow>& rows) {
    const int checked = static_cast<int>(
        std::count_if(rows.begin(), rows.end(), [](const SkillRow& row) { return row.On; }));
    const int limit = SkillLimit(game);
    if (checked <= limit) return {};
    return creature.Name + "が\n一度に装備できるスキルは『" + WideNumber(limit) + "』個までです";
}

std::string CheckSkillOff(const Game& game, const Creature& creature, int code) {
    const SkillDef* def = EntryOf(game, code);
    const int skill = def != nullptr ? def->SkillCode : code;
    if (skill != static_cast<int>(Skill::DualWield)) return {};
    for (int slot = 1; slot <= 15; ++slot) {
        const InventorySlot& held = creature.Items[static_cast<size_t>(slot)];
        const ItemDef* item = FindItem(game, held.ItemId);
        if (item != nullptr && KindOf(*item) == ItemKind::Weapon &&
            WornPosition(held) == Position::Secondary) {
            return "セカンダリを装備している場合、\n二刀流のスキルは外せません";
        }
    }
    return {};
}

std::string SkillDescription(const Game& game, int code) {
    const SkillDef* def = EntryOf(game, code);
    return def != nullptr ? def->SkillText : std::string();
}

void WriteBackSkills(Creature& creature, const std::vector<SkillRow>& rows) {
    creature.Skills.fill(0);
    for (const SkillRow& row : rows) {
        if (row.Code < 0 || row.Code > LastSkill) continue;
        creature.Skills[static_cast<size_t>(row.Code)] = row.On ? -1 : 0;
    }
    if (HasSkill(creature, Skill::Fearless)) creature.Resist[FearAttribute] = 100;
    if (HasSkill(creature, Skill::Frostproof)) creature.Resist[FrozenAttribute] = 100;
}

bool PartyHasSkill(const Game& game, Skill skill) {
    if (static_cast<int>(skill) <= 0 || static_cast<int>(skill) > LastSkill) return false;
    for (int i = 1; i <= game.PartyCount && i < static_cast<int>(game.PartyList.size()); ++i) {
        const int member = game.PartyList[static_cast<size_t>(i)];
        if (member <= 0 || member >= RosterRows) continue;
        if (game.Roster[static_cast<size_t>(member)].Skills[static_cast<size_t>(skill)] != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace kv
