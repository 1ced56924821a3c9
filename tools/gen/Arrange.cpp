#include "Arrange.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

namespace kv::gen {
namespace {

struct Step {
    std::string Tone;  // the figure's tone selector
    uint32_t Length = 0;
    int Loudness = 0;  // added to the velocity
    Articulation Style = Articulation::Normal;
};

std::vector<Step> ParseFigure(std::string_view figure) {
    std::vector<Step> steps;
    uint32_t length = TicksPerQuarter;
    for (const std::string& token : ExpandTokens(figure)) {
        std::string_view rest = token;
        Step step;
        while (!rest.empty() && (rest[0] == '>' || rest[0] == '^' || rest[0] == '_')) {
            step.Loudness += rest[0] == '>' ? 15 : (rest[0] == '^' ? 25 : -20);
            rest.remove_prefix(1);
        }
        if (!rest.empty() && (rest.back() == '\'' || rest.back() == '~')) {
            step.Style = rest.back() == '\'' ? Articulation::Staccato : Articulation::Held;
            rest.remove_suffix(1);
        }
        const size_t colon = rest.find(':');
        if (colon != std::string_view::npos) length = ParseDuration(rest.substr(colon + 1));
        step.Tone = std::string(rest.substr(0, colon));
        step.Length = length;
        static constexpr std::string_view Tones[] = {"C", "P",  "B",  "1",  "3",  "5", "7",
                                                     "8", "10", "12", "-5", "-8", "r"};
        if (std::find(std::begin(Tones), std::end(Tones), step.Tone) == std::end(Tones)) {
            throw NotationError("unknown figure tone: \"" + token + "\"");
        }
        steps.push_back(std::move(step));
    }
    if (steps.empty()) throw NotationError("empty accompaniment figure");
    return steps;
}

// The key of pitch class pc nearest to centre (ties go down).
int Nearest(int pc, int centre) {
    int key = centre - ((centre - pc) % 12 + 12) % 12;  // at or below centre
    if (centre - key > 6) key += 12;
    return key;
}

// Close-position voicing nearest to centre: try every inversion, keep the one
// whose middle lies closest.
std::vector<int> Voicing(const ChordSpan& chord, int centre) {
    std::vector<int> pcs;
    for (int step : chord.Intervals) pcs.push_back((chord.Root + step) % 12);
    std::vector<int> best;
    int bestDistance = 1 << 30;
    for (size_t first = 0; first < pcs.size(); ++first) {
        std::vector<int> keys;
        int key = Nearest(pcs[first], centre - 4);
        keys.push_back(key);
        for (size_t n = 1; n < pcs.size(); ++n) {
            const int pc = pcs[(first + n) % pcs.size()];
            int next = keys.back() + 1;
            while (next % 12 != pc) ++next;
            keys.push_back(next);
        }
        const int middle = (keys.front() + keys.back()) / 2;
        const int distance = std::abs(middle - centre);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = keys;
        }
    }
    return best;
}

std::vector<int> Tone(const std::string& tone, const ChordSpan& chord, int centre) {
    if (tone == "r") return {};
    if (tone == "C") return Voicing(chord, centre);
    if (tone == "B") return {Nearest(chord.Bass, centre)};
    const int root = Nearest(chord.Root, centre);
    const std::vector<int>& iv = chord.Intervals;
    auto degree = [&](size_t index, int fallback) {
        return root + (index < iv.size() ? iv[index] : fallback);
    };
    if (tone == "P") return {root, root + 7, root + 12};
    if (tone == "1") return {root};
    if (tone == "3") return {degree(1, 12)};
    if (tone == "5") return {degree(2, 7)};
    if (tone == "7") return {degree(3, 12)};
    if (tone == "8") return {root + 12};
    if (tone == "10") return {degree(1, 12) + 12};
    if (tone == "12") return {degree(2, 7) + 12};
    if (tone == "-5") return {degree(2, 7) - 12};
    return {root - 12};  // "-8"
}

}  // namespace

std::vector<Note> Comp(const std::vector<ChordSpan>& chords, std::string_view figure, int centre,
                       int velocity) {
    const std::vector<Step> steps = ParseFigure(figure);
    const uint32_t cycle =
        std::accumulate(steps.begin(), steps.end(), uint32_t{0},
                        [](uint32_t sum, const Step& s) { return sum + s.Length; });
    if (cycle == 0) throw NotationError("accompaniment figure without length");
    std::vector<Note> notes;
    for (const ChordSpan& chord : chords) {
        if (chord.Intervals.empty()) continue;
        uint32_t at = 0;
        for (size_t i = 0; at < chord.Length; i = (i + 1) % steps.size()) {
            const Step& step = steps[i];
            const uint32_t length = std::min(step.Length, chord.Length - at);
            for (int key : Tone(step.Tone, chord, centre)) {
                if (key < 0 || key > 127) continue;
                notes.push_back(
                    Note{chord.Start + at, length, key, velocity + step.Loudness, step.Style});
            }
            at += step.Length;
        }
    }
    return notes;
}

std::vector<Note> DrumGrid(std::string_view grid, int key, uint32_t step, uint32_t length,
                           int velocity) {
    std::string cells;
    for (char c : grid) {
        if (c == '|' || c == ' ') continue;
        if (c != 'x' && c != 'X' && c != 'o' && c != '.') {
            throw NotationError(std::string("unknown drum step '") + c + "'");
        }
        cells.push_back(c);
    }
    if (cells.empty() || step == 0) throw NotationError("empty drum grid");
    std::vector<Note> notes;
    size_t i = 0;
    for (uint32_t at = 0; at < length; at += step, i = (i + 1) % cells.size()) {
        const char c = cells[i];
        if (c == '.') continue;
        const int loudness = c == 'X' ? velocity + 25 : (c == 'o' ? velocity - 35 : velocity);
        notes.push_back(Note{at, std::min(step, length - at), key, loudness, Articulation::Held});
    }
    return notes;
}

std::vector<Note> Shifted(std::vector<Note> notes, uint32_t offset) {
    for (Note& note : notes) note.Start += offset;
    return notes;
}

std::vector<Note> Transposed(std::vector<Note> notes, int semitones) {
    for (Note& note : notes) note.Key = std::clamp(note.Key + semitones, 0, 127);
    return notes;
}

}  // namespace kv::gen
