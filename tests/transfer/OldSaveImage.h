#pragma once
// Save files of the earlier scenarios, laid out byte by byte for the tests:
// explicit offsets and little-endian values, sharing nothing with the reader
// but the name coding (and, for the latest scenario, this game's own
// creature record).
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Cp932.h"
#include "core/Creature.h"
#include "core/NameCoding.h"
#include "core/Serializer.h"
#include "transfer/TransferSources.h"

namespace kv::testing {

// What a test puts into one old record.
struct OldRecordValues {
    std::string Name;
    int32_t Race = 1;
    int32_t Class = 1;
    int32_t Sex = 1;
    int32_t Alignment = 2;
    double Exp = 0;
    double Marks = 0;
    std::array<int32_t, 6> Stats{10, 10, 10, 10, 10, 10};  // Str IQ Piety Vit Dex Luck
    uint8_t Flags = 0;
    float Walk = 0;
    // The latest scenario's record only.
    uint8_t Agility = 0;
    uint8_t Charm = 0;
    double Escapes = 0, Victories = 0, StepCycles = 0;
    bool FirstInsignia = false;
};

class ByteImage {
  public:
    explicit ByteImage(size_t size = 0, uint8_t fill = 0) : bytes_(size, static_cast<char>(fill)) {}

    void Put(size_t at, uint64_t value, size_t width) {
        if (bytes_.size() < at + width) bytes_.resize(at + width, '\0');
        for (size_t i = 0; i < width; ++i) bytes_[at + i] = static_cast<char>(value >> (8 * i));
    }
    void Put16(size_t at, int32_t value) { Put(at, static_cast<uint16_t>(value), 2); }
    void Put32(size_t at, int64_t value) { Put(at, static_cast<uint32_t>(value), 4); }
    void PutSingle(size_t at, float value) { Put(at, std::bit_cast<uint32_t>(value), 4); }
    void Append(const std::string& more) { bytes_ += more; }
    // A String: its 16-bit length, then its CP932 bytes.
    void AppendString(const std::string& utf8) {
        const std::string text = Utf8ToCp932(utf8);
        const size_t at = bytes_.size();
        Put16(at, static_cast<int32_t>(text.size()));
        bytes_ += text;
    }
    const std::string& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

  private:
    std::string bytes_;
};

// The 110 bytes in front of the name String of types C to E: 8 bytes, then
// the coded name as Integers at 8 + 2k.
inline std::string CodedLead(const std::string& name) {
    ByteImage lead(110, 0x5A);
    std::array<int16_t, 51> codes{};
    EncodeName(name, codes, 1, 50);
    for (int k = 0; k <= 50; ++k) lead.Put16(8 + 2 * static_cast<size_t>(k), codes[k]);
    return lead.Bytes();
}

// Where each field lies in the block behind the last String, per type.
struct BlockSpots {
    size_t Size;
    size_t Race, Class, Sex, Alignment, Exp, Marks, Stats;
    bool ClassIsLong, ExpIsSingle;
    int Flags = -1, Walk = -1;
};

inline BlockSpots SpotsOf(RecordType type) {
    switch (type) {
        case RecordType::A:
            return {324, 4, 6, 8, 10, 32, 36, 60, false, false};
        case RecordType::B:
            return {554, 4, 6, 8, 10, 32, 36, 60, false, false, 550};
        case RecordType::C:
            return {638, 4, 6, 8, 10, 34, 38, 62, false, false, 630};
        case RecordType::D:
            return {642, 4, 6, 8, 10, 34, 38, 62, false, false, -1, 634};
        default:
            return {1146, 0, 2, 6, 8, 32, 66, 90, true, true, 918, 922};
    }
}

inline std::string OldRecordBytes(RecordType type, const OldRecordValues& v,
                                  const std::string& nameText = "") {
    ByteImage record;
    if (type == RecordType::F) {
        Creature c;
        c.Id = 3;
        c.Level = 12;
        EncodeName(v.Name, c.NameCodes, 1, 50);
        c.Name = nameText;
        c.Race = static_cast<int16_t>(v.Race);
        c.Class = v.Class;
        c.Sex = static_cast<uint8_t>(v.Sex);
        c.Alignment = static_cast<uint8_t>(v.Alignment);
        c.Exp = v.Exp;
        c.Marks = v.Marks;
        c.Str = static_cast<uint8_t>(v.Stats[0]);
        c.IQ = static_cast<uint8_t>(v.Stats[1]);
        c.Piety = static_cast<uint8_t>(v.Stats[2]);
        c.Vitality = static_cast<uint8_t>(v.Stats[3]);
        c.Dexterity = static_cast<uint8_t>(v.Stats[4]);
        c.Luck = static_cast<uint8_t>(v.Stats[5]);
        c.Agility = v.Agility;
        c.Charm = v.Charm;
        c.Walk = v.Walk;
        c.Escapes = v.Escapes;
        c.Victories = v.Victories;
        c.StepCycles = v.StepCycles;
        c.Insignia[1] = v.FirstInsignia ? 1 : 0;
        // What must not come along.
        c.Gold = 99999;
        c.HP = c.MaxHP = 321;
        c.Status = StatusPoison;
        c.Items[1] = {17, 1, 1};
        c.Spell(0, 3, 2) = -1;
        return SaveRecord(c);
    }
    const bool coded = type != RecordType::A && type != RecordType::B;
    if (coded) {
        record.Append(CodedLead(v.Name));
        record.AppendString(nameText);
    } else {
        record.Append(std::string(8, '\x5A'));
        record.AppendString(nameText + v.Name);
    }
    if (type == RecordType::E) {
        record.Append(std::string(42, '\x33'));
        record.AppendString("ふたつめの名前");
    }
    const BlockSpots at = SpotsOf(type);
    ByteImage block(at.Size, 0x00);
    block.Put16(at.Race, v.Race);
    if (at.ClassIsLong) {
        block.Put32(at.Class, v.Class);
    } else {
        block.Put16(at.Class, v.Class);
    }
    block.Put16(at.Sex, v.Sex);
    block.Put16(at.Alignment, v.Alignment);
    if (at.ExpIsSingle) {
        block.PutSingle(at.Exp, static_cast<float>(v.Exp));
        block.PutSingle(at.Marks, static_cast<float>(v.Marks));
    } else {
        block.Put32(at.Exp, static_cast<int64_t>(v.Exp));
        block.Put32(at.Marks, static_cast<int64_t>(v.Marks));
    }
    for (size_t i = 0; i < 6; ++i) block.Put16(at.Stats + 2 * i, v.Stats[i]);
    if (at.Flags >= 0) block.Put(static_cast<size_t>(at.Flags), v.Flags, 1);
    if (at.Walk >= 0) block.PutSingle(static_cast<size_t>(at.Walk), v.Walk);
    record.Append(block.Bytes());
    return record.Bytes();
}

// A whole file: the tables before the roster (junk), 51 records (slot 0 with
// a name that must never be offered, then the given ones, then blanks), and
// a table after the roster.
inline std::string OldSaveFile(const TransferSource& source,
                               const std::vector<OldRecordValues>& records) {
    ByteImage file(source.RosterOffset, 0xEE);
    OldRecordValues zero;
    zero.Name = "ゼロ";
    file.Append(OldRecordBytes(source.Type, zero));
    for (const OldRecordValues& r : records) file.Append(OldRecordBytes(source.Type, r));
    for (size_t i = records.size() + 1; i < 51; ++i) {
        file.Append(OldRecordBytes(source.Type, OldRecordValues{}));
    }
    file.Append(std::string(404, '\x11'));
    return file.Bytes();
}

}  // namespace kv::testing
