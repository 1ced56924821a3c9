#pragma once
// The in-process session: the real game on the null platform, started on a
// small scenario made in memory and driven by a key script, so a flow test
// can look at the game state, the save file and the transcript afterwards.
//
//   Flow flow;
//   flow.Scenario().Roster[1] = ...;        // the scenario's new-game save
//   flow.Run("Enter  E Enter  Down Enter");  // the title's key first
//   EXPECT_EQ(flow.State().MenuState, 9);
//   EXPECT_EQ(flow.Lines("menu").back()["caption"], "町外れ");
//
// A flow may start from a built scenario folder instead (LoadScenario): its
// database files are used as they are, its new-game save as Scenario()
// holds it after any change the test makes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/Session.h"
#include "core/Database.h"
#include "core/Game.h"
#include "core/PerUserStore.h"
#include "core/SaveFile.h"
#include "core/Transcript.h"
#include "platform/KeyScript.h"
#include "platform/null/NullPlatform.h"
#include "platform/sdl/SdlFonts.h"
#include "platform/sdl/SdlImages.h"
#include "ui/WindowManager.h"

namespace kv::test {

namespace fs = std::filesystem;

class Flow {
  public:
    Flow() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // Numbered, so that a test may run several flows side by side.
        static int flows = 0;
        root_ = fs::temp_directory_path() /
                ("korvane-flow-" + std::string(info ? info->name() : "run") + "-" +
                 std::to_string(::getpid()) + "-" + std::to_string(++flows));
        fs::remove_all(root_);
        for (const char* sub : {"data", "save", "config"}) fs::create_directories(root_ / sub);
        scenario_ = std::make_unique<Game>();
    }
    ~Flow() {
        EndRun();
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    Flow(const Flow&) = delete;
    Flow& operator=(const Flow&) = delete;

    // The scenario before the run: its database tables and its new-game save.
    Game& Scenario() { return *scenario_; }
    // Reads a built scenario (its database files and new-game save) into
    // Scenario(). False, with the reason in Error(), when the folder does not
    // hold a whole one.
    bool LoadScenario(const fs::path& folder) {
        scenarioFolder_ = folder;
        const DatabaseReport report = LoadDatabase(*scenario_, folder, false);
        if (!report.Ok()) {
            error_ = "the database in " + folder.string() + " did not load: " + report.Problems[0];
            return false;
        }
        std::ifstream in(folder / SaveFileName, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in || !LoadSaveBytes(*scenario_, bytes.str())) {
            error_ = "no whole new-game save in " + folder.string();
            return false;
        }
        return true;
    }
    fs::path DataFolder() const { return root_ / "data"; }
    fs::path SaveFolder() const { return root_ / "save"; }

    // Writes the scenario, starts the game and plays the script until it runs
    // out. False (with the reason in Error()) when the game would not start.
    // Run again, it starts the game anew on the save the last run left (the
    // new-game save in the scenario folder never replaces it).
    bool Run(std::string_view keys, uint64_t seed = 1) {
        EndRun();
        WriteScenario();
        KeyScript script = ParseKeyScript(keys);
        EXPECT_EQ(script.Error, "") << "the flow's key script does not parse";
        std::string error;
        if (WrapImages) {
            if (std::unique_ptr<FontLibrary> fonts = CreateSdlFontLibrary(error)) {
                platform_ = std::make_unique<NullPlatform>(
                    std::move(script.Steps), std::move(fonts), WrapImages(CreateSdlImageCodec()));
            }
        } else {
            platform_ = CreateNullPlatform(std::move(script.Steps), error);
        }
        if (!platform_) {
            error_ = error;
            return false;
        }
        transcript_ = std::make_unique<Transcript>();
        transcript_->Open((root_ / "transcript.jsonl").string());
        game_ = std::make_unique<Game>();
        game_->DataFolder = DataFolder();
        game_->SaveFolder = SaveFolder();
        game_->Rng.Seed(seed);
        windows_ = std::make_unique<WindowManager>(*platform_, *transcript_);
        store_ = std::make_unique<PerUserStore>(root_ / "config");
        session_ = std::make_unique<Session>(*windows_, *game_, *store_, errors_);
        const bool started = session_->StartUp();
        if (started && OnStarted) OnStarted(*session_);
        session_->Run();
        transcript_->Close();
        error_ = errors_.str();
        return started;
    }

    // Set before Run, it stands between the game and the picture decoder.
    std::function<std::unique_ptr<ImageCodec>(std::unique_ptr<ImageCodec>)> WrapImages;

    // Called once the game has started, before the keys: a test may stand in
    // for a screen another subsystem installs.
    std::function<void(Session&)> OnStarted;

    // The game as the run left it.
    Game& State() { return *game_; }
    Session& TheSession() { return *session_; }
    NullPlatform& Platform() { return *platform_; }
    const std::string& Error() const { return error_; }

    // The transcript's lines, every one or those of one kind.
    std::vector<nlohmann::json> Lines(std::string_view kind = "") const {
        std::vector<nlohmann::json> lines;
        std::ifstream in(root_ / "transcript.jsonl", std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            nlohmann::json parsed = nlohmann::json::parse(line, nullptr, false);
            EXPECT_FALSE(parsed.is_discarded()) << "not JSON: " << line;
            if (kind.empty() || parsed.value("t", "") == kind) lines.push_back(parsed);
        }
        return lines;
    }
    // The texts of every dialog shown, in order.
    std::vector<std::string> Dialogs() const {
        std::vector<std::string> texts;
        for (const nlohmann::json& line : Lines("dialog")) texts.push_back(line["text"]);
        return texts;
    }

    // The music scenes played, in order.
    std::vector<int> Scenes() const {
        std::vector<int> scenes;
        for (const nlohmann::json& line : Lines("music")) scenes.push_back(line["scene"]);
        return scenes;
    }

    // The save file on disk, read into a fresh game.
    std::unique_ptr<Game> SavedGame() const {
        auto saved = std::make_unique<Game>();
        std::ifstream in(SaveFolder() / SaveFileName, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        LoadSaveBytes(*saved, bytes.str());
        return saved;
    }

  private:
    void EndRun() {
        session_.reset();
        windows_.reset();
        platform_.reset();
        transcript_.reset();
    }

    void WriteScenario() {
        std::ofstream(DataFolder() / SaveFileName, std::ios::binary) << SaveBytes(*scenario_);
        if (!scenarioFolder_.empty()) {
            // Copied, not written back: the loaded tables hold decoded texts.
            for (const DatabaseFile& file : DatabaseFiles()) {
                fs::copy_file(scenarioFolder_ / file.Name, DataFolder() / file.Name,
                              fs::copy_options::overwrite_existing);
            }
            return;
        }
        Database& db = *scenario_;
        for (const DatabaseFile& file : DatabaseFiles()) {
            Serializer s = Serializer::Saving();
            file.Sync(s, db);
            std::ofstream(DataFolder() / file.Name, std::ios::binary) << s.Output();
        }
    }

    fs::path root_;
    fs::path scenarioFolder_;
    std::unique_ptr<Game> scenario_;
    std::unique_ptr<NullPlatform> platform_;
    std::unique_ptr<Transcript> transcript_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<WindowManager> windows_;
    std::unique_ptr<PerUserStore> store_;
    std::unique_ptr<Session> session_;
    std::ostringstream errors_;
    std::string error_;
};

// The party's position as a where line gives it.
struct Where {
    int Floor, X, Y, Facing;
    bool operator==(const Where&) const = default;
};

inline std::vector<Where> WhereLines(const Flow& flow) {
    std::vector<Where> lines;
    for (const nlohmann::json& line : flow.Lines("where")) {
        lines.push_back({line["floor"], line["x"], line["y"], line["facing"]});
    }
    return lines;
}

// How often a text stands among the texts (dialogs shown, say).
inline size_t Count(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<size_t>(std::count(texts.begin(), texts.end(), text));
}

// The list lines of one named list, in the order they were shown.
inline std::vector<nlohmann::json> ListLines(const Flow& flow, std::string_view name) {
    std::vector<nlohmann::json> lines;
    for (const nlohmann::json& line : flow.Lines("list"))
        if (line["name"] == name) lines.push_back(line);
    return lines;
}

// A key pressed n times, each after a space: Repeated("Esc", 3) is " Esc Esc Esc".
inline std::string Repeated(std::string_view key, int n) {
    std::string keys;
    for (int i = 0; i < n; ++i) keys += " " + std::string(key);
    return keys;
}

// Enough presses to read n messages: Esc closes a message, and left over
// only moves a menu's highlight to its way back.
inline std::string Reads(int n) {
    return Repeated("Esc", n);
}

// Title, the tavern, both join, back to the castle, the edge of town, the
// place menu, the first maze: (0,0) of floor 1 facing south.
inline const std::string FormAndEnter =
    "Enter  G Enter  A Enter  Enter Enter Enter  C Enter  E Enter  D Enter  Enter  ";
// The same with four members, then one step south onto the first event.
inline const std::string EnterAndStep =
    "Enter  G Enter  A Enter  Enter Enter Enter Enter Enter  C Enter  E Enter  D Enter  Enter  "
    "Up  ";

// A member with this skill meets no random monsters on a flow's walk.
inline constexpr int NoEncounterSkill = 14;
// The test scenario's pixie and the encounter that brings one group of them.
inline constexpr int PixieId = 3;
inline constexpr int PixieEncounter = 7;

}  // namespace kv::test
