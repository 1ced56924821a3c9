#pragma once
// How fast the rules' messages go by, a setting of the player's own (the
// [Comforts] section of KVR.ini, "MessageSpeed = fast"): as written, each
// message waits for a key; fast, a message also closes by itself after a
// short pause; instant, it is shown and goes at once. Questions and prompts
// always wait for their answer.
#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

class SettingsFile;

enum class MessageSpeed : int32_t { AsWritten = 0, Fast = 1, Instant = 2 };

inline constexpr std::string_view ComfortSection = "Comforts";
inline constexpr std::string_view MessageSpeedKey = "MessageSpeed";

struct MessageSpeedRow {
    MessageSpeed Speed;
    std::string_view Name;     // its value in the file
    std::string_view Caption;  // its option in the settings window
    int PauseMs;               // how long a message stays; -1 until a key
};
inline constexpr std::array<MessageSpeedRow, 3> MessageSpeeds{{
    {MessageSpeed::AsWritten, "as written", "キー待ち(&K)", -1},
    {MessageSpeed::Fast, "fast", "速く(&Q)", 700},
    {MessageSpeed::Instant, "instant", "瞬時(&I)", 0},
}};

const MessageSpeedRow& SpeedRow(MessageSpeed speed);

// A missing or unknown value reads as "as written".
MessageSpeed ReadMessageSpeed(const SettingsFile& file);
// Written only when the file names a speed already or the speed is not the
// default, so the file of a player who never chose one stays as it was.
void WriteMessageSpeed(MessageSpeed speed, SettingsFile& file);

}  // namespace kv
