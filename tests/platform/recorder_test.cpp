// Recording input as a key script and reading it back.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/InputRecorder.h"
#include "platform/KeyScript.h"
#include "platform/null/NullPlatform.h"

namespace kv {
namespace {

using Kind = InputEvent::Type;

std::vector<ScriptStep> Steps(std::string_view text) {
    KeyScript script = ParseKeyScript(text);
    EXPECT_EQ(script.Error, "") << text;
    return script.Steps;
}

// Every step in canonical spelling, one per line: compares two scripts
// field by field while ignoring where each step sat in its file.
std::string Canonical(const std::vector<ScriptStep>& steps) {
    std::string out;
    for (const ScriptStep& step : steps) out += FormatStep(step) + "\n";
    return out;
}

// Plays the whole script through the recorder the way the game's loop does:
// a timer every 120 ms cuts the waits short.
std::string RecordRun(EventSource& source, Clock& clock, uint64_t seed,
                      std::vector<InputEvent>* seen = nullptr) {
    std::ostringstream out;
    RecordingEventSource recorder(source, clock, out, seed);
    int64_t nextTimer = 120;
    for (int guard = 0; guard < 100000; ++guard) {
        InputEvent event;
        if (!recorder.WaitEvent(event, nextTimer)) {
            nextTimer = clock.NowMs() + 120;
            continue;
        }
        if (seen) seen->push_back(event);
        if (event.Kind == Kind::Quit) break;
    }
    return out.str();
}

TEST(InputRecorder, ReplayOfARecordingGivesTheSameSteps) {
    const char* script =
        "Enter wait:250 \"\xE3\x81\x82 \\\"q\\\" #\" Ctrl+Shift+S Repeat+Ctrl+Shift+S wait:1000 "
        "wait:30 "
        "click:10,20 Esc Alt+F4 wait:5";
    std::string error;
    auto platform = CreateNullPlatform(Steps(script), error);
    ASSERT_TRUE(platform) << error;
    std::vector<InputEvent> seen;
    std::string recorded = RecordRun(platform->Events(), platform->Time(), 42, &seen);

    // The game saw everything, key releases included; the trailing wait ran.
    EXPECT_EQ(seen.size(), 12u);
    EXPECT_EQ(platform->Time().NowMs(), 1285);

    EXPECT_EQ(recorded.rfind("# ", 0), 0u) << recorded;
    KeyScript replay = ParseKeyScript(recorded);
    ASSERT_EQ(replay.Error, "") << recorded;
    // Adjacent waits merge and a wait with nothing after it is not needed.
    EXPECT_EQ(Canonical(replay.Steps),
              Canonical(Steps("seed:42 Enter wait:250 \"\xE3\x81\x82 \\\"q\\\" #\" "
                              "Ctrl+Shift+S Repeat+Ctrl+Shift+S wait:1030 click:10,20 Esc "
                              "Alt+F4")));
    EXPECT_EQ(replay.Steps[1].Line, 3);  // header comment, seed, then one step a line
    EXPECT_EQ(replay.Steps[2].Line, 4);
}

TEST(InputRecorder, RecordingTheReplayChangesNothing) {
    const char* script = "seed:7 wait:90 Up wait:333 Up Right \"x\" wait:1 click:639,479";
    FakeClock firstClock;
    ScriptEventSource first(Steps(script), firstClock);
    std::string once = RecordRun(first, firstClock, 7);
    FakeClock secondClock;
    ScriptEventSource second(Steps(once), secondClock);
    std::string twice = RecordRun(second, secondClock, 7);
    EXPECT_EQ(once, twice);
    EXPECT_EQ(Canonical(ParseKeyScript(once).Steps), Canonical(Steps(script)));
}

TEST(InputRecorder, LeavesOutWhatAReplayDoesNotNeed) {
    FakeClock clock;
    ScriptEventSource source({}, clock);
    auto push = [&](Kind kind, int code = 0, std::string text = {}, int button = 1) {
        InputEvent event;
        event.Kind = kind;
        event.KeyCode = code;
        event.Text = std::move(text);
        event.Button = button;
        event.X = 3;
        event.Y = 4;
        source.Push(event);
    };
    push(Kind::KeyUp, 13);
    push(Kind::Editing, 0, "\xE3\x81\x8B");
    push(Kind::Expose);
    push(Kind::CloseAsked);
    push(Kind::Screenshot, 0, "a.png");
    push(Kind::MouseDown, 0, {}, 3);  // right button
    push(Kind::Text, 0, "\r\n");      // nothing left once line breaks go
    push(Kind::KeyDown, 96);          // keypad 0: no name in scripts
    push(Kind::Text, 0, "a\nb");
    push(Kind::MouseDown);
    std::string recorded = RecordRun(source, clock, 1);
    KeyScript replay = ParseKeyScript(recorded);
    ASSERT_EQ(replay.Error, "") << recorded;
    EXPECT_EQ(Canonical(replay.Steps), Canonical(Steps("seed:1 close \"ab\" click:3,4")));
    EXPECT_NE(recorded.find("# key 96"), std::string::npos) << recorded;
}

TEST(InputRecorder, IdleLongerThanADaySplitsTheWait) {
    FakeClock clock;
    ScriptEventSource source(Steps("wait:86400000 wait:86400000 wait:7 Enter"), clock);
    std::ostringstream out;
    RecordingEventSource recorder(source, clock, out, 0);
    InputEvent event;
    ASSERT_TRUE(recorder.WaitEvent(event, -1));
    KeyScript replay = ParseKeyScript(out.str());
    ASSERT_EQ(replay.Error, "");
    EXPECT_EQ(Canonical(replay.Steps), Canonical(Steps("seed:0 wait:86400000 wait:86400000 "
                                                       "wait:7 Enter")));
}

}  // namespace
}  // namespace kv
