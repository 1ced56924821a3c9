// The main window as the stage of the screens: transitions, keys, timers and
// rows reach the screen of the current menu state.
#include <memory>
#include <string>
#include <vector>

#include "core/CommandMenus.h"
#include "core/Game.h"
#include "ui/MainWindow.h"
#include "ui/UiFixture.h"

namespace kv::test {
namespace {

class ProbeScreen : public Screen {
  public:
    ProbeScreen(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log) {}
    void Enter() override { log_.push_back(name_ + ":enter"); }
    void Leave() override { log_.push_back(name_ + ":leave"); }
    bool KeyDown(int keyCode, int) override {
        log_.push_back(name_ + ":key:" + std::to_string(keyCode));
        return keyCode == Key::Down;  // takes Down, lets the rest through
    }
    void Timer(MainTimer timer) override {
        log_.push_back(name_ + (timer == MainTimer::Move ? ":tick:move" : ":tick:treasure"));
    }
    void CarryOut(int row) override { log_.push_back(name_ + ":row:" + std::to_string(row)); }

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

class MainWindowTest : public UiTest {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start());
        game_ = std::make_unique<Game>();
        main_ = std::make_unique<MainWindow>(Manager(), *game_);
        main_->Register(MenuStates::Castle, castle_);
        main_->Register(MenuStates::EdgeOfTown, edge_);
        main_->Show();
    }
    std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

    std::vector<std::string> log_;
    ProbeScreen castle_{"castle", log_};
    ProbeScreen edge_{"edge", log_};
    std::unique_ptr<Game> game_;
    std::unique_ptr<MainWindow> main_;
};

TEST_F(MainWindowTest, SetCommandMenuLeavesTheOldScreenAndEntersTheNew) {
    main_->SetCommandMenu(MenuStates::Castle);
    main_->SetCommandMenu(MenuStates::EdgeOfTown);
    main_->SetCommandMenu(MenuStates::EdgeOfTown);  // a rebuild, not a transition
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"castle:enter", "castle:leave", "edge:enter"}));
    EXPECT_EQ(game_->MenuState, MenuStates::EdgeOfTown);
    EXPECT_EQ(main_->lstCommandList.ListIndex(), 0);
}

TEST_F(MainWindowTest, TheCurrentScreenSeesKeysFirstThenRowsAndTimers) {
    main_->SetCommandMenu(MenuStates::Castle);
    TakeLog();
    Tap(Key::Down);  // taken by the screen: the list stays on row 0
    EXPECT_EQ(main_->lstCommandList.ListIndex(), 0);
    Tap(Key::Escape);  // passed on: the list moves to its way back
    EXPECT_EQ(main_->lstCommandList.ListIndex(), main_->lstCommandList.ListCount() - 1);
    Tap(Key::Return);
    main_->tmrMove.SetEnabled(true);
    Host().Time().Advance(main_->tmrMove.Interval());
    Manager().FireDueTimers();
    const int back = main_->lstCommandList.ListCount() - 1;
    EXPECT_EQ(TakeLog(),
              (std::vector<std::string>{"castle:key:40", "castle:key:27", "castle:key:13",
                                        "castle:row:" + std::to_string(back), "castle:tick:move"}));
}

TEST_F(MainWindowTest, AClickCarriesOutOnlyARow) {
    main_->SetCommandMenu(MenuStates::Castle);
    TakeLog();
    ListEx& list = main_->lstCommandList;
    const Rect row = list.RowBounds(1);
    ASSERT_GT(row.H, 0);
    const int x = list.Left + row.X + row.W / 2;
    // The caption line, the frame's edges and the empty space below the rows do nothing.
    for (const Point at : {Point{x, list.Top + static_cast<int>(list.ListTop()) - 4},
                           Point{list.Left + 1, list.Top + row.Y + row.H / 2},
                           Point{list.Left + list.Width - 2, list.Top + row.Y + row.H / 2},
                           Point{x, list.Top + list.Height - 2}}) {
        Deliver(ClickEvent(at.X, at.Y));
        Host().Time().Advance(ListEx::DoubleClickMs + 1);
    }
    EXPECT_EQ(TakeLog(), std::vector<std::string>{});
    Deliver(ClickEvent(x, list.Top + row.Y + row.H / 2));
    EXPECT_EQ(TakeLog(), std::vector<std::string>{"castle:row:1"});
}

}  // namespace
}  // namespace kv::test
