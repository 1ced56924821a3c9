#include "core/EventRecord.h"

#include "core/Serializer.h"

namespace kv {

void Sync(Serializer& s, EventDef& event) {
    s.Integer(event.ID, "ID");
    s.Byte(event.Dungeon, "Dungeon");
    s.Byte(event.Floor, "Floor");
    s.Byte(event.X, "X");
    s.Byte(event.Y, "Y");
    s.Byte(event.Dir, "Dir");
    s.Byte(event.EventCase, "EventCase");
    s.Byte(event.ContentId, "ContentId");
    s.Byte(event.Kind, "Kind");
    s.Byte(event.Target, "Target");
    s.Byte(event.Unused, "Unused");
    s.Integer(event.DataID, "DataID");
    s.Array(event.MessageCodes, "MessageCodes");
    s.Byte(event.LocDungeon, "LocDungeon");
    s.Byte(event.LocFloor, "LocFloor");
    s.Byte(event.LocX, "LocX");
    s.Byte(event.LocY, "LocY");
    s.Byte(event.LocDirection, "LocDirection");
    s.Long(event.DA, "DA");
    s.Long(event.DB, "DB");
    s.Long(event.DC, "DC");
    s.Long(event.State, "State");
    s.Array(event.JudgeCodes, "JudgeCodes");
    s.Byte(event.TrueID, "TrueID");
    s.Byte(event.FalseID, "FalseID");
}

}  // namespace kv
