#include "core/TableRecords.h"

#include "core/Serializer.h"

namespace kv {

void Sync(Serializer& s, TrapDef& trap) {
    s.Byte(trap.TrapSpare, "TrapSpare");
    s.Byte(trap.TrapExpFactor, "TrapExpFactor");
    s.Byte(trap.TrapEffect, "TrapEffect");
    s.String(trap.TrapMessage, "TrapMessage");
    s.String(trap.TrapName, "TrapName");
}

void Sync(Serializer& s, NpcTradeDef& trade) {
    s.Byte(trade.TradeSpare, "TradeSpare");
    s.Array(trade.TradeItems, "TradeItems");
    s.Single(trade.TradeSellFactor, "TradeSellFactor");
}

void Sync(Serializer& s, SkillDef& skill) {
    s.Integer(skill.SkillCode, "SkillCode");
    s.String(skill.SkillName, "SkillName");
    s.String(skill.SkillText, "SkillText");
    s.Array(skill.SkillTextCodes, "SkillTextCodes");
    s.Array(skill.SkillLevels, "SkillLevels");
}

void Sync(Serializer& s, QuestDef& quest) {
    s.Integer(quest.QuestCode, "QuestCode");
    s.String(quest.QuestTitle, "QuestTitle");
    s.Array(quest.QuestTitleCodes, "QuestTitleCodes");
    s.String(quest.QuestText, "QuestText");
    s.Array(quest.QuestTextCodes, "QuestTextCodes");
}

void Sync(Serializer& s, TalkDef& talk) {
    s.Integer(talk.TalkSpare, "TalkSpare");
    s.Integer(talk.TalkPerson, "TalkPerson");
    s.String(talk.TalkTopic, "TalkTopic");
    s.String(talk.TalkText, "TalkText");
    s.Array(talk.TalkCodes, "TalkCodes");
}

void Sync(Serializer& s, MonsterActionDef& action) {
    s.Long(action.LeadNumber, "LeadNumber");
    s.String(action.LeadText, "LeadText");
    s.Long(action.ActionKind, "ActionKind");
    s.Long(action.TargetType, "TargetType");
    s.Array(action.CountDice, "CountDice");
    s.Long(action.Attribute, "Attribute");
    s.Long(action.Attribute2, "Attribute2");
    s.Array(action.ConditionChance, "ConditionChance");
    s.String(action.DiceCount, "DiceCount");
    s.String(action.DiceSides, "DiceSides");
    s.String(action.DiceAdd, "DiceAdd");
    s.String(action.Times, "Times");
    s.String(action.ExtraText, "ExtraText");
    s.String(action.Message, "Message");
}

void Sync(Serializer& s, SpareRecord& record) {
    s.Bytes(record.Data, "Data");
    s.String(record.Text1, "Text1");
    s.String(record.Text2, "Text2");
    s.String(record.Text3, "Text3");
}

}  // namespace kv
