// The windowless display and the silent MIDI player.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/null/NullDisplay.h"
#include "platform/null/RecordingMidiPlayer.h"

namespace kv {
namespace {

TEST(NullDisplay, KeepsACopyOfTheLastFrame) {
    NullDisplay display;
    EXPECT_TRUE(display.LastFrame().Empty());
    Image canvas(640, 480, Rgb(1, 2, 3));
    display.Present(canvas);
    canvas.At(0, 0) = Rgb(9, 9, 9);
    EXPECT_EQ(display.LastFrame().Width, 640);
    EXPECT_EQ(display.LastFrame().At(0, 0), Rgb(1, 2, 3));
    display.Present(canvas);
    EXPECT_EQ(display.LastFrame().At(0, 0), Rgb(9, 9, 9));
    EXPECT_EQ(display.PresentCount(), 2);
}

TEST(NullDisplay, CaptionPositionAndTextInput) {
    NullDisplay display;
    display.SetCaption("\xE5\x86\x92\xE9\x99\xBA");
    EXPECT_EQ(display.Caption(), "\xE5\x86\x92\xE9\x99\xBA");
    display.SetPosition({40, -10});
    EXPECT_EQ(display.Position(), (Point{40, -10}));
    EXPECT_FALSE(display.TextInputOn());
    display.SetTextInput(true, {10, 20, 2, 16});
    EXPECT_TRUE(display.TextInputOn());
    EXPECT_EQ(display.TextInputCaret(), (Rect{10, 20, 2, 16}));
    display.SetTextInput(false, {});
    EXPECT_FALSE(display.TextInputOn());
}

TEST(NullDisplay, WindowStates) {
    NullDisplay display;
    EXPECT_EQ(display.State(), WindowState::Normal);
    display.ToggleMaximise();
    EXPECT_EQ(display.State(), WindowState::Maximised);
    // Full screen and back returns to maximised, not to normal.
    display.SetFullscreen(true);
    EXPECT_EQ(display.State(), WindowState::Fullscreen);
    display.ToggleMaximise();
    EXPECT_EQ(display.State(), WindowState::Fullscreen);
    display.SetFullscreen(true);
    display.SetFullscreen(false);
    EXPECT_EQ(display.State(), WindowState::Maximised);
    display.SetFullscreen(false);
    EXPECT_EQ(display.State(), WindowState::Maximised);

    display.Minimise();
    EXPECT_EQ(display.State(), WindowState::Minimised);
    display.Restore();
    EXPECT_EQ(display.State(), WindowState::Maximised);
    display.ToggleMaximise();
    EXPECT_EQ(display.State(), WindowState::Normal);
    display.Minimise();
    display.ToggleMaximise();
    EXPECT_EQ(display.State(), WindowState::Maximised);
    // Going full screen from minimised remembers the window from before.
    display.ToggleMaximise();
    display.Minimise();
    display.SetFullscreen(true);
    display.SetFullscreen(false);
    EXPECT_EQ(display.State(), WindowState::Normal);
}

class MidiLog : public ::testing::Test {
  protected:
    void SetUp() override {
        song_ = std::filesystem::temp_directory_path() /
                ("kv_midi_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".mid");
        std::ofstream(song_) << "MThd";
    }
    void TearDown() override { std::filesystem::remove(song_); }

    std::filesystem::path song_;
};

TEST_F(MidiLog, RecordsCommandsButNotQueries) {
    RecordingMidiPlayer midi;
    EXPECT_TRUE(midi.Open(song_.string()));
    EXPECT_FALSE(midi.IsPlaying());
    midi.Play();
    EXPECT_TRUE(midi.IsPlaying());
    midi.Stop();
    EXPECT_FALSE(midi.IsPlaying());
    midi.Play();
    midi.Close();
    EXPECT_FALSE(midi.IsPlaying());
    const std::vector<std::string> expected = {"open " + song_.string(), "play", "stop", "play",
                                               "close"};
    EXPECT_EQ(midi.MidiLog(), expected);
}

TEST_F(MidiLog, MissingFileOrClosedSongStaysSilent) {
    RecordingMidiPlayer midi;
    EXPECT_FALSE(midi.Open((song_.parent_path() / "kv_no_such_song.mid").string()));
    midi.Play();
    EXPECT_FALSE(midi.IsPlaying());
    EXPECT_FALSE(midi.Open(song_.parent_path().string()));  // a folder is no song
    midi.Play();
    EXPECT_FALSE(midi.IsPlaying());
    midi.Open(song_.string());
    midi.Close();
    midi.Play();
    EXPECT_FALSE(midi.IsPlaying());
    EXPECT_EQ(midi.MidiLog().size(), 7u);
    EXPECT_EQ(midi.MidiLog()[0].rfind("open ", 0), 0u);
}

TEST_F(MidiLog, FinishedSongStopsPlayingAndReopeningStopsIt) {
    RecordingMidiPlayer midi;
    midi.Open(song_.string());
    midi.Play();
    midi.FinishSong();
    EXPECT_FALSE(midi.IsPlaying());
    midi.Play();
    EXPECT_TRUE(midi.IsPlaying());
    midi.Open(song_.string());
    EXPECT_FALSE(midi.IsPlaying());
    EXPECT_EQ(midi.MidiLog().back(), "open " + song_.string());
}

}  // namespace
}  // namespace kv
