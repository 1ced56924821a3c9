// korvane-playthrough: plays the demo from a new game to its ending on the
// null platform with the autopilot at the keys, and writes what it pressed
// as the key script the playthrough test replays. Rerun it after a change
// of the demo's content or rules:
//
//   build/tools/playthrough/korvane_playthrough --out tests/flow/playthrough.keys
//
// It stops (exit 1) where the party stalls and says where.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/ForwardingPlatform.h"
#include "app/Session.h"
#include "core/PerUserStore.h"
#include "core/Transcript.h"
#include "platform/null/NullPlatform.h"
#include "playthrough/Pilot.h"
#include "ui/WindowManager.h"

namespace fs = std::filesystem;
using namespace kv;

namespace {

// Keys as the autopilot chooses them: each key a press and its release, as
// the script's own source gives them, so the replay sees the same events.
class PilotEvents : public EventSource {
  public:
    bool WaitEvent(InputEvent& event, int64_t) override {
        if (keyUp_) {
            event = *keyUp_;
            keyUp_.reset();
            return true;
        }
        while (steps_.empty() && pilot_ != nullptr) {
            const std::string keys = pilot_->Next();
            if (keys.empty()) break;
            KeyScript script = ParseKeyScript(keys);
            for (ScriptStep& step : script.Steps) steps_.push_back(std::move(step));
        }
        event = InputEvent{};
        if (steps_.empty()) {
            event.Kind = InputEvent::Type::Quit;
            return true;
        }
        const ScriptStep step = steps_.front();
        steps_.pop_front();
        if (step.Kind == ScriptStep::Type::Text) {
            event.Kind = InputEvent::Type::Text;
            event.Text = step.Text;
            return true;
        }
        event.Kind = InputEvent::Type::KeyDown;
        event.KeyCode = step.KeyCode;
        event.Shift = step.Shift;
        keyUp_ = event;
        keyUp_->Kind = InputEvent::Type::KeyUp;
        return true;
    }
    void Drive(playthrough::Pilot& pilot) { pilot_ = &pilot; }

  private:
    playthrough::Pilot* pilot_ = nullptr;
    std::deque<ScriptStep> steps_;
    std::optional<InputEvent> keyUp_;
};

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"korvane-playthrough: plays the demo to its ending and writes the key script"};
    fs::path data = KORVANE_DEMO_DIR;
    fs::path out = "playthrough.keys";
    fs::path work = fs::temp_directory_path() / "korvane-playthrough";
    uint64_t seed = 1;
    app.add_option("--data", data, "the scenario folder (the demo by default)");
    app.add_option("--out", out, "the key script written");
    app.add_option("--work", work, "where the save, the config and the transcript go");
    app.add_option("--seed", seed, "the dice's seed, written into the script");
    CLI11_PARSE(app, argc, argv);

    fs::remove_all(work);
    fs::create_directories(work / "save");
    std::string error;
    std::unique_ptr<NullPlatform> platform = CreateNullPlatform({}, error);
    if (!platform) {
        std::cerr << error << "\n";
        return 2;
    }
    PilotEvents events;
    ForwardingPlatform host(*platform, events);
    Transcript transcript;
    transcript.Open((work / "transcript.jsonl").string());
    Game game;
    game.DataFolder = data;
    game.SaveFolder = work / "save";
    game.Rng.Seed(seed);
    WindowManager windows(host, transcript);
    PerUserStore store(work / "config");
    std::ostringstream errors;
    Session session(windows, game, store, errors);
    playthrough::Pilot pilot(game, windows, session.Main(), (work / "transcript.jsonl").string(),
                             playthrough::DemoPlan());
    events.Drive(pilot);
    if (!session.StartUp()) {
        std::cerr << "the game did not start: " << errors.str() << "\n";
        return 2;
    }
    session.Run();
    transcript.Close();

    std::ofstream file(out);
    file << "# The demo played from a new game to its ending (made by korvane-playthrough;\n"
            "# rerun it after a change of the demo rather than editing this by hand).\n"
         << (pilot.Done() ? "" : "# stalled: " + pilot.Stall() + "\n") << "seed:" << seed << "\n"
         << pilot.Script() << "\n";
    if (!pilot.Done()) {
        std::cerr << "stalled: " << pilot.Stall()
                  << " (the transcript: " << (work / "transcript.jsonl").string() << ")\n";
        return 1;
    }
    std::cout << "written: " << out.string() << "\n";
    return 0;
}
