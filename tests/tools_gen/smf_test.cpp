#include <gtest/gtest.h>

#include "Smf.h"
#include "SmfReader.h"

namespace kv::gen {
namespace {

using test::ReadSmf;

TEST(SmfVarLen, EncodesTheBoundaryValuesOfEachLength) {
    struct Case {
        uint32_t Value;
        std::vector<uint8_t> Bytes;
    };
    const std::vector<Case> cases = {
        {0, {0x00}},
        {0x40, {0x40}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeVarLen(c.Value), c.Bytes) << "value " << c.Value;
        size_t pos = 0;
        EXPECT_EQ(test::ReadVarLen(c.Bytes, pos, c.Bytes.size()), c.Value);
        EXPECT_EQ(pos, c.Bytes.size());
    }
    // The format holds 28 bits; larger values are clamped, never wrapped.
    EXPECT_EQ(EncodeVarLen(0x10000000), EncodeVarLen(0x0FFFFFFF));
    EXPECT_EQ(EncodeVarLen(0xFFFFFFFF), EncodeVarLen(0x0FFFFFFF));
}

TEST(SmfWriter, HeaderAndChunkLengthsReadBack) {
    MidiTrack conductor;
    conductor.Name("Song");
    conductor.Tempo(0, 500000);
    conductor.TimeSignature(0, 3, 2);
    MidiTrack voice;
    voice.Program(0, 2, 40);
    voice.Note(0, 480, 2, 60, 100);
    voice.Note(100000, 20000, 2, 64, 90);  // a gap that needs a three-byte delta
    const std::vector<uint8_t> bytes = WriteSmf(1, 480, {conductor, voice});
    const test::SmfFile file = ReadSmf(bytes);
    EXPECT_EQ(file.Format, 1);
    EXPECT_EQ(file.Division, 480);
    ASSERT_EQ(file.Tracks.size(), 2u);
    // Tempo 500000 us written big-endian in three bytes.
    const auto& meta = file.Tracks[0].Events;
    ASSERT_GE(meta.size(), 4u);
    EXPECT_EQ(meta[1].MetaType, 0x51);
    EXPECT_EQ(meta[1].Data, (std::vector<uint8_t>{0x07, 0xA1, 0x20}));
    EXPECT_EQ(meta[2].Data, (std::vector<uint8_t>{3, 2, 24, 8}));
    const auto& events = file.Tracks[1].Events;
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[0].Status, 0xC2);
    EXPECT_EQ(events[2].Tick, 480u);
    EXPECT_TRUE(test::IsNoteOff(events[2]));
    EXPECT_EQ(events[3].Tick, 100000u);
    EXPECT_EQ(events[4].Tick, 120000u);
    EXPECT_EQ(events[5].MetaType, 0x2F);
    EXPECT_EQ(events[5].Tick, 120000u);
}

TEST(SmfWriter, ReleasesComeBeforeStrikesAtTheSameTick) {
    MidiTrack track;
    track.Note(480, 480, 0, 62, 90);  // added first, yet starts when the next ends
    track.Note(0, 480, 0, 62, 90);
    const test::SmfFile file = ReadSmf(WriteSmf(0, 480, {track}));
    const auto& e = file.Tracks[0].Events;
    ASSERT_EQ(e.size(), 5u);
    EXPECT_TRUE(test::IsNoteOn(e[0]));
    EXPECT_EQ(e[1].Tick, 480u);
    EXPECT_TRUE(test::IsNoteOff(e[1])) << "the repeated note must be released before it restrikes";
    EXPECT_TRUE(test::IsNoteOn(e[2]));
    EXPECT_EQ(e[3].Tick, 960u);
}

TEST(SmfWriter, EndsWhereToldAndClampsOutOfRangeValues) {
    MidiTrack track;
    track.Note(0, 0, 0, 60, 90);    // no length: nothing written
    track.Note(0, 10, 20, 200, 0);  // channel, key and velocity out of range
    track.EndAt(5000);
    EXPECT_EQ(track.LastTick(), 5000u);
    const test::SmfFile file = ReadSmf(WriteSmf(7, 0, {track}));
    EXPECT_EQ(file.Format, 1);
    EXPECT_EQ(file.Division, 1);
    const auto& e = file.Tracks[0].Events;
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].Status, 0x9F);
    EXPECT_EQ(e[0].Data, (std::vector<uint8_t>{127, 1}));  // a strike is never velocity 0
    EXPECT_EQ(e[2].Tick, 5000u);
    EXPECT_EQ(e[2].MetaType, 0x2F);
}

TEST(SmfReaderSelfCheck, RejectsBrokenFiles) {
    MidiTrack track;
    track.Note(0, 480, 0, 60, 90);
    std::vector<uint8_t> good = WriteSmf(0, 480, {track});
    EXPECT_NO_THROW(ReadSmf(good));
    std::vector<uint8_t> shortened(good.begin(), good.end() - 1);
    EXPECT_THROW(ReadSmf(shortened), std::runtime_error);
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_THROW(ReadSmf(longer), std::runtime_error);
}

}  // namespace
}  // namespace kv::gen
