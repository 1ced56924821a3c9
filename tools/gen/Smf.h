#pragma once
// A small Standard MIDI File writer: tracks of timed events, encoded with
// running time (delta ticks as variable-length quantities) into format 0 or 1.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::gen {

// 7 bits a byte, most significant first, high bit set on all but the last.
// Values above 0x0FFFFFFF do not fit the format and are clamped to it.
std::vector<uint8_t> EncodeVarLen(uint32_t value);

class MidiTrack {
  public:
    void Name(std::string_view name);
    void Tempo(uint32_t tick, uint32_t microsPerQuarter);
    void TimeSignature(uint32_t tick, int numerator, int denominatorPower);
    void Program(uint32_t tick, int channel, int program);
    void Controller(uint32_t tick, int channel, int controller, int value);
    void NoteOn(uint32_t tick, int channel, int key, int velocity);
    void NoteOff(uint32_t tick, int channel, int key);
    // A note from tick for length ticks (nothing for a zero length).
    void Note(uint32_t tick, uint32_t length, int channel, int key, int velocity);
    // Where the track ends; without it the track ends at its last event.
    void EndAt(uint32_t tick) { end_ = tick; }

    uint32_t LastTick() const;
    // The "MTrk" chunk. Events at the same tick keep this order: meta events,
    // then program and controller changes, then note-offs, then note-ons, so
    // a note repeated back to back is never cut by its own release.
    std::vector<uint8_t> Encode() const;

  private:
    struct Event {
        uint32_t Tick;
        int Rank;      // order among events at one tick
        size_t Added;  // then the order they were added in
        std::vector<uint8_t> Bytes;
    };
    void Add(uint32_t tick, int rank, std::vector<uint8_t> bytes);

    std::vector<Event> events_;
    uint32_t end_ = 0;
};

// The whole file: "MThd" (format, track count, ticks per quarter) then the tracks.
std::vector<uint8_t> WriteSmf(int format, int ticksPerQuarter,
                              const std::vector<MidiTrack>& tracks);

}  // namespace kv::gen
