#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "core/Creature.h"
#include "core/EventRecord.h"
#include "core/ItemRecords.h"
#include "core/Serializer.h"
#include "core/TableRecords.h"

namespace kv {
namespace {

using namespace std::string_literals;

// ---------------------------------------------------------------------------
// Every record type: sizes and round trips.

template <class R>
struct Stored;
template <>
struct Stored<Creature> {
    static constexpr size_t Size = 2022;
};
template <>
struct Stored<ItemDef> {
    static constexpr size_t Size = 281;
};
template <>
struct Stored<SpellDef> {
    static constexpr size_t Size = 19;
};
template <>
struct Stored<TrapDef> {
    static constexpr size_t Size = 7;
};
template <>
struct Stored<NpcTradeDef> {
    static constexpr size_t Size = 27;
};
template <>
struct Stored<SkillDef> {
    static constexpr size_t Size = 292;
};
template <>
struct Stored<QuestDef> {
    static constexpr size_t Size = 512;
};
template <>
struct Stored<EventDef> {
    static constexpr size_t Size = 641;
};
template <>
struct Stored<TalkDef> {
    static constexpr size_t Size = 912;
};
template <>
struct Stored<MonsterActionDef> {
    static constexpr size_t Size = 83;
};
template <>
struct Stored<SpareRecord> {
    static constexpr size_t Size = 22;
};

// Characters whose CP932 code is canonical: ASCII, half-width katakana and
// double-byte ones from several rows (kana, kanji, symbols, NEC and IBM rows).
constexpr std::string_view CleanCharacters[] = {
    "A",        "z",        "0",        " ",        "\xB1",     "\xDF",     "\x82\xA0", "\x83\x5B",
    "\x8A\xBF", "\x81\x60", "\x81\x7C", "\x87\x40", "\xFB\xFC", "\x81\xCA", "\x88\x9F"};

std::string CleanText(std::mt19937& rng) {
    std::string text;
    for (unsigned n = rng() % 9; n > 0; --n) {
        text += CleanCharacters[rng() % std::size(CleanCharacters)];
    }
    return text;
}

std::string AnyBytes(std::mt19937& rng) {
    std::string text(rng() % 12, '\0');
    for (char& c : text) c = static_cast<char>(rng());
    return text;
}

// A stored image following the record's layout: random bytes for every
// number, and for every text a length word and text made by makeText.
template <class R, class MakeText>
std::string RandomImage(std::mt19937& rng, MakeText makeText) {
    std::string image;
    for (const FieldInfo& field : DescribeRecord<R>()) {
        if (field.Type == "String") {
            const std::string text = makeText(rng);
            image.push_back(static_cast<char>(text.size() & 0xFF));
            image.push_back(static_cast<char>(text.size() >> 8));
            image += text;
        } else {
            for (size_t i = 0; i < field.Size; ++i) image.push_back(static_cast<char>(rng()));
        }
    }
    return image;
}

template <class R>
class RecordCodec : public ::testing::Test {};

using AllRecords = ::testing::Types<Creature, ItemDef, SpellDef, TrapDef, NpcTradeDef, SkillDef,
                                    QuestDef, EventDef, TalkDef, MonsterActionDef, SpareRecord>;
TYPED_TEST_SUITE(RecordCodec, AllRecords);

TYPED_TEST(RecordCodec, EmptyRecordHasTheStoredSizeAndAGaplessLayout) {
    const std::string bytes = SaveRecord(TypeParam{});
    EXPECT_EQ(bytes.size(), Stored<TypeParam>::Size);
    EXPECT_EQ(bytes, std::string(bytes.size(), '\0'));

    size_t end = 0;
    for (const FieldInfo& field : DescribeRecord<TypeParam>()) {
        EXPECT_EQ(field.Offset, end) << field.Name;
        end = field.Offset + field.Size;
    }
    EXPECT_EQ(end, Stored<TypeParam>::Size);
}

TYPED_TEST(RecordCodec, RandomContentsWriteReadWriteIdentically) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 20; ++round) {
        const std::string image = RandomImage<TypeParam>(rng, CleanText);
        TypeParam record;
        ASSERT_TRUE(LoadRecord(image, record));
        const std::string written = SaveRecord(record);
        ASSERT_EQ(written, image) << FirstDifference(image, written, DescribeRecord(record));

        TypeParam again;
        ASSERT_TRUE(LoadRecord(written, again));
        const std::string rewritten = SaveRecord(again);
        ASSERT_EQ(rewritten, written) << FirstDifference(written, rewritten, DescribeRecord(again));
    }
}

