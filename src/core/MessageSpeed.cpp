#include "core/MessageSpeed.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/Settings.h"

namespace kv {

const MessageSpeedRow& SpeedRow(MessageSpeed speed) {
    const auto row = std::find_if(MessageSpeeds.begin(), MessageSpeeds.end(),
                                  [&](const MessageSpeedRow& r) { return r.Speed == speed; });
    return row == MessageSpeeds.end() ? MessageSpeeds.front() : *row;
}

MessageSpeed ReadMessageSpeed(const SettingsFile& file) {
    std::string value = file.Read(ComfortSection, MessageSpeedKey);
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const MessageSpeedRow& row : MessageSpeeds) {
        if (row.Name == value) return row.Speed;
    }
    return MessageSpeed::AsWritten;
}

void WriteMessageSpeed(MessageSpeed speed, SettingsFile& file) {
    const bool named = file.Text().Get(ComfortSection, MessageSpeedKey).has_value();
    if (named || speed != MessageSpeed::AsWritten) {
        file.Write(ComfortSection, MessageSpeedKey, SpeedRow(speed).Name);
    }
}

}  // namespace kv
