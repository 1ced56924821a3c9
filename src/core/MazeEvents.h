#pragma once
// The maze's scripted events as the interpreter runs them: built once at
// start-up from the event rows (several rows with one ID form one event, one
// row per content) and never changed afterwards. Progress lives in the
// event flags, the inventories and the party, never here.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct DiceClass {
    int32_t DA = 0;  // dice count / amount
    int32_t DB = 0;  // dice sides / flag
    int32_t DC = 0;  // addend / flag
};

struct LocateClass {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Floor = 0;
    int32_t Direction = 0;  // 0..3, or 4 for a random facing
    int32_t Dungeon = 0;
};

// One step of an event.
struct Contents {
    std::string Key;
    int32_t ID = 0;
    int32_t Kind = 0;
    int32_t Target = 0;
    int32_t Data = 0;  // always 0; kept for the shape of the record
    int32_t DataID = 0;
    std::string Message;
    LocateClass Location;
    DiceClass Dice;
    int32_t State = 0;
    std::string JudgeString;
    int32_t TrueID = 0;   // position (1..) to go on at when a test succeeds
    int32_t FalseID = 0;  // position to go on at when it fails
};

// One event: where and when it fires, and its contents in order.
struct EventClass {
    int32_t ID = 0;
    int32_t Dungeon = 0;
    int32_t Floor = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Dir = 0;
    int32_t EventCase = 0;
    std::vector<Contents> Content;
};

}  // namespace kv
