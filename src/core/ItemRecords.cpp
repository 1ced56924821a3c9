#include "core/ItemRecords.h"

#include "core/Serializer.h"

namespace kv {

void Sync(Serializer& s, ItemDef& item) {
    s.Long(item.Id, "Id");
    s.Integer(item.AppraiseLevel, "AppraiseLevel");
    s.Byte(item.IdentifyLevel, "IdentifyLevel");
    s.Byte(item.FindLevel, "FindLevel");
    s.Array(item.NameCodes, "NameCodes");
    s.String(item.Name, "Name");
    s.Array(item.UnidentifiedNameCodes, "UnidentifiedNameCodes");
    s.String(item.UnidentifiedName, "UnidentifiedName");
    s.Integer(item.Kind, "Kind");
    s.Integer(item.WeaponType, "WeaponType");
    s.Integer(item.DualWield, "DualWield");
    s.Integer(item.TwoHanded, "TwoHanded");
    s.Byte(item.Reach, "Reach");
    s.Byte(item.WeaponAttribute, "WeaponAttribute");
    s.Byte(item.UseBreakChance, "UseBreakChance");
    s.Byte(item.PowerBreakChance, "PowerBreakChance");
    s.Integer(item.BrokenInto, "BrokenInto");
    s.Long(item.Price, "Price");
    s.Integer(item.WeaponBonus, "WeaponBonus");
    s.Array(item.WeaponDice, "WeaponDice");
    s.Byte(item.MinHits, "MinHits");
    s.Integer(item.ACBonus, "ACBonus");
    s.Integer(item.Power, "Power");
    s.Integer(item.SpellNo, "SpellNo");
    s.Integer(item.ItemRegen, "ItemRegen");
    s.Array(item.ExtraChance, "ExtraChance");
    s.Array(item.ItemResist, "ItemResist");
    s.Array(item.ItemDamageRate, "ItemDamageRate");
    s.Long(item.GrantFlags1, "GrantFlags1");
    s.Long(item.GrantFlags2, "GrantFlags2");
    s.Byte(item.SexMask, "SexMask");
    s.Byte(item.AlignMask, "AlignMask");
    s.Integer(item.RaceMask, "RaceMask");
    s.Long(item.ClassMask, "ClassMask");
    s.Integer(item.GrantSkill, "GrantSkill");
    s.Integer(item.UseKind, "UseKind");
    s.Integer(item.Cursed, "Cursed");
}

void Sync(Serializer& s, SpellDef& spell) {
    s.Integer(spell.Code, "Code");
    s.Byte(spell.School, "School");
    s.Byte(spell.SpellLevel, "SpellLevel");
    s.Byte(spell.Slot, "Slot");
    s.String(spell.Name, "Name");
    s.Byte(spell.Effect, "Effect");
    s.Byte(spell.SpellAttribute, "SpellAttribute");
    s.Byte(spell.TargetKind, "TargetKind");
    s.Byte(spell.SpellFlags, "SpellFlags");
    s.Array(spell.SpellDice, "SpellDice");
    s.String(spell.AltName, "AltName");
}

}  // namespace kv
