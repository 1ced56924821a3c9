#include "core/Names.h"

#include <array>

namespace kv {

namespace {

struct ConditionName {
    int32_t Bit;
    std::string_view Name;
    int MessageId;  // 0 = no message
};

// In order of precedence: the first set bit names the record.
constexpr std::array<ConditionName, 23> kConditionNames = {{
    {65536, "消滅", 3002},
    {32768, "灰燼", 1021},
    {16384, "死", 1072},
    {8192, "石化", 1071},
    {1024, "蝿", 1087},
    {2048, "ニンジン", 1088},
    {4096, "病気", 1089},
    {2, "麻痺", 1068},
    {8, "混乱", 1083},
    {64, "誘惑", 1086},
    {1, "睡眠", 1070},
    {512, "盲目", 1081},
    {16, "氷結", 1084},
    {32, "感電", 1085},
    {4, "恐怖", 1069},
    {134217728, "猛毒", 1067},
    {128, "毒", 1067},
    {256, "沈黙", 1082},
    {262144, "隠れている", 0},
    {4194304, "攻撃軽減", 0},
    {16777216, "物理攻撃反射", 0},
    {8388608, "魔法攻撃反射", 0},
    {33554432, "状態変化防御", 0},
}};

struct AlignmentPrefix {
    int32_t Alignment;
    std::string_view Prefix;
};

constexpr std::array<AlignmentPrefix, 3> kAlignmentPrefixes = {{
    {1, "Ｌ－"},
    {2, "Ｎ－"},
    {4, "Ｃ－"},
}};

constexpr std::string_view kOtherKind = "その他";

// Indexed by kind; kinds 8 (item) and 11 (event item) have no name of their own.
constexpr std::array<std::string_view, 13> kItemKindNames = {{
    kOtherKind,
    "武器",
    "盾",
    "鎧",
    "小手",
    "靴",
    "兜",
    "アクセサリ",
    kOtherKind,
    "楽器",
    "マテリアル",
    kOtherKind,
    "護符・宝珠",
}};

constexpr uint8_t kNeutral = 2;

}  // namespace

std::string_view StatusName(int32_t status) {
    for (const ConditionName& condition : kConditionNames) {
        if ((status & condition.Bit) != 0) return condition.Name;
    }
    return {};
}

int ConditionMessageId(int32_t bit) {
    for (const ConditionName& condition : kConditionNames) {
        if (bit == condition.Bit) return condition.MessageId;
    }
    return 0;
}

std::string RaceName(int32_t race, const RaceTable& races) {
    const int row = BitIndex(race);
    if (row < 0 || row >= kRaceRows) return {};
    return races[row].RaceTitle;
}

std::string ClassLabel(int32_t alignment, int32_t classBit, const ClassTable& classes) {
    std::string label;
    for (const AlignmentPrefix& entry : kAlignmentPrefixes) {
        if (alignment == entry.Alignment) label = entry.Prefix;
    }
    const int row = BitIndex(classBit);
    if (row >= 0 && row < kClassRows) label += classes[row].ClassTitle;
    return label;
}

std::string_view ItemKindName(int32_t kind) {
    if (kind < 0 || kind >= static_cast<int32_t>(kItemKindNames.size())) return kOtherKind;
    return kItemKindNames[kind];
}

int PartyAlignmentMask(std::span<const uint8_t> alignments) {
    int mask = kNeutral;
    for (uint8_t alignment : alignments) mask |= alignment;
    return mask;
}

}  // namespace kv
