#pragma once
// One run of the game from the title to the unload. Start-up goes: title and
// its music, the stored version, the save and the database, the dialogs, the
// version check, the main window and its screens, then the start prompt. A
// key on the title opens the castle. The session knows no subsystem: each
// installs its screens through the shared context.
#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/Game.h"
#include "core/PerUserStore.h"
#include "ui/DialogPlayer.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/Music.h"
#include "ui/Pickers.h"
#include "ui/ScreenContext.h"
#include "ui/TitleWindow.h"
#include "ui/WindowManager.h"

namespace kv {

class Session {
  public:
    static constexpr const char* StoreApp = "TLM";

    Session(WindowManager& windows, Game& game, PerUserStore& store, std::ostream& errors);

    // Loads everything behind the title; false when the game cannot start
    // (the title then says why).
    bool StartUp();
    // Runs until the program ends.
    void Run() { windows_.Run(); }

    // The title's door into the game.
    void StartFromTitle();
    // --start's door: past the title and the town, straight onto a cell
    // (place, floor, x, y, facing). False, with the reason in why, when the
    // party cannot stand there.
    bool StartInMaze(const std::array<int, 5>& cell, std::string& why);
    // Closing the game: placement, the party left where it is, the last save.
    void Unload();

    MainWindow& Main() { return main_; }
    Dialogs& Messages() { return dialogs_; }
    ScreenContext& Screens() { return screens_; }
    bool Unloaded() const { return unloaded_; }

  private:
    std::vector<std::string> LoadGameData();
    void LoadKeyBindings();
    void CheckStoredVersion();
    void PlaceMainWindow();
    void StorePlacement();

    WindowManager& windows_;
    Game& game_;
    PerUserStore& store_;
    std::ostream& errors_;
    TitleWindow title_;
    MainWindow main_;
    Dialogs dialogs_;
    Pickers pickers_;
    DialogPlayer player_;
    MusicPlayer music_;
    ScreenContext screens_;
    bool unloaded_ = false;
};

}  // namespace kv
