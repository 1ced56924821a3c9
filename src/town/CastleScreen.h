#pragma once
// The castle menu and the edge of town: the two screens every trip starts
// and ends on. Leaving the game from the edge of town goes through the main
// window's unload.
#include <functional>

#include "core/Game.h"

namespace kv {

class Dialogs;
class MainWindow;
class MusicPlayer;

struct TownScreens {
    Game& TheGame;
    MainWindow& Main;
    Dialogs& Messages;
    MusicPlayer& Music;
    std::function<void()> EndGame;  // the main window's unload
};

// Installs the handlers of the castle menu and the edge of town.
void InstallCastleMenus(TownScreens& town);

// Back to the castle menu with the castle music.
void ShowCastle(TownScreens& town);

}  // namespace kv
