#include "app/App.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <utility>

#include "app/Folders.h"
#include "app/ForwardingPlatform.h"
#include "app/Session.h"
#include "app/SoundFont.h"
#include "core/Game.h"
#include "core/Transcript.h"
#include "platform/InputRecorder.h"
#include "platform/InstanceLock.h"
#include "platform/KeyScript.h"
#include "platform/UserFolders.h"
#include "platform/null/NullPlatform.h"
#include "platform/sdl/SdlPlatform.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitPlatform = 1;
constexpr int ExitUsage = 2;
constexpr int ExitData = 3;

bool ReadKeyScript(const std::string& file, KeyScript& script, std::ostream& errors) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        errors << "korvane: cannot read the key script '" << file << "'\n";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    script = ParseKeyScript(text.str());
    if (!script.Error.empty()) {
        errors << "korvane: " << file << ": " << script.Error << "\n";
        return false;
    }
    return true;
}

// The seed a script carries is used when the command line names none.
std::optional<uint64_t> ScriptSeed(const KeyScript& script) {
    for (const ScriptStep& step : script.Steps) {
        if (step.Kind == ScriptStep::Type::Seed) return step.Seed;
    }
    return std::nullopt;
}

}  // namespace

int RunProgram(const Options& options, std::ostream& errors) {
    auto owned = std::make_unique<Game>();
    Game& game = *owned;
    std::string error;
    if (!ResolveFolders(options, game.DataFolder, game.SaveFolder, error)) {
        errors << "korvane: " << error << "\n";
        return ExitUsage;
    }

    // A second copy on the same save folder steps aside without a word.
    InstanceLock lock;
    if (!lock.Acquire(game.SaveFolder, error)) {
        if (!error.empty()) {
            errors << "korvane: " << error << "\n";
            return ExitUsage;
        }
        return ExitOk;
    }

    KeyScript script;
    if (options.Headless && !ReadKeyScript(options.KeysFile, script, errors)) return ExitUsage;

    Transcript transcript;
    if (!options.TranscriptFile.empty() && !transcript.Open(options.TranscriptFile)) {
        errors << "korvane: cannot write the transcript '" << options.TranscriptFile << "'\n";
        return ExitUsage;
    }

    PerUserStore store(ConfigHome());
    std::string warning;
    MusicSettings music = ChooseMusic(
        options.SoundFont, store.Get(Session::StoreApp, SoundSection, SoundFontKey, ""), warning);
    if (!warning.empty()) errors << warning << "\n";

    std::unique_ptr<Platform> platform;
    if (options.Headless) {
        platform = CreateNullPlatform(script.Steps, error);
    } else {
        platform = CreateSdlPlatform(error, std::move(music));
    }
    if (!platform) {
        errors << "korvane: " << error << "\n";
        return ExitPlatform;
    }

    std::optional<uint64_t> seed = options.Seed ? options.Seed : ScriptSeed(script);
    game.Rng.Seed(seed ? *seed : platform->Time().Entropy());

    std::ofstream recordFile;
    std::unique_ptr<RecordingEventSource> recorder;
    std::unique_ptr<ForwardingPlatform> recorded;
    if (!options.RecordFile.empty()) {
        recordFile.open(options.RecordFile, std::ios::binary | std::ios::trunc);
        if (!recordFile) {
            errors << "korvane: cannot write the recording '" << options.RecordFile << "'\n";
            return ExitUsage;
        }
        recorder = std::make_unique<RecordingEventSource>(platform->Events(), platform->Time(),
                                                          recordFile, game.Rng.SeedValue());
        recorded = std::make_unique<ForwardingPlatform>(*platform, *recorder);
    }
    Platform& host = recorded ? static_cast<Platform&>(*recorded) : *platform;

    WindowManager windows(host, transcript);
    Session session(windows, game, store, errors);
    const bool started = session.StartUp();
    session.Run();

    if (!options.ScreenshotFile.empty() && !windows.SaveScreenshot(options.ScreenshotFile)) {
        errors << "korvane: cannot write the screenshot '" << options.ScreenshotFile << "'\n";
        return ExitUsage;
    }
    return started ? ExitOk : ExitData;
}

}  // namespace kv
