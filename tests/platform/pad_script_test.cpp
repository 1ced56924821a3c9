// A controller's buttons in key scripts: pad:NAME reads as the game's key the
// button stands for, comes out of the script as a press and a release marked
// as the controller's, and a recording writes it back the same way.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/InputRecorder.h"
#include "platform/KeyScript.h"
#include "platform/Keys.h"
#include "platform/PadButtons.h"
#include "platform/null/ScriptEventSource.h"

namespace kv {
namespace {

TEST(PadScript, EachButtonIsItsKeyAndAReplayWritesItBack) {
    std::string text;
    for (const PadButtonRow& row : PadButtons) text += "pad:" + std::string(row.Name) + " ";
    const KeyScript script = ParseKeyScript(text + "Up");
    ASSERT_EQ(script.Error, "");
    ASSERT_EQ(script.Steps.size(), PadButtons.size() + 1);
    EXPECT_EQ(script.Steps[6].KeyCode, Key::PadCamp);    // West: the camp
    EXPECT_EQ(script.Steps[8].KeyCode, Key::End);        // Start: the last row
    EXPECT_EQ(script.Steps[10].KeyCode, Key::PageDown);  // RightShoulder

    FakeClock clock;
    ScriptEventSource source(script.Steps, clock);
    std::ostringstream out;
    RecordingEventSource recorder(source, clock, out, 5);
    InputEvent event;
    for (size_t i = 0; i < 2 * script.Steps.size(); ++i) {
        ASSERT_TRUE(recorder.WaitEvent(event, -1));
        EXPECT_EQ(event.FromPad, i < 2 * PadButtons.size()) << i;
        EXPECT_EQ(event.Kind, i % 2 == 0 ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp);
    }
    const KeyScript replay = ParseKeyScript(out.str());
    ASSERT_EQ(replay.Error, "");
    std::string again;
    for (size_t i = 1; i < replay.Steps.size(); ++i) again += FormatStep(replay.Steps[i]) + " ";
    EXPECT_EQ(again, text + "Up ");
}

TEST(PadScript, AnUnknownButtonIsAnError) {
    EXPECT_EQ(ParseKeyScript("Up\npad:Select").Error,
              "line 2: unknown controller button 'pad:Select'");
    EXPECT_EQ(ParseKeyScript("pad:").Error, "line 1: unknown controller button 'pad:'");
}

}  // namespace
}  // namespace kv
