#include "app/Session.h"

#include <charconv>
#include <ostream>

#include "app/Screens.h"
#include "core/CommandMenus.h"
#include "core/Database.h"
#include "core/PartyPanel.h"
#include "core/SaveFile.h"
#include "core/Settings.h"
#include "core/Version.h"
#include "dungeon/Events.h"
#include "dungeon/TreasureSpots.h"
#include "ui/SavePoint.h"

namespace kv {

namespace {

constexpr const char* VersionSection = "Version";
constexpr int DefaultPlacement = 100;

int ToInt(const std::string& text, int fallback) {
    int value = fallback;
    const char* end = text.data() + text.size();
    const char* start = text.data();
    while (start != end && *start == ' ') ++start;
    if (std::from_chars(start, end, value).ec != std::errc()) return fallback;
    return value;
}

}  // namespace

Session::Session(WindowManager& windows, Game& game, PerUserStore& store, std::ostream& errors)
    : windows_(windows),
      game_(game),
      store_(store),
      errors_(errors),
      title_(windows, game),
      main_(windows, game),
      dialogs_(
          windows, [this] { SaveAtSavePoint(game_, windows_, &dialogs_); }, [] { return false; }),
      pickers_(windows, dialogs_, game),
      player_(dialogs_, pickers_, &game.Config),
      music_(windows.Host().Midi(), game.Config, windows.Log(), game.DataFolder),
      screens_(game, windows, main_, dialogs_, pickers_, player_, music_, [this] { Unload(); }) {
    title_.OnStart = [this] { StartFromTitle(); };
    main_.OnCloseAsked = [this] {
        Unload();
        return true;
    };
}

bool Session::StartUp() {
    // A first run brings the scenario's settings file along before it is read.
    std::vector<std::string> copyProblems;
    PrepareSaveFolder(game_, copyProblems);
    for (const std::string& line : copyProblems) errors_ << "korvane: " << line << "\n";
    LoadSettings(game_);
    LoadKeyBindings();
    music_.PlayScene(SceneTitle);
    title_.Show();
    windows_.Redraw();  // the title stays up while the game loads

    const std::vector<std::string> problems = LoadGameData();
    if (!problems.empty()) {
        // The game does not start on missing or broken data; the title says why.
        std::string why = "データを読み込めません";
        for (const std::string& line : problems) {
            errors_ << "korvane: " << line << "\n";
            why += "\n" + line;
        }
        title_.FailLoading(why);
        return false;
    }
    CheckStoredVersion();
    PlaceMainWindow();
    InstallScreens(screens_);
    AttachMusicTimer(main_.tmr, windows_, music_);
    game_.CurrentFloor = 0;
    game_.CurrentPlace = 1;
    PlaceTreasureSpots(game_);
    game_.StartTime = static_cast<float>(windows_.Host().Time().SecondsSinceMidnight());
    ReturnStragglersToTown(game_);
    title_.FinishLoading();
    return true;
}

void Session::LoadKeyBindings() {
    std::vector<std::string> problems;
    screens_.MazeKeys = KeyBindings::Read(SettingsFile::Load(SettingsPath(game_)), problems);
    for (const std::string& line : problems) errors_ << "korvane: " << line << "\n";
}

std::vector<std::string> Session::LoadGameData() {
    const SaveLoadReport save = OpenAndLoadSave(game_);
    if (save.Fatal) return save.Problems;
    for (const std::string& line : save.Problems) errors_ << "korvane: " << line << "\n";
    if (save.Short) {
        errors_ << "korvane: the save was short; its missing part reads as empty"
                << (save.KeptAside.empty()
                        ? ""
                        : " (the original is kept as " + save.KeptAside.string() + ")")
                << "\n";
    }
    std::vector<std::string> problems =
        LoadDatabase(game_, game_.DataFolder, game_.Config.UseAltSpellNames != 0).Problems;
    if (problems.empty()) game_.MazeEvents = BuildEvents(game_.Events);
    return problems;
}

void Session::CheckStoredVersion() {
    const ProgramVersion version;
    const int stored[3] = {
        ToInt(store_.Get(StoreApp, VersionSection, "Major", "0"), 0),
        ToInt(store_.Get(StoreApp, VersionSection, "Minor", "0"), 0),
        ToInt(store_.Get(StoreApp, VersionSection, "Revision", "0"), 0),
    };
    if (stored[0] == version.Major && stored[1] == version.Minor && stored[2] == version.Revision) {
        return;
    }
    // A new version rewrites the save once, in its own hand.
    store_.Set(StoreApp, VersionSection, "Major", std::to_string(version.Major));
    store_.Set(StoreApp, VersionSection, "Minor", std::to_string(version.Minor));
    store_.Set(StoreApp, VersionSection, "Revision", std::to_string(version.Revision));
    std::string error;
    if (!store_.Flush(error)) errors_ << "korvane: " << error << "\n";
    SaveAtSavePoint(game_, windows_, nullptr);
}

void Session::PlaceMainWindow() {
    const std::string section = main_.Caption();
    const int left = ToInt(store_.Get(StoreApp, section, "Left", "100"), DefaultPlacement);
    const int top = ToInt(store_.Get(StoreApp, section, "Top", "100"), DefaultPlacement);
    windows_.Host().Screen().SetPosition(Point{left, top});
}

void Session::StorePlacement() {
    Display& screen = windows_.Host().Screen();
    if (screen.State() != WindowState::Normal) return;
    const std::string section = main_.Caption();
    const Point at = screen.Position();
    store_.Set(StoreApp, section, "Left", std::to_string(at.X));
    store_.Set(StoreApp, section, "Top", std::to_string(at.Y));
    store_.Set(StoreApp, section, "Width", std::to_string(WindowManager::CanvasWidth));
    store_.Set(StoreApp, section, "Height", std::to_string(WindowManager::CanvasHeight));
    std::string error;
    if (!store_.Flush(error)) errors_ << "korvane: " << error << "\n";
}

void Session::StartFromTitle() {
    main_.Show();
    title_.Hide();
    music_.PlayScene(SceneSilence);
    music_.PlayScene(SceneCastle);
    main_.SetCommandMenu(MenuStates::Castle);
    main_.RefreshPartyPanel();
}

bool Session::StartInMaze(const std::array<int, 5>& cell, std::string& why) {
    main_.Show();
    title_.Hide();
    music_.PlayScene(SceneSilence);
    return screens_.StartAtCell && screens_.StartAtCell(cell, why);
}

void Session::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    StorePlacement();
    LeaveGame(game_);
    SaveAtSavePoint(game_, windows_, &dialogs_);
    music_.PlayScene(SceneSilence);
    windows_.Quit();
}

}  // namespace kv
