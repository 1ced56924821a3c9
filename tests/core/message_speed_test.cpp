// The message speed is read by name, and a file whose player never chose a
// speed is written back without one.
#include <gtest/gtest.h>

#include "core/Settings.h"

namespace kv {
namespace {

TEST(MessageSpeed, ReadsEachNameAndTakesAnythingElseAsWritten) {
    const struct {
        const char* Text;
        MessageSpeed Speed;
    } cases[] = {
        {"", MessageSpeed::AsWritten},
        {"[Comforts]\nMessageSpeed=fast\n", MessageSpeed::Fast},
        {"[comforts]\nmessagespeed = Instant\n", MessageSpeed::Instant},
        {"[Comforts]\nMessageSpeed=as written\n", MessageSpeed::AsWritten},
        {"[Comforts]\nMessageSpeed=faster\n", MessageSpeed::AsWritten},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadMessageSpeed(SettingsFile::Parse(c.Text)), c.Speed) << c.Text;
}

TEST(MessageSpeed, OnlyAChosenSpeedIsWritten) {
    Settings settings;
    SettingsFile untouched = SettingsFile::Parse("[Comforts]\r\nOther=1\r\n");
    WriteSettings(settings, {}, untouched);
    EXPECT_FALSE(untouched.Text().Get(ComfortSection, MessageSpeedKey).has_value());

    settings.Messages = MessageSpeed::Fast;
    WriteSettings(settings, {}, untouched);
    EXPECT_EQ(untouched.Read(ComfortSection, MessageSpeedKey), "fast");
    // Once named, going back to the default is written too.
    settings.Messages = MessageSpeed::AsWritten;
    WriteSettings(settings, {}, untouched);
    EXPECT_EQ(untouched.Read(ComfortSection, MessageSpeedKey), "as written");
    Settings read;
    ReadSettings(SettingsFile::Parse("[Comforts]\nMessageSpeed=instant\n"), read);
    EXPECT_EQ(read.Messages, MessageSpeed::Instant);
}

}  // namespace
}  // namespace kv
