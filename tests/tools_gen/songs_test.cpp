#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

#include "SmfReader.h"
#include "Song.h"
#include "Tunes.h"

namespace kv::gen {
namespace {

class SceneTunes : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { songs_ = new std::vector<Song>(AllSongs()); }
    static void TearDownTestSuite() {
        delete songs_;
        songs_ = nullptr;
    }
    static const std::vector<Song>& Songs() { return *songs_; }

  private:
    static std::vector<Song>* songs_;
};

std::vector<Song>* SceneTunes::songs_ = nullptr;

TEST_F(SceneTunes, OneTuneForEachOfTheNineteenScenesInOrder) {
    ASSERT_EQ(Songs().size(), 19u);
    std::set<std::string> files;
    for (size_t i = 0; i < Songs().size(); ++i) {
        const Song& song = Songs()[i];
        EXPECT_EQ(song.Scene, static_cast<int>(i) + 1);
        const std::string prefix =
            std::string("bgm") + (song.Scene < 10 ? "0" : "") + std::to_string(song.Scene) + "_";
        EXPECT_EQ(song.File.rfind(prefix, 0), 0u) << song.File;
        EXPECT_TRUE(std::regex_match(song.File, std::regex("bgm[0-9]{2}_[a-z0-9]+\\.mid")));
        files.insert(song.File);
    }
    EXPECT_EQ(files.size(), 19u);
}

TEST_F(SceneTunes, EachLastsTwentyToSixtySecondsAndLoopsCleanly) {
    for (const Song& song : Songs()) {
        SCOPED_TRACE(song.File);
        EXPECT_GE(song.Seconds(), 20.0);
        EXPECT_LE(song.Seconds(), 60.0);
        EXPECT_TRUE(CheckSong(song).empty()) << CheckSong(song).front();
        EXPECT_GE(song.Voices.size(), 3u) << "melody, bass and harmony at least";
    }
}

// What the file says, read back independently: every track ends at the loop
// end, the last sound is a release exactly there, and every strike is released.
TEST_F(SceneTunes, RenderedFilesEndOnAReleaseAtTheLoopEnd) {
    for (const Song& song : Songs()) {
        SCOPED_TRACE(song.File);
        const std::vector<uint8_t> bytes = RenderSong(song);
        test::SmfFile file;
        ASSERT_NO_THROW(file = test::ReadSmf(bytes));
        EXPECT_EQ(file.Format, 1);
        EXPECT_EQ(file.Division, static_cast<int>(TicksPerQuarter));
        ASSERT_EQ(file.Tracks.size(), song.Voices.size() + 1);
        const uint32_t end = song.Length();
        uint32_t lastRelease = 0;
        uint32_t lastStrike = 0;
        bool tempoSeen = false;
        for (const test::SmfTrack& track : file.Tracks) {
            ASSERT_FALSE(track.Events.empty());
            EXPECT_EQ(track.Events.back().MetaType, 0x2F);
            EXPECT_EQ(track.Events.back().Tick, end);
            std::map<int, int> held;  // channel * 128 + key -> strikes not yet released
            for (const test::SmfEvent& e : track.Events) {
                if (e.Status == 0xFF && e.MetaType == 0x51) {
                    tempoSeen = true;
                    const uint32_t micros = (e.Data[0] << 16) | (e.Data[1] << 8) | e.Data[2];
                    EXPECT_EQ(micros, 60000000u / static_cast<uint32_t>(song.Bpm));
                }
                const int slot = (e.Status & 0x0F) * 128 + (e.Data.empty() ? 0 : e.Data[0]);
                if (test::IsNoteOn(e)) {
                    ++held[slot];
                    lastStrike = std::max(lastStrike, e.Tick);
                } else if (test::IsNoteOff(e)) {
                    EXPECT_GT(held[slot], 0) << "release without a strike at tick " << e.Tick;
                    --held[slot];
                    lastRelease = std::max(lastRelease, e.Tick);
                }
            }
            for (const auto& [slot, count] : held) EXPECT_EQ(count, 0) << "key left sounding";
        }
        EXPECT_TRUE(tempoSeen);
        EXPECT_EQ(lastRelease, end);
        EXPECT_LT(lastStrike, end);
    }
}

TEST_F(SceneTunes, EveryVoiceHasAnInstrumentAndItsOwnChannel) {
    for (const Song& song : Songs()) {
        SCOPED_TRACE(song.File);
        std::set<int> channels;
        for (const Voice& voice : song.Voices) {
            EXPECT_TRUE(channels.insert(voice.Channel).second) << voice.Name << " shares a channel";
            EXPECT_GE(voice.Program, 0);
            EXPECT_LE(voice.Program, 127);
        }
    }
}

TEST(SongCheck, NamesWhatBreaksTheLoop) {
    Song song{1, "x.mid", "x", 120, 4, 4, 1, {}};
    Voice& v = song.AddVoice("v", 0, 0, 100, 64);
    v.Notes.push_back(Note{0, TicksPerQuarter * 2, 60, 80, Articulation::Normal});
    std::vector<std::string> problems = CheckSong(song);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("lasts to the loop end"), std::string::npos);

    v.Notes.push_back(Note{TicksPerQuarter * 3, TicksPerQuarter * 2, 62, 80, Articulation::Normal});
    problems = CheckSong(song);
    ASSERT_FALSE(problems.empty());
    EXPECT_NE(problems[0].find("runs past the loop end"), std::string::npos);

    v.Notes.back().Length = TicksPerQuarter;  // now ends exactly at the bar's end
    EXPECT_TRUE(CheckSong(song).empty());
}

TEST(SongCheck, ShortenedNotesStillReachTheEnd) {
    // A staccato last note is let ring to the loop end rather than stop short of it.
    Song song{1, "x.mid", "x", 120, 3, 4, 1, {}};
    Voice& v = song.AddVoice("v", 0, 0, 100, 64);
    v.Notes.push_back(Note{0, song.BarTicks(), 60, 80, Articulation::Staccato});
    EXPECT_TRUE(CheckSong(song).empty());
    const test::SmfFile file = test::ReadSmf(RenderSong(song));
    ASSERT_EQ(file.Tracks.size(), 2u);
    const auto& events = file.Tracks[1].Events;
    ASSERT_GE(events.size(), 2u);
    EXPECT_TRUE(test::IsNoteOff(events[events.size() - 2]));
    EXPECT_EQ(events[events.size() - 2].Tick, song.BarTicks());
}

}  // namespace
}  // namespace kv::gen
