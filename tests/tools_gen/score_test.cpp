#include <gtest/gtest.h>

#include <algorithm>

#include "Arrange.h"
#include "Score.h"

namespace kv::gen {
namespace {

constexpr uint32_t Q = TicksPerQuarter;
constexpr uint32_t Bar = 4 * Q;

TEST(Notation, PitchesCountFromMiddleC) {
    EXPECT_EQ(ParsePitch("c4"), 60);
    EXPECT_EQ(ParsePitch("a4"), 69);
    EXPECT_EQ(ParsePitch("f#3"), 54);
    EXPECT_EQ(ParsePitch("bb2"), 46);
    EXPECT_EQ(ParsePitch("B3"), 59);
    // Accidentals that cross C change the octave with them.
    EXPECT_EQ(ParsePitch("cb4"), 59);
    EXPECT_EQ(ParsePitch("b#3"), 60);
    EXPECT_EQ(ParsePitch("c-1"), 0);
    EXPECT_EQ(ParsePitch("g9"), 127);
    for (const char* bad : {"", "h4", "c", "c#", "g#9", "c4x", "4"}) {
        EXPECT_THROW(ParsePitch(bad), NotationError) << bad;
    }
}

TEST(Notation, LengthsDotsTripletsAndCounts) {
    EXPECT_EQ(ParseDuration("w"), 4 * Q);
    EXPECT_EQ(ParseDuration("q"), Q);
    EXPECT_EQ(ParseDuration("h."), 3 * Q);
    EXPECT_EQ(ParseDuration("e."), Q * 3 / 4);
    EXPECT_EQ(ParseDuration("e3"), Q / 3);
    EXPECT_EQ(ParseDuration("3w"), 12 * Q);
    EXPECT_EQ(ParseDuration("t"), Q / 8);
    for (const char* bad : {"", "x", "q..", "0q", "q3x", "3", "99q"}) {
        EXPECT_THROW(ParseDuration(bad), NotationError) << bad;
    }
}

TEST(Notation, PhrasesKeepTimeAcrossRestsChordsAndRepeats) {
    const Phrase p = ParsePhrase("c4:q r e4+g4:h | { d4:e }*2 >f4' _a4:h~", Bar, 80);
    ASSERT_EQ(p.Notes.size(), 7u);
    EXPECT_EQ(p.Length, Bar + 3 * Q + Q / 2);
    EXPECT_EQ(p.Notes[1].Start, 2 * Q);  // after the rest, which kept the quarter length
    EXPECT_EQ(p.Notes[2].Start, 2 * Q);  // the chord's two notes start together
    EXPECT_EQ(p.Notes[2].Length, 2 * Q);
    EXPECT_EQ(p.Notes[3].Start, Bar);
    EXPECT_EQ(p.Notes[4].Start, Bar + Q / 2);
    EXPECT_EQ(p.Notes[5].Velocity, 95);
    EXPECT_EQ(p.Notes[5].Style, Articulation::Staccato);
    EXPECT_EQ(p.Notes[5].Length, Q / 2);  // the length carries over
    EXPECT_EQ(p.Notes[6].Velocity, 60);
    EXPECT_EQ(p.Notes[6].Style, Articulation::Held);
}

TEST(Notation, BarLinesCatchMiscountedBars) {
    EXPECT_NO_THROW(ParsePhrase("c4:h c4:h | c4:w |", Bar, 80));
    EXPECT_THROW(ParsePhrase("c4:h c4:q | c4:w", Bar, 80), NotationError);
    EXPECT_THROW(ParsePhrase("c4:h. |c4:q", Bar, 80), NotationError);  // written against a note
    EXPECT_NO_THROW(ParsePhrase("c4:h. | c4:q", 0, 80));               // checks off
    EXPECT_THROW(ParsePhrase("{ c4:q", Bar, 80), NotationError);
    EXPECT_THROW(ParsePhrase("c4:q }*2", Bar, 80), NotationError);
    EXPECT_THROW(ParsePhrase("{ c4:q }*0", Bar, 80), NotationError);
}

TEST(Notation, RepeatsNestAndBracesNeedNoSpaces) {
    const std::vector<std::string> tokens = ExpandTokens("{a {b}*2}*2|c");
    EXPECT_EQ(tokens, (std::vector<std::string>{"a", "b", "b", "a", "b", "b", "|", "c"}));
}

TEST(Chords, QualitiesSlashBassAndDefaultLength) {
    const auto chords = ParseChords("Am | G7:h C/E:h | F#m7b5 | r", Bar);
    ASSERT_EQ(chords.size(), 5u);
    EXPECT_EQ(chords[0].Root, 9);
    EXPECT_EQ(chords[0].Intervals, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(chords[0].Length, Bar);
    EXPECT_EQ(chords[1].Intervals, (std::vector<int>{0, 4, 7, 10}));
    EXPECT_EQ(chords[2].Start, Bar + 2 * Q);
    EXPECT_EQ(chords[2].Root, 0);
    EXPECT_EQ(chords[2].Bass, 4);
    EXPECT_EQ(chords[3].Root, 6);
    EXPECT_EQ(chords[3].Intervals, (std::vector<int>{0, 3, 6, 10}));
    EXPECT_TRUE(chords[4].Intervals.empty());
    EXPECT_THROW(ParseChords("Cmaj9", Bar), NotationError);
    EXPECT_THROW(ParseChords("C/X", Bar), NotationError);
    EXPECT_THROW(ParseChords("C:h | G", Bar), NotationError);
}

TEST(Comp, FigureRestartsAtEveryChordAndStopsAtItsEnd) {
    const auto chords = ParseChords("C:h. G:q", Bar);
    const std::vector<Note> notes = Comp(chords, "1:q 5:q", 60, 70);
    // C: 1 5 1 (three quarters); G: 1 (restarted, one quarter).
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[0].Key, 60);
    EXPECT_EQ(notes[1].Key, 67);
    EXPECT_EQ(notes[2].Key, 60);
    EXPECT_EQ(notes[3].Key, 55);  // G nearest to middle C lies below it
    EXPECT_EQ(notes[3].Start, 3 * Q);
    const std::vector<Note> cut = Comp(ParseChords("C:q", 0), "1:h", 60, 70);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].Length, Q);
}