TYPED_TEST(RecordCodec, ArbitraryBytesReadAndWriteBackUnchanged) {
    // Texts of any bytes at all, valid CP932 or not.
    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        const std::string image = RandomImage<TypeParam>(rng, AnyBytes);
        TypeParam record;
        ASSERT_TRUE(LoadRecord(image, record));
        const std::string written = SaveRecord(record);
        ASSERT_EQ(written, image) << FirstDifference(image, written, DescribeRecord(record));
    }
}

TYPED_TEST(RecordCodec, EveryCutPointReadsSafelyAndKeepsTheCompleteFields) {
    std::mt19937 rng(7);
    const std::string image = RandomImage<TypeParam>(rng, CleanText);
    TypeParam full;
    ASSERT_TRUE(LoadRecord(image, full));
    const Layout layout = DescribeRecord(full);

    for (size_t cut = 0; cut <= image.size(); ++cut) {
        TypeParam record;
        Serializer s = Serializer::Loading(std::string_view(image).substr(0, cut));
        Sync(s, record);
        ASSERT_EQ(s.Short(), cut < image.size()) << cut;
        ASSERT_EQ(s.BytesRead(), cut);

        // Every field that ended before the cut is as stored.
        size_t complete = 0;
        bool onBoundary = cut == 0;
        for (const FieldInfo& field : layout) {
            if (field.Offset + field.Size <= cut) complete = field.Offset + field.Size;
            if (field.Offset + field.Size == cut) onBoundary = true;
        }
        const std::string written = SaveRecord(record);
        ASSERT_EQ(written.substr(0, complete), image.substr(0, complete)) << cut;
        // Cut between fields, everything after reads as zero (texts empty).
        if (onBoundary) {
            ASSERT_EQ(written.substr(cut), std::string(written.size() - cut, '\0')) << cut;
        }
    }
}

// ---------------------------------------------------------------------------
// Field offsets as the files lay them out (strings empty).

struct Expected {
    const char* name;
    size_t offset;
    const char* type;
};

template <class R>
void ExpectOffsets(std::initializer_list<Expected> expected) {
    const Layout layout = DescribeRecord<R>();
    for (const Expected& e : expected) {
        const FieldInfo* field = FindField(layout, e.name);
        ASSERT_NE(field, nullptr) << e.name << "\n" << FormatLayout(layout);
        EXPECT_EQ(field->Offset, e.offset) << e.name << "\n" << FormatLayout(layout);
        EXPECT_EQ(field->Type, e.type) << e.name;
    }
}

