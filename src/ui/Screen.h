#pragma once
// One command-menu state of the main window: the castle, the edge of town,
// the tavern, the maze, a phase of a battle. The main window keeps one screen
// per state number; SetCommandMenu is the transition between them. A screen
// is thin: it turns keys and rows into calls of its subsystem's rules and
// shows what they return.
namespace kv {

// The main window's timers a screen may be told about (the music keeps its
// own one-second timer).
enum class MainTimer { Move, Treasure };

class Screen {
  public:
    virtual ~Screen() = default;

    // Another screen sends the player here (ScreenContext::Open). A screen
    // with something to settle before its menu shows (the shopper, the
    // patients) does it and returns true; the default returns false and the
    // state's menu is shown as it is.
    virtual bool Open() { return false; }
    // The state has just become this screen's; the command list already holds
    // its rows.
    virtual void Enter() {}
    // Another state is taking over.
    virtual void Leave() {}
    // A key reaches the main window, before the command list sees it. Return
    // true when the screen took it (the list then does not).
    virtual bool KeyDown(int keyCode, int shift) {
        (void)keyCode;
        (void)shift;
        return false;
    }
    // One of the main window's timers fired while this screen was current.
    virtual void Timer(MainTimer timer) { (void)timer; }
    // Enter, or a click on a row, on the command list.
    virtual void CarryOut(int row) = 0;
    // The player picked a member in the party window (CurrentChar holds the
    // member's roster slot, PartyCursor its place in the party).
    virtual void MemberChosen() {}
    // Esc or Backspace in the party window: the screen takes the keys back.
    virtual void PartySelectionLeft() {}
    // The reorder panel closed (after a new order or without one).
    virtual void ReorderClosed() {}
};

}  // namespace kv
