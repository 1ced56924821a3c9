#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "core/Names.h"
#include "core/StringTable.h"

namespace kv {
namespace {

// Condition bits by name, as the creature record defines them.
constexpr int32_t Sleep = 1, Paralysis = 2, Fear = 4, Confusion = 8, Frozen = 16, Shock = 32,
                  CharmBit = 64, Poison = 128, Silence = 256, Blind = 512, Fly = 1024,
                  Carrot = 2048, Disease = 4096, Stone = 8192, Dead = 16384, Ashes = 32768,
                  Lost = 65536, Hidden = 262144, Halved = 4194304, ReflectSpell = 8388608,
                  ReflectPhysical = 16777216, Warded = 33554432, DeadlyPoison = 134217728;

TEST(StatusName, MostImportantConditionWins) {
    EXPECT_EQ(StatusName(Dead | Poison), "死");
    EXPECT_EQ(StatusName(Sleep | Poison), "睡眠");
    EXPECT_EQ(StatusName(Lost | Dead), "消滅");
    EXPECT_EQ(StatusName(Ashes | Dead | Stone), "灰燼");
    EXPECT_EQ(StatusName(Fly | Carrot | Disease), "蝿");
    EXPECT_EQ(StatusName(Paralysis | Sleep), "麻痺");
    EXPECT_EQ(StatusName(CharmBit | Sleep), "誘惑");
    EXPECT_EQ(StatusName(DeadlyPoison | Poison), "猛毒");
    EXPECT_EQ(StatusName(Fear | DeadlyPoison), "恐怖");
    EXPECT_EQ(StatusName(Silence | Hidden), "沈黙");
    EXPECT_EQ(StatusName(ReflectPhysical | ReflectSpell), "物理攻撃反射");
}

TEST(StatusName, PrecedenceHoldsAlongTheWholeOrder) {
    const std::vector<int32_t> order = {
        Lost,         Ashes,        Dead,     Stone,   Fly,    Carrot, Disease,
        Paralysis,    Confusion,    CharmBit, Sleep,   Blind,  Frozen, Shock,
        Fear,         DeadlyPoison, Poison,   Silence, Hidden, Halved, ReflectPhysical,
        ReflectSpell, Warded};
    for (size_t i = 0; i < order.size(); ++i) {
        int32_t laterBits = 0;
        for (size_t j = i + 1; j < order.size(); ++j) laterBits |= order[j];
        EXPECT_EQ(StatusName(order[i] | laterBits), StatusName(order[i])) << "bit " << order[i];
        EXPECT_FALSE(StatusName(order[i]).empty()) << "bit " << order[i];
    }
}

TEST(StatusName, NoNamedBitGivesEmpty) {
    EXPECT_EQ(StatusName(0), "");
    // The unnamed battle-only states.
    EXPECT_EQ(StatusName(131072 | 1048576 | 2097152), "");
    EXPECT_EQ(StatusName(Hidden), "隠れている");
    EXPECT_EQ(StatusName(Warded), "状態変化防御");
}

TEST(ConditionMessageId, MessagePerCondition) {
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Lost)), 3002);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Ashes)), 1021);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Dead)), 1072);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Sleep)), 1070);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Poison)), 1067);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(DeadlyPoison)), 1067);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Silence)), 1082);
}

TEST(ConditionMessageId, EveryMessageIsInTheStringTable) {
    for (int shift = 0; shift < 31; ++shift) {
        const int id = static_cast<int>(ConditionMessageId(int32_t{1} << shift));
        if (id == 0) continue;
        EXPECT_TRUE(HasResString(id)) << "bit " << shift << " message " << id;
    }
}

TEST(ConditionMessageId, NoneForProtectiveStatesAndNonBits) {
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Hidden)), 0);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Warded)), 0);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(0)), 0);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(Dead | Poison)), 0);
    EXPECT_EQ(static_cast<int>(ConditionMessageId(131072)), 0);
}

TEST(RaceName, ByRaceBit) {
    const RaceTable races = BuildRaceTable();
    EXPECT_EQ(RaceName(1, races), "人間");
    EXPECT_EQ(RaceName(2, races), "エルフ");
    EXPECT_EQ(RaceName(512, races), "ミュータント");
    EXPECT_EQ(RaceName(1024, races), "シルヴァ");
}

TEST(RaceName, NoRaceForOtherValues) {
    const RaceTable races = BuildRaceTable();
    EXPECT_EQ(RaceName(0, races), "");
    EXPECT_EQ(RaceName(3, races), "");
    EXPECT_EQ(RaceName(2048, races), "");
    EXPECT_EQ(RaceName(-1, races), "");
}

TEST(ClassLabel, AlignmentPrefixThenTitle) {
    const ClassTable classes = BuildClassTable();
    EXPECT_EQ(ClassLabel(1, 1, classes), "Ｌ－戦士");
    EXPECT_EQ(ClassLabel(2, 64, classes), "Ｎ－召喚士");
    EXPECT_EQ(ClassLabel(4, 2048, classes), "Ｃ－魔剣士");
    EXPECT_EQ(ClassLabel(1, 131072, classes), "Ｌ－狩人");
}

TEST(ClassLabel, OtherAlignmentsHaveNoPrefix) {
    const ClassTable classes = BuildClassTable();
    EXPECT_EQ(ClassLabel(3, 1, classes), "戦士");
    EXPECT_EQ(ClassLabel(0, 65536, classes), "道士");
    EXPECT_EQ(ClassLabel(8, 65536, classes), "道士");
}

TEST(ClassLabel, BitWithoutAClassGivesOnlyThePrefix) {
    const ClassTable classes = BuildClassTable();
    EXPECT_EQ(ClassLabel(2, 4096, classes), "Ｎ－");
    EXPECT_EQ(ClassLabel(2, 0, classes), "Ｎ－");
    EXPECT_EQ(ClassLabel(2, 3, classes), "Ｎ－");
    EXPECT_EQ(ClassLabel(2, 1 << 20, classes), "Ｎ－");  // an empty row past the classes
    EXPECT_EQ(ClassLabel(2, 1 << 30, classes), "Ｎ－");  // past the table
}

TEST(ItemKindName, NamedKinds) {
    const std::array<const char*, 13> expected = {
        "その他",     "武器",   "盾",   "鎧",         "小手",   "靴",        "兜",
        "アクセサリ", "その他", "楽器", "マテリアル", "その他", "護符・宝珠"};
    for (int kind = 0; kind < 13; ++kind) EXPECT_EQ(ItemKindName(kind), expected[kind]) << kind;
}

TEST(ItemKindName, AnythingElseIsOther) {
    EXPECT_EQ(ItemKindName(13), "その他");
    EXPECT_EQ(ItemKindName(-1), "その他");
    EXPECT_EQ(ItemKindName(256 + 1), "その他");  // the caller strips the cannot-drop mark
}

TEST(PartyAlignmentMask, NeutralOrEveryMember) {
    EXPECT_EQ(PartyAlignmentMask({}), 2);
    const std::array<uint8_t, 1> good = {1};
    EXPECT_EQ(PartyAlignmentMask(good), 3);
    const std::array<uint8_t, 2> evil = {4, 4};
    EXPECT_EQ(PartyAlignmentMask(evil), 6);
    const std::array<uint8_t, 3> mixed = {1, 2, 4};
    EXPECT_EQ(PartyAlignmentMask(mixed), 7);
}

}  // namespace
}  // namespace kv
