// The battle command list: the entries by class, skills and state, the
// letters that pick them, the reach of a weapon over the monster rows, and
// the input index moving over the members who can act.
#include "battle/BattleCommands.h"

#include <algorithm>
#include <array>
#include <string>

#include "character/CharacterRules.h"
#include "character/SpellBook.h"
#include "core/Names.h"
#include "core/TextFormat.h"

namespace kv {

namespace {

constexpr int FrontRowSize = 3;
constexpr int RaceDragon = 64;

constexpr std::array<BattleEntryDef, 21> Entries = {{
    {BattleEntry::Ambush, Str::RowAmbush, 'A', CommandFight, "奇襲", EntryTarget::MonsterGroup},
    {BattleEntry::Fight, Str::RowFight, 'F', CommandFight, "戦う", EntryTarget::MonsterGroup},
    {BattleEntry::Steal, Str::RowSteal, 'K', CommandSteal, "盗む", EntryTarget::MonsterGroup},
    {BattleEntry::Parry, Str::RowParry, 'P', CommandParry, "身を守る", EntryTarget::None},
    {BattleEntry::Hide, Str::RowHide, 'H', CommandHide, "隠れる", EntryTarget::None},
    {BattleEntry::Probe, Str::RowProbe, 'J', CommandProbe, "探る", EntryTarget::MonsterGroup},
    {BattleEntry::Inspect, Str::RowSeeThrough, 'W', CommandInspect, "みぬく",
     EntryTarget::MonsterGroup},
    {BattleEntry::Coins, Str::RowThrowCoins, 'Z', CommandCoins, "ぜになげ",
     EntryTarget::MonsterGroup},
    {BattleEntry::Breath, Str::RowBreath, 'I', CommandBreath, "ブレス", EntryTarget::MonsterGroup},
    {BattleEntry::Dispel, Str::RowDispel, 'D', CommandDispel, "呪いを解く",
     EntryTarget::MonsterGroup},
    {BattleEntry::Escape, Str::RowEscape, 'R', 0, "", EntryTarget::Other},
    {BattleEntry::Status, Str::RowStatus, 'T', 0, "", EntryTarget::Other},
    {BattleEntry::Reorder, Str::RowReorder, 'E', 0, "", EntryTarget::Other},
    {BattleEntry::Auto, Str::RowNormalAuto, 'O', 0, "", EntryTarget::Other},
    {BattleEntry::Back, Str::RowBattleBack, 'B', 0, "", EntryTarget::Other},
    {BattleEntry::Start, Str::RowStartBattle, 'G', 0, "", EntryTarget::Other},
    {BattleEntry::Redo, Str::RowRedo, 'C', 0, "", EntryTarget::Other},
    {BattleEntry::Spell, Str::RowSpell, 'S', CommandSpell, "", EntryTarget::BySpell},
    {BattleEntry::Item, Str::RowUseItem, 'U', CommandItem, "アイテム", EntryTarget::BySpell},
    {BattleEntry::Song, Str::RowSong, 'V', CommandSong, "", EntryTarget::BySpell},
    {BattleEntry::Summon, Str::RowSummon, 'M', CommandSummon, "召喚", EntryTarget::Level},
}};

// Entries a skill opens, in the order the list shows them.
struct SkillEntry {
    Skill Needs;
    BattleEntry Entry;
};
constexpr std::array<SkillEntry, 4> SkillEntries = {{
    {Skill::Hide, BattleEntry::Hide},
    {Skill::Probe, BattleEntry::Probe},
    {Skill::SeeThrough, BattleEntry::Inspect},
    {Skill::ThrowCoins, BattleEntry::Coins},
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
        if (HasSkill(member, Skill::StealWhileHidden)) list.push_back(BattleEntry::Steal);
    } else {
        const bool backRow = position > FrontRowSize;
        if ((member.Status & StatusFly) == 0 && (!backRow || MainHandReach(game, member) > 1))
            list.push_back(BattleEntry::Fight);
        if (HasSkill(member, Skill::Steal)) list.push_back(BattleEntry::Steal);
    }
    list.push_back(BattleEntry::Parry);
    for (const SkillEntry& e : SkillEntries)
        if (HasSkill(member, e.Needs)) list.push_back(e.Entry);
    if (member.Race == RaceDragon) list.push_back(BattleEntry::Breath);
    if (KnowsAnyFirstLevelSpell(member)) list.push_back(BattleEntry::Spell);
    if (HasSkill(member, Skill::DispelDemons) || HasSkill(member, Skill::DispelUndead))
        list.push_back(BattleEntry::Dispel);
    if (HasSkill(member, Skill::Summon)) list.push_back(BattleEntry::Summon);
    if (HasSkill(member, Skill::Songs)) list.push_back(BattleEntry::Song);
    list.push_back(BattleEntry::Item);
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
        const Creature* c = game.Member(i);
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

void AskSummonLevel(Player& player, Creature& member) {
    constexpr int HighestLevel = 100;
    const int top = member.Level <= HighestLevel ? member.Level : HighestLevel;
    const std::string answer =
        player.Input("召喚ＬＶを入力してください (1-" + std::to_string(top) + ") ");
    // The answer's leading number, as typed; nothing numeric reads as 0.
    int64_t level = 0;
    size_t i = 0;
    while (i < answer.size() && answer[i] == ' ') ++i;
    const bool negative = i < answer.size() && answer[i] == '-';
    if (negative || (i < answer.size() && answer[i] == '+')) ++i;
    for (; i < answer.size() && answer[i] >= '0' && answer[i] <= '9' && level <= HighestLevel; ++i)
        level = level * 10 + (answer[i] - '0');
    if (negative) level = -level;
    member.CommandArg = static_cast<int16_t>(std::min<int64_t>(level, member.Level));
}

std::string StateWord(const Creature& member) {
    return member.Status != 0 ? std::string(StatusName(member.Status)) : WideNumber(member.HP);
}

}  // namespace kv
