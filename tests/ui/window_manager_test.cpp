// The modal window model: nested loops, timers inside them, quitting, and how
// input, focus, captions and screenshots follow the window stack.
#include <array>
#include <string>
#include <vector>

#include "UiFixture.h"
#include "ui/Label.h"
#include "ui/PictureBox.h"
#include "ui/Timer.h"

namespace kv::test {
namespace {

std::string Str(int value) {
    return std::to_string(value);
}

// A main window and three dialogs. Key A on the main window opens the first
// dialog modally, B on the first opens the second, C on the second the third;
// Esc on a dialog closes it with result 11, 22 or 33. Everything each window
// receives, and every return from ShowModal, goes into the log.
class Ladder {
  public:
    Ladder(WindowManager& wm, std::vector<std::string>& log)
        : Main(wm), First(wm), Second(wm), Third(wm), wm_(wm), log_(log) {
        const std::array<Window*, 4> levels{&Main, &First, &Second, &Third};
        for (int i = 0; i < 4; ++i) {
            Window* self = levels[i];
            Window* next = i < 3 ? levels[i + 1] : nullptr;
            self->OnKeyDown = [this, i, self, next](int& keyCode, int) {
                log_.push_back(Str(i) + " key " + Str(keyCode));
                if (next != nullptr && keyCode == Key::A + i) {
                    const int result = next->ShowModal();
                    log_.push_back(Str(i + 1) + " returned " + Str(result) +
                                   (next->IsOpen() ? " open" : " hidden") + " depth " +
                                   Str(wm_.ModalDepth()));
                    if (AfterReturn) AfterReturn(i + 1);
                } else if (i > 0 && keyCode == Key::Escape) {
                    self->ModalResult = 11 * i;
                    self->Hide();
                }
            };
        }
    }

    Window Main;
    Window First;
    Window Second;
    Window Third;
    std::function<void(int level)> AfterReturn;

