// The [Keys] section: each entry moves an action to a key, a bad one is said
// in one line and leaves the action on its standard key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Keys.h"
#include "ui/KeyBindings.h"

namespace kv {
namespace {

TEST(KeyBindings, EntriesMoveActionsAndBadOnesKeepTheStandardKey) {
    std::vector<std::string> problems;
    const KeyBindings keys = KeyBindings::Read(SettingsFile::Parse("[Keys]\n"
                                                                   "forward = K\n"
                                                                   "TurnLeft=j\n"
                                                                   "Camp = Nope\n"
                                                                   "Search = K\n"
                                                                   "Jump = Space\n"
                                                                   "UseItem = F1\n"
                                                                   "UseItem = F2\n"),
                                               problems);
    EXPECT_EQ(keys.KeyOf(MazeAction::Forward), Key::Letter('K'));
    EXPECT_EQ(keys.KeyOf(MazeAction::TurnLeft), Key::Letter('J'));
    EXPECT_EQ(keys.KeyOf(MazeAction::Camp), Key::Letter('I'));
    EXPECT_EQ(keys.KeyOf(MazeAction::Search), Key::Letter('F'));
    EXPECT_EQ(keys.KeyOf(MazeAction::UseItem), Key::F1);  // the first of a repeated key counts
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "[Keys] Camp = Nope: no such key; Camp keeps I",
                            "[Keys] Search = K: the key is Forward's already; Search keeps F",
                            "[Keys] Jump = Space: no such action; the keys stay as they were",
                        }));

    // What the maze's handler sees for each key pressed.
    const struct {
        int Pressed;
        int Seen;
    } cases[] = {
        {Key::Letter('K'), Key::Up},
        {Key::Letter('J'), Key::Left},
        {Key::Up, 0},
        {Key::Left, 0},
        {Key::F1, Key::Letter('U')},
        {Key::Letter('U'), 0},
        {Key::Right, Key::Right},
        {Key::Space, Key::Space},
        {Key::PadCamp, Key::Letter('I')},
        {Key::Letter('I'), Key::Letter('I')},
    };
    for (const auto& c : cases) EXPECT_EQ(keys.Translate(c.Pressed), c.Seen) << c.Pressed;
}

TEST(KeyBindings, AKeyTakenFromAnotherActionIsTheNewActionsAlone) {
    std::vector<std::string> problems;
    const KeyBindings keys =
        KeyBindings::Read(SettingsFile::Parse("[Keys]\nForward = W\n"), problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(keys.Translate(Key::Letter('W')), Key::Up);
    EXPECT_NE(KeyBindingsHelp().find("  PartyWindow   W      show or hide"), std::string::npos)
        << KeyBindingsHelp();
}

}  // namespace
}  // namespace kv
