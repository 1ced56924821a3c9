#include "Smf.h"

#include <algorithm>

namespace kv::gen {
namespace {

constexpr uint32_t MaxVarLen = 0x0FFFFFFF;

enum Rank { Meta = 0, Setup = 1, Release = 2, Strike = 3, End = 4 };

void PutBig(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint8_t Clamp7(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 127));
}
uint8_t Channel(int channel) {
    return static_cast<uint8_t>(std::clamp(channel, 0, 15));
}

}  // namespace

std::vector<uint8_t> EncodeVarLen(uint32_t value) {
    value = std::min(value, MaxVarLen);
    std::vector<uint8_t> out;
    out.push_back(static_cast<uint8_t>(value & 0x7F));
    while ((value >>= 7) != 0) out.push_back(static_cast<uint8_t>(0x80 | (value & 0x7F)));
    std::reverse(out.begin(), out.end());
    return out;
}

void MidiTrack::Add(uint32_t tick, int rank, std::vector<uint8_t> bytes) {
    events_.push_back(Event{tick, rank, events_.size(), std::move(bytes)});
}

void MidiTrack::Name(std::string_view name) {
    std::vector<uint8_t> bytes{0xFF, 0x03};
    const std::vector<uint8_t> length = EncodeVarLen(static_cast<uint32_t>(name.size()));
    bytes.insert(bytes.end(), length.begin(), length.end());
    bytes.insert(bytes.end(), name.begin(), name.end());
    Add(0, Meta, std::move(bytes));
}

void MidiTrack::Tempo(uint32_t tick, uint32_t microsPerQuarter) {
    microsPerQuarter = std::clamp<uint32_t>(microsPerQuarter, 1, 0xFFFFFF);
    std::vector<uint8_t> bytes{0xFF, 0x51, 0x03};
    PutBig(bytes, microsPerQuarter, 3);
    Add(tick, Meta, std::move(bytes));
}

void MidiTrack::TimeSignature(uint32_t tick, int numerator, int denominatorPower) {
    Add(tick, Meta, {0xFF, 0x58, 0x04, Clamp7(numerator), Clamp7(denominatorPower), 24, 8});
}

void MidiTrack::Program(uint32_t tick, int channel, int program) {
    Add(tick, Setup, {static_cast<uint8_t>(0xC0 | Channel(channel)), Clamp7(program)});
}

void MidiTrack::Controller(uint32_t tick, int channel, int controller, int value) {
    Add(tick, Setup,
        {static_cast<uint8_t>(0xB0 | Channel(channel)), Clamp7(controller), Clamp7(value)});
}

void MidiTrack::NoteOn(uint32_t tick, int channel, int key, int velocity) {
    // Velocity 0 would mean a release; a struck note is at least 1.
    Add(tick, Strike,
        {static_cast<uint8_t>(0x90 | Channel(channel)), Clamp7(key),
         static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
}

void MidiTrack::NoteOff(uint32_t tick, int channel, int key) {
    Add(tick, Release, {static_cast<uint8_t>(0x80 | Channel(channel)), Clamp7(key), 64});
}

void MidiTrack::Note(uint32_t tick, uint32_t length, int channel, int key, int velocity) {
    if (length == 0) return;
    NoteOn(tick, channel, key, velocity);
    NoteOff(tick + length, channel, key);
}

uint32_t MidiTrack::LastTick() const {
    uint32_t last = end_;
    for (const Event& event : events_) last = std::max(last, event.Tick);
    return last;
}

std::vector<uint8_t> MidiTrack::Encode() const {
    std::vector<const Event*> order;
    order.reserve(events_.size());
    for (const Event& event : events_) order.push_back(&event);
    std::sort(order.begin(), order.end(), [](const Event* a, const Event* b) {
        if (a->Tick != b->Tick) return a->Tick < b->Tick;
        if (a->Rank != b->Rank) return a->Rank < b->Rank;
        return a->Added < b->Added;
    });
    std::vector<uint8_t> body;
    uint32_t now = 0;
    auto putDelta = [&](uint32_t tick) {
        const std::vector<uint8_t> delta = EncodeVarLen(tick - now);
        body.insert(body.end(), delta.begin(), delta.end());
        now = tick;
    };
    for (const Event* event : order) {
        putDelta(event->Tick);
        body.insert(body.end(), event->Bytes.begin(), event->Bytes.end());
    }
    putDelta(LastTick());
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> chunk{'M', 'T', 'r', 'k'};
    PutBig(chunk, static_cast<uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<uint8_t> WriteSmf(int format, int ticksPerQuarter,
                              const std::vector<MidiTrack>& tracks) {
    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    PutBig(out, 6, 4);
    PutBig(out, static_cast<uint32_t>(std::clamp(format, 0, 1)), 2);
    PutBig(out, static_cast<uint32_t>(tracks.size()), 2);
    PutBig(out, static_cast<uint32_t>(std::clamp(ticksPerQuarter, 1, 0x7FFF)), 2);
    for (const MidiTrack& track : tracks) {
        const std::vector<uint8_t> chunk = track.Encode();
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

}  // namespace kv::gen