  private:
    WindowManager& wm_;
    std::vector<std::string>& log_;
};

using ModalLoopTest = UiTest;

TEST_F(ModalLoopTest, ThreeNestedLoopsReturnInOrderOnlyAfterTheirWindowIsHidden) {
    ASSERT_NO_FATAL_FAILURE(Start("A B C wait:100 Esc Esc Esc D"));
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Ladder ladder(wm, log);
    Timer tick;
    tick.Attach(wm);
    tick.SetInterval(40);
    tick.SetEnabled(true);
    tick.OnTimer = [&] {
        log.push_back("tick " + Str(static_cast<int>(wm.Now())) + " depth " + Str(wm.ModalDepth()) +
                      (wm.Top() == &ladder.Third ? " third" : " other"));
    };

    ladder.Main.Show();
    wm.Run();

    // Every key went to the window on top at the time; the main window's
    // timer kept firing inside the innermost loop.
    const std::vector<std::string> expected{
        "0 key 65",
        "1 key 66",
        "2 key 67",
        "tick 40 depth 3 third",
        "tick 80 depth 3 third",
        "3 key 27",
        "3 returned 33 hidden depth 2",
        "2 key 27",
        "2 returned 22 hidden depth 1",
        "1 key 27",
        "1 returned 11 hidden depth 0",
        "0 key 68",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(wm.WhyQuit(), QuitReason::ScriptEnded);
    EXPECT_EQ(wm.Stack(), std::vector<Window*>{&ladder.Main});
}

TEST_F(ModalLoopTest, QuitUnwindsEveryLoopAndLaterDialogsReturnAtOnce) {
    ASSERT_NO_FATAL_FAILURE(Start("A B C wait:50"));
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Ladder ladder(wm, log);
    Window late(wm);
    // A handler that goes on to open another dialog after the quit must not
    // block: the dialog's loop returns at once and the window is put away.
    ladder.AfterReturn = [&](int level) {
        if (level != 3) return;
        const int result = late.ShowModal();
        log.push_back("late returned " + Str(result) + (late.IsOpen() ? " open" : " hidden"));
    };
    Timer tick;
    tick.Attach(wm);
    tick.SetInterval(40);
    tick.SetEnabled(true);
    tick.OnTimer = [&] { log.push_back("tick " + Str(static_cast<int>(wm.Now()))); };

    ladder.Main.Show();
    wm.Run();

    const std::vector<std::string> expected{
        "0 key 65",
        "1 key 66",
        "2 key 67",
        "tick 40",
        "3 returned 0 hidden depth 2",
        "late returned 0 hidden",
        "2 returned 0 hidden depth 1",
        "1 returned 0 hidden depth 0",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(wm.WhyQuit(), QuitReason::ScriptEnded);
    EXPECT_EQ(wm.ModalDepth(), 0);
    EXPECT_EQ(wm.Stack(), std::vector<Window*>{&ladder.Main});
}

TEST_F(ModalLoopTest, TimerNeverReentersItsHandlerWhileItsDialogWaits) {
    ASSERT_NO_FATAL_FAILURE(Start("wait:350 Esc wait:100"));
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Window main(wm);
    Window dialog(wm);
    dialog.OnKeyDown = [&](int& keyCode, int) {
        if (keyCode == Key::Escape) dialog.Hide();
    };
    auto now = [&] { return Str(static_cast<int>(wm.Now())); };
    int slowCount = 0;
    Timer slow;
    Timer fast;
    slow.Attach(wm);
    slow.SetInterval(100);
    slow.SetEnabled(true);
    slow.OnTimer = [&] {
        log.push_back("slow " + now());
        if (++slowCount == 1) {
            dialog.ShowModal();
            log.push_back("slow back " + now());
        }
    };
    fast.Attach(wm);
    fast.SetInterval(40);
    fast.SetEnabled(true);
    fast.OnTimer = [&] { log.push_back("fast " + now()); };

    main.Show();
    wm.Run();

    // While the slow timer's dialog is up (100..350) only the fast timer
    // fires; the slow one, overdue when its handler ends, fires once then.
    const std::vector<std::string> expected{
        "fast 40",  "fast 80",  "slow 100", "fast 120", "fast 160",
        "fast 200", "fast 240", "fast 280", "fast 320", "slow back 350",
        "slow 350", "fast 360", "fast 400", "fast 440", "slow 450",
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(wm.Now(), 450);
}

TEST_F(ModalLoopTest, HidingTheDialogFromATimerEndsItsLoopThere) {
    ASSERT_NO_FATAL_FAILURE(Start("wait:1000 X"));
    WindowManager& wm = Manager();
    Window dialog(wm);
    Timer closer;
    closer.Attach(wm);
    closer.SetInterval(250);
    closer.SetEnabled(true);
    closer.OnTimer = [&] {
        closer.SetEnabled(false);
        dialog.ModalResult = 7;
        dialog.Hide();
    };

    EXPECT_EQ(dialog.ShowModal(), 7);
    EXPECT_EQ(wm.Now(), 250);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_FALSE(wm.Quitting());
    // The rest of the wait and the X are still to come.
    EXPECT_EQ(Host().Events().StepsLeft(), 2u);
}

TEST_F(ModalLoopTest, HidingALowerDialogEndsItsLoopOnlyOnceTheUpperOneCloses) {
    ASSERT_NO_FATAL_FAILURE(Start("B wait:300 Esc"));
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Ladder ladder(wm, log);
    Timer closer;
    closer.Attach(wm);
    closer.SetInterval(100);
    closer.SetEnabled(true);
    closer.OnTimer = [&] {
        closer.SetEnabled(false);
        ladder.First.ModalResult = 5;
        ladder.First.Hide();
        log.push_back("first hidden, " + Str(static_cast<int>(wm.Stack().size())) + " open");
    };

    const int result = ladder.First.ShowModal();
    log.push_back("first returned " + Str(result) + " at " + Str(static_cast<int>(wm.Now())));

    const std::vector<std::string> expected{
        "1 key 66",
        "first hidden, 1 open",
        "2 key 27",
        "2 returned 22 hidden depth 1",
        "first returned 5 at 300",
    };
    EXPECT_EQ(log, expected);
}

using InputRoutingTest = UiTest;

TEST_F(InputRoutingTest, DisabledOrHiddenWindowsAndControlsTakeNoInput) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Window below(wm);
    Window top(wm);
    below.OnKeyDown = [&](int& keyCode, int) { log.push_back("below:down:" + Str(keyCode)); };
    top.OnKeyDown = [&](int& keyCode, int) { log.push_back("top:down:" + Str(keyCode)); };
    top.OnMouseDown = [&](int, int x, int y) {
        log.push_back("top:mouse:" + Str(x) + "," + Str(y));
    };
    Probe under("under", log);
    Probe over("over", log);
    Control panel;
    Probe inner("inner", log);
    under.Move(10, 10, 100, 50);
    over.Move(10, 10, 100, 50);
    panel.Move(200, 200, 100, 100);
    inner.Move(10, 10, 50, 50);
    top.Add(under);
    top.Add(over);
    top.Add(panel);
    panel.Add(inner);
    below.Show();
    top.Show();

    // A disabled top window takes nothing, and nothing passes to the one below.
    top.Enabled = false;
    Tap(Key::A);
    Deliver(ClickEvent(20, 20));
    EXPECT_TRUE(log.empty());
    top.Enabled = true;

    // A focused control that is disabled or hidden leaves the key to its window.
    over.SetFocus();
    over.Enabled = false;
    Deliver(KeyEvent('B'));
    over.Enabled = true;
    over.Visible = false;
    Deliver(KeyEvent('C'));
    EXPECT_EQ(log, (std::vector<std::string>{"top:down:66", "top:down:67"}));
    log.clear();

    // A hidden control lets the click through to the one beneath.
    Deliver(ClickEvent(20, 25));
    EXPECT_EQ(log, std::vector<std::string>{"under:mouse:10,15"});
    EXPECT_TRUE(under.HasFocus());
    over.Visible = true;
    log.clear();

    // A disabled control, or anything inside a disabled container, takes no
    // click and no focus: the click falls to the window itself.
    over.Enabled = false;
    Deliver(ClickEvent(20, 20));
    panel.Enabled = false;
    Deliver(ClickEvent(215, 215));
    EXPECT_EQ(log, (std::vector<std::string>{"top:mouse:20,20", "top:mouse:215,215"}));
    EXPECT_TRUE(under.HasFocus());
    log.clear();
    panel.Enabled = true;
    Deliver(ClickEvent(215, 215));
    EXPECT_EQ(log, std::vector<std::string>{"inner:mouse:5,5"});
    EXPECT_TRUE(inner.HasFocus());
}

TEST_F(InputRoutingTest, ClicksHitTheTopmostChildAndGiveItTheFocus) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Window window(wm);
    window.Move(100, 50, 300, 200);  // children sit relative to the window
    window.OnMouseDown = [&](int, int x, int y) {
        log.push_back("window:" + Str(x) + "," + Str(y));
    };
    Probe under("under", log);
    Probe over("over", log);
    under.Move(10, 10, 100, 100);
    over.Move(50, 50, 100, 100);
    window.Add(under);
    window.Add(over);
    window.Show();

    Deliver(ClickEvent(100 + 60, 50 + 60));  // where both lie: the later one is on top
    Deliver(ClickEvent(100 + 20, 50 + 20));  // only the lower one
    Deliver(ClickEvent(100 + 250, 50 + 5));  // the window itself
    Deliver(ClickEvent(20, 20));             // outside the window
    EXPECT_EQ(log,
              (std::vector<std::string>{"over:mouse:10,10", "under:mouse:10,10", "window:250,5"}));
    EXPECT_TRUE(under.HasFocus());

    under.BringToFront();
    log.clear();
    Deliver(ClickEvent(100 + 60, 50 + 60));
    EXPECT_EQ(log, std::vector<std::string>{"under:mouse:50,50"});
}

TEST_F(InputRoutingTest, KeyPreviewGivesTheWindowEachKeyFirstAndLetsItSwallowThem) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Window window(wm);
    Probe probe("control", log);
    probe.Move(0, 0, 50, 20);
    window.Add(probe);
    window.OnKeyDown = [&](int& keyCode, int) {
        log.push_back("window:down:" + Str(keyCode));
        if (keyCode == 'X') keyCode = 0;
    };
    window.OnKeyPress = [&](int& keyAscii) {
        log.push_back("window:press:" + Str(keyAscii));
        if (keyAscii == 'y') keyAscii = 0;
    };
    probe.SetFocus();
    window.Show();

    Deliver(KeyEvent(Key::A));  // without preview the focused control alone sees it
    EXPECT_EQ(log, (std::vector<std::string>{"control:down:65", "control:press:97"}));
    log.clear();

    window.KeyPreview = true;
    Deliver(KeyEvent(Key::A));
    Deliver(KeyEvent('X'));
    Deliver(KeyEvent('Y'));
    const std::vector<std::string> expected{
        "window:down:65", "control:down:65", "window:press:97",  "control:press:97",
        "window:down:88",                                         // swallowed whole
        "window:down:89", "control:down:89", "window:press:121",  // only its character
    };
    EXPECT_EQ(log, expected);
}

TEST_F(InputRoutingTest, TabVisitsOnlyUsableTabStopsInTheOrderAdded) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    std::vector<std::string> log;
    Window window(wm);
    Probe first("first", log);
    Probe disabled("disabled", log);
    Probe hidden("hidden", log);
    Probe noStop("noStop", log);
    Control hiddenPanel;
    Probe inHiddenPanel("inHiddenPanel", log);
    Label label;
    Control panel;
    Probe inPanel("inPanel", log);
    Probe last("last", log);
    disabled.Enabled = false;
    hidden.Visible = false;
    noStop.TabStop = false;
    hiddenPanel.Visible = false;
    for (Control* c : std::array<Control*, 8>{&first, &disabled, &hidden, &noStop, &hiddenPanel,
                                              &label, &panel, &last}) {
        window.Add(*c);
    }
    hiddenPanel.Add(inHiddenPanel);
    panel.Add(inPanel);
    window.Show();

