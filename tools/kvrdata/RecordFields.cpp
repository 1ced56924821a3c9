#include "RecordFields.h"

#include <array>

namespace kv::kvrdata {

namespace {

constexpr std::array<CodedPart, 1> ItemName = {{{"Name", 1, 30}}};
constexpr std::array<CodedPart, 1> ItemUnidentified = {{{"UnidentifiedName", 1, 20}}};
constexpr std::array<CodedPart, 1> CreatureName = {{{"Name", 1, 50}}};
constexpr std::array<CodedPart, 1> CreatureSubName = {{{"SubName", 1, 20}}};
constexpr std::array<CodedPart, 1> SkillTextParts = {{{"SkillText", 1, 100}}};
constexpr std::array<CodedPart, 1> QuestTitleParts = {{{"QuestTitle", 1, 50}}};
constexpr std::array<CodedPart, 1> QuestTextParts = {{{"QuestText", 1, 200}}};
constexpr std::array<CodedExtra, 1> QuestReward = {{{"RewardItem", 201}}};
constexpr std::array<CodedPart, 2> Talk = {{{"TalkTopic", 1, 50}, {"TalkText", 52, 451}}};
constexpr std::array<CodedPart, 1> MessageParts = {{{"Message", 1, 200}}};
constexpr std::array<CodedPart, 1> Judge = {{{"JudgeString", 1, 100}}};

// Monster definitions keep their drop in inventory slots 3 and 4; when
// nothing else is in the inventory the two friendly keys say it.
void VisitInventory(FieldVisitor& f, Creature& c) {
    if (f.IsReading()) {
        f.Inventory("Items", c.Items);
        if (f.Has("DropItem")) f.Long("DropItem", c.DropItem());
        if (f.Has("DropChance")) f.Long("DropChance", c.DropChance());
        f.Claim("DropItem");
        f.Claim("DropChance");
        return;
    }
    bool onlyDrop = true;
    for (size_t i = 0; i < c.Items.size(); ++i) {
        const InventorySlot& slot = c.Items[i];
        const bool dropField = i == 3 || i == 4;
        onlyDrop = onlyDrop && slot.ItemFlags == 0 && slot.ItemCount == 0 &&
                   (dropField || slot.ItemId == 0);
    }
    if (!onlyDrop) {
        f.Inventory("Items", c.Items);
        return;
    }
    f.Long("DropItem", c.DropItem());
    f.Long("DropChance", c.DropChance());
}

}  // namespace

void VisitFields(FieldVisitor& f, ItemDef& item, int row) {
    f.Long("Id", item.Id, row);
    f.Integer("AppraiseLevel", item.AppraiseLevel);
    f.Byte("IdentifyLevel", item.IdentifyLevel);
    f.Byte("FindLevel", item.FindLevel);
    f.Coded("NameCodes", item.NameCodes, ItemName);
    f.Text("StoredName", item.Name);
    f.Coded("UnidentifiedNameCodes", item.UnidentifiedNameCodes, ItemUnidentified);
    f.Text("StoredUnidentifiedName", item.UnidentifiedName);
    f.Integer("Kind", item.Kind);
    f.Integer("WeaponType", item.WeaponType);
    f.Integer("DualWield", item.DualWield);
    f.Integer("TwoHanded", item.TwoHanded);
    f.Byte("Reach", item.Reach);
    f.Byte("WeaponAttribute", item.WeaponAttribute);
    f.Byte("UseBreakChance", item.UseBreakChance);
    f.Byte("PowerBreakChance", item.PowerBreakChance);
    f.Integer("BrokenInto", item.BrokenInto);
    f.Long("Price", item.Price);
    f.Integer("WeaponBonus", item.WeaponBonus);
    f.Array("WeaponDice", item.WeaponDice);
    f.Byte("MinHits", item.MinHits);
    f.Integer("ACBonus", item.ACBonus);
    f.Integer("Power", item.Power);
    f.Integer("SpellNo", item.SpellNo);
    f.Integer("ItemRegen", item.ItemRegen);
    f.Array("ExtraChance", item.ExtraChance);
    f.Array("ItemResist", item.ItemResist);
    f.Array("ItemDamageRate", item.ItemDamageRate);
    f.Long("GrantFlags1", item.GrantFlags1);
    f.Long("GrantFlags2", item.GrantFlags2);
    f.Byte("SexMask", item.SexMask);
    f.Byte("AlignMask", item.AlignMask);
    f.Integer("RaceMask", item.RaceMask);
    f.Long("ClassMask", item.ClassMask);
    f.Integer("GrantSkill", item.GrantSkill);
    f.Integer("UseKind", item.UseKind);
    f.Integer("Cursed", item.Cursed);
}

void VisitFields(FieldVisitor& f, SpellDef& spell, int row) {
    f.Integer("Code", spell.Code, static_cast<int16_t>(row));
    f.Byte("School", spell.School);
    f.Byte("SpellLevel", spell.SpellLevel);
    f.Byte("Slot", spell.Slot);
    f.Text("Name", spell.Name);
    f.Byte("Effect", spell.Effect);
    f.Byte("SpellAttribute", spell.SpellAttribute);
    f.Byte("TargetKind", spell.TargetKind);
    f.Byte("SpellFlags", spell.SpellFlags);
    f.Array("SpellDice", spell.SpellDice);
    f.Text("AltName", spell.AltName);
}

void VisitFields(FieldVisitor& f, TrapDef& trap, int) {
    f.Byte("TrapSpare", trap.TrapSpare);
    f.Byte("TrapExpFactor", trap.TrapExpFactor);
    f.Byte("TrapEffect", trap.TrapEffect);
    f.Text("TrapMessage", trap.TrapMessage);
    f.Text("TrapName", trap.TrapName);
}

void VisitFields(FieldVisitor& f, NpcTradeDef& trade, int) {
    f.Byte("TradeSpare", trade.TradeSpare);
    f.Array("TradeItems", trade.TradeItems);
    f.Single("TradeSellFactor", trade.TradeSellFactor);
}

void VisitFields(FieldVisitor& f, SkillDef& skill, int row) {
    f.Integer("SkillCode", skill.SkillCode, static_cast<int16_t>(row));
    f.Text("SkillName", skill.SkillName);
    f.Text("StoredSkillText", skill.SkillText);
    f.Coded("SkillTextCodes", skill.SkillTextCodes, SkillTextParts);
    f.Array("SkillLevels", skill.SkillLevels);
}

void VisitFields(FieldVisitor& f, QuestDef& quest, int row) {
    f.Integer("QuestCode", quest.QuestCode, static_cast<int16_t>(row));
    f.Text("StoredQuestTitle", quest.QuestTitle);
    f.Coded("QuestTitleCodes", quest.QuestTitleCodes, QuestTitleParts);
    f.Text("StoredQuestText", quest.QuestText);
    f.Coded("QuestTextCodes", quest.QuestTextCodes, QuestTextParts, QuestReward);
}

void VisitFields(FieldVisitor& f, TalkDef& talk, int) {
    f.Integer("TalkSpare", talk.TalkSpare);
    f.Integer("TalkPerson", talk.TalkPerson);
    f.Text("StoredTalkTopic", talk.TalkTopic);
    f.Text("StoredTalkText", talk.TalkText);
    f.Coded("TalkCodes", talk.TalkCodes, Talk);
}

void VisitFields(FieldVisitor& f, MonsterActionDef& action, int) {
    f.Long("LeadNumber", action.LeadNumber);
    f.Text("LeadText", action.LeadText);
    f.Long("ActionKind", action.ActionKind);
    f.Long("TargetType", action.TargetType);
    f.Array("CountDice", action.CountDice);
    f.Long("Attribute", action.Attribute);
    f.Long("Attribute2", action.Attribute2);
    f.Array("ConditionChance", action.ConditionChance);
    f.Text("DiceCount", action.DiceCount);
    f.Text("DiceSides", action.DiceSides);
    f.Text("DiceAdd", action.DiceAdd);
    f.Text("Times", action.Times);
    f.Text("ExtraText", action.ExtraText);
    f.Text("Message", action.Message);
}

void VisitFields(FieldVisitor& f, SpareRecord& record, int) {
    f.Array("Data", record.Data);
    f.Text("Text1", record.Text1);
    f.Text("Text2", record.Text2);
    f.Text("Text3", record.Text3);
}

void VisitFields(FieldVisitor& f, Creature& c, int row) {
    f.Long("Id", c.Id, row);
    f.Long("Level", c.Level);
    f.Coded("NameCodes", c.NameCodes, CreatureName);
    f.Text("StoredName", c.Name);
    f.Coded("SubNameCodes", c.SubNameCodes, CreatureSubName);
    f.Text("StoredSubName", c.SubName);
    f.Integer("Race", c.Race);
    f.Long("Class", c.Class);
    f.Byte("Sex", c.Sex);
    f.Byte("Alignment", c.Alignment);
    f.Integer("Age", c.Age);
    f.Integer("AgeDays", c.AgeDays);
    f.Long("Status", c.Status);
    f.Byte("PartyNo", c.PartyNo);
    f.Byte("PartyPos", c.PartyPos);
    f.Integer("TreasureLevel", c.TreasureLevel);
    f.Array("Spare176", c.Spare176);
    f.Byte("Place", c.Place);
    f.Byte("Floor", c.Floor);
    f.Integer("PosX", c.PosX);
    f.Integer("PosY", c.PosY);
    f.Double("Gold", c.Gold);
    f.Double("Exp", c.Exp);
    f.Array("GroupDice", c.GroupDice);
    f.Array("HPDice", c.HPDice);
    f.Array("DamageDice", c.DamageDice);
    f.Double("Marks", c.Marks);
    f.Double("Escapes", c.Escapes);
    f.Double("Victories", c.Victories);
    f.Double("StepCycles", c.StepCycles);
    f.Double("Walk", c.Walk);
    f.Long("BaseAC", c.BaseAC);
    f.Long("AC", c.AC);
    f.Long("Revivals", c.Revivals);
    f.Long("HP", c.HP);
    f.Long("MaxHP", c.MaxHP);
    f.Byte("Str", c.Str);
    f.Byte("IQ", c.IQ);
    f.Byte("Piety", c.Piety);
    f.Byte("Vitality", c.Vitality);
    f.Byte("Dexterity", c.Dexterity);
    f.Byte("Agility", c.Agility);
    f.Byte("Charm", c.Charm);
    f.Byte("Luck", c.Luck);
    f.Integer("Identified", c.Identified);
    f.Integer("ReachAll", c.ReachAll);
    f.Integer("AttackCount", c.AttackCount);
    f.Integer("Regen", c.Regen);
    f.Integer("Spare306", c.Spare306);
    f.Array("Actions", c.Actions);
    f.Array("AttackEffects", c.AttackEffects);
    f.Array("Resist", c.Resist);
    f.Array("DamageRate", c.DamageRate);
    f.Integer("Spare461", c.Spare461);
    f.Integer("AttackAttribute", c.AttackAttribute);
    VisitInventory(f, c);
    f.Array("Spells", c.Spells);
    f.Array("MP", c.MP);
    f.Array("MaxMP", c.MaxMP);
    f.Long("GrantFlags1", c.GrantFlags1);
    f.Long("GrantFlags2", c.GrantFlags2);
    f.Long("Criticals", c.Criticals);
    f.Array("Insignia", c.Insignia);
    f.Integer("Initiative", c.Initiative);
    f.Integer("Command", c.Command);
    f.Integer("TargetGroup", c.TargetGroup);
    f.Array("Spare1386", c.Spare1386);
    f.Integer("CommandArg", c.CommandArg);
    f.Integer("ItemSlot", c.ItemSlot);
    f.Integer("BreathCount", c.BreathCount);
    f.Array("Skills", c.Skills);
    f.Byte("Spare1998", c.Spare1998);
    f.Integer("SummonLevel", c.SummonLevel);
    f.Array("WeaponRate", c.WeaponRate);
}

void VisitContentFields(FieldVisitor& f, EventDef& e, int position) {
    f.Byte("ContentId", e.ContentId, static_cast<uint8_t>(position));
    f.Byte("Target", e.Target);
    f.Byte("Unused", e.Unused);
    f.Integer("DataID", e.DataID);
    f.Coded("MessageCodes", e.MessageCodes, MessageParts);
    f.Byte("LocDungeon", e.LocDungeon);
    f.Byte("LocFloor", e.LocFloor);
    f.Byte("LocX", e.LocX);
    f.Byte("LocY", e.LocY);
    f.Byte("LocDirection", e.LocDirection);
    f.Long("DA", e.DA);
    f.Long("DB", e.DB);
    f.Long("DC", e.DC);
    f.Long("State", e.State);
    f.Coded("JudgeCodes", e.JudgeCodes, Judge);
    f.Byte("TrueID", e.TrueID);
    f.Byte("FalseID", e.FalseID);
}

}  // namespace kv::kvrdata
