#pragma once
// A tune as voices of notes over a fixed number of bars, and its rendering
// to a Standard MIDI file that loops cleanly: every voice stops by the loop
// end and at least one note is released exactly there.
#include <cstdint>
#include <string>
#include <vector>

#include "Score.h"

namespace kv::gen {

struct Voice {
    std::string Name;
    int Channel = 0;  // 9 is the drum kit
    int Program = 0;  // General MIDI, counted from 0
    int Volume = 100;
    int Pan = 64;
    int Reverb = 40;
    double Articulation = 0.9;  // share of a normal note's slot that sounds
    std::vector<Note> Notes;

    Voice& Add(const std::vector<Note>& notes, uint32_t offset = 0);
    Voice& Add(const Phrase& phrase, uint32_t offset = 0) { return Add(phrase.Notes, offset); }
};

struct Song {
    int Scene = 0;      // the music scene it is written for
    std::string File;   // name of the .mid file
    std::string Title;  // written into the file as the sequence name
    int Bpm = 120;      // quarter notes a minute
    int Numerator = 4;
    int Denominator = 4;  // 2, 4 or 8
    int Bars = 16;
    std::vector<Voice> Voices;

    uint32_t BarTicks() const;
    uint32_t Length() const { return BarTicks() * static_cast<uint32_t>(Bars); }
    double Seconds() const;

    Voice& AddVoice(std::string name, int channel, int program, int volume, int pan);
};

// What keeps the song from looping cleanly; empty when it is fine.
std::vector<std::string> CheckSong(const Song& song);

// Format 1: a conductor track (name, tempo, metre), then one track a voice.
// Every track ends at the loop end.
std::vector<uint8_t> RenderSong(const Song& song);

}  // namespace kv::gen
