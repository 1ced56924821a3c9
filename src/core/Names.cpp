#include "core/Names.h"

#include <array>

namespace kv {

namespace {

struct ConditionName {
    int32_t Bit;
    std::string_view Name;
    Str MessageId;  // Str{} = no message
};

// In order of precedence: the first set bit names the record.
constexpr std::array<ConditionName, 23> ConditionNames = {{
    {65536, "消滅", Str::Lost},        {32768, "灰燼", Str::TurnedToAshes},
    {16384, "死", Str::Beheaded},      {8192, "石化", Str::Petrified},
    {1024, "蝿", Str::TurnedToFly},    {2048, "ニンジン", Str::TurnedToCarrot},
    {4096, "病気", Str::Diseased},     {2, "麻痺", Str::Paralysed},
    {8, "混乱", Str::Confused},        {64, "誘惑", Str::Charmed},
    {1, "睡眠", Str::PutToSleep},      {512, "盲目", Str::Blinded},
    {16, "氷結", Str::Frozen},         {32, "感電", Str::Shocked},
    {4, "恐怖", Str::Afraid},          {134217728, "猛毒", Str::Poisoned},
    {128, "毒", Str::Poisoned},        {256, "沈黙", Str::Silenced},
    {262144, "隠れている", Str{}},     {4194304, "攻撃軽減", Str{}},
    {16777216, "物理攻撃反射", Str{}}, {8388608, "魔法攻撃反射", Str{}},
    {33554432, "状態変化防御", Str{}},
}};

struct AlignmentPrefix {
    int32_t Alignment;
    std::string_view Prefix;
};

constexpr std::array<AlignmentPrefix, 3> AlignmentPrefixes = {{
    {1, "Ｌ－"},
    {2, "Ｎ－"},
    {4, "Ｃ－"},
}};

constexpr std::string_view OtherKind = "その他";

// Indexed by kind; kinds 8 (item) and 11 (event item) have no name of their own.
constexpr std::array<std::string_view, 13> ItemKindNames = {{
    OtherKind,
    "武器",
    "盾",
    "鎧",
    "小手",
    "靴",
    "兜",
    "アクセサリ",
    OtherKind,
    "楽器",
    "マテリアル",
    OtherKind,
    "護符・宝珠",
}};

constexpr uint8_t Neutral = 2;

}  // namespace

std::string_view StatusName(int32_t status) {
    for (const ConditionName& condition : ConditionNames) {
        if ((status & condition.Bit) != 0) return condition.Name;
    }
    return {};
}

Str ConditionMessageId(int32_t bit) {
    for (const ConditionName& condition : ConditionNames) {
        if (bit == condition.Bit) return condition.MessageId;
    }
    return Str{};
}

std::string RaceName(int32_t race, const RaceTable& races) {
    const int row = BitIndex(race);
    if (row < 0 || row >= RaceRows) return {};
    return races[row].RaceTitle;
}

std::string ClassLabel(int32_t alignment, int32_t classBit, const ClassTable& classes) {
    std::string label;
    for (const AlignmentPrefix& entry : AlignmentPrefixes) {
        if (alignment == entry.Alignment) label = entry.Prefix;
    }
    const int row = BitIndex(classBit);
    if (row >= 0 && row < ClassRows) label += classes[row].ClassTitle;
    return label;
}

std::string_view ItemKindName(int32_t kind) {
    if (kind < 0 || kind >= static_cast<int32_t>(ItemKindNames.size())) return OtherKind;
    return ItemKindNames[kind];
}

int PartyAlignmentMask(std::span<const uint8_t> alignments) {
    int mask = Neutral;
    for (uint8_t alignment : alignments) mask |= alignment;
    return mask;
}

}  // namespace kv
