#include "platform/sdl/SdlMidi.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "SdlTestFiles.h"
#include "platform/sdl/SdlInit.h"

namespace kv {
namespace {

// One track: a piano middle C for a quarter note.
std::vector<uint8_t> TinyMidi() {
    return {
        'M',  'T',  'h',  'd',  0, 0, 0, 6,  0, 0, 0, 1, 0, 96,  //
        'M',  'T',  'r',  'k',  0, 0, 0, 16,                     //
        0x00, 0xC0, 0x00,                                        // piano
        0x00, 0x90, 0x3C, 0x64,                                  // note on
        0x60, 0x80, 0x3C, 0x40,                                  // note off
        0x00, 0xFF, 0x2F, 0x00,                                  // end of track
    };
}

bool HaveSoundFont() {
    return !DefaultSoundFont().empty();
}

void ExpectHarmlessSilence(MidiPlayer& midi) {
    midi.Play();
    EXPECT_FALSE(midi.IsPlaying());
    midi.Stop();
    midi.Close();
    midi.Close();
    EXPECT_FALSE(midi.IsPlaying());
}

TEST(SdlMidi, MissingOrBrokenSongsLeaveSilence) {
    ScratchFolder folder;
    std::unique_ptr<MidiPlayer> midi = CreateSdlMidiPlayer();
    ExpectHarmlessSilence(*midi);  // nothing opened yet
    EXPECT_FALSE(midi->Open(folder.File("absent.mid")));
    ExpectHarmlessSilence(*midi);
    EXPECT_FALSE(midi->Open(folder.Write("noise.mid", {'M', 'T', 'h', 'd', 0, 0})));
    ExpectHarmlessSilence(*midi);
    std::vector<uint8_t> noTrack = TinyMidi();
    noTrack.resize(14 + 8);
    noTrack[14] = 'X';
    EXPECT_FALSE(midi->Open(folder.Write("notrack.mid", noTrack)));
    EXPECT_FALSE(midi->Open(folder.Write(
        "text.mid", {'h', 'e', 'l', 'l', 'o', '!', '!', '!', '!', '!', '!', '!', '!', '!'})));
    ExpectHarmlessSilence(*midi);
}

TEST(SdlMidi, PlaysAWrittenSongAndStopsOnRequest) {
    if (!HaveSoundFont()) GTEST_SKIP() << "no General MIDI soundfont installed";
    ScratchFolder folder;
    const std::string song = folder.Write("tiny.mid", TinyMidi());
    std::unique_ptr<MidiPlayer> midi = CreateSdlMidiPlayer();
    ASSERT_TRUE(midi->Open(song));
    EXPECT_FALSE(midi->IsPlaying());
    midi->Play();
    EXPECT_TRUE(midi->IsPlaying());
    midi->Stop();
    EXPECT_FALSE(midi->IsPlaying());
    midi->Play();  // from the start again
    EXPECT_TRUE(midi->IsPlaying());
    // Opening another song ends the first.
    EXPECT_FALSE(midi->Open(folder.File("absent.mid")));
    EXPECT_FALSE(midi->IsPlaying());
    ASSERT_TRUE(midi->Open(song));
    midi->Close();
    ExpectHarmlessSilence(*midi);
}

TEST(SdlMidi, NoAudioDeviceMeansSilenceNotFailure) {
    std::optional<std::string> old;
    if (const char* driver = std::getenv("SDL_AUDIODRIVER")) old = driver;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ScratchFolder folder;
    const std::string song = folder.Write("tiny.mid", TinyMidi());
    {
        std::unique_ptr<MidiPlayer> midi = CreateSdlMidiPlayer();
        EXPECT_FALSE(midi->Open(song));
        ExpectHarmlessSilence(*midi);
        EXPECT_FALSE(midi->Open(song));  // and it does not keep trying
    }
    if (old) {
        setenv("SDL_AUDIODRIVER", old->c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
}

}  // namespace
}  // namespace kv
