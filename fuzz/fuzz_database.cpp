// Any bytes as a database record or file: reading never fails badly, and
// whatever was read whole writes back as exactly the bytes it came from.
//
// The first byte chooses what the rest is: most inputs are one record (an
// item, a monster, an event, ...), some a whole file. Whole files are laid
// out in a database whose tables are cut to a few rows: the layout code is
// the same (every table is as long as its vector), and an input costs
// microseconds instead of the milliseconds four real files take.
#include <array>
#include <cstdint>

#include "RoundTrip.h"
#include "core/Database.h"
#include "core/EventRecord.h"
#include "core/ItemRecords.h"
#include "core/TableRecords.h"

namespace kv::fuzz {
namespace {

constexpr size_t MiniatureRows = 3;

Database MakeMiniature() {
    Database db;
    auto cut = [](auto& table, size_t rows) { table.resize(rows); };
    cut(db.Items, MiniatureRows);
    cut(db.Spells, MiniatureRows);
    cut(db.Traps, MiniatureRows);
    cut(db.NpcTrades, MiniatureRows);
    cut(db.Skills, MiniatureRows);
    cut(db.Quests, MiniatureRows);
    cut(db.Events, MiniatureRows);
    cut(db.Talks, MiniatureRows);
    cut(db.Monsters, MiniatureRows);
    cut(db.EncounterTable, 7);
    cut(db.MonsterActions, MiniatureRows);
    cut(db.SpareRecords, MiniatureRows);
    for (auto& layer : db.MapLayers) cut(layer, 5);
    return db;
}

// A whole file, then its coded texts decoded as loading does (on a copy, so
// texts never pile up in the tables kept between inputs).
template <size_t File>
void CheckFile(std::string_view bytes) {
    static Database miniature = MakeMiniature();
    const DatabaseFile& file = DatabaseFiles()[File];
    CheckRoundTrip(bytes, miniature, file.Sync);
    Database decoded = miniature;
    DecodeDatabaseTexts(decoded, !bytes.empty() && (bytes.front() & 1) != 0);
}

using Checker = void (*)(std::string_view);

constexpr std::array<Checker, 15> Checkers = {
    CheckRecord<ItemDef>,
    CheckRecord<SpellDef>,
    CheckRecord<TrapDef>,
    CheckRecord<NpcTradeDef>,
    CheckRecord<SkillDef>,
    CheckRecord<QuestDef>,
    CheckRecord<EventDef>,
    CheckRecord<TalkDef>,
    CheckRecord<Creature>,
    CheckRecord<SpareRecord>,
    CheckRecord<MonsterActionDef>,
    CheckFile<0>,
    CheckFile<1>,
    CheckFile<2>,
    CheckFile<3>,
};

}  // namespace
}  // namespace kv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const kv::fuzz::Choice input = kv::fuzz::Split(data, size);
    kv::fuzz::Checkers[input.Selector % kv::fuzz::Checkers.size()](input.Bytes);
    return 0;
}
