#pragma once
// What every subsystem's screens are built with: the game, the main window,
// the dialogs and pickers, the player and display interfaces the rules talk
// to, the music and the window stack. The session makes one and hands it to each
// subsystem's installer, which registers its screens on the main window and
// keeps them here for the whole run.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/BattleState.h"
#include "core/Game.h"
#include "core/Player.h"
#include "ui/KeyBindings.h"
#include "ui/Screen.h"
#include "ui/ScreenDisplay.h"

namespace kv {

class Dialogs;
class MainWindow;
class MusicPlayer;
class Pickers;
class WindowManager;

struct ScreenContext {
    ScreenContext(Game& game, WindowManager& windows, MainWindow& main, Dialogs& messages,
                  Pickers& choices, Player& player, MusicPlayer& music,
                  std::function<void()> endGame)
        : TheGame(game),
          Windows(windows),
          Main(main),
          Messages(messages),
          Choices(choices),
          ThePlayer(player),
          Music(music),
          TheDisplay(*this),
          EndGame(std::move(endGame)) {}
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;

    Game& TheGame;
    WindowManager& Windows;
    MainWindow& Main;
    Dialogs& Messages;
    Pickers& Choices;
    Player& ThePlayer;
    MusicPlayer& Music;
    // What the rules ask of the screen beside talking to the player.
    ScreenDisplay TheDisplay;
    std::function<void()> EndGame;  // the main window's unload
    // The status sheet of a roster slot, shown modally; the status window
    // installs it (view only: nothing can be changed from the sheet).
    std::function<void(int slot, bool viewOnly)> ShowStatus;

    // The maze and the battle meet through these two, so neither includes the
    // other's screens. The battle installs StartBattle: it puts the battle of
    // an encounter number (0: a random one of the floor) on screen and
    // returns; the rounds then run in the battle's own key handlers. The maze
    // installs BattleOver, which the battle calls once at its end (NoBattle
    // too, when nothing appeared): the maze takes the party back
    // (SetCommandMenu to its own state, after-battle events, the view) or,
    // after a defeat (the rules have brought the party home), puts the
    // town back behind the castle menu. The battle is a
    // menu state of its own (MenuStates::Battle) while it lasts.
    std::function<void(int encounter)> StartBattle;
    std::function<void(BattleEnd)> BattleOver;
    // The maze installs this too: the party of the roster slot chosen at the
    // edge of town takes up its trip again.
    std::function<void(int slot)> ResumeAdventure;
    // The maze installs this too: --start's party, made from the roster and
    // stood on a cell (place, floor, x, y, facing). False, with the reason
    // in why, when it cannot stand there.
    std::function<bool(const std::array<int, 5>& cell, std::string& why)> StartAtCell;
    // The battle installs this too: the spell picker the "呪文選択" setting
    // names, opened for a caster with the camp's or the battle's mode; the
    // spell name, "" when cancelled.
    std::function<std::string(const Creature& caster, int mode)> ChooseSpell;
    // The spell name typed last in the camp, offered again next time.
    std::string LastCampSpell;
    // The player's own keys for the maze's actions ([Keys] of the settings file).
    KeyBindings MazeKeys;

    // Makes a screen, registers it for a menu state and keeps it.
    template <typename T, typename... Args>
    T& Install(int state, Args&&... args) {
        auto screen = std::make_unique<T>(std::forward<Args>(args)...);
        T& made = *screen;
        Register(state, made);
        screens_.push_back(std::move(screen));
        return made;
    }
    // Registers a screen kept elsewhere (one screen may serve several states).
    void Register(int state, Screen& screen);

    // Saves at a save point as the player sees it (a failure says so).
    bool Save();

    // Sends the player to the screen of a menu state, through its Open.
    void Open(int state);
    // A screen or a hand-over the program failed to install (a wiring
    // fault, never a state the player can reach in the whole game): one line
    // on standard error, and the command does nothing.
    static void NotInstalled(std::string_view what);

  private:
    std::vector<std::unique_ptr<Screen>> screens_;
};

}  // namespace kv
