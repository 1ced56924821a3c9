// The comforts' settings: the [Keys] entries move actions to keys (a bad one
// is said in one line and keeps the standard key), and the message speed is
// written only once chosen.
#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "ui/KeyBindings.h"

namespace kv {
namespace {

TEST(ComfortSettings, KeysMoveActionsAndBadEntriesKeepTheStandardKey) {
    std::vector<std::string> problems;
    const KeyBindings keys = KeyBindings::Read(
        SettingsFile::Parse("[Keys]\nforward = K\nTurnLeft=j\nCamp = Nope\nSearch = K\n"
                            "Jump = Space\nUseItem = W\nUseItem = F2\n"),
        problems);
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "[Keys] Camp = Nope: no such key; Camp keeps I",
                            "[Keys] Search = K: the key is Forward's already; Search keeps F",
                            "[Keys] Jump = Space: no such action; the keys stay as they were"}));
    // What the maze's handler sees for each key pressed: W is UseItem's now,
    // not the party window's; the keys given away do nothing.
    const int cases[][2] = {{'K', Key::Up}, {'J', Key::Left}, {Key::Up, 0}, {'W', 'U'},
                            {'U', 0},       {'F', 'F'},       {'I', 'I'},   {Key::PadCamp, 'I'}};
    for (const auto& c : cases) EXPECT_EQ(keys.Translate(c[0]), c[1]) << c[0];
    EXPECT_EQ(keys.Translate(Key::Up, true), Key::Up);  // a controller keeps its layout
}

TEST(ComfortSettings, AMessageSpeedIsWrittenOnlyOnceChosen) {
    Settings settings;
    SettingsFile file;
    WriteSettings(settings, {}, file);
    EXPECT_FALSE(file.Text().Get(ComfortSection, MessageSpeedKey).has_value());
    for (MessageSpeed speed : {MessageSpeed::Fast, MessageSpeed::AsWritten}) {
        settings.Messages = speed;
        WriteSettings(settings, {}, file);
        EXPECT_EQ(file.Read(ComfortSection, MessageSpeedKey), SpeedRow(speed).Name);
    }
}

}  // namespace
}  // namespace kv