TEST(CreatureLayout, EveryFieldAtItsStoredOffset) {
    ExpectOffsets<Creature>({
        {"Id", 0, "Long"},
        {"Level", 4, "Long"},
        {"NameCodes", 8, "Integer"},
        {"Name", 110, "String"},
        {"SubNameCodes", 112, "Integer"},
        {"SubName", 154, "String"},
        {"Race", 156, "Integer"},
        {"Class", 158, "Long"},
        {"Sex", 162, "Byte"},
        {"Alignment", 163, "Byte"},
        {"Age", 164, "Integer"},
        {"AgeDays", 166, "Integer"},
        {"Status", 168, "Long"},
        {"PartyNo", 172, "Byte"},
        {"PartyPos", 173, "Byte"},
        {"TreasureLevel", 174, "Integer"},
        {"Spare176", 176, "Bytes"},
        {"Place", 178, "Byte"},
        {"Floor", 179, "Byte"},
        {"PosX", 180, "Integer"},
        {"PosY", 182, "Integer"},
        {"Gold", 184, "Double"},
        {"Exp", 192, "Double"},
        {"GroupDice", 200, "Integer"},
        {"HPDice", 206, "Long"},
        {"DamageDice", 218, "Long"},
        {"Marks", 230, "Double"},
        {"Escapes", 238, "Double"},
        {"Victories", 246, "Double"},
        {"StepCycles", 254, "Double"},
        {"Walk", 262, "Double"},
        {"BaseAC", 270, "Long"},
        {"AC", 274, "Long"},
        {"Revivals", 278, "Long"},
        {"HP", 282, "Long"},
        {"MaxHP", 286, "Long"},
        {"Str", 290, "Byte"},
        {"IQ", 291, "Byte"},
        {"Piety", 292, "Byte"},
        {"Vitality", 293, "Byte"},
        {"Dexterity", 294, "Byte"},
        {"Agility", 295, "Byte"},
        {"Charm", 296, "Byte"},
        {"Luck", 297, "Byte"},
        {"Identified", 298, "Integer"},
        {"ReachAll", 300, "Integer"},
        {"AttackCount", 302, "Integer"},
        {"Regen", 304, "Integer"},
        {"Spare306", 306, "Integer"},
        {"Actions", 308, "Integer"},
        {"AttackEffects", 350, "Byte"},
        {"Resist", 387, "Byte"},
        {"DamageRate", 424, "Byte"},
        {"Spare461", 461, "Integer"},
        {"AttackAttribute", 463, "Integer"},
        {"Items[0].ItemId", 465, "Long"},
        {"Items[0].ItemFlags", 469, "Long"},
        {"Items[0].ItemCount", 473, "Long"},
        {"Items[15].ItemCount", 653, "Long"},
        {"Spells", 657, "Integer"},
        {"MP", 1157, "Integer"},
        {"MaxMP", 1257, "Integer"},
        {"GrantFlags1", 1357, "Long"},
        {"GrantFlags2", 1361, "Long"},
        {"Criticals", 1365, "Long"},
        {"Insignia", 1369, "Byte"},
        {"Initiative", 1380, "Integer"},
        {"Command", 1382, "Integer"},
        {"TargetGroup", 1384, "Integer"},
        {"Spare1386", 1386, "Integer"},
        {"CommandArg", 1390, "Integer"},
        {"ItemSlot", 1392, "Integer"},
        {"BreathCount", 1394, "Integer"},
        {"Skills", 1396, "Integer"},
        {"Spare1998", 1998, "Byte"},
        {"SummonLevel", 1999, "Integer"},
        {"WeaponRate", 2001, "Byte"},
    });
}

TEST(ItemDefLayout, EveryFieldAtItsStoredOffset) {
    ExpectOffsets<ItemDef>({
        {"Id", 0, "Long"},
        {"AppraiseLevel", 4, "Integer"},
        {"IdentifyLevel", 6, "Byte"},
        {"FindLevel", 7, "Byte"},
        {"NameCodes", 8, "Integer"},
        {"Name", 70, "String"},
        {"UnidentifiedNameCodes", 72, "Integer"},
        {"UnidentifiedName", 114, "String"},
        {"Kind", 116, "Integer"},
        {"WeaponType", 118, "Integer"},
        {"DualWield", 120, "Integer"},
        {"TwoHanded", 122, "Integer"},
        {"Reach", 124, "Byte"},
        {"WeaponAttribute", 125, "Byte"},
        {"UseBreakChance", 126, "Byte"},
        {"PowerBreakChance", 127, "Byte"},
        {"BrokenInto", 128, "Integer"},
        {"Price", 130, "Long"},
        {"WeaponBonus", 134, "Integer"},
        {"WeaponDice", 136, "Byte"},
        {"MinHits", 139, "Byte"},
        {"ACBonus", 140, "Integer"},
        {"Power", 142, "Integer"},
        {"SpellNo", 144, "Integer"},
        {"ItemRegen", 146, "Integer"},
        {"ExtraChance", 148, "Byte"},
        {"ItemResist", 185, "Byte"},
        {"ItemDamageRate", 222, "Byte"},
        {"GrantFlags1", 259, "Long"},
        {"GrantFlags2", 263, "Long"},
        {"SexMask", 267, "Byte"},
        {"AlignMask", 268, "Byte"},
        {"RaceMask", 269, "Integer"},
        {"ClassMask", 271, "Long"},
        {"GrantSkill", 275, "Integer"},
        {"UseKind", 277, "Integer"},
        {"Cursed", 279, "Integer"},
    });
}