    auto focusName = [&] {
        return window.Focused() ? window.Focused()->Name : std::string("none");
    };
    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        Tap(Key::Tab);
        visited.push_back(focusName());
    }
    Tap(Key::Tab, Key::ShiftMask);
    visited.push_back(focusName());
    Tap(Key::Tab, Key::ShiftMask);
    visited.push_back(focusName());
    EXPECT_EQ(visited,
              (std::vector<std::string>{"first", "inPanel", "last", "first", "last", "inPanel"}));

    // Ctrl+Tab is left to the handlers.
    Tap(Key::Tab, Key::CtrlMask);
    EXPECT_EQ(focusName(), "inPanel");
}

using WindowStackTest = UiTest;

TEST_F(WindowStackTest, DisplayCaptionFollowsTheTopmostOwnerAndIsLoggedOncePerChange) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    Window main(wm);
    Window dialog(wm);
    Window title(wm);
    main.OwnsCaption = true;
    title.OwnsCaption = true;
    main.SetCaption("本編");
    dialog.SetCaption("dialog");
    title.SetCaption("タイトル");
    EXPECT_EQ(Host().Screen().Caption(), "");  // nothing is open yet

    main.Show();
    EXPECT_EQ(Host().Screen().Caption(), "本編");
    dialog.Show();  // a dialog does not name the program
    EXPECT_EQ(Host().Screen().Caption(), "本編");
    title.Show();
    EXPECT_EQ(Host().Screen().Caption(), "タイトル");
    main.SetCaption("本編 2");  // covered: the display keeps the title's
    EXPECT_EQ(Host().Screen().Caption(), "タイトル");
    title.Hide();
    EXPECT_EQ(Host().Screen().Caption(), "本編 2");
    main.SetCaption("本編 2");
    dialog.Hide();
    main.Show();

    const std::vector<std::string> expected{
        R"({"t":"caption","text":"本編"})",
        R"({"t":"caption","text":"タイトル"})",
        R"({"t":"caption","text":"本編 2"})",
    };
    EXPECT_EQ(TranscriptLines(), expected);
}

