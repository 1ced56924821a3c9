#pragma once
// A compact written notation for tunes, so melodies, chord progressions and
// accompaniment figures read like a lead sheet in the source.
//
// Notes:   c4 is middle C (key 60); accidentals '#' and 'b' follow the letter
//          (f#3, bb2). 'r' is a rest. Chords of notes join with '+': c4+e4+g4.
// Lengths: after ':' -- w h q e s t (whole .. thirty-second), a '.' dots it,
//          a trailing '3' makes a triplet, a leading count multiplies (":3q").
//          A token without a length keeps the previous one.
// Marks:   prefix '>' accent, '^' strong accent, '_' soft; suffix '\'' staccato,
//          '~' held for the whole length.
// Layout:  '|' checks that a bar ends exactly there; "{ ... }*N" repeats.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kv::gen {

constexpr uint32_t TicksPerQuarter = 480;

struct NotationError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

enum class Articulation { Normal, Staccato, Held };

struct Note {
    uint32_t Start = 0;
    uint32_t Length = 0;  // the slot; how much of it sounds is the voice's choice
    int Key = 60;
    int Velocity = 90;
    Articulation Style = Articulation::Normal;
};

struct Phrase {
    std::vector<Note> Notes;
    uint32_t Length = 0;  // rests included
};

// A chord of a progression: pitch classes relative to the root.
struct ChordSpan {
    uint32_t Start = 0;
    uint32_t Length = 0;
    int Root = 0;                // pitch class 0..11
    int Bass = 0;                // pitch class of the lowest note (the root unless "/X")
    std::vector<int> Intervals;  // from the root; empty for "r" (no chord)
};

int ParsePitch(std::string_view text);          // throws NotationError
uint32_t ParseDuration(std::string_view text);  // throws NotationError

// Splits on white space and expands "{ ... }*N" (nesting allowed).
std::vector<std::string> ExpandTokens(std::string_view text);

// barLength 0 turns the '|' checks off.
Phrase ParsePhrase(std::string_view text, uint32_t barLength, int velocity);

// "Dm | G7 | C:h Am:h | F/A". A chord without a length lasts one bar.
// Qualities: "" m 7 m7 maj7 dim dim7 m7b5 aug sus2 sus4 add9 m9 6 m6 5.
std::vector<ChordSpan> ParseChords(std::string_view text, uint32_t barLength);

}  // namespace kv::gen
