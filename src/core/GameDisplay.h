#pragma once
// What the rules ask of the screen beyond talking to the player: the maze
// view redrawn, the party panel refreshed, a music scene, the move arrow,
// a save point, the castle put back on screen, the monster picture taken
// away. The rules say what happened; the screens decide how it looks. The
// maze and the battle use this one interface beside the player interface
// (core/Player.h); a rule test or a simulation hands them a NullGameDisplay
// and runs the rules on a bare Game without any window.
#include <string_view>

namespace kv {

// A move of the party: a step forward, or a turn by that many quarters right.
enum class MoveKind : int { Step = 0, Right = 1, About = 2, Left = 3 };

class GameDisplay {
  public:
    virtual ~GameDisplay() = default;

    // The maze view, after a move, a turn or a transfer.
    virtual void Redraw() = 0;
    // The party panel, after hit points or the members changed.
    virtual void RefreshParty() = 0;
    // Music by scene number (Scene, core/Settings.h); any other number is silence.
    virtual void PlayScene(int scene) = 0;
    // The move indicator of a step or a turn.
    virtual void ShowMove(MoveKind kind) = 0;
    // A save point.
    virtual void Save() = 0;
    // The party is home: the maze and battle displays gone, the castle menu
    // and its music up, the party panel rebuilt, the town caption.
    virtual void ShowCastle() = 0;
    // The party window shown (with the castle music) or hidden, around the ending.
    virtual void ShowPartyWindow(bool shown) = 0;
    // The battle's monster picture hidden and cleared.
    virtual void HideMonsterPicture() = 0;
    // Seconds since start-up finished; 0 where nothing keeps time.
    virtual double SecondsRunning() = 0;
    // A monster gives its life to kill the whole party: the main window's
    // background turns dark red while it lasts (true) and black after (false).
    virtual void ShowSacrifice(bool shown) = 0;
    // A person met: the person's panel opens with the greeting when the
    // event is over, unless a battle it set up comes first.
    virtual void OpenPersonPanel(std::string_view greeting) = 0;
};

// Shows nothing. Tests that want to see what was asked derive from it.
class NullGameDisplay : public GameDisplay {
  public:
    void Redraw() override {}
    void RefreshParty() override {}
    void PlayScene(int) override {}
    void ShowMove(MoveKind) override {}
    void Save() override {}
    void ShowCastle() override {}
    void ShowPartyWindow(bool) override {}
    void HideMonsterPicture() override {}
    double SecondsRunning() override { return 0; }
    void ShowSacrifice(bool) override {}
    void OpenPersonPanel(std::string_view) override {}
};

}  // namespace kv
