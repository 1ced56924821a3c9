#include "transfer/TransferSources.h"

#include <algorithm>
#include <fstream>
#include <span>

#include "core/Creature.h"
#include "core/DataFileLookup.h"
#include "core/NameCoding.h"
#include "core/Serializer.h"

namespace kv {

// Menu row, file, bytes of the tables before the roster, record type,
// whether race 512 meant human, the flag bits that mark a finished
// scenario, and the insignia badge 1 becomes.
// clang-format off
const std::array<TransferSource, TransferSourceCount> TransferSources = {{
    {"#1 -Morrowgate-", "MRG1.DAT",      0,     RecordType::A, false, {},                               0},
    {"#2 -Quillfen-",   "QLF1.DAT",      0,     RecordType::A, false, {},                               0},
    {"#3 -Halvorn-",    "HLV1.DAT",      0,     RecordType::B, true,  {{{0x10, 2}}},                    0},
    {"#4 -Ostrevan-",   "OSV1.DAT",      404,   RecordType::C, true,  {{{0x10, 3}}},                    0},
    {"#5 -Cindralis-",  "CDR1.DAT",      404,   RecordType::E, false, {{{0x10, 4}}},                    0},
    {"#6 -Telmarre-",   "TLM1.DAT",      25028, RecordType::F, false, {},                               5},
    {"-Aubrenne-",      "Aubrenne1.DAT", 404,   RecordType::D, true,  {},                               0},
    {"-Keldarion-",     "KD1.DAT",       45680, RecordType::E, false,
     {{{0x04, 2}, {0x08, 3}, {0x10, 4}, {0x20, 6}}},                                                    0},
}};
// clang-format on

namespace {

// The fields of an old record the import needs, where they lie in the
// fixed block behind the record's last String, and how wide they are.
enum class OldField : uint8_t {
    Race,
    Class,
    Sex,
    Alignment,
    Exp,
    Marks,
    Str,
    IQ,
    Piety,
    Vitality,
    Dexterity,
    Luck,
    Flags,
    Walk,
};

constexpr std::array<const char*, 14> OldFieldNames = {
    "Race", "Class", "Sex",      "Alignment", "Exp",  "Marks", "Str",
    "IQ",   "Piety", "Vitality", "Dexterity", "Luck", "Flags", "Walk",
};

enum class Width : uint8_t { Byte, Integer, Long, Single };

constexpr size_t SizeOf(Width width) {
    switch (width) {
        case Width::Byte:
            return 1;
        case Width::Integer:
            return 2;
        case Width::Long:
        case Width::Single:
            return 4;
    }
    return 0;
}

struct FieldSpot {
    OldField Field;
    Width Size;
    uint16_t Offset;  // counted from the first byte behind the last String
};

// Types A to E: some bytes in front of the name (types C to E keep the
// name coded there), the name String, for type E 42 bytes and a second
// String, then the fixed block.
struct RecordLayout {
    bool CodedName;
    int SecondStringGap;  // bytes between the two Strings; -1 = one String
    uint16_t BlockBytes;
    std::span<const FieldSpot> Fields;  // in ascending offset
};

constexpr size_t LeadBytes = 8;       // in front of the name String or the name codes
constexpr size_t NameCodeCount = 51;  // Integer[0..50], elements 1..50 used
constexpr size_t LastNameCode = 50;

// clang-format off
constexpr FieldSpot TypeAFields[] = {
    {OldField::Race, Width::Integer, 4},       {OldField::Class, Width::Integer, 6},
    {OldField::Sex, Width::Integer, 8},        {OldField::Alignment, Width::Integer, 10},
    {OldField::Exp, Width::Long, 32},          {OldField::Marks, Width::Long, 36},
    {OldField::Str, Width::Integer, 60},       {OldField::IQ, Width::Integer, 62},
    {OldField::Piety, Width::Integer, 64},     {OldField::Vitality, Width::Integer, 66},
    {OldField::Dexterity, Width::Integer, 68}, {OldField::Luck, Width::Integer, 70},
};
constexpr FieldSpot TypeBFields[] = {
    {OldField::Race, Width::Integer, 4},       {OldField::Class, Width::Integer, 6},
    {OldField::Sex, Width::Integer, 8},        {OldField::Alignment, Width::Integer, 10},
    {OldField::Exp, Width::Long, 32},          {OldField::Marks, Width::Long, 36},
    {OldField::Str, Width::Integer, 60},       {OldField::IQ, Width::Integer, 62},
    {OldField::Piety, Width::Integer, 64},     {OldField::Vitality, Width::Integer, 66},
    {OldField::Dexterity, Width::Integer, 68}, {OldField::Luck, Width::Integer, 70},
    {OldField::Flags, Width::Byte, 550},
};
constexpr FieldSpot TypeCFields[] = {
    {OldField::Race, Width::Integer, 4},       {OldField::Class, Width::Integer, 6},
    {OldField::Sex, Width::Integer, 8},        {OldField::Alignment, Width::Integer, 10},
    {OldField::Exp, Width::Long, 34},          {OldField::Marks, Width::Long, 38},
    {OldField::Str, Width::Integer, 62},       {OldField::IQ, Width::Integer, 64},
    {OldField::Piety, Width::Integer, 66},     {OldField::Vitality, Width::Integer, 68},
    {OldField::Dexterity, Width::Integer, 70}, {OldField::Luck, Width::Integer, 72},
    {OldField::Flags, Width::Byte, 630},
};
constexpr FieldSpot TypeDFields[] = {
    {OldField::Race, Width::Integer, 4},       {OldField::Class, Width::Integer, 6},
    {OldField::Sex, Width::Integer, 8},        {OldField::Alignment, Width::Integer, 10},
    {OldField::Exp, Width::Long, 34},          {OldField::Marks, Width::Long, 38},
    {OldField::Str, Width::Integer, 62},       {OldField::IQ, Width::Integer, 64},
    {OldField::Piety, Width::Integer, 66},     {OldField::Vitality, Width::Integer, 68},
    {OldField::Dexterity, Width::Integer, 70}, {OldField::Luck, Width::Integer, 72},
    {OldField::Walk, Width::Single, 634},
};
constexpr FieldSpot TypeEFields[] = {
    {OldField::Race, Width::Integer, 0},       {OldField::Class, Width::Long, 2},
    {OldField::Sex, Width::Integer, 6},        {OldField::Alignment, Width::Integer, 8},
    {OldField::Exp, Width::Single, 32},        {OldField::Marks, Width::Single, 66},
    {OldField::Str, Width::Integer, 90},       {OldField::IQ, Width::Integer, 92},
    {OldField::Piety, Width::Integer, 94},     {OldField::Vitality, Width::Integer, 96},
    {OldField::Dexterity, Width::Integer, 98}, {OldField::Luck, Width::Integer, 100},
    {OldField::Flags, Width::Byte, 918},       {OldField::Walk, Width::Single, 922},
};
// clang-format on

constexpr RecordLayout TypeA{false, -1, 324, TypeAFields};
constexpr RecordLayout TypeB{false, -1, 554, TypeBFields};
constexpr RecordLayout TypeC{true, -1, 638, TypeCFields};
constexpr RecordLayout TypeD{true, -1, 642, TypeDFields};
constexpr RecordLayout TypeE{true, 42, 1146, TypeEFields};

// Every field lies inside its block, after the one before it.
constexpr bool FitsBlock(const RecordLayout& layout) {
    size_t end = 0;
    for (const FieldSpot& spot : layout.Fields) {
        if (spot.Offset < end) return false;
        end = spot.Offset + SizeOf(spot.Size);
    }
    return end <= layout.BlockBytes;
}
static_assert(FitsBlock(TypeA) && FitsBlock(TypeB) && FitsBlock(TypeC) && FitsBlock(TypeD) &&
              FitsBlock(TypeE));

const RecordLayout& LayoutOf(RecordType type) {
    switch (type) {
        case RecordType::A:
            return TypeA;
        case RecordType::B:
            return TypeB;
        case RecordType::C:
            return TypeC;
        case RecordType::D:
            return TypeD;
        default:
            return TypeE;
    }
}

// The most a record can take: its fixed bytes and two Strings of the
// longest length a length word allows.
constexpr size_t LongestString = 2 + 65535;
constexpr size_t MostRecordBytes = CreatureStoredSize + 2 * LongestString;

void Skip(Serializer& s, size_t count) {
    std::array<uint8_t, 256> scratch{};
    while (count > 0) {
        const size_t take = std::min(count, scratch.size());
        s.Bytes(std::span<uint8_t>(scratch.data(), take), "spare");
        count -= take;
    }
}

double ReadSpot(Serializer& s, const FieldSpot& spot) {
    const char* name = OldFieldNames[static_cast<size_t>(spot.Field)];
    switch (spot.Size) {
        case Width::Byte: {
            uint8_t value = 0;
            s.Byte(value, name);
            return value;
        }
        case Width::Integer: {
            int16_t value = 0;
            s.Integer(value, name);
            return value;
        }
        case Width::Long: {
            int32_t value = 0;
            s.Long(value, name);
            return value;
        }
        case Width::Single: {
            float value = 0;
            s.Single(value, name);
            return value;
        }
    }
    return 0;
}

void Store(OldCharacter& c, OldField field, double value) {
    switch (field) {
        case OldField::Race:
            c.Race = static_cast<int32_t>(value);
            break;
        case OldField::Class:
            c.Class = static_cast<int32_t>(value);
            break;
        case OldField::Sex:
            c.Sex = static_cast<int32_t>(value);
            break;
        case OldField::Alignment:
            c.Alignment = static_cast<int32_t>(value);
            break;
        case OldField::Exp:
            c.Exp = value;
            break;
        case OldField::Marks:
            c.Marks = value;
            break;
        case OldField::Str:
            c.Stats[0] = static_cast<int32_t>(value);
            break;
        case OldField::IQ:
            c.Stats[1] = static_cast<int32_t>(value);
            break;
        case OldField::Piety:
            c.Stats[2] = static_cast<int32_t>(value);
            break;
        case OldField::Vitality:
            c.Stats[3] = static_cast<int32_t>(value);
            break;
        case OldField::Dexterity:
            c.Stats[4] = static_cast<int32_t>(value);
            break;
        case OldField::Luck:
            c.Stats[5] = static_cast<int32_t>(value);
            break;
        case OldField::Flags:
            c.Flags = static_cast<uint8_t>(value);
            break;
        case OldField::Walk:
            c.Walk = value;
            break;
    }
}

void ReadOldRecord(Serializer& s, const RecordLayout& layout, OldCharacter& c) {
    Skip(s, LeadBytes);
    std::array<int16_t, NameCodeCount> codes{};
    if (layout.CodedName) s.Array(codes, "NameCodes");
    s.String(c.Name, "Name");
    // The coded name is appended to whatever the String held.
    if (layout.CodedName) c.Name += DecodeName(codes, 1, LastNameCode);
    if (layout.SecondStringGap >= 0) {
        Skip(s, static_cast<size_t>(layout.SecondStringGap));
        std::string second;
        s.String(second, "SecondName");
    }
    size_t at = 0;
    for (const FieldSpot& spot : layout.Fields) {
        Skip(s, spot.Offset - at);
        Store(c, spot.Field, ReadSpot(s, spot));
        at = spot.Offset + SizeOf(spot.Size);
    }
    Skip(s, layout.BlockBytes - at);
}

// The latest scenario kept this game's own record.
void ReadCreatureRecord(Serializer& s, OldCharacter& c) {
    Creature old;
    Sync(s, old);
    c.Name = old.Name + DecodeName(old.NameCodes, 1, LastNameCode);
    c.Race = old.Race;
    c.Class = old.Class;
    c.Sex = old.Sex;
    c.Alignment = old.Alignment;
    c.Exp = old.Exp;
    c.Marks = old.Marks;
    c.Stats = {old.Str, old.IQ, old.Piety, old.Vitality, old.Dexterity, old.Luck};
    c.Walk = old.Walk;
    c.HasAgilityAndCharm = true;
    c.Agility = old.Agility;
    c.Charm = old.Charm;
    c.Escapes = old.Escapes;
    c.Victories = old.Victories;
    c.StepCycles = old.StepCycles;
    c.FirstInsignia = old.Insignia[1] == 1;
}

}  // namespace

std::vector<OldCharacter> ReadOldRoster(std::string_view fileBytes, const TransferSource& source) {
    std::vector<OldCharacter> roster(OldRosterRows);
    if (fileBytes.size() <= source.RosterOffset) return roster;
    Serializer s = Serializer::Loading(fileBytes.substr(source.RosterOffset));
    for (OldCharacter& record : roster) {
        if (source.Type == RecordType::F) {
            ReadCreatureRecord(s, record);
        } else {
            ReadOldRecord(s, LayoutOf(source.Type), record);
        }
        if (s.Short()) {
            // A record the file cuts off is not offered half read; nor is
            // anything after it.
            record = OldCharacter{};
            break;
        }
    }
    return roster;
}

std::vector<std::string> TransferCandidates(const std::vector<OldCharacter>& roster) {
    std::vector<std::string> names;
    for (size_t i = 1; i < roster.size() && i < OldRosterRows; ++i) {
        if (roster[i].Name.empty()) break;
        names.push_back(roster[i].Name);
    }
    return names;
}

std::filesystem::path FindSourceFile(const TransferSource& source,
                                     const std::filesystem::path& saveFolder,
                                     const std::filesystem::path& dataFolder) {
    for (const std::filesystem::path& folder : {saveFolder, dataFolder}) {
        if (folder.empty()) continue;
        std::filesystem::path found = ResolveDataFile(source.FileName, folder);
        if (!found.empty()) return found;
    }
    return {};
}

std::string ReadSourceBytes(const std::filesystem::path& path, const TransferSource& source) {
    if (path.empty()) return {};
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    const size_t needed = source.RosterOffset + OldRosterRows * MostRecordBytes;
    std::string bytes(static_cast<size_t>(std::min<uintmax_t>(size, needed)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

}  // namespace kv
