#pragma once
// The source form of each record: which key holds which field. Each routine
// both reads and writes (see FieldVisitor); row is the record's row, which
// gives the default of its own-number field.
#include "FieldVisitor.h"
#include "core/Creature.h"
#include "core/EventRecord.h"
#include "core/ItemRecords.h"
#include "core/TableRecords.h"

namespace kv::kvrdata {

void VisitFields(FieldVisitor& f, ItemDef& item, int row);
void VisitFields(FieldVisitor& f, SpellDef& spell, int row);
void VisitFields(FieldVisitor& f, TrapDef& trap, int row);
void VisitFields(FieldVisitor& f, NpcTradeDef& trade, int row);
void VisitFields(FieldVisitor& f, SkillDef& skill, int row);
void VisitFields(FieldVisitor& f, QuestDef& quest, int row);
void VisitFields(FieldVisitor& f, TalkDef& talk, int row);
void VisitFields(FieldVisitor& f, MonsterActionDef& action, int row);
void VisitFields(FieldVisitor& f, SpareRecord& record, int row);
// Monsters and roster characters.
void VisitFields(FieldVisitor& f, Creature& creature, int row);

// The fields of one event row below its event's keys (those are handled by
// the event files, which share them between rows).
void VisitContentFields(FieldVisitor& f, EventDef& event, int position);

}  // namespace kv::kvrdata
