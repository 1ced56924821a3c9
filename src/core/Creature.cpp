#include "core/Creature.h"

#include "core/Serializer.h"

namespace kv {

void Sync(Serializer& s, InventorySlot& slot) {
    s.Long(slot.ItemId, "ItemId");
    s.Long(slot.ItemFlags, "ItemFlags");
    s.Long(slot.ItemCount, "ItemCount");
}

void Sync(Serializer& s, Creature& c) {
    s.Long(c.Id, "Id");
    s.Long(c.Level, "Level");
    s.Array(c.NameCodes, "NameCodes");
    s.String(c.Name, "Name");
    s.Array(c.SubNameCodes, "SubNameCodes");
    s.String(c.SubName, "SubName");
    s.Integer(c.Race, "Race");
    s.Long(c.Class, "Class");
    s.Byte(c.Sex, "Sex");
    s.Byte(c.Alignment, "Alignment");
    s.Integer(c.Age, "Age");
    s.Integer(c.AgeDays, "AgeDays");
    s.Long(c.Status, "Status");
    s.Byte(c.PartyNo, "PartyNo");
    s.Byte(c.PartyPos, "PartyPos");
    s.Integer(c.TreasureLevel, "TreasureLevel");
    s.Bytes(c.Spare176, "Spare176");
    s.Byte(c.Place, "Place");
    s.Byte(c.Floor, "Floor");
    s.Integer(c.PosX, "PosX");
    s.Integer(c.PosY, "PosY");
    s.Double(c.Gold, "Gold");
    s.Double(c.Exp, "Exp");
    s.Array(c.GroupDice, "GroupDice");
    s.Array(c.HPDice, "HPDice");
    s.Array(c.DamageDice, "DamageDice");
    s.Double(c.Marks, "Marks");
    s.Double(c.Escapes, "Escapes");
    s.Double(c.Victories, "Victories");
    s.Double(c.StepCycles, "StepCycles");
    s.Double(c.Walk, "Walk");
    s.Long(c.BaseAC, "BaseAC");
    s.Long(c.AC, "AC");
    s.Long(c.Revivals, "Revivals");
    s.Long(c.HP, "HP");
    s.Long(c.MaxHP, "MaxHP");
    s.Byte(c.Str, "Str");
    s.Byte(c.IQ, "IQ");
    s.Byte(c.Piety, "Piety");
    s.Byte(c.Vitality, "Vitality");
    s.Byte(c.Dexterity, "Dexterity");
    s.Byte(c.Agility, "Agility");
    s.Byte(c.Charm, "Charm");
    s.Byte(c.Luck, "Luck");
    s.Integer(c.Identified, "Identified");
    s.Integer(c.ReachAll, "ReachAll");
    s.Integer(c.AttackCount, "AttackCount");
    s.Integer(c.Regen, "Regen");
    s.Integer(c.Spare306, "Spare306");
    s.Array(c.Actions, "Actions");
    s.Array(c.AttackEffects, "AttackEffects");
    s.Array(c.Resist, "Resist");
    s.Array(c.DamageRate, "DamageRate");
    s.Integer(c.Spare461, "Spare461");
    s.Integer(c.AttackAttribute, "AttackAttribute");
    s.Records(c.Items, "Items");
    s.Array(c.Spells, "Spells");
    s.Array(c.MP, "MP");
    s.Array(c.MaxMP, "MaxMP");
    s.Long(c.GrantFlags1, "GrantFlags1");
    s.Long(c.GrantFlags2, "GrantFlags2");
    s.Long(c.Criticals, "Criticals");
    s.Array(c.Insignia, "Insignia");
    s.Integer(c.Initiative, "Initiative");
    s.Integer(c.Command, "Command");
    s.Integer(c.TargetGroup, "TargetGroup");
    s.Array(c.Spare1386, "Spare1386");
    s.Integer(c.CommandArg, "CommandArg");
    s.Integer(c.ItemSlot, "ItemSlot");
    s.Integer(c.BreathCount, "BreathCount");
    s.Array(c.Skills, "Skills");
    s.Byte(c.Spare1998, "Spare1998");
    s.Integer(c.SummonLevel, "SummonLevel");
    s.Array(c.WeaponRate, "WeaponRate");
}

}  // namespace kv