TEST(SpellDefLayout, EveryFieldAtItsStoredOffset) {
    ExpectOffsets<SpellDef>({
        {"Code", 0, "Integer"},
        {"School", 2, "Byte"},
        {"SpellLevel", 3, "Byte"},
        {"Slot", 4, "Byte"},
        {"Name", 5, "String"},
        {"Effect", 7, "Byte"},
        {"SpellAttribute", 8, "Byte"},
        {"TargetKind", 9, "Byte"},
        {"SpellFlags", 10, "Byte"},
        {"SpellDice", 11, "Integer"},
        {"AltName", 17, "String"},
    });
}

TEST(EventDefLayout, EveryFieldAtItsStoredOffset) {
    ExpectOffsets<EventDef>({
        {"ID", 0, "Integer"},
        {"Dungeon", 2, "Byte"},
        {"Floor", 3, "Byte"},
        {"X", 4, "Byte"},
        {"Y", 5, "Byte"},
        {"Dir", 6, "Byte"},
        {"EventCase", 7, "Byte"},
        {"ContentId", 8, "Byte"},
        {"Kind", 9, "Byte"},
        {"Target", 10, "Byte"},
        {"Unused", 11, "Byte"},
        {"DataID", 12, "Integer"},
        {"MessageCodes", 14, "Integer"},
        {"LocDungeon", 416, "Byte"},
        {"LocFloor", 417, "Byte"},
        {"LocX", 418, "Byte"},
        {"LocY", 419, "Byte"},
        {"LocDirection", 420, "Byte"},
        {"DA", 421, "Long"},
        {"DB", 425, "Long"},
        {"DC", 429, "Long"},
        {"State", 433, "Long"},
        {"JudgeCodes", 437, "Integer"},
        {"TrueID", 639, "Byte"},
        {"FalseID", 640, "Byte"},
    });
}

TEST(TableLayouts, NamedFieldsOfTheSmallerTables) {
    ExpectOffsets<TrapDef>({{"TrapExpFactor", 1, "Byte"},
                            {"TrapEffect", 2, "Byte"},
                            {"TrapMessage", 3, "String"},
                            {"TrapName", 5, "String"}});
    ExpectOffsets<NpcTradeDef>({{"TradeItems", 1, "Integer"}, {"TradeSellFactor", 23, "Single"}});
    ExpectOffsets<SkillDef>({{"SkillName", 2, "String"},
                             {"SkillText", 4, "String"},
                             {"SkillTextCodes", 6, "Integer"},
                             {"SkillLevels", 208, "Long"}});
    ExpectOffsets<QuestDef>({{"QuestTitle", 2, "String"},
                             {"QuestTitleCodes", 4, "Integer"},
                             {"QuestText", 106, "String"},
                             {"QuestTextCodes", 108, "Integer"}});
    ExpectOffsets<TalkDef>({{"TalkPerson", 2, "Integer"},
                            {"TalkTopic", 4, "String"},
                            {"TalkText", 6, "String"},
                            {"TalkCodes", 8, "Integer"}});
    ExpectOffsets<MonsterActionDef>({{"LeadText", 4, "String"},
                                     {"ActionKind", 6, "Long"},
                                     {"TargetType", 10, "Long"},
                                     {"CountDice", 14, "Long"},
                                     {"Attribute", 26, "Long"},
                                     {"Attribute2", 30, "Long"},
                                     {"ConditionChance", 34, "Byte"},
                                     {"DiceCount", 71, "String"},
                                     {"Message", 81, "String"}});
    ExpectOffsets<SpareRecord>({{"Data", 0, "Bytes"}, {"Text1", 16, "String"}});
}

// ---------------------------------------------------------------------------
// Creature: values land in the right bytes.

uint16_t U16At(const std::string& bytes, size_t offset) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) |
                                 static_cast<uint8_t>(bytes[offset + 1]) << 8);
}