// A window that paints nothing of its own, as a dialog whose panel is its face.
class SeeThroughWindow : public Window {
  public:
    using Window::Window;
    void Paint(PaintContext&) override {}
};

TEST_F(WindowStackTest, RepaintClearsWhateverNoWindowPaints) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    const uint32_t red = Rgb(200, 0, 0);
    const uint32_t green = Rgb(0, 200, 0);
    Window full(wm);
    full.Move(0, 0, 640, 480);
    full.BackColor = red;
    Window small(wm);
    small.Move(100, 100, 50, 50);
    small.BackColor = green;
    SeeThroughWindow glass(wm);
    glass.Move(0, 0, 640, 480);
    Window beyond(wm);  // larger than the screen on every side
    beyond.Move(-5, -5, 700, 500);
    beyond.BackColor = green;

    struct Case {
        std::vector<Window*> Shown;  // bottom first
        uint32_t Corner;             // at (5, 5)
        uint32_t Middle;             // at (110, 110)
    };
    const Case cases[] = {
        {{&full}, red, red},       {{&small}, 0, green},        {{&full, &small}, red, green},
        {{&glass}, 0, 0},          {{&full, &glass}, red, red}, {{&glass, &small}, 0, green},
        {{&beyond}, green, green}, {{&small, &full}, red, red}, {{}, 0, 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        for (Window* window :
             {static_cast<Window*>(&full), &small, static_cast<Window*>(&glass), &beyond}) {
            window->Hide();
        }
        for (Window* window : cases[i].Shown) window->Show();
        // The second repaint is the one that knows what the lowest window paints.
        for (int repaint = 0; repaint < 2; ++repaint) {
            wm.Redraw();
            EXPECT_EQ(wm.Frame().At(5, 5) & 0xFFFFFF, cases[i].Corner) << i << " " << repaint;
            EXPECT_EQ(wm.Frame().At(110, 110) & 0xFFFFFF, cases[i].Middle) << i << " " << repaint;
        }
    }
}

