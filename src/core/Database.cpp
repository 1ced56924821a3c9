#include "core/Database.h"

#include "core/MappedFile.h"
#include "core/NameCoding.h"

namespace kv {

namespace {

template <class T>
std::span<T> Span(std::vector<T>& v) {
    return std::span<T>(v);
}

std::string WithThousands(size_t n) {
    const std::string digits = std::to_string(n);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
        grouped += digits[i];
    }
    return grouped;
}

}  // namespace

void SyncItemFile(Serializer& s, Database& db) {
    s.Records(Span(db.Items), "ItemDef");
    s.Array(db.ChestItemTable, "ChestItemTable");
}

void SyncTableFile(Serializer& s, Database& db) {
    s.Records(Span(db.Spells), "SpellDef");
    s.Records(Span(db.Traps), "TrapDef");
    s.Array(db.AlchemyTable, "AlchemyTable");
    s.Array(db.FusionTable, "FusionTable");
    s.Records(Span(db.NpcTrades), "NpcTradeDef");
    s.Records(Span(db.Skills), "SkillDef");
    s.Array(db.SpareIntegerTable, "SpareIntegerTable");
    s.Array(db.MonsterAttributeTable, "MonsterAttributeTable");
    s.Records(Span(db.Quests), "QuestDef");
    s.Records(Span(db.Events), "EventDef");
    s.Records(Span(db.Talks), "TalkDef");
}

void SyncMonsterFile(Serializer& s, Database& db) {
    s.Records(Span(db.Monsters), "Monster");
    s.Array(std::span<int16_t>(db.EncounterTable), "EncounterTable");
    s.Records(Span(db.MonsterActions), "MonsterActionDef");
    s.Records(Span(db.SpareRecords), "SpareRecord");
}

void SyncMapFile(Serializer& s, Database& db) {
    s.Array(std::span<int16_t>(db.MapLayers[0]), "MapLayer1");
    s.Array(std::span<int16_t>(db.MapLayers[1]), "MapLayer2");
    s.Array(std::span<int16_t>(db.MapLayers[2]), "MapLayer3");
}

const std::vector<DatabaseFile>& DatabaseFiles() {
    static const std::vector<DatabaseFile> files = {
        {"KVR3.DAT", SyncItemFile, ItemFileSize},
        {"KVR4.DAT", SyncTableFile, TableFileSize},
        {"KVR5.DAT", SyncMonsterFile, MonsterFileSize},
        {"KVR6.DAT", SyncMapFile, MapFileSize},
    };
    return files;
}

void DecodeDatabaseTexts(Database& db, bool useAltSpellNames) {
    for (size_t r = 1; r < db.Talks.size(); ++r) {
        TalkDef& talk = db.Talks[r];
        talk.TalkTopic += DecodeName(talk.TalkCodes, 1, 50);
        talk.TalkText += DecodeName(talk.TalkCodes, 52, 451);
    }
    for (size_t r = 1; r < db.Quests.size(); ++r) {
        QuestDef& quest = db.Quests[r];
        quest.QuestTitle += DecodeName(quest.QuestTitleCodes, 1, 50);
        quest.QuestText += DecodeName(quest.QuestTextCodes, 1, 200);
    }
    for (size_t r = 1; r < db.Events.size(); ++r) {
        EventDef& event = db.Events[r];
        event.Message += DecodeName(event.MessageCodes, 1, 200);
        event.JudgeString += DecodeName(event.JudgeCodes, 1, 100);
    }
    for (size_t r = 1; r < db.Monsters.size(); ++r) {
        Creature& monster = db.Monsters[r];
        monster.Name += DecodeName(monster.NameCodes, 1, 50);
        monster.SubName += DecodeName(monster.SubNameCodes, 1, 20);
    }
    for (size_t r = 1; r < db.Items.size(); ++r) {
        ItemDef& item = db.Items[r];
        item.Name += DecodeName(item.NameCodes, 1, 30);
        item.UnidentifiedName += DecodeName(item.UnidentifiedNameCodes, 1, 20);
    }
    for (size_t r = 1; r < db.Skills.size(); ++r) {
        SkillDef& skill = db.Skills[r];
        skill.SkillText += DecodeName(skill.SkillTextCodes, 1, 100);
    }
    if (useAltSpellNames) {
        for (SpellDef& spell : db.Spells) spell.Name = spell.AltName;
    }
}

DatabaseReport LoadDatabase(Game& game, const std::filesystem::path& folder,
                            bool useAltSpellNames) {
    DatabaseReport report;
    Database& db = game;
    for (const DatabaseFile& file : DatabaseFiles()) {
        std::string error;
        const std::filesystem::path path = folder / file.Name;
        std::optional<MappedFile> bytes = MappedFile::Open(path, error);
        const std::string needed = WithThousands(file.MinimumSize);
        // Loading sets every field of the file's tables, so what an earlier
        // load left is overwritten without building a blank database first;
        // a missing file reads as no bytes at all, which empties its tables.
        Serializer s = Serializer::Loading(bytes ? bytes->Bytes() : std::string_view());
        // The file's pages go as the tables fill: the monster file (4 MB)
        // would otherwise sit resident beside the monster table it fills.
        if (bytes) {
            s.OnRecordRead([](void* file,
                              size_t read) { static_cast<MappedFile*>(file)->ReleaseBefore(read); },
                           &*bytes);
        }
        file.Sync(s, db);
        if (!bytes) {
            report.Problems.push_back(std::string(file.Name) + " is missing (" + needed +
                                      " bytes expected): " + error);
            continue;
        }
        if (s.Short()) {
            report.Problems.push_back(std::string(file.Name) +
                                      " is too short: " + WithThousands(bytes->Bytes().size()) +
                                      " bytes, at least " + needed + " expected");
        }
    }
    DecodeDatabaseTexts(db, useAltSpellNames);
    return report;
}

}  // namespace kv
