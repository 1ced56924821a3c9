// One key in the castle menu, with its repaint: the game in process on the
// null platform, started on the demo scenario and taken past the title. Each
// iteration is what the loop does for one Down key: the press and the
// release, each handled and each followed by a repaint of what it changed.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "app/Session.h"
#include "core/CommandMenus.h"
#include "core/Game.h"
#include "core/PerUserStore.h"
#include "core/Transcript.h"
#include "platform/Keys.h"
#include "platform/null/NullPlatform.h"
#include "ui/WindowManager.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

InputEvent KeyEvent(int keyCode, bool down) {
    InputEvent event;
    event.Kind = down ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
    event.KeyCode = keyCode;
    return event;
}

// The whole program as it stands in the castle menu.
struct CastleMenu {
    fs::path Work =
        fs::temp_directory_path() / ("korvane-bench-menu-" + std::to_string(::getpid()));
    std::unique_ptr<Game> State = std::make_unique<Game>();
    std::unique_ptr<NullPlatform> Platform;
    Transcript Log;
    std::unique_ptr<WindowManager> Windows;
    std::unique_ptr<PerUserStore> Store;
    std::ostringstream Errors;
    std::unique_ptr<Session> Run;

    ~CastleMenu() {
        Run.reset();
        Windows.reset();
        fs::remove_all(Work);
    }

    bool Open(std::string& error) {
        fs::remove_all(Work);
        fs::create_directories(Work / "save");
        State->DataFolder = KORVANE_DEMO_DIR;
        State->SaveFolder = Work / "save";
        Platform = CreateNullPlatform({}, error);
        if (!Platform) return false;
        Windows = std::make_unique<WindowManager>(*Platform, Log);
        Store = std::make_unique<PerUserStore>(Work / "config");
        Run = std::make_unique<Session>(*Windows, *State, *Store, Errors);
        if (!Run->StartUp()) {
            error = "the demo scenario did not load: " + Errors.str();
            return false;
        }
        Press(Key::Return);  // past the title
        if (State->MenuState != MenuStates::Castle) {
            error = "the castle menu did not open";
            return false;
        }
        return true;
    }

    void Press(int keyCode) {
        Platform->Events().Push(KeyEvent(keyCode, true));
        Windows->Step();
        Platform->Events().Push(KeyEvent(keyCode, false));
        Windows->Step();
    }
};

void BM_CastleMenuKey(benchmark::State& state) {
    CastleMenu menu;
    std::string error;
    if (!menu.Open(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) menu.Press(Key::Down);
    if (menu.Windows->Quitting()) state.SkipWithError("the run ended during the keys");
}
BENCHMARK(BM_CastleMenuKey)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kv
