// The scene music against the headless player's log: what each scene change
// tells the device, restarts of the same song, silence, looping once a song
// ends, files named for another system, and the main window's timer.
#include "ui/Music.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "ui/Timer.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using Log = std::vector<std::string>;

class MusicTest : public test::UiTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        data_ = fs::temp_directory_path() /
                ("korvane-music-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "-" + std::to_string(::getpid()));
        fs::remove_all(data_);
        fs::create_directories(data_);
        music_ = std::make_unique<MusicPlayer>(Host().Midi(), settings_, Manager().Log(), data_);
    }
    void TearDown() override { fs::remove_all(data_); }

    std::string Song(const std::string& name) {
        const fs::path path = data_ / name;
        std::ofstream(path, std::ios::binary) << "MThd";
        return path.string();
    }
    // The device commands since the last call.
    Log Commands() {
        const Log& all = Host().Midi().MidiLog();
        Log fresh(all.begin() + static_cast<ptrdiff_t>(seen_), all.end());
        seen_ = all.size();
        return fresh;
    }

    fs::path data_;
    Settings settings_;
    std::unique_ptr<MusicPlayer> music_;
    size_t seen_ = 0;
};

TEST_F(MusicTest, NewSceneStopsClosesThenOpensAndPlays) {
    const std::string castle = Song("castle.mid");
    settings_.SceneMusic[SceneCastle] = castle;

    music_->PlayScene(SceneCastle);

    EXPECT_EQ(Commands(), (Log{"stop", "close", "stop", "close", "open " + castle, "play"}));
    EXPECT_EQ(settings_.CurrentMusic, castle);
    EXPECT_TRUE(Host().Midi().IsPlaying());
    EXPECT_TRUE(music_->DeviceOpen());
}

TEST_F(MusicTest, SameSongStartsOverFromTheBeginning) {
    const std::string castle = Song("castle.mid");
    settings_.SceneMusic[SceneCastle] = castle;
    settings_.SceneMusic[SceneTemple] = castle;
    music_->PlayScene(SceneCastle);
    Commands();

    // The scene that is playing, and another scene naming the same file.
    for (int scene : {static_cast<int>(SceneCastle), static_cast<int>(SceneTemple)}) {
        music_->PlayScene(scene);
        EXPECT_EQ(Commands(), (Log{"stop", "close", "open " + castle, "play"})) << scene;
        EXPECT_TRUE(Host().Midi().IsPlaying());
    }
}

TEST_F(MusicTest, SwitchingSongsAndFallingSilent) {
    const std::string castle = Song("castle.mid");
    const std::string inn = Song("inn.mid");
    settings_.SceneMusic[SceneCastle] = castle;
    settings_.SceneMusic[SceneInn] = inn;
    music_->PlayScene(SceneCastle);
    Commands();

    music_->PlayScene(SceneInn);
    EXPECT_EQ(Commands(), (Log{"stop", "close", "stop", "close", "open " + inn, "play"}));

    // Scenes without a file, never-stored scenes and numbers out of range.
    music_->PlayScene(SceneTemple);
    EXPECT_EQ(Commands(), (Log{"stop", "close", "stop", "close"}));
    EXPECT_EQ(settings_.CurrentMusic, "");
    EXPECT_FALSE(Host().Midi().IsPlaying());
    EXPECT_FALSE(music_->DeviceOpen());
    for (int scene : {0, 15, 30, -1, 51, 1000}) {
        music_->PlayScene(scene);
        EXPECT_EQ(Commands(), (Log{"stop", "close"})) << scene;
    }

    music_->PlayScene(SceneCastle);
    EXPECT_EQ(Commands(), (Log{"stop", "close", "stop", "close", "open " + castle, "play"}));
}

