// The battle command list: the entries by class, skills and state, the
// letters that pick them, the reach of a weapon over the monster rows, and
// the input index moving over the members who can act.
#include "battle/BattleCommands.h"

#include <array>

#include "character/CharacterRules.h"
#include "core/Names.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int FrontRowSize = 3;
constexpr int RaceDragon = 64;

// Skills that open entries.
constexpr int SkillHide = 4;
constexpr int SkillStealHidden = 5;
constexpr int SkillProbe = 7;
constexpr int SkillSteal = 9;
constexpr int SkillDispelDemons = 26;
constexpr int SkillDispelUndead = 28;
constexpr int SkillCoins = 39;
constexpr int SkillInspect = 41;

constexpr std::array<BattleEntryDef, 17> Entries = {{
    {BattleEntry::Ambush, "A)奇襲", 'A', CommandFight, "奇襲", EntryTarget::MonsterGroup},
    {BattleEntry::Fight, "F)戦う", 'F', CommandFight, "戦う", EntryTarget::MonsterGroup},
    {BattleEntry::Steal, "K)盗む", 'K', CommandSteal, "盗む", EntryTarget::MonsterGroup},
    {BattleEntry::Parry, "P)身を守る", 'P', CommandParry, "身を守る", EntryTarget::None},
    {BattleEntry::Hide, "H)隠れる", 'H', CommandHide, "隠れる", EntryTarget::None},
    {BattleEntry::Probe, "J)探る", 'J', CommandProbe, "探る", EntryTarget::MonsterGroup},
    {BattleEntry::Inspect, "W)みぬく", 'W', CommandInspect, "みぬく", EntryTarget::MonsterGroup},
    {BattleEntry::Coins, "Z)ぜになげ", 'Z', CommandCoins, "ぜになげ", EntryTarget::MonsterGroup},
    {BattleEntry::Breath, "I)ブレス", 'I', CommandBreath, "ブレス", EntryTarget::MonsterGroup},
    {BattleEntry::Dispel, "D)呪いを解く", 'D', CommandDispel, "呪いを解く",
     EntryTarget::MonsterGroup},
    {BattleEntry::Escape, "R)逃げる", 'R', 0, "", EntryTarget::Other},
    {BattleEntry::Status, "T)ステータス", 'T', 0, "", EntryTarget::Other},
    {BattleEntry::Reorder, "E)再編成", 'E', 0, "", EntryTarget::Other},
    {BattleEntry::Auto, "O)ノーマルオート", 'O', 0, "", EntryTarget::Other},
    {BattleEntry::Back, "B)戻る", 'B', 0, "", EntryTarget::Other},
    {BattleEntry::Start, "G)戦闘開始", 'G', 0, "", EntryTarget::Other},
    {BattleEntry::Redo, "C)やり直す", 'C', 0, "", EntryTarget::Other},
}};

// Entries a skill opens, in the order the list shows them.
struct SkillEntry {
    int Skill;
    BattleEntry Entry;
};
constexpr std::array<SkillEntry, 4> SkillEntries = {{
    {SkillHide, BattleEntry::Hide},
    {SkillProbe, BattleEntry::Probe},
    {SkillInspect, BattleEntry::Inspect},
    {SkillCoins, BattleEntry::Coins},
}};

}  // namespace

const BattleEntryDef& EntryDef(BattleEntry entry) {
    return Entries[static_cast<size_t>(entry)];
}

std::optional<BattleEntry> EntryForKey(int letter) {
    for (const BattleEntryDef& def : Entries)
        if (def.Key == letter) return def.Entry;
    return std::nullopt;
}

std::vector<BattleEntry> MemberEntries(const Game& game, const Creature& member, int position) {
    std::vector<BattleEntry> list;
    if ((member.Status & StatusHidden) != 0) {
        list.push_back(BattleEntry::Ambush);
        if (HasSkill(member, SkillStealHidden)) list.push_back(BattleEntry::Steal);
    } else {
        const bool backRow = position > FrontRowSize;
        if ((member.Status & StatusFly) == 0 && (!backRow || MainHandReach(game, member) > 1))
            list.push_back(BattleEntry::Fight);
        if (HasSkill(member, SkillSteal)) list.push_back(BattleEntry::Steal);
    }
    list.push_back(BattleEntry::Parry);
    for (const SkillEntry& e : SkillEntries)
        if (HasSkill(member, e.Skill)) list.push_back(e.Entry);
    if (member.Race == RaceDragon) list.push_back(BattleEntry::Breath);
    // Spells, items, songs and summons join the list with their own rules.
    if (HasSkill(member, SkillDispelDemons) || HasSkill(member, SkillDispelUndead))
        list.push_back(BattleEntry::Dispel);
    list.push_back(BattleEntry::Escape);
    list.push_back(BattleEntry::Status);
    if (position == 1) {
        list.push_back(BattleEntry::Reorder);
        list.push_back(BattleEntry::Auto);
    } else {
        list.push_back(BattleEntry::Back);
    }
    return list;
}

std::vector<BattleEntry> ConfirmationEntries() {
    return {BattleEntry::Start, BattleEntry::Back, BattleEntry::Redo};
}

bool SettleInputIndex(Game& game, int direction) {
    int16_t& index = game.Battle.InputIndex;
    const auto ableAt = [&](int i) {
        const Creature* c = PartyMember(game, i);
        return c != nullptr && CanAct(*c);
    };
    if (index < 1) index = 1;
    while (index <= game.PartyCount && !ableAt(index)) {
        if (direction < 0) {
            if (index == 1) break;
            --index;
        } else {
            ++index;
        }
    }
    return index <= game.PartyCount && ableAt(index);
}

int MainHandReach(const Game& game, const Creature& member) {
    for (size_t s = 1; s < member.Items.size(); ++s) {
        if (member.Items[s].ItemId == 0 || (member.Items[s].ItemFlags & 7) != 1) continue;
        const ItemDef* item = WeaponIn(game, member, static_cast<int>(s));
        return item != nullptr ? item->Reach : 0;
    }
    return 0;
}

bool ReachesRow(const Game& game, const Creature& member, int position, int row) {
    if (row < 2) return true;
    const int reach = MainHandReach(game, member);
    return position > FrontRowSize ? reach > 2 : reach > 1;
}

std::string StateWord(const Creature& member) {
    return member.Status != 0 ? std::string(StatusName(member.Status)) : WideNumber(member.HP);
}

}  // namespace kv
