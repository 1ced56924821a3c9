#pragma once
// Shorthands the tune files share: parts checked against the song's length
// and parts limited to a range of bars.
#include <string>
#include <string_view>
#include <vector>

#include "Arrange.h"
#include "Gm.h"
#include "Score.h"
#include "Song.h"

namespace kv::gen {

inline void RequireLength(const Song& song, uint32_t length, std::string_view what) {
    if (length != song.Length()) {
        throw NotationError(song.File + ": " + std::string(what) + " lasts " +
                            std::to_string(length) + " ticks, the song " +
                            std::to_string(song.Length()));
    }
}

// A melody that must fill the song exactly.
inline Phrase Line(const Song& song, std::string_view text, int velocity) {
    Phrase phrase = ParsePhrase(text, song.BarTicks(), velocity);
    RequireLength(song, phrase.Length, "a line");
    return phrase;
}

// A progression that must fill the song exactly.
inline std::vector<ChordSpan> Progression(const Song& song, std::string_view text) {
    std::vector<ChordSpan> chords = ParseChords(text, song.BarTicks());
    const uint32_t length = chords.empty() ? 0 : chords.back().Start + chords.back().Length;
    RequireLength(song, length, "the progression");
    return chords;
}

// The chords that start within bars first..last (counted from 1, inclusive).
inline std::vector<ChordSpan> Bars(const Song& song, const std::vector<ChordSpan>& chords,
                                   int first, int last) {
    const uint32_t from = song.BarTicks() * static_cast<uint32_t>(first - 1);
    const uint32_t to = song.BarTicks() * static_cast<uint32_t>(last);
    std::vector<ChordSpan> part;
    for (const ChordSpan& chord : chords) {
        if (chord.Start >= from && chord.Start < to) part.push_back(chord);
    }
    return part;
}

// A drum grid played through bars first..last, stepping `step` ticks.
inline std::vector<Note> Beat(const Song& song, std::string_view grid, int key, int velocity,
                              int first, int last, uint32_t step = TicksPerQuarter / 4) {
    const uint32_t from = song.BarTicks() * static_cast<uint32_t>(first - 1);
    const uint32_t length = song.BarTicks() * static_cast<uint32_t>(last - first + 1);
    return Shifted(DrumGrid(grid, key, step, length, velocity), from);
}

// The start of bar n (counted from 1).
inline uint32_t BarStart(const Song& song, int bar) {
    return song.BarTicks() * static_cast<uint32_t>(bar - 1);
}

// The voices that need no notation: all pads and bells sound their full slot.
constexpr double Legato = 1.0;

}  // namespace kv::gen