TEST_F(MusicTest, EverySceneChangeIsInTheTranscript) {
    settings_.SceneMusic[SceneTavern] = "C:\\Music\\tavern.mid";
    music_->PlayScene(SceneTavern);
    music_->PlayScene(SceneTavern);
    music_->PlayScene(SceneSilence);
    const Log expected{
        R"({"t":"music","scene":5,"file":"C:\\Music\\tavern.mid"})",
        R"({"t":"music","scene":5,"file":"C:\\Music\\tavern.mid"})",
        R"({"t":"music","scene":0,"file":""})",
    };
    EXPECT_EQ(TranscriptLines(), expected);
}

TEST_F(MusicTest, FilesWrittenForAnotherSystemAreFoundInTheScenarioFolder) {
    const std::string town = Song("town.mid");
    settings_.SceneMusic[SceneOutskirts] = "C:\\Program Files\\Game\\Town.MID";
    settings_.SceneMusic[SceneShop] = "town.mid";
    settings_.SceneMusic[SceneTraining] = "C:\\Music\\nowhere.mid";

    music_->PlayScene(SceneOutskirts);
    EXPECT_EQ(Commands().at(4), "open " + town);
    EXPECT_EQ(settings_.CurrentMusic, "C:\\Program Files\\Game\\Town.MID") << "kept as written";
    music_->PlayScene(SceneShop);
    EXPECT_EQ(Commands().at(4), "open " + town);
    EXPECT_TRUE(Host().Midi().IsPlaying());

    // Not there at all: the device is told the name as written and stays
    // silent; nothing is reported.
    music_->PlayScene(SceneTraining);
    EXPECT_EQ(Commands(),
              (Log{"stop", "close", "stop", "close", "open C:\\Music\\nowhere.mid", "play"}));
    EXPECT_FALSE(Host().Midi().IsPlaying());
    EXPECT_FALSE(music_->DeviceOpen());
}

TEST_F(MusicTest, EndedSongStartsOverOnTheNextCheck) {
    settings_.SceneMusic[SceneTitle] = Song("title.mid");
    music_->PlayScene(SceneTitle);
    Commands();

    music_->KeepMusicLooping();
    EXPECT_EQ(Commands(), Log{}) << "still playing";

    Host().Midi().FinishSong();
    music_->KeepMusicLooping();
    EXPECT_EQ(Commands(), Log{"play"});
    EXPECT_TRUE(Host().Midi().IsPlaying());
    music_->KeepMusicLooping();
    EXPECT_EQ(Commands(), Log{});
}

TEST_F(MusicTest, NoDeviceOpenMeansNoLooping) {
    music_->KeepMusicLooping();  // nothing ever played
    EXPECT_EQ(Commands(), Log{});

    settings_.SceneMusic[SceneTitle] = Song("title.mid");
    music_->PlayScene(SceneTitle);
    music_->PlayScene(SceneSilence);
    Commands();
    music_->KeepMusicLooping();
    EXPECT_EQ(Commands(), Log{}) << "after silence";

    settings_.SceneMusic[SceneShop] = (data_ / "missing.mid").string();
    music_->PlayScene(SceneShop);
    Commands();
    music_->KeepMusicLooping();
    EXPECT_EQ(Commands(), Log{}) << "a file that could not be opened";
}

TEST_F(MusicTest, MainWindowTimerChecksEverySecond) {
    Timer tmr;
    AttachMusicTimer(tmr, Manager(), *music_);
    EXPECT_EQ(tmr.Name, "tmr");
    EXPECT_EQ(tmr.Interval(), 1000);
    EXPECT_TRUE(tmr.Enabled());

    settings_.SceneMusic[SceneTitle] = Song("title.mid");
    music_->PlayScene(SceneTitle);
    Commands();
    Host().Midi().FinishSong();

    Host().Time().Advance(999);
    EXPECT_EQ(Manager().FireDueTimers(), 0);
    EXPECT_EQ(Commands(), Log{});
    Host().Time().Advance(1);
    EXPECT_EQ(Manager().FireDueTimers(), 1);
    EXPECT_EQ(Commands(), Log{"play"});

    Host().Time().Advance(1000);
    EXPECT_EQ(Manager().FireDueTimers(), 1);
    EXPECT_EQ(Commands(), Log{}) << "playing again, so left alone";
}

}  // namespace
}  // namespace kv
