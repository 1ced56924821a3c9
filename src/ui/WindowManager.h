#pragma once
// The one-thread modal model. Windows sit on a stack; input goes to the top
// one. RunModal runs a nested loop until its window leaves the stack, so a
// handler that opens a dialog is blocked until the dialog answers, to any
// depth. A quit unwinds every loop: each returns, and every handler finishes
// with the answers it got.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Transcript.h"
#include "platform/Platform.h"
#include "ui/Canvas.h"

namespace kv {

class Window;
class Timer;

enum class QuitReason { None, ScriptEnded, Requested };

class WindowManager {
  public:
    static constexpr int CanvasWidth = 640;
    static constexpr int CanvasHeight = 480;

    WindowManager(Platform& platform, Transcript& transcript);
    ~WindowManager();

    Platform& Host() { return platform_; }
    GlyphCache& Glyphs() { return glyphs_; }
    Transcript& Log() { return transcript_; }
    const Image& Frame() const { return frame_; }
    int64_t Now() const;

    // The window stack.
    void Show(Window& window);
    void Hide(Window& window);
    int RunModal(Window& window);
    bool IsOpen(const Window& window) const;
    Window* Top() const;
    const std::vector<Window*>& Stack() const { return stack_; }
    int ModalDepth() const { return modalDepth_; }

    // Runs until the last window is hidden or the run is told to quit.
    void Run();
    // One turn of the loop: paints if needed, waits for one event or the next
    // timer, handles it. False once quitting.
    bool Step();
    void Quit(QuitReason reason = QuitReason::Requested);
    bool Quitting() const { return quit_ != QuitReason::None; }
    // True while the key being handled is the system repeating a held key.
    bool KeyRepeating() const { return keyRepeating_; }
    // True while the key being handled is a game controller's button.
    bool KeyFromPad() const { return keyFromPad_; }
    QuitReason WhyQuit() const { return quit_; }

    // Timers.
    void Register(Timer& timer);
    void Unregister(Timer& timer);
    // Fires the timers that are due; returns how many fired.
    int FireDueTimers();

    // Painting. The whole frame, or only the area that changed: a highlight
    // moving down a menu repaints the menu's box, not the town behind it.
    void Invalidate() { wholeFrame_ = true; }
    void Invalidate(Rect area);
    void Redraw();
    // Each repaint of part of the frame is compared with a repaint of all of
    // it, and a difference (a change no control reported) ends the program
    // naming the first pixel. For tests; KORVANE_CHECK_REPAINTS=1 turns it on.
    void CheckRepaints(bool on) { checkRepaints_ = on; }
    bool SaveScreenshot(const std::string& path);
    // F12: a shot into the player's pictures folder, named by the time, and
    // one line on the error stream saying where (or why not). The path
    // written, empty on failure.
    std::string TakeScreenshot();

    // Told the row a list's highlight moved to by a key (the voice of
    // --speech listens here). Empty by default.
    std::function<void(std::string_view row)> OnRowFocused;

    // Focus bookkeeping: the display's text input follows the focused control.
    void FocusMoved();
    void CaptionChanged();
    void Forget(Window& window);  // a window is being destroyed

  private:
    // False when the event cannot have changed what is shown.
    bool Dispatch(const InputEvent& event);
    int64_t NextTimerDue() const;
    // Paints every visible window into target, inside area only.
    void PaintWindows(Image& target, Rect area);
    void CheckPartialRepaint();

    Platform& platform_;
    Transcript& transcript_;
    GlyphCache glyphs_;
    Image frame_;
    std::vector<Window*> stack_;
    std::vector<Timer*> timers_;
    std::string shownCaption_;
    bool textInputOn_ = false;
    // What the next repaint covers: the whole frame, or the boxes of the
    // controls that reported a change since the last one.
    bool wholeFrame_ = true;
    Rect damage_;
    bool checkRepaints_ = false;
    bool keyRepeating_ = false;
    bool keyFromPad_ = false;
    int modalDepth_ = 0;
    QuitReason quit_ = QuitReason::None;
};

}  // namespace kv
