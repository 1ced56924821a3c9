// The scripted input and the fake clock it drives.
#include <gtest/gtest.h>

#include <string>

#include "platform/KeyScript.h"
#include "platform/null/FakeClock.h"
#include "platform/null/ScriptEventSource.h"

namespace kv {
namespace {

using Kind = InputEvent::Type;

class ScriptEvents : public ::testing::Test {
  protected:
    void Load(std::string_view text) {
        KeyScript script = ParseKeyScript(text);
        ASSERT_EQ(script.Error, "");
        source_ = std::make_unique<ScriptEventSource>(script.Steps, clock_);
    }
    InputEvent Next(int64_t deadline = -1) {
        InputEvent event;
        EXPECT_TRUE(source_->WaitEvent(event, deadline));
        return event;
    }
    bool TimesOut(int64_t deadline) {
        InputEvent event;
        return !source_->WaitEvent(event, deadline);
    }

    FakeClock clock_;
    std::unique_ptr<ScriptEventSource> source_;
};

TEST_F(ScriptEvents, KeyGivesDownThenUp) {
    Load("Ctrl+S Enter");
    InputEvent down = Next();
    EXPECT_EQ(down.Kind, Kind::KeyDown);
    EXPECT_EQ(down.KeyCode, 'S');
    EXPECT_EQ(down.Shift, 2);
    InputEvent up = Next();
    EXPECT_EQ(up.Kind, Kind::KeyUp);
    EXPECT_EQ(up.KeyCode, 'S');
    EXPECT_EQ(up.Shift, 2);
    EXPECT_EQ(Next().KeyCode, 13);
    EXPECT_EQ(Next().Kind, Kind::KeyUp);
    EXPECT_EQ(Next().Kind, Kind::Quit);
}

TEST_F(ScriptEvents, ARepeatIsAMarkedKeyDownWithoutARelease) {
    Load("Ctrl Repeat+Ctrl Repeat+Shift+Down Enter");
    InputEvent press = Next();
    EXPECT_EQ(press.Kind, Kind::KeyDown);
    EXPECT_FALSE(press.Repeat);
    EXPECT_EQ(Next().Kind, Kind::KeyUp);
    InputEvent held = Next();
    EXPECT_EQ(held.Kind, Kind::KeyDown);
    EXPECT_EQ(held.KeyCode, 17);
    EXPECT_TRUE(held.Repeat);
    held = Next();
    EXPECT_EQ(held.Kind, Kind::KeyDown);
    EXPECT_EQ(held.KeyCode, 40);
    EXPECT_EQ(held.Shift, 1);
    EXPECT_TRUE(held.Repeat);
    InputEvent enter = Next();
    EXPECT_EQ(enter.KeyCode, 13);
    EXPECT_FALSE(enter.Repeat);
    EXPECT_EQ(Next().Kind, Kind::KeyUp);
    EXPECT_EQ(Next().Kind, Kind::Quit);
}

TEST_F(ScriptEvents, TextClickShotAndSkippedSeed) {
    Load("seed:99 \"\xE3\x81\x82 b\" click:5,6 shot:a.png");
    EXPECT_EQ(source_->StepsLeft(), 4u);
    InputEvent text = Next();
    EXPECT_EQ(text.Kind, Kind::Text);
    EXPECT_EQ(text.Text, "\xE3\x81\x82 b");
    InputEvent click = Next();
    EXPECT_EQ(click.Kind, Kind::MouseDown);
    EXPECT_EQ(click.Button, 1);
    EXPECT_EQ(click.X, 5);
    EXPECT_EQ(click.Y, 6);
    InputEvent shot = Next();
    EXPECT_EQ(shot.Kind, Kind::Screenshot);
    EXPECT_EQ(shot.Text, "a.png");
    EXPECT_EQ(source_->StepsLeft(), 0u);
    EXPECT_EQ(clock_.NowMs(), 0);
}

TEST_F(ScriptEvents, WaitWithoutDeadlineAdvancesTheClockWhole) {
    Load("wait:1500 Esc wait:0 wait:20 Up");
    EXPECT_EQ(Next().KeyCode, 27);
    EXPECT_EQ(clock_.NowMs(), 1500);
    Next();  // key up: no time passes
    EXPECT_EQ(Next().KeyCode, 38);
    EXPECT_EQ(clock_.NowMs(), 1520);
}

TEST_F(ScriptEvents, DeadlinesSplitAWaitWhichThenResumes) {
    Load("wait:1000 Enter");
    EXPECT_TRUE(TimesOut(300));
    EXPECT_EQ(clock_.NowMs(), 300);
    EXPECT_EQ(source_->StepsLeft(), 2u);
    EXPECT_TRUE(TimesOut(550));
    EXPECT_EQ(clock_.NowMs(), 550);
    // A deadline past the wait's end: the rest of the wait, then the key.
    InputEvent event = Next(5000);
    EXPECT_EQ(event.KeyCode, 13);
    EXPECT_EQ(clock_.NowMs(), 1000);
}

TEST_F(ScriptEvents, DeadlineAtTheWaitsEndFiresBeforeTheNextStep) {
    Load("wait:400 Enter");
    EXPECT_TRUE(TimesOut(400));
    EXPECT_EQ(clock_.NowMs(), 400);
    EXPECT_EQ(source_->StepsLeft(), 1u);
    EXPECT_EQ(Next(800).KeyCode, 13);
    EXPECT_EQ(clock_.NowMs(), 400);
}

TEST_F(ScriptEvents, PastDeadlineStopsAWaitWithoutMovingTheClock) {
    Load("wait:100 wait:200 Enter");
    EXPECT_TRUE(TimesOut(50));
    EXPECT_EQ(clock_.NowMs(), 50);
    EXPECT_TRUE(TimesOut(10));
    EXPECT_EQ(clock_.NowMs(), 50);
    // Across two waits: the first is used up, the second is cut.
    EXPECT_TRUE(TimesOut(250));
    EXPECT_EQ(clock_.NowMs(), 250);
    EXPECT_EQ(source_->StepsLeft(), 2u);
    EXPECT_EQ(Next().KeyCode, 13);
    EXPECT_EQ(clock_.NowMs(), 300);
}

TEST_F(ScriptEvents, KeysComeAtOnceWhateverTheDeadline) {
    Load("Enter");
    EXPECT_EQ(Next(0).KeyCode, 13);
}

TEST_F(ScriptEvents, ExhaustedScriptQuitsEveryTime) {
    Load("wait:10");
    for (int64_t deadline : {-1, 100, 0, -1}) {
        InputEvent event = Next(deadline);
        EXPECT_EQ(event.Kind, Kind::Quit);
    }
    EXPECT_EQ(clock_.NowMs(), 10);
    Load("");
    EXPECT_EQ(Next().Kind, Kind::Quit);
    EXPECT_EQ(Next().Kind, Kind::Quit);
}

TEST_F(ScriptEvents, PushedEventsComeFirstInOrder) {
    Load("wait:100 Enter");
    InputEvent close;
    close.Kind = Kind::CloseAsked;
    InputEvent text;
    text.Kind = Kind::Text;
    text.Text = "x";
    source_->Push(close);
    source_->Push(text);
    EXPECT_EQ(Next().Kind, Kind::CloseAsked);
    EXPECT_EQ(Next().Text, "x");
    EXPECT_EQ(clock_.NowMs(), 0);
    EXPECT_EQ(Next().KeyCode, 13);
    // Pushed after the script ran out: still delivered before the Quit.
    EXPECT_EQ(Next().Kind, Kind::KeyUp);
    source_->Push(close);
    EXPECT_EQ(Next().Kind, Kind::CloseAsked);
    EXPECT_EQ(Next().Kind, Kind::Quit);
}

TEST(FakeClock, StartsAtANoonAndMovesOnlyWhenTold) {
    FakeClock clock;
    EXPECT_EQ(clock.NowMs(), 0);
    EXPECT_DOUBLE_EQ(clock.SecondsSinceMidnight(), 43200.0);
    clock.Advance(1500);
    EXPECT_EQ(clock.NowMs(), 1500);
    EXPECT_DOUBLE_EQ(clock.SecondsSinceMidnight(), 43201.5);
    clock.Advance(-5);
    EXPECT_EQ(clock.NowMs(), 1500);
    // Twelve hours on it is a little after midnight.
    clock.Advance(43200000);
    EXPECT_DOUBLE_EQ(clock.SecondsSinceMidnight(), 1.5);
}

TEST(FakeClock, EntropyIsNotFixed) {
    FakeClock clock;
    uint64_t first = clock.Entropy();
    bool differs = false;
    for (int i = 0; i < 4 && !differs; ++i) differs = clock.Entropy() != first;
    EXPECT_TRUE(differs);
}

}  // namespace
}  // namespace kv
