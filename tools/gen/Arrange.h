#pragma once
// Accompaniment from a chord progression and a short figure, and drum parts
// from step grids: the parts a tune repeats bar after bar.
#include <string_view>
#include <vector>

#include "Score.h"

namespace kv::gen {

// Plays the figure over every chord, starting it afresh at each chord change
// and cutting it at the chord's end. Figure tokens (lengths and marks as in
// melodies):
//   C  the whole chord, in the close position nearest to `centre`
//   P  a bare fifth with the octave (root, fifth, root), root nearest to `centre`
//   B  the bass note (the "/X" note, else the root), nearest to `centre`
//   1 3 5 7   root, third, fifth, seventh (an octave-up root when the chord has
//             no seventh) in the octave where the root is nearest to `centre`
//   8 10 12   root, third and fifth an octave higher; -5 -8 a fifth / octave lower
//   r  rest
// A chord span of "r" (no chord) stays silent.
std::vector<Note> Comp(const std::vector<ChordSpan>& chords, std::string_view figure, int centre,
                       int velocity);

// One drum (or any fixed key) played from a grid of steps, cycled to fill
// `length`: 'x' a hit, 'X' accented, 'o' a ghost note, '.' silence; '|' and
// spaces are ignored so bars can be marked.
std::vector<Note> DrumGrid(std::string_view grid, int key, uint32_t step, uint32_t length,
                           int velocity);

// The notes shifted later by `offset`.
std::vector<Note> Shifted(std::vector<Note> notes, uint32_t offset);

// Keys moved by semitones (drums excepted by simply not calling it on them).
std::vector<Note> Transposed(std::vector<Note> notes, int semitones);

}  // namespace kv::gen
