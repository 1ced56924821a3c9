#pragma once
// An independent reader of Standard MIDI files for the tests: it parses the
// chunks back byte by byte (running status included) so a test can check
// what the writer produced without trusting the writer's own code.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kv::gen::test {

struct SmfEvent {
    uint32_t Tick = 0;     // absolute
    uint8_t Status = 0;    // 0x80..0xEF channel events, 0xFF meta
    uint8_t MetaType = 0;  // meta events only
    std::vector<uint8_t> Data;
};

struct SmfTrack {
    uint32_t DeclaredLength = 0;
    std::vector<SmfEvent> Events;
};

struct SmfFile {
    int Format = 0;
    int Division = 0;
    std::vector<SmfTrack> Tracks;
};

inline uint32_t ReadVarLen(const std::vector<uint8_t>& bytes, size_t& pos, size_t end) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        if (pos >= end) throw std::runtime_error("variable-length number runs off the chunk");
        const uint8_t b = bytes[pos++];
        value = (value << 7) | (b & 0x7F);
        if ((b & 0x80) == 0) return value;
    }
    throw std::runtime_error("variable-length number longer than four bytes");
}

inline uint32_t ReadBig(const std::vector<uint8_t>& bytes, size_t pos, int count) {
    if (pos + count > bytes.size()) throw std::runtime_error("file too short");
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | bytes[pos + i];
    return value;
}

inline SmfFile ReadSmf(const std::vector<uint8_t>& bytes) {
    SmfFile file;
    if (bytes.size() < 14 || std::string(bytes.begin(), bytes.begin() + 4) != "MThd") {
        throw std::runtime_error("no MThd chunk");
    }
    if (ReadBig(bytes, 4, 4) != 6) throw std::runtime_error("MThd length is not 6");
    file.Format = static_cast<int>(ReadBig(bytes, 8, 2));
    const uint32_t trackCount = ReadBig(bytes, 10, 2);
    file.Division = static_cast<int>(ReadBig(bytes, 12, 2));
    size_t pos = 14;
    for (uint32_t t = 0; t < trackCount; ++t) {
        if (pos + 8 > bytes.size() ||
            std::string(bytes.begin() + pos, bytes.begin() + pos + 4) != "MTrk") {
            throw std::runtime_error("missing MTrk chunk " + std::to_string(t));
        }
        SmfTrack track;
        track.DeclaredLength = ReadBig(bytes, pos + 4, 4);
        const size_t begin = pos + 8;
        const size_t end = begin + track.DeclaredLength;
        if (end > bytes.size()) throw std::runtime_error("track chunk longer than the file");
        size_t p = begin;
        uint32_t tick = 0;
        uint8_t running = 0;
        bool ended = false;
        while (p < end) {
            if (ended) throw std::runtime_error("bytes after the end of track");
            tick += ReadVarLen(bytes, p, end);
            if (p >= end) throw std::runtime_error("event missing after delta time");
            SmfEvent event;
            event.Tick = tick;
            uint8_t status = bytes[p];
            if (status & 0x80) {
                ++p;
            } else {
                if (running == 0) throw std::runtime_error("data byte without status");
                status = running;
            }
            event.Status = status;
            if (status == 0xFF) {
                if (p >= end) throw std::runtime_error("meta event cut short");
                event.MetaType = bytes[p++];
                const uint32_t length = ReadVarLen(bytes, p, end);
                if (p + length > end) throw std::runtime_error("meta data runs off the chunk");
                event.Data.assign(bytes.begin() + p, bytes.begin() + p + length);
                p += length;
                if (event.MetaType == 0x2F) ended = true;
            } else if (status == 0xF0 || status == 0xF7) {
                const uint32_t length = ReadVarLen(bytes, p, end);
                p += length;
            } else {
                running = status;
                const int kind = status & 0xF0;
                const int count = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
                if (p + count > end) throw std::runtime_error("channel event cut short");
                event.Data.assign(bytes.begin() + p, bytes.begin() + p + count);
                p += count;
            }
            track.Events.push_back(std::move(event));
        }
        if (!ended) throw std::runtime_error("track without end-of-track");
        file.Tracks.push_back(std::move(track));
        pos = end;
    }
    if (pos != bytes.size()) throw std::runtime_error("bytes after the last track");
    return file;
}

inline bool IsNoteOn(const SmfEvent& e) {
    return (e.Status & 0xF0) == 0x90 && e.Data.size() == 2 && e.Data[1] > 0;
}
inline bool IsNoteOff(const SmfEvent& e) {
    return ((e.Status & 0xF0) == 0x80) ||
           ((e.Status & 0xF0) == 0x90 && e.Data.size() == 2 && e.Data[1] == 0);
}

}  // namespace kv::gen::test
