// Renders every tune of the demo scenario through FluidSynth, as SDL_mixer
// plays it (44.1 kHz, the default soundfont, the game's music volume), and
// checks that none reaches full scale.
#include <fluidsynth.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/SdlInit.h"
#include "platform/sdl/SdlMidi.h"

namespace kv {
namespace {

struct Level {
    double Peak = 0;     // of full scale
    double Seconds = 0;  // rendered
};

Level Render(const std::string& soundFont, const std::string& song, double gain) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = new_fluid_player(synth);
    Level level;
    if (fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED &&
        fluid_player_add(player, song.c_str()) == FLUID_OK) {
        fluid_synth_set_gain(synth, static_cast<float>(gain));
        fluid_player_play(player);
        constexpr int Frames = 4096;
        constexpr double MaxSeconds = 600;  // a song that never ends is a fault too
        std::array<float, Frames> left{};
        std::array<float, Frames> right{};
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING &&
               level.Seconds < MaxSeconds) {
            fluid_synth_write_float(synth, Frames, left.data(), 0, 1, right.data(), 0, 1);
            for (int i = 0; i < Frames; ++i) {
                level.Peak =
                    std::max({level.Peak, std::fabs(double{left[i]}), std::fabs(double{right[i]})});
            }
            level.Seconds += Frames / 44100.0;
        }
    }
    delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return level;
}

TEST(MusicLevel, EveryDemoTunePeaksBelowFullScale) {
    const std::string soundFont = DefaultSoundFont();
    if (soundFont.empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);

    std::vector<std::filesystem::path> songs;
    for (const auto& entry : std::filesystem::directory_iterator(KORVANE_DEMO_DIR)) {
        if (entry.path().extension() == ".mid") songs.push_back(entry.path());
    }
    ASSERT_FALSE(songs.empty()) << "no tunes in " << KORVANE_DEMO_DIR;

    const double gain = SynthGain(MusicVolume);
    double loudest = 0;
    for (const auto& song : songs) {
        const Level level = Render(soundFont, song.string(), gain);
        EXPECT_GT(level.Seconds, 1.0) << song.filename() << " rendered nothing";
        EXPECT_LT(level.Peak, 1.0)
            << song.filename() << " clips: peak " << 20 * std::log10(level.Peak) << " dBFS";
        loudest = std::max(loudest, level.Peak);
    }
    // Not so quiet that the music is lost under the sounds of a desktop.
    EXPECT_GT(loudest, 0.5) << "loudest peak " << 20 * std::log10(loudest) << " dBFS";
}

}  // namespace
}  // namespace kv