TEST(CreatureBytes, NumbersAreLittleEndianAndSigned) {
    Creature c;
    c.Id = 0x01020304;
    c.Gold = 1.5;
    c.Race = -1;
    c.Items[15].ItemCount = 9;
    const std::string bytes = SaveRecord(c);
    EXPECT_EQ(bytes.substr(0, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(bytes.substr(184, 8), "\x00\x00\x00\x00\x00\x00\xF8\x3F"s);
    EXPECT_EQ(bytes.substr(156, 2), "\xFF\xFF");
    EXPECT_EQ(bytes[653], 9);

    std::string image(2022, '\xFF');
    image.replace(110, 2, "\0\0"s);  // empty Name
    image.replace(154, 2, "\0\0"s);  // empty SubName
    Creature back;
    ASSERT_TRUE(LoadRecord(image, back));
    EXPECT_EQ(back.Race, -1);
    EXPECT_EQ(back.Sex, 255);
    EXPECT_EQ(back.Status, -1);
    EXPECT_EQ(back.Spare176[1], 255);
    EXPECT_EQ(back.WeaponRate[20], 255);
}

TEST(CreatureBytes, SpellTablesStoreTheSchoolFastest) {
    Creature c;
    c.Spell(2, 3, 4) = 0x1234;
    c.MPAt(3, 9) = 0x0506;
    c.MaxMPAt(1, 2) = 0x0708;
    const std::string bytes = SaveRecord(c);
    EXPECT_EQ(U16At(bytes, 657 + 2 * (2 + 5 * 3 + 50 * 4)), 0x1234);
    EXPECT_EQ(U16At(bytes, 1157 + 2 * (3 + 5 * 9)), 0x0506);
    EXPECT_EQ(U16At(bytes, 1257 + 2 * (1 + 5 * 2)), 0x0708);

    Creature back;
    ASSERT_TRUE(LoadRecord(bytes, back));
    EXPECT_EQ(back.Spell(2, 3, 4), 0x1234);
    EXPECT_EQ(back.Spell(4, 3, 2), 0);
    EXPECT_EQ(std::as_const(back).MPAt(3, 9), 0x0506);
}

TEST(CreatureBytes, DropItemAndChanceAreInventorySlotsThreeAndFour) {
    Creature monster;
    monster.DropItem() = 321;
    monster.DropChance() = 15;
    const std::string bytes = SaveRecord(monster);
    EXPECT_EQ(U16At(bytes, 465 + 3 * 12), 321);
    EXPECT_EQ(U16At(bytes, 465 + 4 * 12), 15);
    EXPECT_EQ(std::as_const(monster).DropItem(), 321);
}

TEST(CreatureBytes, TextInTheNameShiftsTheRestOfTheRecord) {
    Creature c;
    c.Name = "アイ";
    c.SubNameCodes[1] = 0x2222;
    const std::string bytes = SaveRecord(c);
    ASSERT_EQ(bytes.size(), 2026u);
    EXPECT_EQ(bytes.substr(110, 6), "\x04\x00\x83\x41\x83\x43"s);
    EXPECT_EQ(U16At(bytes, 116 + 2), 0x2222);
    EXPECT_EQ(FindField(DescribeRecord(c), "WeaponRate")->Offset, 2005u);
}

TEST(CreatureBytes, ShortRecordKeepsThePartOfAFieldThatIsThere) {
    Creature c;
    c.Identified = 0x0102;
    c.ReachAll = 5;
    const std::string bytes = SaveRecord(c).substr(0, 299);
    Creature back;
    EXPECT_FALSE(LoadRecord(bytes, back));
    EXPECT_EQ(back.Identified, 0x02);  // low byte read, high byte past the end
    EXPECT_EQ(back.ReachAll, 0);
}

// ---------------------------------------------------------------------------
// Creature constants.

TEST(CreatureConstants, MasksAreMadeOfTheirConditions) {
    EXPECT_EQ(GoneMask, 0x1C000);
    EXPECT_EQ(NoHealMask, 0x1D000);
    EXPECT_EQ(AbsentMask, 0x5C000);
    EXPECT_EQ(DownMask, 0x1E802);
    EXPECT_EQ(IdleMask, 0x1E837);
    EXPECT_EQ(BattleOnlyMask, 66453821);
    // A battle's end clears no lasting condition.
    EXPECT_EQ(BattleOnlyMask & (GoneMask | StatusStone | StatusPoison | StatusDeadlyPoison |
                                StatusParalysis | StatusCharm | StatusBlind | StatusDisease),
              0);
}

TEST(CreatureConstants, AttackToStatusCoversConditionAttacksOnly) {
    // attribute -> condition bit; every other index gives 0
    const std::map<int, int32_t> conditions = {
        {15, 1},    {16, 2},    {17, 4},     {18, 8},     {19, 16},    {20, 32},
        {21, 64},   {22, 128},  {23, 256},   {24, 512},   {25, 1024},  {26, 2048},
        {27, 4096}, {29, 8192}, {31, 16384}, {32, 32768}, {33, 65536}, {34, 134217728}};
    for (int a = 0; a < 37; ++a) {
        const auto found = conditions.find(a);
        EXPECT_EQ(AttackToStatus(a), found == conditions.end() ? 0 : found->second) << a;
    }
    EXPECT_EQ(AttackToStatus(-1), 0);
    EXPECT_EQ(AttackToStatus(37), 0);
    EXPECT_EQ(AttackToStatus(1000), 0);
}

TEST(CreatureConstants, SpellIndexesAndItemFlags) {
    EXPECT_TRUE(IsSpellIndex(4, 9, 4));
    EXPECT_FALSE(IsSpellIndex(5, 1, 1));
    EXPECT_FALSE(IsSpellIndex(0, 10, 1));
    EXPECT_FALSE(IsSpellIndex(0, 1, -1));
    EXPECT_EQ(ItemPositionMask & (CursedEquipped | Unidentified | CannotEquip), 0);
    EXPECT_EQ(CursedEquipped | Unidentified | CannotEquip, 0xE0);
}

// ---------------------------------------------------------------------------
// The other records.

TEST(SpellDefBytes, JapaneseNamesAndAShortTail) {
    SpellDef spell;
    spell.Code = 12;
    spell.Name = "あ漢①";
    spell.SpellDice = {2, 6, -1};
    spell.AltName = "ｱ";
    const std::string bytes = SaveRecord(spell);
    EXPECT_EQ(bytes,
              "\x0C\x00\x00\x00\x00\x06\x00\x82\xA0\x8A\xBF\x87\x40"
              "\x00\x00\x00\x00\x02\x00\x06\x00\xFF\xFF\x01\x00\xB1"s);

    // The name's length runs past the end: what is there is kept.
    SpellDef cut;
    EXPECT_FALSE(LoadRecord(bytes.substr(0, 12), cut));
    EXPECT_EQ(cut.Code, 12);
    EXPECT_EQ(cut.Name, "あ漢\xF4\x80\x82\x87");  // the lone lead byte kept raw
    EXPECT_EQ(cut.SpellDice, (std::array<int16_t, 3>{}));
    EXPECT_EQ(cut.AltName, "");
}

TEST(EventDefBytes, DecodedTextsAreNotStored) {
    EventDef event;
    event.ID = 7;
    event.MessageCodes[200] = 0x1234;
    event.JudgeCodes[1] = -1;
    event.FalseID = 9;
    const std::string bytes = SaveRecord(event);
    event.Message = "メッセージ";
    event.JudgeString = "答え";
    EXPECT_EQ(SaveRecord(event), bytes);
    EXPECT_EQ(U16At(bytes, 14 + 400), 0x1234);
    EXPECT_EQ(U16At(bytes, 439), 0xFFFF);
    EXPECT_EQ(bytes[640], 9);
}

TEST(MonsterActionDefBytes, SixMessagesAfterTheActionData) {
    MonsterActionDef action;
    action.ConditionChance[36] = 50;
    action.DiceCount = "da";
    action.Message = "は\n炎を吐いた";
    const std::string bytes = SaveRecord(action);
    EXPECT_EQ(bytes[70], 50);
    EXPECT_EQ(bytes.substr(71, 4),
              "\x02\x00"
              "da"s);
    MonsterActionDef back;
    ASSERT_TRUE(LoadRecord(bytes, back));
    EXPECT_EQ(back.DiceCount, "da");
    EXPECT_EQ(back.Message, "は\n炎を吐いた");
}

}  // namespace
}  // namespace kv
