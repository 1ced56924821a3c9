#pragma once
// The smaller record tables of the database: chest traps, traders' wares,
// skills, quests, conversations, monster actions, and the spare record table
// of the monster file. Each is stored as its fields in order (see Sync);
// sizes with empty strings are listed below.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/Creature.h"

namespace kv {

class Serializer;

struct TrapDef {
    uint8_t TrapSpare = 0;      // not read by the chest rules; kept as stored
    uint8_t TrapExpFactor = 0;  // a disarm may earn 25 x this
    uint8_t TrapEffect = 0;
    std::string TrapMessage;
    std::string TrapName;
};

struct NpcTradeDef {
    uint8_t TradeSpare = 0;                // kept as stored
    std::array<int16_t, 11> TradeItems{};  // elements 1..10; 0 = none
    float TradeSellFactor = 0;             // fraction of Price paid when buying from the party
};

struct SkillDef {
    int16_t SkillCode = 0;
    std::string SkillName;
    std::string SkillText;                      // decoded from SkillTextCodes
    std::array<int16_t, 101> SkillTextCodes{};  // elements 1..100
    std::array<int32_t, 21> SkillLevels{};      // by class index; 0 = never
};

struct QuestDef {
    int16_t QuestCode = 0;
    std::string QuestTitle;
    std::array<int16_t, 51> QuestTitleCodes{};  // elements 1..50
    std::string QuestText;
    std::array<int16_t, 202> QuestTextCodes{};  // 1..200 the text, 201 an item number
};

struct TalkDef {
    int16_t TalkSpare = 0;  // kept as stored
    int16_t TalkPerson = 0;
    std::string TalkTopic;
    std::string TalkText;
    std::array<int16_t, 452> TalkCodes{};  // 1..50 the topic, 52..451 the text
};

struct MonsterActionDef {
    int32_t LeadNumber = 0;  // not read by the battle; kept as stored
    std::string LeadText;    // likewise
    int32_t ActionKind = 0;
    int32_t TargetType = 0;
    std::array<int32_t, 3> CountDice{};  // count, sides, add
    int32_t Attribute = 0;
    int32_t Attribute2 = 0;
    std::array<uint8_t, AttackAttributes> ConditionChance{};
    // Decimal numbers or the words "da", "db", "dc", "wc".
    std::string DiceCount;
    std::string DiceSides;
    std::string DiceAdd;
    std::string Times;
    std::string ExtraText;  // not read by the battle; kept as stored
    std::string Message;
};

// The monster file's table of 16 bytes and three texts that no rule reads.
struct SpareRecord {
    std::array<uint8_t, 16> Data{};
    std::string Text1;
    std::string Text2;
    std::string Text3;
};

inline constexpr size_t TrapDefStoredSize = 7;
inline constexpr size_t NpcTradeDefStoredSize = 27;
inline constexpr size_t SkillDefStoredSize = 292;
inline constexpr size_t QuestDefStoredSize = 512;
inline constexpr size_t TalkDefStoredSize = 912;
inline constexpr size_t MonsterActionDefStoredSize = 83;
inline constexpr size_t SpareRecordStoredSize = 22;

void Sync(Serializer& s, TrapDef& trap);
void Sync(Serializer& s, NpcTradeDef& trade);
void Sync(Serializer& s, SkillDef& skill);
void Sync(Serializer& s, QuestDef& quest);
void Sync(Serializer& s, TalkDef& talk);
void Sync(Serializer& s, MonsterActionDef& action);
void Sync(Serializer& s, SpareRecord& record);

}  // namespace kv