TEST(Comp, ChordsAreVoicedCloseAroundTheCentreAndBassFollowsTheSlash) {
    const auto chords = ParseChords("C/G", Bar);
    std::vector<Note> block = Comp(chords, "C:w", 64, 70);
    ASSERT_EQ(block.size(), 3u);
    std::vector<int> keys;
    for (const Note& n : block) keys.push_back(n.Key);
    std::sort(keys.begin(), keys.end());
    EXPECT_LE(keys.back() - keys.front(), 11) << "close position spans less than an octave";
    EXPECT_LE(std::abs((keys.front() + keys.back()) / 2 - 64), 4);
    const std::vector<Note> bass = Comp(chords, "B:w", 40, 70);
    ASSERT_EQ(bass.size(), 1u);
    EXPECT_EQ(bass[0].Key % 12, 7);
    const std::vector<Note> power = Comp(chords, "P:w", 48, 70);
    ASSERT_EQ(power.size(), 3u);
    EXPECT_EQ(power[1].Key - power[0].Key, 7);
    EXPECT_EQ(power[2].Key - power[0].Key, 12);
    EXPECT_TRUE(Comp(ParseChords("r", Bar), "C:w", 60, 70).empty());
    EXPECT_THROW(Comp(chords, "X:q", 60, 70), NotationError);
}

TEST(Drums, GridsCycleAndAccent) {
    const std::vector<Note> hits = DrumGrid("X.o| x", 36, Q, 8 * Q, 80);
    // X . o x repeated twice.
    ASSERT_EQ(hits.size(), 6u);
    EXPECT_EQ(hits[0].Velocity, 105);
    EXPECT_EQ(hits[1].Start, 2 * Q);
    EXPECT_EQ(hits[1].Velocity, 45);
    EXPECT_EQ(hits[3].Start, 4 * Q);
    EXPECT_THROW(DrumGrid("x-x", 36, Q, Q, 80), NotationError);
    EXPECT_THROW(DrumGrid("", 36, Q, Q, 80), NotationError);
}

}  // namespace
}  // namespace kv::gen
