// pad:NAME in key scripts: each button plays as the game's key it stands
// for, marked as the controller's, and a recording writes it back the same.
#include <gtest/gtest.h>

#include <sstream>

#include "platform/InputRecorder.h"
#include "platform/PadButtons.h"
#include "platform/null/ScriptEventSource.h"

namespace kv {
namespace {

TEST(PadScript, EachButtonPlaysAsItsKeyAndIsRecordedBack) {
    std::string text = "seed:1\n";
    for (const PadButtonRow& row : PadButtons) text += "pad:" + std::string(row.Name) + "\n";
    FakeClock clock;
    ScriptEventSource source(ParseKeyScript(text).Steps, clock);
    std::ostringstream recorded;
    RecordingEventSource recorder(source, clock, recorded, 1);
    for (size_t i = 0; i < 2 * PadButtons.size(); ++i) {
        InputEvent event;
        recorder.WaitEvent(event, -1);
        EXPECT_TRUE(event.FromPad && event.KeyCode == PadButtons[i / 2].KeyCode) << i;
    }
    EXPECT_TRUE(recorded.str().ends_with(text)) << recorded.str();
    EXPECT_EQ(ParseKeyScript("pad:X").Error, "line 1: unknown controller button 'pad:X'");
}

}  // namespace
}  // namespace kv
