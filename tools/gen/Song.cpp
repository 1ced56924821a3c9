#include "Song.h"

#include <algorithm>
#include <cmath>

#include "Smf.h"

namespace kv::gen {
namespace {

constexpr int DrumChannel = 9;
constexpr int ControlVolume = 7;
constexpr int ControlPan = 10;
constexpr int ControlReverb = 91;
constexpr int DownbeatLift = 6;  // the first beat of a bar a little louder

// The ticks a note sounds: notes that reach the loop end sound to it, so the
// last release falls exactly there.
uint32_t Sounding(const Note& note, const Voice& voice, uint32_t songEnd) {
    if (note.Start + note.Length >= songEnd || note.Style == Articulation::Held ||
        voice.Channel == DrumChannel) {
        return note.Length;
    }
    const double share = note.Style == Articulation::Staccato ? 0.45 : voice.Articulation;
    const auto ticks = static_cast<uint32_t>(std::lround(note.Length * share));
    return std::clamp<uint32_t>(ticks, 1, note.Length);
}

int DenominatorPower(int denominator) {
    int power = 0;
    while ((1 << power) < denominator && power < 6) ++power;
    return power;
}

}  // namespace

Voice& Voice::Add(const std::vector<Note>& notes, uint32_t offset) {
    for (Note note : notes) {
        note.Start += offset;
        Notes.push_back(note);
    }
    return *this;
}

uint32_t Song::BarTicks() const {
    const int denominator = std::max(1, Denominator);
    return static_cast<uint32_t>(Numerator) * TicksPerQuarter * 4 /
           static_cast<uint32_t>(denominator);
}

double Song::Seconds() const {
    return static_cast<double>(Length()) / TicksPerQuarter * 60.0 / std::max(1, Bpm);
}

Voice& Song::AddVoice(std::string name, int channel, int program, int volume, int pan) {
    Voice voice;
    voice.Name = std::move(name);
    voice.Channel = channel;
    voice.Program = program;
    voice.Volume = volume;
    voice.Pan = pan;
    Voices.push_back(std::move(voice));
    return Voices.back();
}

std::vector<std::string> CheckSong(const Song& song) {
    std::vector<std::string> problems;
    const uint32_t end = song.Length();
    if (song.Bars <= 0 || song.Bpm <= 0) problems.push_back(song.File + ": no length or tempo");
    if (song.Voices.empty() || song.Voices.size() > 15) {
        problems.push_back(song.File + ": needs 1..15 voices");
    }
    bool releasedAtEnd = false;
    for (const Voice& voice : song.Voices) {
        if (voice.Channel < 0 || voice.Channel > 15) {
            problems.push_back(song.File + "/" + voice.Name + ": bad channel");
        }
        if (voice.Notes.empty()) problems.push_back(song.File + "/" + voice.Name + ": silent");
        for (const Note& note : voice.Notes) {
            if (note.Length == 0 || note.Start + note.Length > end) {
                problems.push_back(song.File + "/" + voice.Name + ": a note at tick " +
                                   std::to_string(note.Start) + " runs past the loop end " +
                                   std::to_string(end));
                break;
            }
            if (note.Start + Sounding(note, voice, end) == end) releasedAtEnd = true;
        }
    }
    if (!releasedAtEnd) problems.push_back(song.File + ": no note lasts to the loop end");
    return problems;
}

std::vector<uint8_t> RenderSong(const Song& song) {
    const uint32_t end = song.Length();
    std::vector<MidiTrack> tracks;
    MidiTrack& conductor = tracks.emplace_back();
    conductor.Name(song.Title);
    conductor.TimeSignature(0, song.Numerator, DenominatorPower(song.Denominator));
    conductor.Tempo(0, static_cast<uint32_t>(60'000'000 / std::max(1, song.Bpm)));
    conductor.EndAt(end);

    const uint32_t bar = song.BarTicks();
    for (const Voice& voice : song.Voices) {
        MidiTrack& track = tracks.emplace_back();
        track.Name(voice.Name);
        track.Program(0, voice.Channel, voice.Program);
        track.Controller(0, voice.Channel, ControlVolume, voice.Volume);
        track.Controller(0, voice.Channel, ControlPan, voice.Pan);
        track.Controller(0, voice.Channel, ControlReverb, voice.Reverb);
        for (const Note& note : voice.Notes) {
            if (note.Start >= end) continue;
            const uint32_t length = std::min(Sounding(note, voice, end), end - note.Start);
            const int lift = note.Start % bar == 0 ? DownbeatLift : 0;
            track.Note(note.Start, length, voice.Channel, note.Key, note.Velocity + lift);
        }
        track.EndAt(end);
    }
    return WriteSmf(1, TicksPerQuarter, tracks);
}

}  // namespace kv::gen
