#pragma once
// One stored row of the event table (641 bytes): several consecutive rows
// with the same ID form one event, one row per content. Only the byte layout
// lives here; the interpreter builds its own objects from these rows.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kv {

class Serializer;

struct EventDef {
    int16_t ID = 0;  // event number; 0 = unused row
    uint8_t Dungeon = 0;
    uint8_t Floor = 0;
    uint8_t X = 0;
    uint8_t Y = 0;
    uint8_t Dir = 0;
    uint8_t EventCase = 0;  // trigger
    uint8_t ContentId = 0;
    uint8_t Kind = 0;
    uint8_t Target = 0;
    uint8_t Unused = 0;  // kept as stored
    int16_t DataID = 0;
    std::array<int16_t, 201> MessageCodes{};  // elements 1..200, one character each
    uint8_t LocDungeon = 0;
    uint8_t LocFloor = 0;
    uint8_t LocX = 0;
    uint8_t LocY = 0;
    uint8_t LocDirection = 0;  // 0..3, 4 = random
    int32_t DA = 0;
    int32_t DB = 0;
    int32_t DC = 0;
    int32_t State = 0;
    std::array<int16_t, 101> JudgeCodes{};  // elements 1..100
    uint8_t TrueID = 0;
    uint8_t FalseID = 0;

    // Decoded from MessageCodes and JudgeCodes after loading; never stored.
    std::string Message;
    std::string JudgeString;
};

inline constexpr size_t EventDefStoredSize = 641;

void Sync(Serializer& s, EventDef& event);

}  // namespace kv