// A key press repaints; its release repaints only when a handler heard it
// (on the focused control, or on the window when it previews keys).
TEST_F(WindowStackTest, OnlyAKeyUpSomethingHearsCostsARepaint) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<std::string> log;
    Window window(Manager());
    window.Move(0, 0, 640, 480);
    Probe probe("probe", log);
    window.Add(probe);
    window.Show();
    probe.SetFocus();

    struct Case {
        bool ControlHears;
        bool WindowHears;
        bool Preview;
        int Repaints;  // for one press and release
    };
    const Case cases[] = {
        {false, false, false, 1}, {true, false, false, 2}, {false, true, false, 1},
        {false, true, true, 2},   {false, false, true, 1},
    };
    int released = 0;
    for (const Case& c : cases) {
        probe.OnKeyUp =
            c.ControlHears ? [&](int&, int) { ++released; } : std::function<void(int&, int)>();
        window.OnKeyUp =
            c.WindowHears ? [&](int&, int) { ++released; } : std::function<void(int&, int)>();
        window.KeyPreview = c.Preview;
        Manager().Redraw();  // nothing left to paint
        const int before = Host().Screen().PresentCount();
        Tap(Key::Down);
        InputEvent expose;
        expose.Kind = InputEvent::Type::Expose;
        Deliver(expose);  // paints whatever the release left to paint
        EXPECT_EQ(Host().Screen().PresentCount() - before, c.Repaints)
            << c.ControlHears << c.WindowHears << c.Preview;
    }
    EXPECT_EQ(released, 2);
}

TEST_F(WindowStackTest, ScreenshotStepWritesTheFrameAsA640x480Png) {
    const std::string path = TempPath("shot.png");
    ASSERT_NO_FATAL_FAILURE(Start("shot:" + path));
    WindowManager& wm = Manager();
    Window window(wm);
    window.BackColor = Rgb(10, 20, 30);
    PictureBox box;
    box.Move(100, 120, 40, 30);
    box.BackColor = Rgb(200, 50, 25);
    Label label;
    label.Move(300, 200, 200, 20);
    label.SetCaption("画面 shot");
    window.Add(box);
    window.Add(label);
    window.Show();
    wm.Run();

    const std::optional<Image> saved = Host().Images().Load(path);
    ASSERT_TRUE(saved.has_value()) << path;
    ASSERT_EQ(saved->Width, 640);
    ASSERT_EQ(saved->Height, 480);
    const FrameDiff diff = CompareFrames(*saved, wm.Frame(), Rect{0, 0, 640, 480});
    EXPECT_EQ(diff.Inside, 0);
    EXPECT_EQ(saved->At(110, 130) & 0xFFFFFF, Rgb(200, 50, 25));
    EXPECT_EQ(saved->At(5, 5) & 0xFFFFFF, Rgb(10, 20, 30));
}

TEST_F(WindowStackTest, ClosingTheRealWindowAsksTheTopWindow) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    Window main(wm);
    Window dialog(wm);
    int mainAsked = 0;
    bool allow = false;
    main.OnCloseAsked = [&] {
        ++mainAsked;
        return true;
    };
    dialog.OnCloseAsked = [&] { return allow; };
    main.Show();
    dialog.Show();
    InputEvent close;
    close.Kind = InputEvent::Type::CloseAsked;

    Deliver(close);
    EXPECT_FALSE(wm.Quitting());
    EXPECT_EQ(mainAsked, 0);
    allow = true;
    Deliver(close);
    EXPECT_EQ(wm.WhyQuit(), QuitReason::Requested);
    EXPECT_EQ(mainAsked, 0);
}

TEST_F(WindowStackTest, AWindowWithoutASayPassesTheCloseDown) {
    ASSERT_NO_FATAL_FAILURE(Start());
    WindowManager& wm = Manager();
    Window main(wm);
    Window message(wm);
    int mainAsked = 0;
    main.OnCloseAsked = [&] {
        ++mainAsked;
        return false;
    };
    main.Show();
    message.Show();
    InputEvent close;
    close.Kind = InputEvent::Type::CloseAsked;
    Deliver(close);
    EXPECT_EQ(mainAsked, 1);
    EXPECT_FALSE(wm.Quitting());
}

}  // namespace
}  // namespace kv::test
