#include "app/App.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <utility>

#include "app/CellArguments.h"
#include "app/Folders.h"
#include "app/ForwardingPlatform.h"
#include "app/MapExport.h"
#include "app/ScratchSaveFolder.h"
#include "app/Session.h"
#include "app/SoundFont.h"
#include "core/Game.h"
#include "core/Transcript.h"
#include "dungeon/MapNotes.h"
#include "platform/InputRecorder.h"
#include "platform/InstanceLock.h"
#include "platform/KeyScript.h"
#include "platform/UserFolders.h"
#include "platform/null/NullPlatform.h"
#include "platform/null/NullSpeaker.h"
#include "platform/sdl/SdlPlatform.h"
#include "ui/Narrator.h"
#include "ui/WindowManager.h"

namespace kv {

namespace {

constexpr int ExitOk = 0;
constexpr int ExitPlatform = 1;
constexpr int ExitUsage = 2;
constexpr int ExitData = 3;

// The per-user switch for speech: [Speech] On=1 speaks in every run.
constexpr const char* SpeechSection = "Speech";
constexpr const char* SpeechKey = "On";

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
    if (!options.ExportMap.empty()) return ExportMapPicture(options, game, errors);

    // --start plays on a copy of the save folder, removed when the run ends.
    ScratchSaveFolder scratch;
    std::optional<std::array<int, 5>> startCell;
    if (!options.Start.empty()) {
        startCell = ParseStartCell(options.Start, error);
        if (!startCell || !scratch.CopyFrom(game.SaveFolder, error)) {
            errors << "korvane: " << error << "\n";
            return ExitUsage;
        }
        game.SaveFolder = scratch.Path();
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
    // Play by ear: a headless run says it in the transcript instead.
    std::unique_ptr<Speaker> speaker;
    std::unique_ptr<Narrator> narrator;
    if (options.Speech || store.Get(Session::StoreApp, SpeechSection, SpeechKey, "0") == "1") {
        if (options.Headless) {
            speaker = std::make_unique<NullSpeaker>(transcript);
        } else if (speaker = CreateSpeechDispatcher(error); !speaker) {
            errors << "korvane: speech is unavailable: " << error << "\n";
        }
        if (speaker) {
            narrator = std::make_unique<Narrator>(*speaker, game);
            narrator->Attach(windows);
        }
    }
    Session session(windows, game, store, errors);
    const bool started = session.StartUp();
    if (started) {
        std::string problem;
        ReadNotes(game.SaveFolder, problem);
        if (!problem.empty()) errors << "korvane: " << problem << "\n";
    }
    if (started && startCell) {
        std::string why;
        if (!session.StartInMaze(*startCell, why)) {
            errors << "korvane: --start " << options.Start << ": " << why << "\n";
            return ExitUsage;
        }
    }
    session.Run();

    if (!options.ScreenshotFile.empty() && !windows.SaveScreenshot(options.ScreenshotFile)) {
        errors << "korvane: cannot write the screenshot '" << options.ScreenshotFile << "'\n";
        return ExitUsage;
    }
    return started ? ExitOk : ExitData;
}

}  // namespace kv
