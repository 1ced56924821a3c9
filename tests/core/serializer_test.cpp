#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "core/Serializer.h"

namespace kv {
namespace {

using namespace std::string_literals;

// A small record using every kind of field, so the codec is tested apart
// from the game's own records.
struct Sample {
    uint8_t B = 0;
    int16_t I = 0;
    int32_t L = 0;
    float F = 0;
    double D = 0;
    std::string S;
    std::array<int16_t, 4> Codes{};
    std::array<uint8_t, 3> Spare{};
};

void Sync(Serializer& s, Sample& r) {
    s.Byte(r.B, "B");
    s.Integer(r.I, "I");
    s.Long(r.L, "L");
    s.Single(r.F, "F");
    s.Double(r.D, "D");
    s.String(r.S, "S");
    s.Array(r.Codes, "Codes");
    s.Bytes(r.Spare, "Spare");
}

struct Table {
    int16_t Count = 0;
    std::array<Sample, 3> Rows{};
};

void Sync(Serializer& s, Table& t) {
    s.Integer(t.Count, "Count");
    s.Records(t.Rows, "Rows");
}

Sample FilledSample() {
    Sample r;
    r.B = 0xAB;
    r.I = -2;
    r.L = -123456789;
    r.F = 1.0f;
    r.D = -2.5;
    r.S = "アイ";
    r.Codes = {0, 1, -1, 0x1234};
    r.Spare = {1, 2, 3};
    return r;
}

const std::string FilledBytes =
    "\xAB"
    "\xFE\xFF"
    "\xEB\x32\xA4\xF8"
    "\x00\x00\x80\x3F"
    "\x00\x00\x00\x00\x00\x00\x04\xC0"
    "\x04\x00\x83\x41\x83\x43"
    "\x00\x00\x01\x00\xFF\xFF\x34\x12"
    "\x01\x02\x03"s;

TEST(SerializerSave, EveryFieldKindIsLittleEndianWithoutPadding) {
    EXPECT_EQ(SaveRecord(FilledSample()), FilledBytes);
    // Empty texts still take their length word.
    EXPECT_EQ(SaveRecord(Sample{}), std::string(32, '\0'));
}

TEST(SerializerSave, OverlongTextIsCutToWhatTheLengthWordHolds) {
    Sample r;
    r.S = std::string(70000, 'x');
    const std::string bytes = SaveRecord(r);
    ASSERT_EQ(bytes.size(), 32u + 65535);
    EXPECT_EQ(bytes.substr(19, 2), "\xFF\xFF");
    EXPECT_EQ(DescribeRecord(r)[5].Size, 2u + 65535);
}

TEST(SerializerLoad, ReadsBackWhatWasWritten) {
    Sample r;
    Serializer s = Serializer::Loading(FilledBytes);
    Sync(s, r);
    EXPECT_FALSE(s.Short());
    EXPECT_EQ(s.BytesRead(), FilledBytes.size());
    EXPECT_EQ(s.Position(), FilledBytes.size());
    EXPECT_EQ(r.B, 0xAB);
    EXPECT_EQ(r.I, -2);
    EXPECT_EQ(r.L, -123456789);
    EXPECT_EQ(r.F, 1.0f);
    EXPECT_EQ(r.D, -2.5);
    EXPECT_EQ(r.S, "アイ");
    EXPECT_EQ(r.Codes, (std::array<int16_t, 4>{0, 1, -1, 0x1234}));
    EXPECT_EQ(r.Spare, (std::array<uint8_t, 3>{1, 2, 3}));
}

TEST(SerializerLoad, FloatBitsSurviveEvenForNaNPayloads) {
    Sample r;
    r.F = std::bit_cast<float>(uint32_t{0x7FA00001});              // signalling NaN
    r.D = std::bit_cast<double>(uint64_t{0xFFF8000000000123ULL});  // negative quiet NaN
    const std::string bytes = SaveRecord(r);
    Sample back;
    ASSERT_TRUE(LoadRecord(bytes, back));
    EXPECT_EQ(std::bit_cast<uint32_t>(back.F), 0x7FA00001u);
    EXPECT_EQ(std::bit_cast<uint64_t>(back.D), 0xFFF8000000000123ULL);
    EXPECT_EQ(SaveRecord(back), bytes);
}

TEST(SerializerLoad, TextBytesThatAreNotValidCp932StillRoundTrip) {
    // FF is never a lead byte, 81 followed by a space is a lone lead byte,
    // 87 90 is a duplicate code, and a lead byte ends the text.
    const std::string text = "\xFF\x81\x20\x87\x90\x41\x82"s;
    std::string bytes = FilledBytes;
    bytes.replace(19, 6, "\x07\x00"s + text);
    Sample r;
    ASSERT_TRUE(LoadRecord(bytes, r));
    EXPECT_EQ(SaveRecord(r), bytes);
}

TEST(SerializerShortInput, MissingBytesReadAsZeroAndAreCounted) {
    // The input ends inside L: its low two bytes are there, the rest is not.
    Sample r = FilledSample();
    Serializer s = Serializer::Loading(std::string_view(FilledBytes).substr(0, 5));
    Sync(s, r);
    EXPECT_TRUE(s.Short());
    EXPECT_EQ(s.BytesRead(), 5u);
    EXPECT_EQ(s.Position(), 32u);  // the layout still advanced over everything
    EXPECT_EQ(r.I, -2);
    EXPECT_EQ(r.L, 0x32EB);
    EXPECT_EQ(r.F, 0.0f);
    EXPECT_EQ(r.S, "");
    EXPECT_EQ(r.Codes, (std::array<int16_t, 4>{}));
    EXPECT_EQ(r.Spare, (std::array<uint8_t, 3>{}));
}

struct Arrays {
    std::array<int16_t, 5> Small{};
    std::array<int32_t, 3> Wide{};
    std::array<double, 2> Real{};
    std::array<uint8_t, 3> Raw{};
};

void Sync(Serializer& s, Arrays& r) {
    s.Array(r.Small, "Small");
    s.Array(r.Wide, "Wide");
    s.Array(r.Real, "Real");
    s.Bytes(r.Raw, "Raw");
}

TEST(SerializerShortInput, ArraysCutAnywhereKeepTheBytesThatAreThere) {
    const Arrays full{{1, -2, 0x1234, -32768, 7}, {-1, 0x01020304, 5}, {-2.5, 1e300}, {9, 8, 7}};
    const std::string bytes = SaveRecord(full);
    ASSERT_EQ(bytes.size(), 5u * 2 + 3 * 4 + 2 * 8 + 3);
    for (size_t n = 0; n <= bytes.size(); ++n) {
        Arrays r{{9, 9, 9, 9, 9}, {9, 9, 9}, {9, 9}, {9, 9, 9}};  // overwritten or zeroed
        Serializer s = Serializer::Loading(std::string_view(bytes).substr(0, n));
        Sync(s, r);
        EXPECT_EQ(s.Short(), n < bytes.size()) << n;
        EXPECT_EQ(s.BytesRead(), n);
        // What was there is kept, the element it ends in included; the rest is zero.
        EXPECT_EQ(SaveRecord(r), bytes.substr(0, n) + std::string(bytes.size() - n, '\0')) << n;
    }
}

TEST(SerializerShortInput, EmptyInputGivesAnAllZeroRecord) {
    Sample r = FilledSample();
    EXPECT_FALSE(LoadRecord(std::string_view(), r));
    EXPECT_EQ(SaveRecord(r), SaveRecord(Sample{}));
}

TEST(SerializerShortInput, TextLengthRunningPastTheEndTakesWhatIsThere) {
    // Length 0xFFFF, then only "ア" and a lone lead byte.
    const std::string bytes = FilledBytes.substr(0, 19) + "\xFF\xFF\x83\x41\x83"s;
    Sample r = FilledSample();
    Serializer s = Serializer::Loading(bytes);
    Sync(s, r);
    EXPECT_TRUE(s.Short());
    EXPECT_EQ(s.BytesRead(), bytes.size());
    EXPECT_EQ(r.S, "ア\xF4\x80\x82\x83");  // the lone 83 kept as its raw character
    EXPECT_EQ(r.Codes, (std::array<int16_t, 4>{}));
    EXPECT_EQ(r.Spare, (std::array<uint8_t, 3>{}));
}

TEST(SerializerShortInput, LengthWordItselfCutInHalf) {
    const std::string bytes = FilledBytes.substr(0, 20);
    Sample r = FilledSample();
    Serializer s = Serializer::Loading(bytes);
    Sync(s, r);
    EXPECT_TRUE(s.Short());
    EXPECT_EQ(s.BytesRead(), 20u);
    EXPECT_EQ(r.S, "");  // a length of 4 was read from the half there, but no text follows
}

TEST(SerializerDescribe, NamesOffsetsSizesAndTypes) {
    const Layout layout = DescribeRecord<Sample>();
    ASSERT_EQ(layout.size(), 8u);
    const struct {
        const char* name;
        size_t offset;
        size_t size;
        const char* type;
        size_t count;
    } expected[] = {{"B", 0, 1, "Byte", 1},         {"I", 1, 2, "Integer", 1},
                    {"L", 3, 4, "Long", 1},         {"F", 7, 4, "Single", 1},
                    {"D", 11, 8, "Double", 1},      {"S", 19, 2, "String", 1},
                    {"Codes", 21, 8, "Integer", 4}, {"Spare", 29, 3, "Bytes", 3}};
    for (size_t i = 0; i < layout.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(layout[i].Name, expected[i].name);
        EXPECT_EQ(layout[i].Offset, expected[i].offset);
        EXPECT_EQ(layout[i].Size, expected[i].size);
        EXPECT_EQ(layout[i].Type, expected[i].type);
        EXPECT_EQ(layout[i].Count, expected[i].count);
    }
}

TEST(SerializerDescribe, TextOfARecordShiftsTheFieldsAfterIt) {
    const Layout layout = DescribeRecord(FilledSample());
    EXPECT_EQ(FindField(layout, "S")->Size, 6u);
    EXPECT_EQ(FindField(layout, "Codes")->Offset, 25u);
    EXPECT_EQ(FindField(layout, "Spare")->Offset, 33u);
    EXPECT_EQ(FindField(layout, "Nothing"), nullptr);
}

TEST(SerializerDescribe, NestedRecordsArePrefixedWithTheirRow) {
    const Layout layout = DescribeRecord<Table>();
    ASSERT_EQ(layout.size(), 1u + 3 * 8);
    EXPECT_EQ(layout[1].Name, "Rows[0].B");
    EXPECT_EQ(layout[1].Offset, 2u);
    const FieldInfo* spare = FindField(layout, "Rows[2].Spare");
    ASSERT_NE(spare, nullptr);
    EXPECT_EQ(spare->Offset, 2u + 2 * 32 + 29);
    // Saving and loading are not slowed by names and leave no trace of them.
    EXPECT_EQ(SaveRecord(Table{}).size(), 2u + 3 * 32);
}

TEST(SerializerDescribe, LayoutAsText) {
    Layout layout = DescribeRecord<Sample>();
    layout.resize(2);
    layout.push_back(DescribeRecord<Sample>()[6]);
    EXPECT_EQ(FormatLayout(layout),
              "  offset   size  type          name\n"
              "       0      1  Byte          B\n"
              "       1      2  Integer       I\n"
              "      21      8  Integer[4]    Codes\n");
}

TEST(SerializerFirstDifference, NamesTheFieldAndElement) {
    const Layout layout = DescribeRecord(FilledSample());
    EXPECT_EQ(FirstDifference(FilledBytes, FilledBytes, layout), "");

    Sample changed = FilledSample();
    changed.Codes[2] = -3;
    EXPECT_EQ(FirstDifference(FilledBytes, SaveRecord(changed), layout),
              "byte 29: 0xFF vs 0xFD in Codes[2] (Integer[4] at 25)");

    changed = FilledSample();
    changed.L = 0;
    EXPECT_EQ(FirstDifference(FilledBytes, SaveRecord(changed), layout),
              "byte 3: 0xEB vs 0x00 in L (Long at 3)");
}

TEST(SerializerFirstDifference, LengthMismatchAndBytesBeyondTheLayout) {
    const Layout layout = DescribeRecord(FilledSample());
    EXPECT_EQ(FirstDifference(FilledBytes, FilledBytes.substr(0, 34), layout),
              "byte 34: lengths 36 vs 34 in Spare[1] (Bytes[3] at 33)");
    EXPECT_EQ(FirstDifference(FilledBytes + "x", FilledBytes, layout),
              "byte 36: lengths 37 vs 36 outside the layout");
}

TEST(SerializerFirstDifference, NamesRowsOfATable) {
    Table table;
    const std::string before = SaveRecord(table);
    table.Rows[1].Codes[3] = 7;
    EXPECT_EQ(FirstDifference(before, SaveRecord(table), DescribeRecord(table)),
              "byte 61: 0x00 vs 0x07 in Rows[1].Codes[3] (Integer[4] at 55)");
}

TEST(SerializerModes, ConsecutiveTablesShareOneSerializer) {
    // A file is read as one stream of tables; positions run on across them.
    Table first;
    first.Count = 3;
    first.Rows[2].S = "ゲーム";
    std::array<int16_t, 5> numbers = {1, -1, 2, -2, 3};
    Serializer out = Serializer::Saving();
    Sync(out, first);
    out.Array(numbers, "Numbers");
    const std::string file = out.TakeOutput();

    Table readTable;
    std::array<int16_t, 5> readNumbers{};
    Serializer in = Serializer::Loading(file);
    EXPECT_TRUE(in.IsLoading());
    Sync(in, readTable);
    in.Array(readNumbers, "Numbers");
    EXPECT_FALSE(in.Short());
    EXPECT_EQ(in.Position(), file.size());
    EXPECT_EQ(readTable.Rows[2].S, "ゲーム");
    EXPECT_EQ(readNumbers, numbers);
}

}  // namespace
}  // namespace kv
